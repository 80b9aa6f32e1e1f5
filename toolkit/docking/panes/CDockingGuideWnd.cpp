#include "CDockingGuideWnd.h"

#include <commctrl.h>

#include "CColorTable.h"
#include "CDockingDragTracker.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"
#include "window/CDC.h"

namespace {

constexpr UINT kBitmapCentre = 9903;
constexpr UINT kBitmapPieces = 9904;
constexpr UINT kBitmapPiecesOlive = 9905;
constexpr UINT kBitmapPiecesSilver = 9906;
constexpr UINT kBitmapStyle9 = 9910;
constexpr COLORREF kMaskColor = RGB(0, 255, 0);

struct PieceRow
{
    int nBit;
    GuidePiece normal;
    GuidePiece highlighted;
};

// Positions inside a 93 x 93 centre guide.
constexpr PieceRow kDefaultPieces[] = {
    {kGuideTop, {25, 0, {0, 0, 43, 30}}, {25, 0, {0, 76, 43, 106}}},
    {kGuideLeft, {0, 25, {30, 33, 60, 76}}, {0, 25, {90, 33, 120, 76}}},
    {kGuideBottom, {25, 63, {43, 0, 86, 30}}, {25, 63, {43, 76, 86, 106}}},
    {kGuideRight, {63, 25, {0, 33, 30, 76}}, {63, 25, {60, 33, 90, 76}}},
    {kGuideTab, {30, 30, {86, 0, 119, 33}}, {30, 30, {86, 76, 119, 109}}},
};
constexpr GuidePiece kDefaultCentre = {25, 25, {0, 0, 43, 43}};

// Positions inside an 89 x 89 centre guide; the outer pieces sit at the origin.
constexpr PieceRow kStyle9Pieces[] = {
    {kGuideTop, {30, 0, {61, 29, 90, 59}}, {30, 0, {61, 90, 90, 120}}},
    {kGuideLeft, {0, 30, {90, 30, 120, 59}}, {0, 30, {90, 91, 120, 120}}},
    {kGuideBottom, {30, 59, {91, 0, 120, 30}}, {30, 59, {91, 61, 120, 91}}},
    {kGuideRight, {60, 30, {62, 0, 92, 29}}, {60, 30, {62, 61, 92, 90}}},
    {kGuideTab, {30, 30, {120, 82, 148, 111}}, {30, 30, {120, 82, 148, 111}}},
};
constexpr GuidePiece kStyle9Centre = {24, 24, {120, 0, 161, 41}};
constexpr GuidePiece kStyle9CentreHighlighted = {24, 24, {120, 41, 161, 82}};
constexpr PieceRow kStyle9Outer[] = {
    {kGuideTop, {0, 0, {0, 29, 29, 61}}, {0, 0, {0, 90, 29, 122}}},
    {kGuideLeft, {0, 0, {29, 32, 61, 61}}, {0, 0, {29, 93, 61, 122}}},
    {kGuideBottom, {0, 0, {32, 0, 61, 32}}, {0, 0, {32, 61, 61, 93}}},
    {kGuideRight, {0, 0, {0, 0, 32, 29}}, {0, 0, {0, 61, 32, 90}}},
};

constexpr int kSideOrder[] = {kGuideTop, kGuideLeft, kGuideBottom, kGuideRight};

const PieceRow* FindRow(const PieceRow* pRows, size_t nCount, int nBit)
{
    for (size_t i = 0; i < nCount; ++i)
        if (pRows[i].nBit == nBit)
            return &pRows[i];
    return nullptr;
}

UINT SchemeBitmap()
{
    switch (GetLunaScheme())
    {
    case 2:
        return kBitmapPiecesOlive;
    case 3:
        return kBitmapPiecesSilver;
    default:
        return kBitmapPieces;
    }
}

}  // namespace

CSize CDockingGuideWnd::GetGuideSize(int nFlags, BOOL bStyle9)
{
    if (nFlags & kGuideCentre)
        return bStyle9 ? CSize(89, 89) : CSize(93, 93);
    if (nFlags & (kGuideLeft | kGuideRight))
        return bStyle9 ? CSize(32, 29) : CSize(30, 43);
    return bStyle9 ? CSize(29, 32) : CSize(43, 30);
}

void CDockingGuideWnd::DrawGuidePiece(CDC* pDC, UINT nBitmap, int x, int y, const RECT& source)
{
    CBitmap bitmap;
    if (!GetToolkitResources()->LoadBitmap(bitmap, nBitmap))
        return;
    const int cx = source.right - source.left;
    const int cy = source.bottom - source.top;
    // The piece alone in a bitmap of its size, drawn through a masked image
    // list so that pure green stays transparent.
    CBitmap piece;
    piece.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), cx, cy));
    {
        CBitmapDC from(pDC->GetSafeHdc(), static_cast<HBITMAP>(bitmap.GetSafeHandle()));
        CBitmapDC to(pDC->GetSafeHdc(), static_cast<HBITMAP>(piece.GetSafeHandle()));
        ::BitBlt(to.GetSafeHdc(), 0, 0, cx, cy, from.GetSafeHdc(), source.left, source.top, SRCCOPY);
    }
    const HIMAGELIST hList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (!hList)
        return;
    ::ImageList_AddMasked(hList, static_cast<HBITMAP>(piece.GetSafeHandle()), kMaskColor);
    ::ImageList_Draw(hList, 0, pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    ::ImageList_Destroy(hList);
}

BOOL CDockingGuideWnd::DrawPieceOf(CDC* pDC, int nBit, BOOL bHighlighted, BOOL bForHitTest)
{
    const BOOL bStyle9 = m_pTracker->UsesStyle9Guides();
    const BOOL bCentre = (m_nFlags & kGuideCentre) != 0;
    if (bStyle9)
    {
        if (!bCentre)
        {
            const PieceRow* pRow = FindRow(kStyle9Outer, std::size(kStyle9Outer), nBit);
            if (!pRow)
                return FALSE;
            const GuidePiece& piece = bHighlighted ? pRow->highlighted : pRow->normal;
            DrawGuidePiece(pDC, kBitmapStyle9, 0, 0, piece.source);
            return TRUE;
        }
        const PieceRow* pRow = FindRow(kStyle9Pieces, std::size(kStyle9Pieces), nBit);
        if (!pRow)
            return FALSE;
        const GuidePiece& piece = bHighlighted ? pRow->highlighted : pRow->normal;
        DrawGuidePiece(pDC, kBitmapStyle9, piece.x, piece.y, piece.source);
        return TRUE;
    }
    const PieceRow* pRow = FindRow(kDefaultPieces, std::size(kDefaultPieces), nBit);
    if (!pRow)
        return FALSE;
    const GuidePiece& piece = bHighlighted ? pRow->highlighted : pRow->normal;
    DrawGuidePiece(pDC, bForHitTest ? kBitmapPieces : SchemeBitmap(), bCentre ? piece.x : 0, bCentre ? piece.y : 0,
                   piece.source);
    return TRUE;
}

void CDockingGuideWnd::DrawGuide(CDC* pDC)
{
    const BOOL bStyle9 = m_pTracker->UsesStyle9Guides();
    if (m_nFlags & kGuideCentre)
    {
        if (bStyle9)
        {
            const GuidePiece& centre = m_nHighlighted == kGuideTab ? kStyle9CentreHighlighted : kStyle9Centre;
            DrawGuidePiece(pDC, kBitmapStyle9, centre.x, centre.y, centre.source);
        }
        else
        {
            DrawGuidePiece(pDC, kBitmapCentre, kDefaultCentre.x, kDefaultCentre.y, kDefaultCentre.source);
        }
        for (const int nBit : kSideOrder)
            if (m_nFlags & nBit)
                DrawPieceOf(pDC, nBit, m_nHighlighted == nBit, FALSE);
        if (m_nFlags & kGuideTab)
            DrawPieceOf(pDC, kGuideTab, m_nHighlighted == kGuideTab, FALSE);
        return;
    }
    for (const int nBit : kSideOrder)
        if (m_nFlags & nBit)
            DrawPieceOf(pDC, nBit, m_nHighlighted == nBit, FALSE);
}

int CDockingGuideWnd::HitTest(CPoint screen)
{
    if (!m_hWnd)
        return 0;
    CPoint point = screen;
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return 0;
    // Each piece is drawn alone into black; the first one that colours the
    // pixel under the point is the piece hit (the art holds no pure black).
    CWindowDC screenDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screenDC.GetSafeHdc(), client.Width(), client.Height()));
    CBitmapDC dc(screenDC.GetSafeHdc(), static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    dc.FillSolidRect(&client, RGB(0, 0, 0));
    const BOOL bStyle9 = m_pTracker->UsesStyle9Guides();
    for (const int nBit : kSideOrder)
    {
        if (!(m_nFlags & nBit))
            continue;
        DrawPieceOf(&dc, nBit, FALSE, TRUE);
        if (::GetPixel(dc.GetSafeHdc(), point.x, point.y) & 0xFFFFFF)
            return nBit;
    }
    if (!(m_nFlags & kGuideCentre) || !(m_nFlags & kGuideTab))
        return 0;
    const GuidePiece& centre = bStyle9 ? kStyle9Centre : kDefaultCentre;
    DrawGuidePiece(&dc, bStyle9 ? kBitmapStyle9 : kBitmapCentre, centre.x, centre.y, centre.source);
    return (::GetPixel(dc.GetSafeHdc(), point.x, point.y) & 0xFFFFFF) ? kGuideTab : 0;
}

LRESULT CDockingGuideWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CDoubleBufferDC buffer(dc.GetSafeHdc(), client);
        buffer.FillSolidRect(&client, RGB(0, 0, 0));
        DrawGuide(&buffer);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return CWnd::WindowProc(message, wParam, lParam);
}
