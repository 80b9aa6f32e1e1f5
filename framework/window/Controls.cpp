#include "Controls.h"

#include "CDC.h"
#include "GdiObjects.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CBitmapButton, CButton)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

CBitmapButton::~CBitmapButton()
{
    for (HBITMAP hBitmap : m_bitmaps)
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    const UINT ids[4] = {nIDBitmapResource, nIDBitmapResourceSel, nIDBitmapResourceFocus, nIDBitmapResourceDisabled};
    for (int i = 0; i < 4; ++i)
    {
        if (m_bitmaps[i] != nullptr)
            ::DeleteObject(m_bitmaps[i]);
        m_bitmaps[i] = ids[i] ? ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(ids[i])) : nullptr;
    }
    return m_bitmaps[0] != nullptr;
}

void CBitmapButton::SizeToContent()
{
    BITMAP info{};
    if (m_bitmaps[0] != nullptr && ::GetObjectW(m_bitmaps[0], sizeof(info), &info))
        SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    HBITMAP hBitmap = m_bitmaps[0];
    if ((lpDIS->itemState & ODS_SELECTED) && m_bitmaps[1] != nullptr)
        hBitmap = m_bitmaps[1];
    else if ((lpDIS->itemState & ODS_FOCUS) && m_bitmaps[2] != nullptr)
        hBitmap = m_bitmaps[2];
    else if ((lpDIS->itemState & ODS_DISABLED) && m_bitmaps[3] != nullptr)
        hBitmap = m_bitmaps[3];
    if (hBitmap == nullptr)
        return;
    HDC hMem = ::CreateCompatibleDC(lpDIS->hDC);
    HGDIOBJ old = ::SelectObject(hMem, hBitmap);
    const RECT& r = lpDIS->rcItem;
    ::BitBlt(lpDIS->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int length = GetLBTextLen(nIndex);
    if (length < 0)
    {
        rString.Empty();
        return;
    }
    SendMessage(CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(length + 1)));
    rString.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    *pResult = TRUE;
    return TRUE;
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int length = static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex));
    if (length < 0)
    {
        rString.Empty();
        return;
    }
    SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(length + 1)));
    rString.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD result = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(result) != 0;
    return LOWORD(result);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    *pResult = TRUE;
    return TRUE;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0)
        return;
    m_checks.SetAtGrow(nIndex, static_cast<DWORD>(nCheck));
    RECT rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_checks.GetSize() ? static_cast<int>(m_checks[nIndex]) : 0;
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (static_cast<int>(lpDIS->itemID) < 0)
        return;
    RECT box = lpDIS->rcItem;
    box.right = box.left + (box.bottom - box.top);
    ::DrawFrameControl(lpDIS->hDC, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | (GetCheck(static_cast<int>(lpDIS->itemID)) ? DFCS_CHECKED : 0));
    RECT text = lpDIS->rcItem;
    text.left = box.right + 2;
    bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    ::SetBkColor(lpDIS->hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(lpDIS->hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CString item;
    GetText(static_cast<int>(lpDIS->itemID), item);
    ::ExtTextOutW(lpDIS->hDC, text.left + 1, text.top, ETO_OPAQUE, &text, item, item.GetLength(), nullptr);
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL outside = FALSE;
    UINT index = ItemFromPoint(point, outside);
    RECT rect;
    if (!outside && GetItemRect(static_cast<int>(index), &rect) != LB_ERR &&
        point.x < rect.left + (rect.bottom - rect.top))
    {
        SetCheck(static_cast<int>(index), !GetCheck(static_cast<int>(index)));
        // The parent learns of the change as a selection change.
        ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
    CListBox::OnLButtonDown(nFlags, point);
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | dwStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(),
                          nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = TOOLINFOW{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        ti.hwnd = ::GetParent(pWnd->GetSafeHwnd());
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    }
    else
    {
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.uFlags |= TTF_SUBCLASS;
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.uFlags |= TTF_SUBCLASS;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = MAKEINTRESOURCEW(nIDText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    ::LoadLibraryW(L"riched20.dll");
    return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}
