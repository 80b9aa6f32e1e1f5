#include "CUiCaptionPopupWnd.h"

#include "CColorTable.h"
#include "CToolkitResources.h"

namespace {
constexpr UINT_PTR kFocusTimer = 1;
constexpr UINT kPushPinText = 9036;  // "Click push pin to keep open"
constexpr UINT kCaptionButtonBitmap = 9002;
constexpr UINT kTitleBarId = 0xFFFF;
} // namespace

BEGIN_MESSAGE_MAP(CUiCaptionPopupWnd, CWnd)
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

CUiCaptionPopupWnd::CUiCaptionPopupWnd()
{
    WNDCLASSW wc{};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), kClassName, &wc))
    {
        wc.style = CS_VREDRAW | CS_HREDRAW;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
}

CUiCaptionPopupWnd::~CUiCaptionPopupWnd()
{
    if (m_hPinOut != nullptr)
        ::DestroyIcon(m_hPinOut);
    if (m_hPinIn != nullptr)
        ::DestroyIcon(m_hPinIn);
}

BOOL CUiCaptionPopupWnd::Create(const CRect& rect, CUiCaption* pOwner, CWnd* pChild)
{
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr || pChild == nullptr || pChild->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pOwner = pOwner;
    m_pChild = pChild;
    if (!CreateEx(WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP | WS_VISIBLE | WS_DLGFRAME, rect.left, rect.top,
                  rect.Width(), rect.Height(), pOwner->GetSafeHwnd(), nullptr))
    {
        return FALSE;
    }
    m_hChildParent = ::GetParent(pChild->GetSafeHwnd());
    pChild->SetParent(this);

    CString title;
    GetToolkitResources()->LoadString(title, kPushPinText);
    m_titleBar.Create(this, title, kCaptionRaised, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 19), kTitleBarId);
    m_pushPin.SetCaption(&m_titleBar);
    m_pushPin.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_CENTER | BS_VCENTER, CRect(0, 0, 16, 15), this,
                     kCaptionButtonId);
    CImageList images;
    CBitmap bitmap;
    if (GetToolkitResources()->LoadBitmap(bitmap, kCaptionButtonBitmap) && images.Create(16, 15, ILC_COLOR24 | ILC_MASK, 3, 1))
    {
        images.Add(&bitmap, RGB(255, 0, 255));
        m_hPinOut = images.ExtractIcon(0);
        m_hPinIn = images.ExtractIcon(1);
        m_pushPin.SetIcon(CSize(16, 15), m_hPinOut, m_hPinIn, FALSE);
    }
    SetTimer(kFocusTimer, 10, nullptr);
    return TRUE;
}

void CUiCaptionPopupWnd::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(2, 2);
    CRect title(client.left, client.top, client.right, client.top + 19);
    if (m_titleBar.GetSafeHwnd() != nullptr)
        m_titleBar.MoveWindow(title);
    if (m_pushPin.GetSafeHwnd() != nullptr)
        m_pushPin.MoveWindow(title.right - 18, title.top + 2, 16, 15);
    if (m_pChild != nullptr && m_pChild->GetSafeHwnd() != nullptr)
        m_pChild->MoveWindow(client.left, title.bottom, client.Width(), std::max(0, static_cast<int>(client.bottom - title.bottom)));
}

void CUiCaptionPopupWnd::RestoreChild()
{
    if (m_pChild != nullptr && m_pChild->GetSafeHwnd() != nullptr && m_hChildParent != nullptr &&
        ::GetParent(m_pChild->GetSafeHwnd()) == GetSafeHwnd())
    {
        ::SetParent(m_pChild->GetSafeHwnd(), m_hChildParent);
    }
    m_hChildParent = nullptr;
}

void CUiCaptionPopupWnd::CheckFocus()
{
    HWND hFocus = ::GetFocus();
    const HWND mine[] = {m_titleBar.GetSafeHwnd(), m_pushPin.GetSafeHwnd(), GetSafeHwnd(),
                         m_pChild != nullptr ? m_pChild->GetSafeHwnd() : nullptr};
    for (HWND hWnd : mine)
    {
        if (hWnd != nullptr && (hFocus == hWnd || ::IsChild(hWnd, hFocus)))
            return;
    }
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        m_pOwner->PostMessage(kCaptionPopupClosed);
}

void CUiCaptionPopupWnd::OnDestroy()
{
    KillTimer(kFocusTimer);
    RestoreChild();
    CWnd::OnDestroy();
}

void CUiCaptionPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    dc.Draw3dRect(&client, GetColorTable()->GetColor(kSlotButtonShadow), GetColorTable()->GetColor(kSlotButtonHighlight));
    if (m_titleBar.GetSafeHwnd() != nullptr)
        m_titleBar.Invalidate();
}

void CUiCaptionPopupWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFocusTimer)
        CheckFocus();
    else
        CWnd::OnTimer(nIDEvent);
}

BOOL CUiCaptionPopupWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kCaptionButtonId)
    {
        if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
            m_pOwner->PostMessage(kCaptionPopupPinned);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
