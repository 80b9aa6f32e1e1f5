#include "CSplashThread.h"

#include <cwctype>

int SplashEnabled = 1;

IMPLEMENT_DYNCREATE(CSplashThread, CWinThread)

namespace {

struct SplashFontSpec {
  const wchar_t* face;
  int points;
  int weight;
  BOOL italic;
  BYTE outputPrecision;
};

constexpr SplashFontSpec kFontA{L"Courier New", 26, 700, TRUE, 4};
constexpr SplashFontSpec kFontB{L"Arial", 26, 700, TRUE, 4};
constexpr SplashFontSpec kFontC{L"Arial", 18, 700, TRUE, 4};
constexpr SplashFontSpec kFontD{L"MS Sans Serif", 12, 700, FALSE, 0};
constexpr SplashFontSpec kFontE{L"MS Sans Serif", 8, 400, FALSE, 0};

void CreateSplashFont(CFont& font, CDC& dc, const SplashFontSpec& spec) {
  // Integer division first, as the splash has always sized its fonts.
  const int pixelsPerInch = ::GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSY);
  const int height = static_cast<int>(spec.points * (pixelsPerInch / -72) + 0.5);
  font.CreateFont(height, 0, 0, 0, spec.weight, spec.italic, FALSE, FALSE, DEFAULT_CHARSET, spec.outputPrecision,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, spec.face);
}

// One list's lines from (x, y), each `step` below the one before.
void DrawLines(CDC& dc, const CStringList& lines, int x, int y, int step) {
  int index = 0;
  for (POSITION position = lines.GetHeadPosition(); position; ++index) {
    const CString& line = lines.GetNext(position);
    dc.TextOut(x, y + step * index, line);
  }
}

// Upper-case runs in font B two pixels lower, other runs in font C.
void DrawMixedLine(CDC& dc, const CString& line, int x, int y, CFont& upper, CFont& other) {
  for (int start = 0; start < line.GetLength();) {
    const bool isUpper = std::iswupper(line[start]) != 0;
    int end = start + 1;
    while (end < line.GetLength() && (std::iswupper(line[end]) != 0) == isUpper) ++end;
    const CString run = line.Mid(start, end - start);
    dc.SelectObject(isUpper ? &upper : &other);
    dc.TextOut(x, isUpper ? y + 2 : y, run);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), run, run.GetLength(), &extent);
    x += extent.cx;
    start = end;
  }
}

}  // namespace

CSplashThread::CSplashThread() : window_(this) {}

CSplashThread::~CSplashThread() = default;

BOOL CSplashThread::InitInstance() {
  SetThreadPriority(THREAD_PRIORITY_HIGHEST);
  window_.SetThread(this);
  StartTick = ::GetTickCount();
  if (SplashEnabled && window_.Create()) {
    m_pMainWnd = &window_;
    window_.UpdateWindow();
    return TRUE;
  }
  return FALSE;  // no window: the thread ends here
}

void CSplashThread::Paint(CDC& dc) {
  CFont fontA, fontB, fontC, fontD, fontE;
  CreateSplashFont(fontA, dc, kFontA);
  CreateSplashFont(fontB, dc, kFontB);
  CreateSplashFont(fontC, dc, kFontC);
  CreateSplashFont(fontD, dc, kFontD);
  CreateSplashFont(fontE, dc, kFontE);

  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* oldBitmap = memory.SelectObject(&Bitmap);
  dc.BitBlt(0, 0, BitmapWidth, BitmapHeight, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldBitmap);

  const COLORREF oldColour = dc.SetTextColor(RGB(0, 0, 0));
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  const UINT oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
  CGdiObject* oldFont = dc.SelectStockObject(ANSI_FIXED_FONT);

  dc.SetTextAlign(TA_LEFT | TA_BOTTOM);
  dc.SelectObject(&fontA);
  DrawLines(dc, Lines[0], 52, 86, 30);
  int index = 0;
  for (POSITION position = Lines[1].GetHeadPosition(); position; ++index) {
    DrawMixedLine(dc, Lines[1].GetNext(position), 52, 121 + 30 * index, fontB, fontC);
  }
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.SelectObject(&fontD);
  dc.TextOut(52, 210, VersionText);
  dc.SelectObject(&fontE);
  DrawLines(dc, Lines[2], 121, 210, 15);
  dc.SetTextAlign(TA_RIGHT | TA_TOP);
  DrawLines(dc, Lines[3], 210, 210, 15);
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.SelectObject(&fontD);
  dc.TextOut(255, 210, SecondText);
  dc.SelectObject(&fontE);
  DrawLines(dc, Lines[4], 255, 225, 15);

  dc.SetTextColor(oldColour);
  dc.SetBkMode(oldMode);
  dc.SetTextAlign(oldAlign);
  dc.SelectObject(oldFont);
}
