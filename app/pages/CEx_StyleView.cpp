#include "CEx_StyleView.h"

#include "CFileOpenSaveDialog.h"
#include "EngineContext.h"
#include "MarkupScan.h"
#include "PageTexts.h"
#include "ResourceIds.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "results/ResultStore.h"

IMPLEMENT_DYNCREATE(CEx_StyleView, CView)

BEGIN_MESSAGE_MAP(CEx_StyleView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_MODE_QUICK_SCAN, OnQuickScan)
  ON_COMMAND(ID_MODE_EXTENSIVE_SCAN, OnExtensiveScan)
  ON_COMMAND(ID_MODE_FILE_TRACE, OnFileTrace)
  ON_COMMAND(CEx_StyleView::kBrowseId, OnBrowseVhd)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kEditBackground = 0xE0EEEE;
constexpr COLORREF kBrokenEdge = 0xCEF1FB;
constexpr int kModeButtonWidth = 173;
constexpr int kModeButtonHeight = 73;

}  // namespace

CEx_StyleView::CEx_StyleView() = default;
CEx_StyleView::~CEx_StyleView() = default;

BOOL CEx_StyleView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

const wchar_t* CEx_StyleView::ExplanationFor(int hoveredModeButtonId) {
  switch (hoveredModeButtonId) {
    case 1: return L"Select this mode to recovery data of recently deleted files and folders.";
    case 2: return L"Select the File Trace mode if both Quick scan and Extensive scan mode do not work for you.";
    case 3: return L"Select this mode to recovery files and folder from formatted hard drive &partions";
    default: return L"Please Choose Recovery Mode.";
  }
}

int CEx_StyleView::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;

  textFont_.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  LOGFONTW title{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof title, &title, 0);
  title.lfHeight = 24;
  title.lfWeight = 600;
  wcscpy_s(title.lfFaceName, L"Trebuchet MS");
  titleFont_.CreateFontIndirect(&title);
  browseFont_.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
  editBrush_.CreateSolidBrush(kEditBackground);

  struct ModeButton {
    CHoverButton& button;
    UINT id;
    int hoverId;
    UINT normal;
    UINT hover;
  };
  const ModeButton buttons[] = {
      {quickScan_, ID_MODE_QUICK_SCAN, 1, IDB_QUICK_SCAN, IDB_QUICK_SCAN_HOVER},
      {fileTrace_, ID_MODE_FILE_TRACE, 2, IDB_FILE_TRACE, IDB_FILE_TRACE_HOVER},
      {extensiveScan_, ID_MODE_EXTENSIVE_SCAN, 3, IDB_EXTENSIVE_SCAN, IDB_EXTENSIVE_SCAN_HOVER},
  };
  const CRect none(0, 0, 0, 0);
  for (const ModeButton& b : buttons) {
    b.button.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, none, this, b.id);
    b.button.m_pOwnerView = this;
    b.button.m_nHoverId = b.hoverId;
    b.button.LoadButtonBitmaps(b.normal, b.hover);
  }

  // The virtual hard disk road is not offered: both stay hidden and disabled.
  browse_.Create(L"Browse", WS_CHILD | WS_TABSTOP | WS_DISABLED, none, this, kBrowseId);
  browse_.SetFont(&browseFont_);
  vhdPath_.Create(WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED, none, this, kVhdPathId);
  vhdPath_.SetFont(&browseFont_);
  return 0;
}

void CEx_StyleView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!quickScan_.GetSafeHwnd()) return;
  const int x = cx / 2, y = cy / 2;
  quickScan_.MoveWindow(x - 261, y - 16, kModeButtonWidth, kModeButtonHeight);
  extensiveScan_.MoveWindow(x - 86, y - 16, kModeButtonWidth, kModeButtonHeight);
  // The last resort, after the two scans: the three side by side, 2 pixels apart.
  fileTrace_.MoveWindow(x + 89, y - 16, kModeButtonWidth, kModeButtonHeight);
  browse_.MoveWindow(x + 199, y - 138, 60, 20);
  vhdPath_.MoveWindow(x - 256, y - 138, 430, 20);
}

void CEx_StyleView::OnDraw(CDC* screen) {
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC dc;
  dc.CreateCompatibleDC(screen);
  CBitmap canvas;
  canvas.CreateCompatibleBitmap(screen, client.Width(), client.Height());
  CBitmap* oldCanvas = dc.SelectObject(&canvas);
  dc.SetBkMode(TRANSPARENT);

  skin_.DrawBackground(dc, client);
  skin_.DrawHeader(dc, client, IDB_HEADER_MODE);

  const CPoint c(client.Width() / 2, client.Height() / 2);
  CPen white;
  white.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* oldPen = dc.SelectObject(&white);
  CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
  dc.RoundRect(c.x - 400, c.y - 225, c.x + 400, c.y + 225, 100, 100);
  dc.RoundRect(c.x - 300, c.y - 60, c.x + 300, c.y + 100, 100, 100);
  dc.SelectObject(oldBrush);
  dc.SelectObject(oldPen);
  dc.FillSolidRect(CRect(c.x - 50, c.y - 60, c.x + 60, c.y - 58), kBrokenEdge);

  const bool explaining = HoveredModeButtonId >= 1 && HoveredModeButtonId <= 3;
  CFont* oldFont = dc.SelectObject(explaining ? &textFont_ : &titleFont_);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkMode(TRANSPARENT);
  CRect text(c.x - 380, c.y + 140, c.x + 360, c.y + 160);
  // The title font is taller than the line: its descenders may pass below it.
  dc.DrawText(ExplanationFor(HoveredModeButtonId), &text, DT_CENTER | DT_NOCLIP);
  dc.SelectObject(oldFont);

  screen->BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
  dc.SelectObject(oldCanvas);
}

HBRUSH CEx_StyleView::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  if (ctlColor == CTLCOLOR_EDIT && wnd && wnd->GetDlgCtrlID() == static_cast<int>(kVhdPathId)) {
    return static_cast<HBRUSH>(editBrush_.GetSafeHandle());
  }
  return CView::OnCtlColor(dc, wnd, ctlColor);
}

void CEx_StyleView::ChooseMode(int recoveryMode) {
  WizardFrameState& frame = wizard::Frame();
  frame.DrivePageActive = 1;
  frame.ScanPageActive = frame.PastScanPage = frame.PastFileSystemPage = 0;
  frame.SelectedNodeIndex = -1;
  frame.LoadSnapshotEnabled = 1;

  engine::EngineContext& ctx = wizard::Engine();
  ctx.RecoveryMode = recoveryMode;
  ctx.SelectionSummaryText = pages::ModeSummaryText(recoveryMode);

  if (CListCtrl* list = wizard::ResultsList()) PrepareResultColumns(*list, recoveryMode);
  HoveredModeButtonId = 0;
  wizard::ShowPage(wizard::kDrivePage);
}

void CEx_StyleView::OnQuickScan() { ChooseMode(engine::kModeQuickScan); }
void CEx_StyleView::OnExtensiveScan() { ChooseMode(engine::kModeExtensiveScan); }
void CEx_StyleView::OnFileTrace() { ChooseMode(engine::kModeFileTrace); }

// Not reachable: the Browse button is never shown.
void CEx_StyleView::OnBrowseVhd() {
  const CString extension = L"vhd";
  const CString filter = extension + L" Files (*." + extension + L")|*." + extension + L"|";
  const CString title = L"Add " + extension + L" file to repair";
  CFileOpenSaveDialog dialog(TRUE, nullptr, nullptr,
                             OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_EXPLORER |
                                 OFN_LONGNAMES,
                             filter, this);
  dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return;
  CString path;
  for (const wchar_t* position = dialog.GetFirstPathPosition(); position;) path = dialog.GetNextPathName(position);
  if (engine::FileExists(wizard::Engine(), ToU16(path))) {
    vhdPath_.SetWindowText(path);
    return;
  }
  path.Trim();
  // The path is shown in a markup message: a name such as "<b>.vhd" shows as typed.
  wizard::ShowMessage(ToCString(markup::EscapeMarkup(ToU16(path))) + L" file does not exists.",
                      engine::kMessageQuestion);
}
