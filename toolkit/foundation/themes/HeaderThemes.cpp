#include "HeaderThemes.h"

#include "CColorTable.h"
#include "CToolkitResources.h"
#include "CUiHeaderCtrl.h"
#include "DeviceContexts.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUiHeaderCtrlThemeFactory, CUiThemeManagerStyleFactory)

namespace {

COLORREF Slot(int nSlot) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nSlot)); }

// face - share * (face - shadow) per channel.
COLORREF TowardShadow(COLORREF face, COLORREF shadow, double share)
{
    auto channel = [share](int f, int s) { return static_cast<int>(f - share * (f - s)); };
    return RGB(channel(GetRValue(face), GetRValue(shadow)), channel(GetGValue(face), GetGValue(shadow)),
               channel(GetBValue(face), GetBValue(shadow)));
}

constexpr int kHeaderFormatBitmap = 0x2000; // HDF_BITMAP: the item keeps an image list in hbm

} // namespace

CControlTheme* CUiHeaderCtrlThemeFactory::MakeTheme(int nType)
{
    CControlTheme* pTheme = nullptr;
    if (nType == kThemeFlat)
        pTheme = new CUiHeaderThemeFlat();
    else if (nType == kThemeScheme)
        pTheme = new CUiHeaderThemeScheme();
    else
        pTheme = new CUiHeaderTheme();
    pTheme->m_nType = nType;
    return pTheme;
}

// ----- default theme -----

CUiHeaderTheme::CUiHeaderTheme() = default;

void CUiHeaderTheme::UpdateMetrics()
{
    m_clrText.SetStandardValue(Slot(18));
    m_clrFace.SetStandardValue(Slot(15));
    m_clrShadow.SetStandardValue(Slot(16));
    m_clrDarkShadow.SetStandardValue(Slot(21));
    m_clrHighlight.SetStandardValue(Slot(20));
}

void CUiHeaderTheme::Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}

BOOL CUiHeaderTheme::UseVisualStyle(CUiHeaderCtrl* pHeader)
{
    if ((m_dwHeaderStyle & kHeaderUseVisualStyle) == 0 || pHeader == nullptr)
        return FALSE;
    if (!m_visualStyle.IsOpen())
        m_visualStyle.Open(pHeader->GetSafeHwnd(), L"HEADER");
    return m_visualStyle.IsOpen() && CVisualStyleData::IsThemeActive();
}

void CUiHeaderTheme::SetHeaderStyle(DWORD dwStyle, CUiHeaderCtrl* pHeader)
{
    m_dwHeaderStyle = dwStyle;
    m_bUseVisualStyle = UseVisualStyle(pHeader);
}

BOOL CUiHeaderTheme::LayoutHeader(HDLAYOUT* pLayout, CUiHeaderCtrl* pHeader, LRESULT* pResult)
{
    *pResult = pHeader->DefWindowProc(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pLayout));
    return TRUE;
}

void CUiHeaderTheme::FreeItemImages(CUiHeaderCtrl* pHeader)
{
    const int nCount = pHeader->GetItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        if (pHeader->GetItem(i, &item) && (item.fmt & kHeaderFormatBitmap) != 0 && item.hbm != nullptr)
        {
            ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
            item.mask = HDI_FORMAT | HDI_BITMAP;
            item.fmt &= ~kHeaderFormatBitmap;
            item.hbm = nullptr;
            pHeader->SetItem(i, &item);
        }
    }
}

BOOL CUiHeaderTheme::SetItemBitmap(int nItem, UINT nBitmapID, BOOL bRemove, COLORREF clrMask, CUiHeaderCtrl* pHeader)
{
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!pHeader->GetItem(nItem, &item))
        return FALSE;
    if ((item.fmt & kHeaderFormatBitmap) != 0 && item.hbm != nullptr)
        ImageList_Destroy(reinterpret_cast<HIMAGELIST>(item.hbm));
    item.fmt &= ~kHeaderFormatBitmap;
    item.hbm = nullptr;
    pHeader->SetItem(nItem, &item);
    pHeader->Invalidate();
    if (bRemove)
        return TRUE;
    CBitmap bitmap;
    if (!GetToolkitResources()->LoadBitmap(bitmap, nBitmapID))
        return FALSE;
    BITMAP info{};
    bitmap.GetObject(sizeof(info), &info);
    HIMAGELIST hList = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hList == nullptr)
        return FALSE;
    ImageList_AddMasked(hList, static_cast<HBITMAP>(bitmap.GetSafeHandle()), clrMask);
    item.fmt |= kHeaderFormatBitmap;
    item.hbm = reinterpret_cast<HBITMAP>(hList);
    pHeader->SetItem(nItem, &item);
    pHeader->Invalidate();
    return TRUE;
}

void CUiHeaderTheme::DrawHeader(CDC* pDC, CUiHeaderCtrl* pHeader)
{
    CRect client;
    pHeader->GetClientRect(&client);
    CHeaderDrawRecord back;
    back.pDC = pDC;
    back.rcItem = client;
    if (!m_bUseVisualStyle || !DrawBackVisualStyle(back))
        DrawBack(back);

    CFont* pOldFont = pDC->SelectObject(pHeader->GetFont());
    pDC->SetBkColor(m_clrFace);
    pDC->SetTextColor(m_clrText);
    pDC->SetBkMode(TRANSPARENT);

    const int nCount = pHeader->GetItemCount();
    struct Item
    {
        int index;
        int order;
    };
    std::vector<Item> items;
    for (int i = 0; i < nCount; ++i)
    {
        HDITEMW item{};
        item.mask = HDI_ORDER;
        pHeader->GetItem(i, &item);
        items.push_back({i, item.iOrder});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.order < b.order; });

    CPoint cursor;
    ::GetCursorPos(&cursor);
    pHeader->ScreenToClient(&cursor);
    HDHITTESTINFO hit{};
    hit.pt = cursor;
    const int nHit = static_cast<int>(pHeader->SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));

    int x = client.left;
    for (const Item& entry : items)
    {
        CHeaderDrawRecord rec;
        rec.pDC = pDC;
        rec.nItem = entry.index;
        wchar_t text[256] = {};
        rec.item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT | HDI_BITMAP | HDI_LPARAM | HDI_ORDER;
        rec.item.pszText = text;
        rec.item.cchTextMax = 255;
        pHeader->GetItem(entry.index, &rec.item);
        rec.rcItem.SetRect(x, client.top, x + rec.item.cxy, client.bottom);
        x += rec.item.cxy;
        if ((m_dwHeaderStyle & kHeaderHotTracking) != 0 && nHit == entry.index && (hit.flags & HHT_ONHEADER) != 0)
            rec.nState = kHeaderItemHot;
        if (pHeader->IsItemPressed(entry.index))
            rec.nState = kHeaderItemPressed;
        if (!m_bUseVisualStyle || !DrawItemVisualStyle(rec))
            DrawItemBack(rec);
        DrawItemContent(rec, pHeader);
    }
    pDC->SelectObject(pOldFont);
}

void CUiHeaderTheme::DrawBack(CHeaderDrawRecord& rec)
{
    CRect rect = rec.rcItem;
    rect.right += 2;
    rec.pDC->FillSolidRect(&rect, m_clrFace);
    rec.pDC->Draw3dRect(&rect, m_clrHighlight, m_clrDarkShadow);
    rect.DeflateRect(1, 1);
    rec.pDC->Draw3dRect(&rect, m_clrFace, m_clrShadow);
}

BOOL CUiHeaderTheme::DrawBackVisualStyle(CHeaderDrawRecord& rec)
{
    if ((m_dwHeaderStyle & kHeaderHotTracking) == 0)
        return FALSE;
    return SUCCEEDED(m_visualStyle.DrawBackground(rec.pDC->GetSafeHdc(), 0, 1, &rec.rcItem, nullptr));
}

void CUiHeaderTheme::DrawItemBack(CHeaderDrawRecord& rec)
{
    const CRect& r = rec.rcItem;
    if (rec.nState == kHeaderItemPressed)
    {
        rec.pDC->Draw3dRect(&r, m_clrShadow, m_clrShadow);
        Line(rec.pDC, r.right, 1, r.right, r.bottom - 1, m_clrHighlight);
        Line(rec.pDC, r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 2, m_clrFace);
        return;
    }
    Line(rec.pDC, r.right - 2, 1, r.right - 2, r.bottom - 1, m_clrShadow);
    Line(rec.pDC, r.right - 1, 0, r.right - 1, r.bottom - 1, m_clrDarkShadow);
    Line(rec.pDC, r.right, 1, r.right, r.bottom - 1, m_clrHighlight);
}

BOOL CUiHeaderTheme::DrawItemVisualStyle(CHeaderDrawRecord& rec)
{
    const int nState = rec.nState == kHeaderItemPressed ? 3 : (rec.nState == kHeaderItemHot ? 2 : 1);
    return SUCCEEDED(m_visualStyle.DrawBackground(rec.pDC->GetSafeHdc(), 1, nState, &rec.rcItem, nullptr));
}

void CUiHeaderTheme::DrawItemContent(CHeaderDrawRecord& rec, CUiHeaderCtrl* pHeader)
{
    CRect rcText = rec.rcItem;
    rcText.DeflateRect(m_nTextMargin, 0);
    BOOL bAscending = TRUE;
    const BOOL bSortColumn = pHeader->GetSortImage(&bAscending) == rec.nItem && rec.nItem >= 0;
    if (bSortColumn)
        rcText.right -= 2 * m_nArrowSpacing + m_nArrowWidth;

    const CString text = rec.item.pszText != nullptr ? CString(rec.item.pszText) : CString();
    CSize textSize = rec.pDC->GetTextExtent(text);
    if (m_nTextTop > 0)
        rcText.top = rec.rcItem.top + m_nTextTop;
    else
        rcText.top = rec.rcItem.top + std::max(0, static_cast<int>((rec.rcItem.Height() - textSize.cy) / 2));
    rcText.bottom = rcText.top + textSize.cy;

    if ((rec.item.fmt & kHeaderFormatBitmap) != 0 && rec.item.hbm != nullptr)
        DrawItemImage(rec, rcText, pHeader);

    const int available = std::max(0, static_cast<int>(rcText.Width()));
    const int width = std::min(static_cast<int>(textSize.cx), available);
    switch (rec.item.fmt & HDF_JUSTIFYMASK)
    {
    case HDF_RIGHT:
        rcText.left = rcText.right - width;
        break;
    case HDF_CENTER:
        rcText.left += (available - width) / 2;
        rcText.right = rcText.left + width;
        break;
    default:
        rcText.right = rcText.left + width;
        break;
    }

    if ((m_dwHeaderStyle & kHeaderSortArrow) != 0 && bSortColumn)
    {
        CHeaderDrawRecord arrow = rec;
        arrow.rcItem = rcText;
        arrow.rcItem.top = rec.rcItem.top;
        arrow.rcItem.bottom = rec.rcItem.bottom;
        DrawSortArrow(arrow, bAscending);
    }
    if (width > 0)
    {
        if (rec.nState == kHeaderItemPressed)
            rcText.OffsetRect(1, 1);
        rec.pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
}

void CUiHeaderTheme::DrawSortArrow(CHeaderDrawRecord& rec, BOOL bAscending)
{
    int x = rec.rcItem.right + m_nArrowSpacing;
    if (x < rec.rcItem.left)
        return;
    int y = rec.rcItem.top + (rec.rcItem.Height() - m_nArrowHeight) / 2;
    if (rec.nState == kHeaderItemPressed)
        ++x;
    else
        --y;
    const int half = m_nArrowWidth / 2;
    CPoint points[3];
    if (bAscending)
    {
        points[0] = CPoint(x, y + m_nArrowHeight);
        points[1] = CPoint(x + m_nArrowWidth, y + m_nArrowHeight);
        points[2] = CPoint(x + half, y);
    }
    else
    {
        points[0] = CPoint(x, y);
        points[1] = CPoint(x + m_nArrowWidth, y);
        points[2] = CPoint(x + half, y + m_nArrowHeight);
    }
    DrawArrowShape(rec.pDC, points, bAscending);
}

void CUiHeaderTheme::DrawArrowShape(CDC* pDC, const CPoint points[3], BOOL bAscending)
{
    // points: the two ends of the flat side, then the apex.
    const CPoint& left = points[0];
    const CPoint& right = points[1];
    const CPoint& apex = points[2];
    if (bAscending)
    {
        Line(pDC, apex.x, apex.y, right.x, right.y, m_clrHighlight);
        Line(pDC, right.x, right.y, left.x, left.y, m_clrHighlight);
        Line(pDC, left.x, left.y, apex.x, apex.y, m_clrShadow);
    }
    else
    {
        Line(pDC, apex.x, apex.y, left.x, left.y, m_clrShadow);
        Line(pDC, left.x, left.y, right.x, right.y, m_clrShadow);
        Line(pDC, apex.x, apex.y, right.x, right.y, m_clrHighlight);
    }
}

void CUiHeaderTheme::DrawItemImage(CHeaderDrawRecord& rec, CRect& rcText, CUiHeaderCtrl*)
{
    auto hList = reinterpret_cast<HIMAGELIST>(rec.item.hbm);
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(hList, &cx, &cy))
        return;
    rcText.left += m_nTextMargin + cx;
    int x = rec.rcItem.left + m_nTextMargin;
    int y = rec.rcItem.top + (rec.rcItem.Height() - cy) / 2;
    if (rec.nState == kHeaderItemPressed)
    {
        ++x;
        ++y;
    }
    if (x + cx <= rec.rcItem.right && y >= rec.rcItem.top && y + cy <= rec.rcItem.bottom)
        ImageList_Draw(hList, 0, rec.pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
}

// ----- flat theme -----

CUiHeaderThemeFlat::CUiHeaderThemeFlat() { m_dwHeaderStyle = kHeaderSortArrow; }

void CUiHeaderThemeFlat::DrawBack(CHeaderDrawRecord& rec)
{
    CRect rect = rec.rcItem;
    rect.right += 2;
    rec.pDC->FillSolidRect(&rect, m_clrFace);
    rec.pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
}

void CUiHeaderThemeFlat::DrawDividers(CHeaderDrawRecord& rec, int nBottomInset)
{
    const CRect& r = rec.rcItem;
    Line(rec.pDC, r.right - 2, 2, r.right - 2, r.bottom - nBottomInset, m_clrShadow);
    Line(rec.pDC, r.right - 1, 2, r.right - 1, r.bottom - nBottomInset, m_clrHighlight);
}

void CUiHeaderThemeFlat::DrawItemBack(CHeaderDrawRecord& rec) { DrawDividers(rec, 2); }

// ----- scheme theme -----

CUiHeaderThemeScheme::CUiHeaderThemeScheme() { m_nTextTop = 2; }

void CUiHeaderThemeScheme::DrawBack(CHeaderDrawRecord& rec)
{
    CRect rect = rec.rcItem;
    rect.right += 2;
    const COLORREF face = m_clrFace;
    const COLORREF shadow = m_clrShadow;
    rec.pDC->FillSolidRect(&rect, face);
    rec.pDC->Draw3dRect(&rect, m_clrHighlight, TowardShadow(face, shadow, 0.6));
    Line(rec.pDC, rect.left, rect.bottom - 2, rect.right, rect.bottom - 2, TowardShadow(face, shadow, 0.4));
    Line(rec.pDC, rect.left, rect.bottom - 3, rect.right, rect.bottom - 3, TowardShadow(face, shadow, 0.25));
}

void CUiHeaderThemeScheme::DrawItemBack(CHeaderDrawRecord& rec) { DrawDividers(rec, 4); }

BOOL CUiHeaderThemeScheme::LayoutHeader(HDLAYOUT* pLayout, CUiHeaderCtrl* pHeader, LRESULT* pResult)
{
    CClientDC dc(pHeader);
    CFont* pOld = dc.SelectObject(pHeader->GetFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);
    dc.SelectObject(pOld);
    const int height = metrics.tmHeight + 10;
    pLayout->pwpos->hwnd = pHeader->GetSafeHwnd();
    pLayout->pwpos->hwndInsertAfter = nullptr;
    pLayout->pwpos->x = pLayout->prc->left;
    pLayout->pwpos->y = pLayout->prc->top;
    pLayout->pwpos->cx = pLayout->prc->right - pLayout->prc->left;
    pLayout->pwpos->cy = height;
    pLayout->pwpos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    pLayout->prc->top += height;
    *pResult = TRUE;
    return TRUE;
}
