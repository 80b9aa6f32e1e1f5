#include "CUiHeaderCtrl.h"

#include "CSharedMetrics.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"
#include "core/ColumnLayout.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CUiFlatHeaderCtrl, CUiHeaderCtrl)

namespace {

constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kContextMenus = 9014;   // toolkit menu resource: popup 2 is the header menu
constexpr int kHeaderPopup = 2;

} // namespace

BEGIN_MESSAGE_MAP(CUiHeaderCtrl, CHeaderCtrl)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_SETCURSOR()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(HDM_LAYOUT, OnLayout)
END_MESSAGE_MAP()

CUiHeaderCtrl::CUiHeaderCtrl() : CThemeHost(RUNTIME_CLASS(CUiHeaderCtrlThemeFactory)) {}

CUiHeaderCtrl::~CUiHeaderCtrl() = default;

CUiFlatHeaderCtrl::CUiFlatHeaderCtrl() { SetTheme(new CUiHeaderThemeFlat()); }

// ----- state -----

int CUiHeaderCtrl::SetSortImage(int nColumn, BOOL bAscending)
{
    const int previous = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return previous;
}

int CUiHeaderCtrl::GetSortImage(BOOL* pAscending) const
{
    if (pAscending != nullptr)
        *pAscending = m_bSortAscending;
    return m_nSortColumn;
}

void CUiHeaderCtrl::ShowSortArrow(BOOL bShow)
{
    if (CUiHeaderTheme* pTheme = GetHeaderTheme())
    {
        const DWORD style = pTheme->GetHeaderStyle();
        pTheme->SetHeaderStyle(bShow ? (style | kHeaderSortArrow) : (style & ~kHeaderSortArrow), this);
    }
}

BOOL CUiHeaderCtrl::HasSortArrow() const
{
    CUiHeaderTheme* pTheme = GetHeaderTheme();
    return pTheme != nullptr && (pTheme->GetHeaderStyle() & kHeaderSortArrow) != 0;
}

void CUiHeaderCtrl::SetBoldFontNoRedraw(BOOL bBold)
{
    CSharedMetrics* pMetrics = GetSharedMetrics();
    CFont& font = bBold ? pMetrics->m_fontBold : pMetrics->m_fontNormal;
    if (GetSafeHwnd() != nullptr)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), FALSE);
}

void CUiHeaderCtrl::SetBoldFont(BOOL bBold)
{
    SetBoldFontNoRedraw(bBold);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CUiHeaderCtrl::SetPopupMenu(UINT nMenuID, int nPopupIndex)
{
    m_nCustomMenuID = nMenuID;
    m_nMenuPopupIndex = nPopupIndex;
}

BOOL CUiHeaderCtrl::IsRightToLeft() const
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    HDC hDC = ::GetDC(GetSafeHwnd());
    const UINT align = ::GetTextAlign(hDC);
    ::ReleaseDC(GetSafeHwnd(), hDC);
    return align != GDI_ERROR && (align & TA_RTLREADING) != 0;
}

int CUiHeaderCtrl::HitTestItem(CPoint point, UINT* pFlags) const
{
    HDHITTESTINFO hit{};
    hit.pt = point;
    const int nItem = static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (pFlags != nullptr)
        *pFlags = hit.flags;
    return (hit.flags & HHT_ONHEADER) != 0 ? nItem : -1;
}

BOOL CUiHeaderCtrl::IsItemPressed(int nItem) const
{
    if (!m_bLButtonDown)
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    return HitTestItem(cursor) == nItem && nItem >= 0;
}

BOOL CUiHeaderCtrl::IsFrozen(int nIndex) const
{
    return std::find(m_frozen.begin(), m_frozen.end(), nIndex) != m_frozen.end();
}

BOOL CUiHeaderCtrl::FreezeColumn(int nIndex)
{
    if (nIndex < 0 || (GetSafeHwnd() != nullptr && nIndex >= GetItemCount()))
        return FALSE;
    if (!IsFrozen(nIndex))
        m_frozen.push_back(nIndex);
    return TRUE;
}

int CUiHeaderCtrl::GetFrozenWidth() const
{
    int width = 0;
    const int nCount = GetSafeHwnd() != nullptr ? GetItemCount() : 0;
    for (int index : m_frozen)
    {
        CRect rect;
        if (index < nCount && GetItemRect(index, &rect))
            width += rect.Width();
    }
    return width;
}

CWnd* CUiHeaderCtrl::GetParentList() const
{
    HWND hParent = ::GetParent(GetSafeHwnd());
    wchar_t className[64] = {};
    if (hParent == nullptr || ::GetClassNameW(hParent, className, 64) == 0)
        return nullptr;
    return _wcsicmp(className, WC_LISTVIEWW) == 0 ? CWnd::FromHandle(hParent) : nullptr;
}

void CUiHeaderCtrl::SpreadColumns(int nWidth)
{
    const int nCount = GetItemCount();
    int frozenCount = 0;
    for (int index : m_frozen)
        frozenCount += index < nCount ? 1 : 0;
    const auto share = kit::SpreadShare(nWidth, nCount, frozenCount, m_nMinColumnWidth);
    CWnd* pList = GetParentList();
    if (!share || pList == nullptr)
        return;
    for (int i = 0; i < nCount; ++i)
    {
        if (!IsFrozen(i))
            pList->SendMessage(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(*share, 0));
    }
}

void CUiHeaderCtrl::FitColumnsToWindow(int nWidth)
{
    if (nWidth <= 0)
    {
        CRect rect;
        GetWindowRect(&rect);
        nWidth = rect.Width();
    }
    CWnd* pList = GetParentList();
    const bool bScroll = pList != nullptr && (pList->GetStyle() & WS_VSCROLL) != 0;
    SpreadColumns(kit::FitWidth(nWidth, bScroll, ::GetSystemMetrics(SM_CXVSCROLL), GetFrozenWidth()));
}

void CUiHeaderCtrl::SetColumnAlignment(int nFormat)
{
    CWnd* pList = GetParentList();
    const int nItem = HitTestItem(m_ptLastRightClick);
    if (pList == nullptr || nItem < 0)
        return;
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    if (!pList->SendMessage(LVM_GETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column)))
        return;
    column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | (nFormat & LVCFMT_JUSTIFYMASK);
    pList->SendMessage(LVM_SETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column));
    pList->SendMessage(LVM_SETWORKAREAS, 0, 0);
}

void CUiHeaderCtrl::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    WINDOWPOS pos{};
    HDLAYOUT layout{&rect, &pos};
    if (SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)))
        SetWindowPos(CWnd::FromHandle(pos.hwndInsertAfter), pos.x, pos.y, pos.cx, pos.cy, pos.flags | SWP_FRAMECHANGED);
    if (CWnd* pList = GetParentList())
    {
        CRect listRect;
        pList->GetWindowRect(&listRect);
        const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        pList->SetWindowPos(nullptr, 0, 0, listRect.Width(), listRect.Height() + 1, flags);
        pList->SetWindowPos(nullptr, 0, 0, listRect.Width(), listRect.Height(), flags);
    }
}

void CUiHeaderCtrl::ThemeChanged()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RecalcLayout();
    Invalidate();
}

// ----- messages -----

BOOL CUiHeaderCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) && GetTheme() != nullptr)
        GetTheme()->UpdateMetrics();
    return CHeaderCtrl::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CUiHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
    {
        auto* pHeader = reinterpret_cast<NMHEADERW*>(lParam);
        if (pHeader->hdr.code == HDN_ITEMCHANGINGW && pHeader->pitem != nullptr &&
            (pHeader->pitem->mask & HDI_WIDTH) != 0)
        {
            if (IsFrozen(pHeader->iItem) || pHeader->pitem->cxy < m_nMinColumnWidth)
            {
                if (pResult != nullptr)
                    *pResult = 1;
                return TRUE;
            }
        }
    }
    return CHeaderCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CUiHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    Default();
    if (!m_bFitToWindow || (lpwndpos->flags & SWP_NOSIZE) != 0 || GetItemCount() == 0)
        return;
    CWnd* pList = GetParentList();
    if (pList != nullptr && ::GetCapture() == pList->GetSafeHwnd())
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (lpwndpos->cx != rect.Width())
        FitColumnsToWindow(lpwndpos->cx);
}

BOOL CUiHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_frozen.empty())
    {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        const BOOL bRtl = IsRightToLeft();
        const int nCount = GetItemCount();
        for (int i = 0; i < nCount; ++i)
        {
            CRect rect;
            if (!GetItemRect(i, &rect) || !rect.PtInRect(cursor))
                continue;
            // The divider a cursor near an item's edge would drag may belong
            // to the frozen neighbour: that half of the item is protected too.
            const bool prevFrozen = i > 0 && IsFrozen(i - 1);
            const bool nextFrozen = i + 1 < nCount && IsFrozen(i + 1);
            if (IsFrozen(i) || kit::IsNextToFrozenDivider(cursor.x, rect.left, rect.right, prevFrozen, nextFrozen, bRtl))
            {
                ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
        }
        // Past the last item the divider of a frozen last column still drags it.
        if (nCount > 0 && IsFrozen(nCount - 1))
        {
            CRect last;
            GetItemRect(nCount - 1, &last);
            if (cursor.x >= last.right && cursor.x < last.right + 8)
            {
                ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
        }
    }
    return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CUiHeaderCtrl::OnPaint()
{
    CUiHeaderTheme* pTheme = GetHeaderTheme();
    if (pTheme == nullptr)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDoubleBufferDC buffer(dc.GetSafeHdc(), client);
    pTheme->DrawHeader(&buffer, this);
}

BOOL CUiHeaderCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLButtonDown = TRUE;
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CUiHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bLButtonDown = FALSE;
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CUiHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CUiHeaderTheme* pTheme = GetHeaderTheme();
    if (pTheme != nullptr && pTheme->UseVisualStyle(this))
        SetTimer(kHotTimer, 10, nullptr);
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CUiHeaderCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHotTimer)
    {
        CHeaderCtrl::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    const int nItem = client.PtInRect(cursor) ? HitTestItem(cursor) : -1;
    if (nItem < 0)
    {
        KillTimer(kHotTimer);
        m_nHotItem = -1;
        if (m_bHotDrawn)
            Invalidate();
        m_bHotDrawn = FALSE;
        return;
    }
    if (nItem != m_nHotItem || !m_bHotDrawn)
    {
        m_nHotItem = nItem;
        m_bHotDrawn = TRUE;
        Invalidate();
    }
}

void CUiHeaderCtrl::OnDestroy()
{
    if (CUiHeaderTheme* pTheme = GetHeaderTheme())
        pTheme->FreeItemImages(this);
    CHeaderCtrl::OnDestroy();
}

LRESULT CUiHeaderCtrl::OnLayout(WPARAM, LPARAM lParam)
{
    LRESULT result = 0;
    CUiHeaderTheme* pTheme = GetHeaderTheme();
    if (pTheme != nullptr && pTheme->LayoutHeader(reinterpret_cast<HDLAYOUT*>(lParam), this, &result))
        return result;
    return Default();
}

void CUiHeaderCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_ptLastRightClick = point;
    CWnd* pParent = GetParent();
    const BOOL bNoSort = pParent != nullptr && (pParent->GetStyle() & LVS_NOSORTHEADER) != 0;
    if (bNoSort || !m_bMenuEnabled)
    {
        CHeaderCtrl::OnRButtonDown(nFlags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_nCustomMenuID != 0)
    {
        CMenu menu;
        if (menu.LoadMenu(m_nCustomMenuID))
        {
            if (CMenu* pPopup = menu.GetSubMenu(m_nMenuPopupIndex))
            {
                CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : pParent;
                pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, pTarget);
            }
        }
        return;
    }
    const int nItem = HitTestItem(point);
    if (nItem < 0)
        return;
    CMenu menu;
    if (!GetToolkitResources()->LoadMenu(menu, kContextMenus))
        return;
    CMenu* pPopup = menu.GetSubMenu(kHeaderPopup);
    if (pPopup == nullptr)
        return;
    if (nItem == m_nSortColumn)
    {
        pPopup->CheckMenuItem(m_bSortAscending ? kHeaderSortAscending : kHeaderSortDescending,
                              MF_BYCOMMAND | MF_CHECKED);
    }
    if (CWnd* pList = GetParentList())
    {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT;
        if (pList->SendMessage(LVM_GETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column)))
        {
            const int fmt = column.fmt & LVCFMT_JUSTIFYMASK;
            const UINT id = fmt == LVCFMT_RIGHT ? kHeaderAlignRight : (fmt == LVCFMT_CENTER ? kHeaderAlignCenter : kHeaderAlignLeft);
            pPopup->CheckMenuItem(id, MF_BYCOMMAND | MF_CHECKED);
        }
    }
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

BOOL CUiHeaderCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case kHeaderSortAscending:
        SortFromMenu(TRUE);
        return TRUE;
    case kHeaderSortDescending:
        SortFromMenu(FALSE);
        return TRUE;
    case kHeaderAlignLeft:
        SetColumnAlignment(LVCFMT_LEFT);
        return TRUE;
    case kHeaderAlignCenter:
        SetColumnAlignment(LVCFMT_CENTER);
        return TRUE;
    case kHeaderAlignRight:
        SetColumnAlignment(LVCFMT_RIGHT);
        return TRUE;
    default:
        return CHeaderCtrl::OnCommand(wParam, lParam);
    }
}

void CUiHeaderCtrl::SortFromMenu(BOOL bAscending)
{
    const int nItem = HitTestItem(m_ptLastRightClick);
    if (nItem < 0 || (nItem == m_nSortColumn && m_bSortAscending == bAscending))
        return;
    m_bSortAscending = bAscending;
    m_nSortColumn = nItem;
    SendSyntheticClick(nItem);
}

void CUiHeaderCtrl::SendSyntheticClick(int nItem)
{
    CWnd* pList = GetParentList();
    if (pList == nullptr)
        return;
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    item.pszText = text;
    item.cchTextMax = 256;
    GetItem(nItem, &item);
    NMHEADERW notify{};
    notify.hdr.hwndFrom = GetSafeHwnd();
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = HDN_ITEMCLICKW;
    notify.iItem = nItem;
    notify.iButton = 1; // the list takes the header's own order
    notify.pitem = &item;
    pList->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    CWnd::SendMessageToDescendants(pList->GetSafeHwnd(), WM_NOTIFY, notify.hdr.idFrom,
                                   reinterpret_cast<LPARAM>(&notify), TRUE, TRUE);
}
