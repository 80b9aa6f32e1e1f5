#include "CEnhancedListBase.h"

#include "CSharedMetrics.h"
#include "CUserSettingsStore.h"
#include "DeviceContexts.h"
#include "core/ColorMath.h"
#include "core/ColumnLayout.h"

#include <algorithm>
#include <vector>

namespace {

constexpr LPCTSTR kDefaultSection = L"Settings";
constexpr LPCTSTR kDefaultEntry = L"Column Info";

COLORREF OrSystem(COLORREF clr, int nSysColor) { return clr == CLR_NONE ? ::GetSysColor(nSysColor) : clr; }

} // namespace

CEnhancedListBase::CEnhancedListBase() : m_strSection(kDefaultSection), m_strEntry(kDefaultEntry)
{
    RefreshColors();
}

CEnhancedListBase::~CEnhancedListBase() = default;

void CEnhancedListBase::RefreshColors()
{
    m_nMaxColumnWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const COLORREF base = (m_bCustomColors && m_clrCustomBack != CLR_NONE) ? m_clrCustomBack : ::GetSysColor(COLOR_WINDOW);
    m_clrSortBack = CColorValue(base).Subtract(RGB(8, 8, 8));
    m_clrSortText = m_bCustomColors ? OrSystem(m_clrCustomText, COLOR_WINDOWTEXT) : ::GetSysColor(COLOR_WINDOWTEXT);
}

BOOL CEnhancedListBase::IsReportView() const
{
    return m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr &&
           (m_pList->GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
}

HWND CEnhancedListBase::GetHeaderWindow() const
{
    if (!IsReportView())
        return nullptr;
    return reinterpret_cast<HWND>(m_pList->SendMessage(LVM_GETHEADER));
}

int CEnhancedListBase::GetColumnCount() const
{
    HWND hHeader = GetHeaderWindow();
    return hHeader != nullptr ? static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : -1;
}

int CEnhancedListBase::SetSortImage(int nColumn, BOOL bAscending)
{
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending == 1;
    CWnd* pHeader = CWnd::FromHandlePermanent(GetHeaderWindow());
    if (pHeader != nullptr && pHeader->IsKindOf(RUNTIME_CLASS(CUiHeaderCtrl)))
        return static_cast<CUiHeaderCtrl*>(pHeader)->SetSortImage(nColumn, m_bSortAscending);
    return -1;
}

// ----- saved column widths -----
// Widths are saved and restored by column index: a list whose columns were
// reordered gets every width back on its own column.

int CEnhancedListBase::GetSavedColumnWidth(int nColumn)
{
    CUserSettingsStore store;
    const CString saved = store.GetString(m_strSection, m_strEntry, m_strDefault);
    return kit::ParseColumnWidthField(std::wstring(static_cast<LPCTSTR>(saved)), nColumn, m_nMaxColumnWidth);
}

void CEnhancedListBase::RestoreColumnWidth(int nColumn)
{
    if (m_pList == nullptr || nColumn < 0 || nColumn >= GetColumnCount())
        return;
    // A missing or damaged field keeps the column's own width.
    const int width = GetSavedColumnWidth(nColumn);
    if (width > 0)
        m_pList->SendMessage(LVM_SETCOLUMNWIDTH, nColumn, MAKELPARAM(std::max(width, m_nMinColumnWidth), 0));
}

int CEnhancedListBase::LoadColumnWidths()
{
    const int nCount = GetColumnCount();
    for (int i = 0; i < nCount; ++i)
        RestoreColumnWidth(i);
    return nCount;
}

void CEnhancedListBase::SaveColumnWidths()
{
    const int nCount = GetColumnCount();
    if (nCount <= 0)
        return;
    std::vector<int> widths;
    for (int i = 0; i < nCount; ++i)
        widths.push_back(static_cast<int>(m_pList->SendMessage(LVM_GETCOLUMNWIDTH, i)));
    CUserSettingsStore store;
    store.WriteString(m_strSection, m_strEntry, kit::FormatColumnWidths(widths).c_str());
}

void CEnhancedListBase::AutoSaveColumns(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    m_bAutoSaveColumns = TRUE;
    m_strSection = lpszSection != nullptr ? lpszSection : kDefaultSection;
    m_strEntry = lpszEntry != nullptr ? lpszEntry : kDefaultEntry;
    if (lpszDefault != nullptr)
        m_strDefault = lpszDefault;
    LoadColumnWidths();
}

// ----- columns -----

void CEnhancedListBase::AutoSizeColumn(int nPosition)
{
    HWND hHeader = GetHeaderWindow();
    if (hHeader == nullptr)
        return;
    const int nCount = GetColumnCount();
    if (nPosition >= nCount)
        return;
    m_pList->SendMessage(WM_SETREDRAW, FALSE);
    const int first = nPosition < 0 ? 0 : nPosition;
    const int last = nPosition < 0 ? nCount - 1 : nPosition;
    HDC hDC = ::GetDC(hHeader);
    HGDIOBJ hOldFont = ::SelectObject(hDC, reinterpret_cast<HFONT>(::SendMessageW(hHeader, WM_GETFONT, 0, 0)));
    CWnd* pHeader = CWnd::FromHandlePermanent(hHeader);
    const bool bArrowRoom = pHeader != nullptr && pHeader->IsKindOf(RUNTIME_CLASS(CUiFlatHeaderCtrl)) &&
                            static_cast<CUiHeaderCtrl*>(pHeader)->HasSortArrow();
    for (int i = first; i <= last; ++i)
    {
        // Position i names column index; text and width are of that column.
        const int index = static_cast<int>(::SendMessageW(hHeader, HDM_ORDERTOINDEX, i, 0));
        m_pList->SendMessage(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(LVSCW_AUTOSIZE, 0));
        const int contentWidth = static_cast<int>(m_pList->SendMessage(LVM_GETCOLUMNWIDTH, index));
        wchar_t text[257] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 256;
        m_pList->SendMessage(LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
        SIZE extent{};
        ::GetTextExtentPoint32W(hDC, text, static_cast<int>(wcslen(text)), &extent);
        int textWidth = extent.cx + 12;
        if (bArrowRoom && index == m_nSortColumn)
            textWidth += 24;
        int width = std::max(contentWidth, textWidth);
        width = std::max(width, m_nMinColumnWidth);
        width = std::min(width, m_nMaxColumnWidth);
        m_pList->SendMessage(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0));
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(hHeader, hDC);
    m_pList->SendMessage(WM_SETREDRAW, TRUE);
    m_pList->Invalidate();
}

int CEnhancedListBase::AddColumn(LPCTSTR lpszText, int nWidth, int nFormat)
{
    HWND hHeader = GetHeaderWindow();
    if (hHeader == nullptr)
        return -1;
    const int nCount = GetColumnCount();
    if (nWidth == -1)
    {
        nWidth = 0;
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        if (nCount > 0 && ::SendMessageW(hHeader, HDM_GETITEMW, nCount - 1, reinterpret_cast<LPARAM>(&item)))
            nWidth = item.cxy;
    }
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = const_cast<LPWSTR>(lpszText != nullptr ? lpszText : L"");
    column.cx = nWidth;
    column.fmt = nFormat;
    column.iSubItem = nCount;
    return static_cast<int>(m_pList->SendMessage(LVM_INSERTCOLUMNW, nCount, reinterpret_cast<LPARAM>(&column)));
}

BOOL CEnhancedListBase::InsertColumns(int nCount, const int* pWidths, const LPCTSTR* pTexts)
{
    if (nCount <= 0)
        return TRUE;
    if (m_pList == nullptr || pWidths == nullptr || pTexts == nullptr)
        return FALSE;
    for (int i = 0; i < nCount; ++i)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.pszText = const_cast<LPWSTR>(pTexts[i] != nullptr ? pTexts[i] : L"");
        column.cx = pWidths[i];
        column.fmt = LVCFMT_LEFT;
        column.iSubItem = i;
        if (m_pList->SendMessage(LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column)) < 0)
            return FALSE;
    }
    return TRUE;
}

BOOL CEnhancedListBase::InsertColumns(int nCount, const int* pWidths, const UINT* pStringIDs)
{
    if (nCount <= 0)
        return TRUE;
    if (pStringIDs == nullptr)
        return FALSE;
    std::vector<CString> texts(static_cast<size_t>(nCount));
    std::vector<LPCTSTR> pointers;
    for (int i = 0; i < nCount; ++i)
    {
        texts[static_cast<size_t>(i)].LoadString(pStringIDs[i]);
        pointers.push_back(texts[static_cast<size_t>(i)]);
    }
    return InsertColumns(nCount, pWidths, pointers.data());
}

BOOL CEnhancedListBase::SubclassHeader(BOOL bBoldFont)
{
    HWND hHeader = GetHeaderWindow();
    if (hHeader == nullptr || m_header.GetSafeHwnd() != nullptr || !m_header.SubclassWindow(hHeader))
        return FALSE;
    m_header.SetBoldFont(bBoldFont);
    return TRUE;
}

BOOL CEnhancedListBase::SortList(int, BOOL) { return TRUE; }

void CEnhancedListBase::AddExtendedStyle(DWORD dwStyle)
{
    if (m_pList != nullptr)
        m_pList->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, GetExtendedStyle() | dwStyle);
}

DWORD CEnhancedListBase::GetExtendedStyle() const
{
    return m_pList != nullptr ? static_cast<DWORD>(m_pList->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)) : 0;
}

BOOL CEnhancedListBase::ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD current = GetExtendedStyle();
    const DWORD wanted = (current & ~dwRemove) | dwAdd;
    if (wanted == current || m_pList == nullptr)
        return FALSE;
    m_pList->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, wanted);
    return TRUE;
}

int CEnhancedListBase::HitTestEx(CPoint point, int* pColumn) const
{
    if (pColumn != nullptr)
        *pColumn = 0;
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return -1;
    if (!IsReportView())
    {
        LVHITTESTINFO hit{};
        hit.pt = point;
        return static_cast<int>(m_pList->SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    HWND hHeader = GetHeaderWindow();
    const int nColumns = GetColumnCount();
    const int top = static_cast<int>(m_pList->SendMessage(LVM_GETTOPINDEX));
    const int items = static_cast<int>(m_pList->SendMessage(LVM_GETITEMCOUNT));
    const int bottom = std::min(items, top + static_cast<int>(m_pList->SendMessage(LVM_GETCOUNTPERPAGE)) + 1);
    for (int row = top; row < bottom; ++row)
    {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        if (!m_pList->SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)) || !::PtInRect(&rect, point))
            continue;
        int left = rect.left;
        for (int position = 0; position < nColumns; ++position)
        {
            const int index = static_cast<int>(::SendMessageW(hHeader, HDM_ORDERTOINDEX, position, 0));
            const int width = static_cast<int>(m_pList->SendMessage(LVM_GETCOLUMNWIDTH, index));
            if (point.x >= left && point.x <= left + width)
            {
                if (pColumn != nullptr)
                    *pColumn = position;
                return row;
            }
            left += width;
        }
    }
    return -1;
}

// ----- rows -----

int CEnhancedListBase::CopyRow(int nFrom, int nTo)
{
    if (m_pList == nullptr || nFrom == nTo || nFrom < 0 || nTo < 0)
        return -1;
    wchar_t text[257] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = nFrom;
    item.pszText = text;
    item.cchTextMax = 256;
    if (!m_pList->SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    item.iItem = nTo;
    const int inserted = static_cast<int>(m_pList->SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return -1;
    const int source = inserted <= nFrom ? nFrom + 1 : nFrom;
    const int nColumns = GetColumnCount();
    for (int sub = 1; sub < nColumns; ++sub)
    {
        wchar_t subText[257] = {};
        LVITEMW subItem{};
        subItem.iSubItem = sub;
        subItem.pszText = subText;
        subItem.cchTextMax = 256;
        m_pList->SendMessage(LVM_GETITEMTEXTW, source, reinterpret_cast<LPARAM>(&subItem));
        if (subText[0] != L'\0')
        {
            subItem.pszText = subText;
            m_pList->SendMessage(LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&subItem));
        }
    }
    return source;
}

BOOL CEnhancedListBase::MoveRow(int nFrom, int nTo)
{
    const int source = CopyRow(nFrom, nTo);
    return source >= 0 && m_pList->SendMessage(LVM_DELETEITEM, source) != 0;
}

// ----- colours -----

void CEnhancedListBase::SetColors(COLORREF clrText, COLORREF clrBack)
{
    m_clrCustomText = clrText;
    m_clrCustomBack = clrBack;
    m_bCustomColors = TRUE;
    RefreshColors();
    if (m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr)
        m_pList->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CEnhancedListBase::SetRowColorsFrom(const CListRowColors& colors)
{
    SetRowColors(colors.nRow, colors.clrText, colors.clrBack);
}

void CEnhancedListBase::SetRowColors(int nRow, COLORREF clrText, COLORREF clrBack)
{
    auto found = std::find_if(m_rowColors.begin(), m_rowColors.end(), [nRow](const CListRowColors& c) { return c.nRow == nRow; });
    if (found != m_rowColors.end())
    {
        found->clrText = clrText;
        found->clrBack = clrBack;
    }
    else
    {
        m_rowColors.push_back({nRow, clrBack, clrText});
    }
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return;
    const int top = static_cast<int>(m_pList->SendMessage(LVM_GETTOPINDEX));
    const int page = static_cast<int>(m_pList->SendMessage(LVM_GETCOUNTPERPAGE));
    if (nRow >= top && nRow <= top + page)
        m_pList->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

const CListRowColors* CEnhancedListBase::FindRowColors(int nRow) const
{
    auto found = std::find_if(m_rowColors.begin(), m_rowColors.end(), [nRow](const CListRowColors& c) { return c.nRow == nRow; });
    return found != m_rowColors.end() ? &*found : nullptr;
}

BOOL CEnhancedListBase::InitializeControl()
{
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bUseToolkitFont)
        m_pList->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetSharedMetrics()->m_fontNormal.GetSafeHandle()), TRUE);
    return TRUE;
}

// ----- painting -----

void CEnhancedListBase::PaintList()
{
    CPaintDC dc(m_pList);
    CRect client;
    m_pList->GetClientRect(&client);
    HWND hHeader = GetHeaderWindow();
    if (hHeader != nullptr && ::IsWindowVisible(hHeader))
    {
        CRect header;
        ::GetWindowRect(hHeader, &header);
        m_pList->ScreenToClient(&header);
        dc.ExcludeClipRect(&header);
    }
    COLORREF back = (m_bCustomColors && m_clrCustomBack != CLR_NONE) ? m_clrCustomBack : ::GetSysColor(COLOR_WINDOW);
    if (!m_pList->IsWindowEnabled())
        back = ::GetSysColor(COLOR_BTNFACE);
    {
        CUiMemDC memDC(&dc, client, CStyleGradient(back));
        if (m_bShadeSortColumn && m_nSortColumn >= 0 && hHeader != nullptr)
        {
            int x = -m_pList->GetScrollPos(SB_HORZ);
            const int nCount = GetColumnCount();
            for (int position = 0; position < nCount; ++position)
            {
                const int index = static_cast<int>(::SendMessageW(hHeader, HDM_ORDERTOINDEX, position, 0));
                const int width = static_cast<int>(m_pList->SendMessage(LVM_GETCOLUMNWIDTH, index));
                if (index == m_nSortColumn)
                {
                    memDC.FillSolidRect(x, 0, width, client.Height(), m_clrSortBack);
                    break;
                }
                x += width;
            }
        }
        m_pList->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
    }
    if (hHeader != nullptr)
    {
        ::InvalidateRect(hHeader, nullptr, FALSE);
        ::UpdateWindow(hHeader);
    }
}

BOOL CEnhancedListBase::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    const DWORD stage = pDraw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT)
    {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return TRUE;
    }
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
    {
        *pResult = CDRF_DODEFAULT;
        return TRUE;
    }
    *pResult = CDRF_DODEFAULT;
    if (!m_pList->IsWindowEnabled())
    {
        pDraw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_BTNFACE);
        return TRUE;
    }
    const int row = static_cast<int>(pDraw->nmcd.dwItemSpec);
    const CListRowColors* pRow = m_bRowColors ? FindRowColors(row) : nullptr;
    const bool selected = (m_pList->SendMessage(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool coloured = pRow != nullptr && !selected;
    const bool shaded = m_bShadeSortColumn && pDraw->iSubItem == m_nSortColumn;
    if (coloured)
    {
        pDraw->clrText = pRow->clrText;
        pDraw->clrTextBk = pRow->clrBack;
        if (shaded)
        {
            COLORREF other = m_clrSortBack;
            if (other == CLR_NONE)
                other = m_clrCustomBack != CLR_NONE ? m_clrCustomBack : ::GetSysColor(COLOR_WINDOW);
            pDraw->clrTextBk = CColorValue(pRow->clrBack).BlendPercent(other, 50);
        }
    }
    else if (shaded)
    {
        pDraw->clrText = m_clrSortText;
        pDraw->clrTextBk = m_clrSortBack;
    }
    else if (selected)
    {
        // A selected row keeps the highlight the list gives it.
        return TRUE;
    }
    else if (m_bCustomColors)
    {
        pDraw->clrText = OrSystem(m_clrCustomText, COLOR_WINDOWTEXT);
        pDraw->clrTextBk = OrSystem(m_clrCustomBack, COLOR_WINDOW);
    }
    else
    {
        pDraw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_WINDOW);
    }
    return TRUE;
}

// ----- header notifications -----

BOOL CEnhancedListBase::OnHeaderNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHEADERW*>(lParam);
    switch (pHeader->hdr.code)
    {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ENDTRACKW:
        if (pHeader->pitem != nullptr && (pHeader->pitem->mask & HDI_WIDTH) != 0 && pHeader->pitem->cxy < m_nMinColumnWidth)
            pHeader->pitem->cxy = m_nMinColumnWidth;
        break;
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        if (m_bNoColumnResize)
        {
            *pResult = 1;
            return TRUE;
        }
        break;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(pHeader->hdr.hwndFrom);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CUiFlatHeaderCtrl)))
            break;
        auto* pFlat = static_cast<CUiFlatHeaderCtrl*>(pWnd);
        BOOL bAscending = TRUE;
        if (pHeader->iButton == 0)
            bAscending = kit::NextSortAscending(pHeader->iItem, m_nSortColumn, m_bSortAscending != FALSE);
        else
            pFlat->GetSortImage(&bAscending);
        m_nSortColumn = pHeader->iItem;
        m_bSortAscending = bAscending;
        pFlat->SetSortImage(m_nSortColumn, bAscending);
        SortList(m_nSortColumn, bAscending);
        break;
    }
    default:
        break;
    }
    return FALSE;
}
