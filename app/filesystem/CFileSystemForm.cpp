#include "CFileSystemForm.h"

#include "PanelProgressBar.h"
#include "ShowEnabled.h"

IMPLEMENT_DYNCREATE(CFileSystemForm, CView)

BEGIN_MESSAGE_MAP(CFileSystemForm, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr const wchar_t* kFatCaptions[CFileSystemForm::kRows] = {
    L"", L"File System Start    :", L"Sectors Per Cluster :", L"File System Size     :", L""};
constexpr const wchar_t* kNtfsCaptions[CFileSystemForm::kRows] = {
    L"File System Start    :", L"Sectors Per Cluster :", L"MFT Start               :",
    L"MFT Mirror Start      :", L"File System Size     :"};

void CreateArialFont(CFont& font, int height, int weight) {
  font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace

CFileSystemForm::CFileSystemForm() {
  CreateArialFont(font_, 16, FW_NORMAL);
  CreateArialFont(progressFont_, 18, 600);
}

CFileSystemForm::~CFileSystemForm() = default;

int CFileSystemForm::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  whiteBrush_.CreateSolidBrush(RGB(255, 255, 255));
  const CRect none(0, 0, 0, 0);
  // A caption wider than its row is cut at the right, never wrapped into the row below.
  for (int row = 0; row < kRows; ++row) {
    captions_[row].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, none, this, kFirstCaptionId + row);
    captions_[row].SetFont(&font_);
    values_[row].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, none, this, kValueIds[row]);
    values_[row].SetFont(&font_);
  }
  groupBox_.Create(L"FileSystem Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER | BS_NOTIFY, none,
                   this, kGroupBoxId);
  groupBox_.SetBackgroundColor(0xFFFFFF);
  notice_.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kNoticeId);
  notice_.SetFont(&font_);
  status_.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kNoticeId);
  status_.SetFont(&font_);
  progress_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, none, this, kProgressId);
  SetUpPanelProgressBar(progress_, progressFont_);
  progress_.m_colors = {0xFF0000, 0xA00000};
  HideProgressBar();
  HideStatusText();
  // The page's tree and buttons take the input; the form only shows.
  EnableWindow(FALSE);
  return 0;
}

void CFileSystemForm::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (!progress_.GetSafeHwnd()) return;
  CRect c;
  GetClientRect(&c);
  const int L = c.left, T = c.top, R = c.right, B = c.bottom;
  const int width = 520 - (L + 50);
  groupBox_.MoveWindow(L + 50, T + 50, width, 300 - T);
  status_.MoveWindow(L + 50, (B - 345) / 2 + 327, width, 18);
  progress_.MoveWindow(L + 50, (B - 345) / 2 + 345, width, 18);
  // Three lines of the prompt above the box; captions as wide as "MFT Mirror Start      :".
  notice_.MoveWindow(L + 50, T + 2, (R - 10) - (L + 50), 48);
  for (int row = 0; row < kRows; ++row) {
    captions_[row].MoveWindow(L + 80, T + 70 + 20 * row, 165, 20);
    values_[row].MoveWindow(L + 250, T + 70 + 20 * row, 160, 20);
  }
}

HBRUSH CFileSystemForm::OnCtlColor(CDC* dc, CWnd* wnd, UINT /*ctlColor*/) {
  const int id = wnd != nullptr ? wnd->GetDlgCtrlID() : 0;
  const bool formStatic = id == static_cast<int>(kNoticeId) || id == 61482 ||
                          (id >= static_cast<int>(kFirstCaptionId) && id <= static_cast<int>(kFirstCaptionId) + 9);
  if (formStatic) {
    dc->SetBkColor(RGB(255, 255, 255));
    dc->SetTextColor(RGB(0, 0, 0));
    return static_cast<HBRUSH>(whiteBrush_.GetSafeHandle());
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

// ---- Progress ----------------------------------------------------------------------

void CFileSystemForm::SetProgressPos(int percent) {
  if (progress_.GetSafeHwnd()) progress_.SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent));
}

void CFileSystemForm::SetStatusText(CString text) {
  if (status_.GetSafeHwnd()) status_.SetWindowText(text);
}

void CFileSystemForm::ShowProgressBar() { ShowEnabled(progress_, true); }
void CFileSystemForm::HideProgressBar() { ShowEnabled(progress_, false); }
void CFileSystemForm::ShowStatusText() { ShowEnabled(status_, true); }
void CFileSystemForm::HideStatusText() { ShowEnabled(status_, false); }

// ---- Facts -------------------------------------------------------------------------

void CFileSystemForm::SetCaptions(const wchar_t* const (&captions)[kRows]) {
  for (int row = 0; row < kRows; ++row) captions_[row].SetWindowText(captions[row]);
}

void CFileSystemForm::ShowFatFacts(const CString& start, const CString& sectorsPerCluster, const CString& size) {
  ShowFatCaptions();
  values_[1].SetWindowText(start);
  values_[2].SetWindowText(sectorsPerCluster);
  values_[3].SetWindowText(size);
}

void CFileSystemForm::ShowFatCaptions() {
  SetCaptions(kFatCaptions);
  ClearFactValues();
  captions_[0].ShowWindow(SW_HIDE);
  values_[0].ShowWindow(SW_HIDE);
}

void CFileSystemForm::ShowNtfsCaptions() {
  SetCaptions(kNtfsCaptions);
  ClearFactValues();
  captions_[0].ShowWindow(SW_SHOW);
  values_[0].ShowWindow(SW_SHOW);
}

void CFileSystemForm::ShowValues(const CString (&values)[kRows]) {
  for (int row = 0; row < kRows; ++row) values_[row].SetWindowText(values[row]);
}

void CFileSystemForm::ClearFactValues() {
  for (CStatic& value : values_)
    if (value.GetSafeHwnd()) value.SetWindowText(L"");
}

void CFileSystemForm::SetNoticeText(const CString& text) {
  notice_.SetWindowText(text);
  // The notice lies over the white form: its old text must not show through.
  notice_.Invalidate(TRUE);
}

CString CFileSystemForm::CaptionText(int row) const {
  CString text;
  if (row >= 0 && row < kRows) captions_[row].GetWindowText(text);
  return text;
}

CString CFileSystemForm::ValueText(int row) const {
  CString text;
  if (row >= 0 && row < kRows) values_[row].GetWindowText(text);
  return text;
}
