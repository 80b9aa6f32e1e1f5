#include "CProgressDlg.h"

#include "ProgressMath.h"
#include "SkinRegion.h"

namespace {

constexpr UINT WM_PROGRESS_DESTROY = WM_APP + 0x126;

}  // namespace

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
  ON_MESSAGE(WM_PROGRESS_SETPOS, OnSetPosMessage)
  ON_MESSAGE(WM_PROGRESS_DESTROY, OnDestroyRequest)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(UINT captionId) : captionId_(captionId ? captionId : IDS_PROGRESS_CAPTION) {
  SetSkinBitmap(static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_PROGRESS_SKIN),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ellipseRegion_.Attach(::CreateEllipticRgn(33, 34, 34, 35));
}

CProgressDlg::~CProgressDlg() {
  if (m_hWnd) DestroyWindow();
}

void CProgressDlg::SetSkinBitmap(HBITMAP bitmap) {
  skin_.DeleteObject();
  skinRegion_.DeleteObject();
  if (!bitmap) return;
  skin_.Attach(bitmap);
  // Kept with the dialog; the window stays rectangular.
  skinRegion_.Attach(CreateRegionFromBitmap(bitmap, RGB(0, 255, 0), 0));
}

bool CProgressDlg::OnOwnThread() const {
  return !m_hWnd || ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId();
}

BOOL CProgressDlg::Create(CWnd* parent) {
  CWnd* owner = CWnd::GetSafeOwner(parent);
  owner_ = owner ? owner->GetSafeHwnd() : nullptr;
  if (owner_ && ::IsWindowEnabled(owner_)) {
    ::EnableWindow(owner_, FALSE);
    ownerDisabled_ = TRUE;
  }
  if (!CDialog::Create(IDD_PROGRESS_DIALOG, parent)) {
    if (ownerDisabled_) ::EnableWindow(owner_, TRUE);
    ownerDisabled_ = FALSE;
    return FALSE;
  }
  return TRUE;
}

BOOL CProgressDlg::DestroyWindow() {
  if (!OnOwnThread()) {
    // Windows are the user-interface thread's: ask it to close the dialog.
    ::PostMessageW(m_hWnd, WM_PROGRESS_DESTROY, 0, 0);
    return TRUE;
  }
  if (ownerDisabled_ && owner_) {
    ::EnableWindow(owner_, TRUE);
    ownerDisabled_ = FALSE;
  }
  return m_hWnd ? CDialog::DestroyWindow() : FALSE;
}

LRESULT CProgressDlg::OnDestroyRequest(WPARAM, LPARAM) {
  DestroyWindow();
  return 0;
}

BOOL CProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  percentLabel_.SubclassDlgItem(IDC_PROGRESS_PERCENT, this);
  bar_.SubclassDlgItem(IDC_PROGRESS_BAR, this);
  bar_.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower_, upper_));
  bar_.SendMessage(PBM_SETSTEP, step_);
  bar_.SendMessage(PBM_SETPOS, lower_);
  if (!caption_.LoadString(captionId_)) caption_ = L"Progress...";
  SetWindowText(caption_);
  return TRUE;
}

void CProgressDlg::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  if (bar_.GetSafeHwnd()) bar_.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

int CProgressDlg::SetStep(int step) {
  const int old = step_;
  step_ = step;
  if (bar_.GetSafeHwnd()) bar_.SendMessage(PBM_SETSTEP, step);
  return old;
}

int CProgressDlg::SetPos(int position) {
  if (!m_hWnd) return 0;
  if (!OnOwnThread()) return static_cast<int>(::SendMessageW(m_hWnd, WM_PROGRESS_SETPOS, position, 0));
  PumpMessages();
  if (!m_hWnd) return 0;  // the pump may have closed the dialog
  const int previous = static_cast<int>(bar_.SendMessage(PBM_SETPOS, position));
  UpdatePercentText(position);
  return previous;
}

LRESULT CProgressDlg::OnSetPosMessage(WPARAM position, LPARAM) { return SetPos(static_cast<int>(position)); }

void CProgressDlg::PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The program is ending: the outer loop must see the quit, and the
      // operation that shows this dialog ends as if cancelled.
      quitReceived_ = TRUE;
      cancelled_ = TRUE;
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (m_hWnd && ::IsDialogMessageW(m_hWnd, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void CProgressDlg::UpdatePercentText(int position) {
  const int percent = progress::PercentOf(position, lower_, upper_);
  const CString label(progress::PercentLabel(percent).c_str());
  if (percentLabel_.GetSafeHwnd()) {
    CString current;
    percentLabel_.GetWindowText(current);
    if (current != label) percentLabel_.SetWindowText(label);
  }
  const CString caption(progress::CaptionWithPercent(static_cast<LPCWSTR>(caption_), percent).c_str());
  CString current;
  GetWindowText(current);
  if (current != caption) SetWindowText(caption);
}

void CProgressDlg::OnCancel() { cancelled_ = TRUE; }

BOOL CProgressDlg::OnEraseBkgnd(CDC* dc) {
  BITMAP info{};
  if (!skin_.GetSafeHandle() || !skin_.GetBitmap(&info)) return static_cast<BOOL>(Default());
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return static_cast<BOOL>(Default());
  CBitmap* old = memory.SelectObject(&skin_);
  dc->BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
  return TRUE;
}

// Nothing to draw over the skin, but the paint is begun so that erased areas
// (under a label whose text changed) are erased rather than left as they were.
void CProgressDlg::OnPaint() { CPaintDC dc(this); }
