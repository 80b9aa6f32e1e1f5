#include "CUiCaption.h"

#include "CColorTable.h"
#include "CSharedMetrics.h"
#include "CToolkitResources.h"
#include "CUiCaptionPopupWnd.h"
#include "DeviceContexts.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiCaption, CStatic)

namespace {
constexpr UINT kCaptionButtonBitmap = 9002; // 16-pixel images, magenta transparent
}

BEGIN_MESSAGE_MAP(CUiCaption, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SIZE()
  ON_MESSAGE(kCaptionPopupPinned, OnPopupPinned)
  ON_MESSAGE(kCaptionPopupClosed, OnPopupClosed)
END_MESSAGE_MAP()

CUiCaption::CUiCaption() : CThemeHost(RUNTIME_CLASS(CUiCaptionThemeFactory))
{
    m_clrBorder = m_clrBack = ::GetSysColor(COLOR_BTNFACE);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    CSharedMetrics* pMetrics = GetSharedMetrics();
    m_iconSize = CSize(std::min(pMetrics->m_cxSmallIcon, 16), std::min(pMetrics->m_cySmallIcon, 16));
}

CUiCaption::~CUiCaption() { DestroyPopup(); }

BOOL CUiCaption::Create(CWnd* pParent, LPCTSTR lpszText, DWORD dwCaptionStyle, DWORD dwStyle, const RECT& rect, UINT nID)
{
    if (!CStatic::Create(lpszText, dwStyle | WS_CLIPCHILDREN, rect, pParent, nID))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetSharedMetrics()->m_fontSmallCaption.GetSafeHandle()), FALSE);
    m_dwCaptionStyle = dwCaptionStyle & 0x07;
    if ((dwCaptionStyle & ~0x07u) != 0)
        ModifyStyleEx(0, dwCaptionStyle & ~0x07u);
    m_strText = lpszText != nullptr ? lpszText : L"";

    m_button.SetCaption(this);
    if ((m_dwCaptionStyle & kCaptionCloseButton) != 0)
    {
        CBitmap bitmap;
        if (GetToolkitResources()->LoadBitmap(bitmap, kCaptionButtonBitmap) &&
            m_images.Create(16, 15, ILC_COLOR24 | ILC_MASK, 3, 1))
        {
            m_images.Add(&bitmap, RGB(255, 0, 255));
        }
        if (!m_button.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_CENTER | BS_VCENTER, GetButtonRect(),
                             this, kCaptionButtonId))
        {
            return -1;
        }
        if (m_images.GetSafeHandle() != nullptr)
        {
            HICON hClose = m_images.ExtractIcon(2);
            m_button.SetIcon(CSize(16, 15), hClose, nullptr, FALSE);
            ::DestroyIcon(hClose); // the button keeps its own copy
        }
    }
    else
    {
        m_bTextButton = TRUE;
        m_button.Create(m_strText, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, GetButtonRect(), this, kCaptionButtonId);
    }
    m_button.SetCaptionStyle(m_clrBack, m_clrText, ::GetSysColor(COLOR_3DDKSHADOW));
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

void CUiCaption::SetCaptionColors(COLORREF clrBorder, COLORREF clrBack, COLORREF clrText)
{
    m_clrBorder = clrBorder;
    m_clrBack = clrBack;
    m_clrText = clrText;
    m_bCustomColors = TRUE;
    m_button.SetCaptionStyle(m_clrBack, m_clrText, ::GetSysColor(COLOR_3DDKSHADOW));
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CUiCaption::ModifyCaptionStyle(int nBorderSize, CFont* pFont, LPCTSTR lpszText, HICON hIcon)
{
    if (nBorderSize >= 0)
        m_nBorderSize = nBorderSize;
    if (pFont != nullptr && GetSafeHwnd() != nullptr)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
    if (lpszText != nullptr)
        m_strText = lpszText;
    if (hIcon != nullptr)
        m_hIcon = hIcon;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CUiCaption::UpdateCaption(LPCTSTR lpszText, HICON hIcon)
{
    m_strText = lpszText != nullptr ? lpszText : L"";
    m_hIcon = hIcon;
    if (m_bTextButton && m_button.GetSafeHwnd() != nullptr)
        m_button.SetWindowText(m_strText);
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawCaptionBack(&dc, client);
    DrawCaptionText(&dc);
    DrawCaptionIcon(&dc, client);
}

CRect CUiCaption::GetTextRect() const
{
    if (m_strText.IsEmpty() || GetSafeHwnd() == nullptr)
        return CRect();
    CRect client;
    GetClientRect(&client);
    CClientDC dc(const_cast<CUiCaption*>(this));
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
    const int textWidth = dc.GetTextExtent(m_strText).cx;
    dc.SelectObject(pOld);
    const int limit = client.Width() - (m_hIcon != nullptr ? 18 : 0);
    const int width = std::min(static_cast<int>(textWidth + metrics.tmAveCharWidth + 12), limit);
    return CRect(m_nBorderSize, m_nBorderSize, m_nBorderSize + std::max(width, 0), client.bottom - m_nBorderSize);
}

CRect CUiCaption::GetButtonRect() const
{
    if ((m_dwCaptionStyle & kCaptionCloseButton) == 0)
        return GetTextRect();
    CRect client;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&client);
    const int top = (client.Height() - 15) / 2;
    return CRect(client.Width() - 18, top, client.Width() - 2, top + 15);
}

void CUiCaption::UpdateButton()
{
    if (m_button.GetSafeHwnd() != nullptr)
        m_button.MoveWindow(GetButtonRect());
}

void CUiCaption::DrawCaptionBack(CDC* pDC, const CRect& rect)
{
    if (CUiCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionBack(pDC, this, rect);
}

void CUiCaption::DrawCaptionText(CDC* pDC)
{
    if (CUiCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionText(pDC, this);
}

void CUiCaption::DrawCaptionIcon(CDC* pDC, const CRect& rect)
{
    if (CUiCaptionTheme* pTheme = GetCaptionTheme())
        pTheme->DrawCaptionIcon(pDC, this, rect);
}

void CUiCaption::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_button.GetSafeHwnd() != nullptr && m_button.IsWindowVisible())
    {
        CRect button;
        m_button.GetWindowRect(&button);
        ScreenToClient(&button);
        dc.ExcludeClipRect(&button);
    }
    CUiMemDC memDC(&dc, client, CStyleGradient(::GetSysColor(COLOR_BTNFACE)));
    DrawCaptionBack(&memDC, client);
    DrawCaptionText(&memDC);
    DrawCaptionIcon(&memDC, client);
}

BOOL CUiCaption::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiCaption::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    UpdateButton();
}

void CUiCaption::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    if (!m_bCustomColors)
    {
        m_clrBorder = m_clrBack = ::GetSysColor(COLOR_BTNFACE);
        m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    }
    m_button.SetCaptionStyle(m_clrBack, m_clrText, ::GetSysColor(COLOR_3DDKSHADOW));
}

void CUiCaption::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (m_hIcon != nullptr)
        Invalidate();
}

BOOL CUiCaption::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) && GetTheme() != nullptr)
        GetTheme()->UpdateMetrics();
    return CStatic::OnWndMsg(message, wParam, lParam, pResult);
}

void CUiCaption::ThemeChanged()
{
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CUiCaption::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != kCaptionButtonId)
        return CStatic::OnCommand(wParam, lParam);
    if ((m_dwCaptionStyle & kCaptionCloseButton) != 0)
    {
        CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pTarget != nullptr)
            pTarget->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(GetSafeHwnd()));
    }
    else
    {
        ShowPopup();
    }
    return TRUE;
}

// ----- the pop-up -----

void CUiCaption::SetChildWindow(CWnd* pChild, CWnd* pFrame)
{
    m_pChild = pChild;
    m_pChildParent = pChild != nullptr ? pChild->GetParent() : nullptr;
    m_pChildGrandparent = m_pChildParent != nullptr ? m_pChildParent->GetParent() : pFrame;
    if (m_pChild == nullptr || m_pChildParent == nullptr)
        return;
    m_pChild->GetClientRect(&m_rcChild);
    m_pChildParent->GetClientRect(&m_rcParent);
    if (m_pChildGrandparent != nullptr)
        m_pChildGrandparent->GetClientRect(&m_rcGrandparent);
    CRect child;
    m_pChild->GetWindowRect(&child);
    m_pChildParent->ScreenToClient(&child);
    m_nWindowOffset = child.top;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_rcParent.InflateRect(2 * ::GetSystemMetrics(SM_CXEDGE), 2 * ::GetSystemMetrics(SM_CYEDGE));
}

void CUiCaption::ShowPopup()
{
    if ((m_pPopup != nullptr && m_pPopup->IsWindowVisible()) || m_pChild == nullptr || m_pChildParent == nullptr)
        return;
    CRect rect = m_rcParent;
    m_pChildParent->ClientToScreen(&rect);
    if (m_pChildGrandparent != nullptr)
    {
        CRect grand;
        m_pChildGrandparent->GetClientRect(&grand);
        rect.bottom += grand.Height() - m_rcGrandparent.Height();
    }
    m_pPopup = new CUiCaptionPopupWnd();
    if (!m_pPopup->Create(rect, this, m_pChild))
    {
        delete m_pPopup;
        m_pPopup = nullptr;
        return;
    }
    m_pPopup->ShowWindow(SW_SHOW);
    m_pPopup->RecalcLayout();
    m_button.SendMessage(BM_SETSTATE, 1);
}

void CUiCaption::DestroyPopup()
{
    if (m_pPopup == nullptr)
        return;
    CUiCaptionPopupWnd* pPopup = m_pPopup;
    m_pPopup = nullptr;
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
    delete pPopup;
}

void CUiCaption::HidePopup()
{
    if (m_button.GetSafeHwnd() != nullptr)
        m_button.SendMessage(BM_SETSTATE, 0);
    DestroyPopup();
}

void CUiCaption::ForwardToOwner(UINT message)
{
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(message);
    Invalidate();
}

LRESULT CUiCaption::OnPopupClosed(WPARAM, LPARAM)
{
    HidePopup();
    ForwardToOwner(kCaptionPopupClosed);
    return 0;
}

LRESULT CUiCaption::OnPopupPinned(WPARAM, LPARAM)
{
    HidePopup();
    if (m_pChild != nullptr && m_pChild->GetSafeHwnd() != nullptr && m_pChildParent != nullptr)
    {
        CRect parent;
        m_pChildParent->GetClientRect(&parent);
        m_pChild->MoveWindow(0, m_nWindowOffset, parent.Width(), std::max(0, static_cast<int>(parent.Height()) - m_nWindowOffset));
    }
    ForwardToOwner(kCaptionPopupPinned);
    return 0;
}
