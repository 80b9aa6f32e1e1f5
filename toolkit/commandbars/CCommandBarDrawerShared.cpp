// The operations every drawing style shares: controls on menu bars and
// toolbars with their captions, split-button frames, expand and caption
// buttons, check marks and arrows, the popup animations, status panes and
// the size grip.
#include "CCommandBarDrawer.h"
#include "FoundationLinks.h"

#include <algorithm>
#include <vector>

namespace
{
// DrawText with the mnemonic markers shown or hidden.
void DrawCaption(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    pDC->DrawText(strText, &rc, nFormat);
}

// Keeps the DC's text colour over an embossed copy drawn in another colour.
class CTextColorKeeper
{
public:
    explicit CTextColorKeeper(CDC* pDC) : m_pDC(pDC), m_clr(::GetTextColor(pDC->m_hDC)) {}
    ~CTextColorKeeper() { ::SetTextColor(m_pDC->m_hDC, m_clr); }
    COLORREF Get() const { return m_clr; }

private:
    CDC* m_pDC;
    COLORREF m_clr;
};
} // namespace

CCommandIcon* CCommandBarDrawer::IconForControl(CKitControl* pControl, CSize szIcon, CSize& szDrawn)
{
    szDrawn = CSize(0, 0);
    if (!pControl->IsIconWanted())
        return nullptr;
    CCommandIcon* pIcon = pControl->GetIcon(szIcon.cx);
    if (pIcon == nullptr)
        return nullptr;
    const CSize extent = IconExtent(pIcon);
    szDrawn.cx = szIcon.cx;
    // A picture without an extent keeps the bar's icon height rather than
    // dividing by its zero width.
    szDrawn.cy = extent.cx > 0 ? ::MulDiv(extent.cy, szIcon.cx, extent.cx) : szIcon.cy;
    return pIcon;
}

CSize CCommandBarDrawer::DrawControlText(CDC* pDC, const CString& strCaption, CRect rc, BOOL bDraw, BOOL bVertical,
                                         BOOL bCentered, BOOL bTriangle, BOOL bEmbossed, BOOL bShowMnemonics)
{
    bShowMnemonics = ShowMnemonics(bShowMnemonics);
    const CString strStripped = StrippedText(strCaption);
    CSize szText = pDC->GetTextExtent(strStripped.IsEmpty() ? CString(L" ") : strStripped);

    if (!bDraw)
    {
        if (bTriangle)
            szText.cx += 10;
        return bVertical ? CSize(szText.cy, szText.cx) : szText;
    }

    const COLORREF clrText = ::GetTextColor(pDC->m_hDC);
    if (!bVertical)
    {
        const int nWidth = szText.cx + (bTriangle ? 5 : 0);
        CRect rcText = rc;
        if (bCentered)
            rcText.left += (rc.Width() - nWidth) / 2;
        if (bEmbossed)
        {
            CTextColorKeeper keep(pDC);
            pDC->SetTextColor(ColorAt(20));
            CRect rcShadow = rcText;
            rcShadow.OffsetRect(1, 1);
            DrawCaption(pDC, strStripped, rcShadow, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (bShowMnemonics)
            DrawCaption(pDC, strCaption, rcText, DT_SINGLELINE | DT_VCENTER);
        else
            DrawCaption(pDC, strStripped, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (bTriangle)
        {
            const int x = rcText.left + nWidth;
            const int y = (rc.top + rc.bottom) / 2 - 1;
            FillTriangleLiteral(pDC, {x - 2, y}, {x + 2, y}, {x, y + 2}, clrText);
        }
        return CSize(0, 0);
    }

    // Rotated text: the glyph tops face the right edge and the text runs down.
    // Its length holds the triangle's room, as the width of horizontal text
    // does, so that the triangle follows the text instead of covering it.
    const int nLength = szText.cx + (bTriangle ? 10 : 0);
    const int x = rc.right - (rc.Width() - szText.cy + 1) / 2;
    const int y = bCentered ? rc.top + (rc.Height() - nLength + 1) / 2 : rc.top;
    const UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    if (bEmbossed)
    {
        CTextColorKeeper keep(pDC);
        pDC->SetTextColor(ColorAt(20));
        CRect rcShadow(x + 1, y + 1, x + 1, y + 1);
        DrawCaption(pDC, strStripped, rcShadow, nFormat);
    }
    CRect rcText(x, y, x, y);
    DrawCaption(pDC, strStripped, rcText, nFormat);
    if (bTriangle)
    {
        const int tx = (rc.left + rc.right) / 2 + 2;
        const int ty = y + nLength - 3;
        FillTriangleLiteral(pDC, {tx, ty}, {tx, ty + 4}, {tx - 2, ty + 2}, clrText);
    }
    return CSize(0, 0);
}

CSize CCommandBarDrawer::DrawControlTextWithIcon(CDC* pDC, const CString& strCaption, CRect rc, BOOL bVertical,
                                                 BOOL bDraw, BOOL bEmbossed, BOOL bTriangle, CSize szButton,
                                                 BOOL bHasIcon, BOOL bShowMnemonics)
{
    const CSize szCaption =
        DrawControlText(pDC, strCaption, CRect(), FALSE, bVertical, FALSE, bTriangle, FALSE, bShowMnemonics);
    const int nIconCell = bHasIcon ? szButton.cx : 4;
    if (!bVertical)
    {
        if (bDraw)
        {
            CRect rcText = rc;
            rcText.left += bHasIcon ? szButton.cx - 1 : 4;
            DrawControlText(pDC, strCaption, rcText, TRUE, FALSE, FALSE, bTriangle, bEmbossed, bShowMnemonics);
        }
        return CSize(nIconCell + szCaption.cx + 3, std::max<int>(szButton.cy, szCaption.cy + 6));
    }
    if (bDraw)
    {
        CRect rcText = rc;
        rcText.top += bHasIcon ? szButton.cy : 4;
        DrawControlText(pDC, strCaption, rcText, TRUE, TRUE, FALSE, bTriangle, bEmbossed, bShowMnemonics);
    }
    // The length term uses the button width, as the horizontal form does.
    return CSize(std::max<int>(szButton.cx, szCaption.cx + 6), nIconCell + szCaption.cy + 3);
}

CSize CCommandBarDrawer::DrawControlOnToolbar(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return CSize(0, 0);
    CFontSelector font(pDC, FontForControl(pBar, pControl->m_bDefaultItem));

    const CRect rc = bDraw ? pControl->GetRect() : CRect();
    const CSize szIcon = pBar->GetIconSize();
    CSize szButton = pBar->GetButtonSize();
    const int nType = pControl->GetType();
    const CString strCaption = pControl->GetCaption();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bChecked = pControl->GetChecked();
    const int nSelected = pControl->GetSelected();
    const int nPressed = pControl->GetPressed();
    const BOOL bPopped = pControl->IsPopupControl() && pControl->GetPopped();

    CSize szImage;
    CCommandIcon* pIcon = IconForControl(pControl, szIcon, szImage);
    const BOOL bEmbossed = !bEnabled && !DrawsOwnShadows();
    const BOOL bVertical = pBar->IsVertical();
    const BOOL bCaption = pControl->IsCaptionVisible();
    const BOOL bMnemonics = pBar->IsKeyboardCuesVisible();
    const BOOL bMenuBar = pBar->GetType() == kBarTypeMenuBar;

    if (bDraw)
    {
        if (nType == kControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pControl, rc);
        else
            FillControlBackground(pDC, pControl);
    }

    auto drawIcon = [&](int x, int y) {
        DrawControlImage(pDC, x, y, szImage.cx, szImage.cy, pIcon, nSelected, nPressed, bEnabled, bChecked, bPopped,
                         TRUE);
    };

    if (pBar->IsTextBelowIcons() && pIcon != nullptr)
    {
        const BOOL bTriangle = nType == kControlPopup;
        if (bDraw)
        {
            CRect rcCell = rc;
            if (nType == kControlSplitButtonPopup)
                rcCell.right -= 11;
            drawIcon(rcCell.left + (rcCell.Width() - szImage.cx) / 2, rcCell.top + 4);
            CRect rcText(rcCell.left, rcCell.top + szButton.cy - 4, rcCell.right, rcCell.bottom);
            DrawControlText(pDC, strCaption, rcText, TRUE, FALSE, TRUE, bTriangle, bEmbossed, bMnemonics);
            return CSize(0, 0);
        }
        const CSize szText =
            DrawControlText(pDC, strCaption, CRect(), FALSE, FALSE, TRUE, bTriangle, bEmbossed, bMnemonics);
        CSize sz(std::max<int>(szButton.cx, szText.cx + 10), szButton.cy + szText.cy);
        if (nType == kControlSplitButtonPopup)
            sz.cx += 11;
        sz.cx = std::max(sz.cx, sz.cy);
        return sz;
    }

    if (pIcon != nullptr && bDraw)
    {
        int x = rc.left + 3;
        int y = rc.top + (rc.Height() - szImage.cy) / 2;
        if (bVertical)
        {
            const BOOL bKeepLeft =
                nType == kControlSplitButtonPopup || (nType == kControlPopup && !bCaption);
            if (!bKeepLeft)
                x = rc.left + (rc.Width() - szImage.cx) / 2;
            y = rc.top + 4;
        }
        drawIcon(x, y);
    }

    switch (nType)
    {
    case kControlButton:
    case kControlButtonPopup:
    case kControlLabel:
        if (!bCaption)
            return szButton;
        if (pIcon == nullptr)
            szButton = CSize(23, 23);
        return DrawControlTextWithIcon(pDC, strCaption, rc, bVertical, bDraw, bEmbossed, FALSE, szButton,
                                       pIcon != nullptr, bMnemonics);

    case kControlPopup:
        if (pIcon == nullptr)
        {
            // A menu-bar item keeps the triangle's room but shows no triangle.
            const BOOL bTriangle = !bDraw || !bMenuBar;
            CSize sz = DrawControlText(pDC, strCaption, CRect(), FALSE, bVertical, TRUE, TRUE, bEmbossed, bMnemonics);
            if (bDraw)
                DrawControlText(pDC, strCaption, rc, TRUE, bVertical, TRUE, bTriangle, bEmbossed, bMnemonics);
            return CSize(sz.cx + 6, sz.cy + 6);
        }
        if (bCaption)
            return DrawControlTextWithIcon(pDC, strCaption, rc, bVertical, bDraw, bEmbossed, !bMenuBar, szButton,
                                           TRUE, bMnemonics);
        if (bDraw)
        {
            const int m = (rc.top + rc.bottom) / 2;
            FillTriangleLiteral(pDC, {rc.right - 9, m - 1}, {rc.right - 5, m - 1}, {rc.right - 7, m + 1},
                         ::GetTextColor(pDC->m_hDC));
        }
        return CSize(szButton.cy + 7, szButton.cy);

    case kControlSplitButtonPopup:
    {
        if (pIcon == nullptr)
            szButton = CSize(23, 23);
        if (!bCaption)
            return CSize(szButton.cx + 11, szButton.cy);
        CRect rcText = rc;
        rcText.right -= 11;
        CSize sz = DrawControlTextWithIcon(pDC, strCaption, rcText, bVertical, bDraw, bEmbossed, FALSE, szButton,
                                           pIcon != nullptr, bMnemonics);
        sz.cx += 11;
        return sz;
    }

    default:
        return CSize(0, 0);
    }
}

void CCommandBarDrawer::DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc)
{
    const BOOL bPopped = pControl->GetPopped();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nPosition = pControl->GetParent() != nullptr ? pControl->GetParent()->GetPosition() : kBarTop;
    CRect rcMain = rc;
    if (!bPopped)
        rcMain.right -= 11;
    FillControlState(pDC, rcMain, bEnabled, pControl->GetSelected(), pControl->GetPressed(), pControl->GetChecked(),
                     bPopped, nPosition);
    if ((pControl->GetSelected() != kNotSelected || pControl->GetPressed() != kNotPressed) && bEnabled && !bPopped)
        FillControlState(pDC, CRect(rc.right - 12, rc.top, rc.right, rc.bottom), TRUE, kSelectedByMouse, kNotPressed,
                         FALSE, FALSE, nPosition);
    const int m = (rc.top + rc.bottom) / 2;
    FillTriangleLiteral(pDC, {rc.right - 9, m - 1}, {rc.right - 5, m - 1}, {rc.right - 7, m + 1},
                 ::GetTextColor(pDC->m_hDC));
}

CSize CCommandBarDrawer::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                            BOOL bDraw, void* pExtent)
{
    switch (nKind)
    {
    case kSpecialToolbarExpand:
    {
        const BOOL bAlongSide = pBar->IsVertical() || pBar->GetPosition() == kBarPopup;
        if (!bDraw)
        {
            const CSize szBar = *static_cast<const CSize*>(pExtent);
            pControl->m_rcControl = bAlongSide ? CRect(2, szBar.cy - 13, szBar.cx - 2, szBar.cy - 2)
                                               : CRect(szBar.cx - 13, 2, szBar.cx - 2, szBar.cy - 2);
            return CSize(0, 0);
        }
        const BOOL bHidden = pExtent != nullptr && *static_cast<const BOOL*>(pExtent);
        FillControlBackground(pDC, pControl);
        const COLORREF clr = ::GetTextColor(pDC->m_hDC);
        const CRect rc = pControl->GetRect();
        CPenSelector pen(pDC->m_hDC, clr);
        if (!bAlongSide)
        {
            const int m = (rc.left + rc.right) / 2;
            FillTriangleLiteral(pDC, {m - 2, rc.bottom - 7}, {m + 2, rc.bottom - 7}, {m, rc.bottom - 5}, clr);
            if (bHidden)
                for (int x : {rc.left, rc.left + 1, rc.left + 4, rc.left + 5})
                {
                    const POINT pts[3] = {{x + 2, rc.top + 4}, {x + 4, rc.top + 6}, {x + 1, rc.top + 9}};
                    pDC->Polyline(pts, 3);
                }
        }
        else
        {
            FillTriangleLiteral(pDC, {rc.left + 6, rc.top + 3}, {rc.left + 6, rc.top + 7}, {rc.left + 4, rc.top + 5}, clr);
            if (bHidden)
                for (int y : {rc.top + 2, rc.top + 3, rc.top + 6, rc.top + 7})
                {
                    const POINT pts[3] = {{rc.right - 8, y}, {rc.right - 6, y + 2}, {rc.right - 3, y - 1}};
                    pDC->Polyline(pts, 3);
                }
        }
        return CSize(0, 0);
    }
    case kSpecialPopupExpand:
        if (bDraw)
        {
            FillControlBackground(pDC, pControl);
            // The chevrons take the state's text colour, not whatever pen the
            // DC happens to hold.
            CPenSelector pen(pDC->m_hDC, ::GetTextColor(pDC->m_hDC));
            const CRect rc = pControl->GetRect();
            const int m = (rc.left + rc.right) / 2;
            for (int y : {rc.top + 2, rc.top + 3, rc.top + 6, rc.top + 7})
            {
                const POINT pts[3] = {{m - 2, y}, {m, y + 2}, {m + 3, y - 1}};
                pDC->Polyline(pts, 3);
            }
        }
        return CSize(0, 12);
    case kSpecialCaptionClose:
        if (bDraw)
        {
            FillControlBackground(pDC, pControl);
            if (pControl->GetPressed() == kNotPressed && pControl->GetSelected() == kNotSelected)
                pDC->SetTextColor(ColorAt(20));
            CFont fontGlyph;
            fontGlyph.CreatePointFont(::MulDiv(80, 96, std::max(1, pDC->GetDeviceCaps(LOGPIXELSY))), L"Marlett");
            CFontSelector font(pDC, &fontGlyph);
            CRect rc = pControl->GetRect();
            pDC->DrawText(CString(L"r"), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        return CSize(0, 0);
    case kSpecialCaptionOptions:
        if (bDraw)
        {
            FillControlBackground(pDC, pControl);
            const BOOL bActive = pControl->GetSelected() != kNotSelected || pControl->GetPopped();
            const COLORREF clr = bActive ? ::GetTextColor(pDC->m_hDC) : ColorAt(20);
            const CRect rc = pControl->GetRect();
            const int m = (rc.left + rc.right) / 2;
            const int c = (rc.top + rc.bottom) / 2;
            FillTriangleLiteral(pDC, {m - 3, c - 2}, {m + 3, c - 2}, {m, c + 1}, clr);
        }
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}

void CCommandBarDrawer::DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bRightToLeft)
{
    CPenSelector pen(pDC->m_hDC, ColorAt(clr));
    const int m = (rc.left + rc.right) / 2;
    const int g = (rc.top + rc.bottom) / 2 - 10;
    const int nPasses = m_bBoldCheckMarks ? 2 : 1;
    for (int d = 0; d < nPasses; ++d)
    {
        if (!bRightToLeft)
        {
            const POINT a[3] = {{m - 4, g + 9 + d}, {m - 2, g + 11 + d}, {m + 3, g + 6 + d}};
            const POINT b[3] = {{m - 4, g + 10 + d}, {m - 2, g + 12 + d}, {m + 3, g + 7 + d}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        }
        else
        {
            const POINT a[3] = {{m - 4, g + 7 + d}, {m, g + 11 + d}, {m + 3, g + 8 + d}};
            const POINT b[3] = {{m - 4, g + 8 + d}, {m, g + 12 + d}, {m + 3, g + 9 + d}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        }
    }
}

void CCommandBarDrawer::DrawDropDownArrow(CDC* pDC, CRect rc, COLORREF clr)
{
    int h = rc.Width() / 2;
    h = h > 5 ? h - 4 : 2;
    const int cx = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2 - h / 2;
    FillTriangle(pDC, {cx - h, y}, {cx + h, y}, {cx, y + h}, clr);
}

void CCommandBarDrawer::AnimatePopup(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nKind)
{
    const int n = m_nAnimationSteps;
    if (n <= 0)
        return;
    const DWORD dwFrame = static_cast<DWORD>(std::max(0, m_nAnimationDuration) / n);
    const int cx = rc.Width();
    const int cy = rc.Height();
    switch (nKind)
    {
    case kAnimateUnfold:
        for (int k = 1; k <= n; ++k)
        {
            const int w = cx * k / n;
            const int h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, w, h, pSrcDC, rc.right - w, rc.bottom - h, SRCCOPY);
            ::Sleep(dwFrame);
        }
        break;
    case kAnimateSlide:
        for (int k = 1; k <= n; ++k)
        {
            const int h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, rc.left, rc.bottom - h, SRCCOPY);
            ::Sleep(dwFrame);
        }
        break;
    case kAnimateFade:
    {
        if (cx <= 0 || cy <= 0)
            return;
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        struct Dib
        {
            HBITMAP hBitmap = nullptr;
            BYTE* pBits = nullptr;
            HDC hDC = nullptr;
            HGDIOBJ hOld = nullptr;
            ~Dib()
            {
                if (hDC != nullptr)
                {
                    ::SelectObject(hDC, hOld);
                    ::DeleteDC(hDC);
                }
                if (hBitmap != nullptr)
                    ::DeleteObject(hBitmap);
            }
        } dibs[3];
        for (Dib& dib : dibs)
        {
            void* pBits = nullptr;
            dib.hBitmap = ::CreateDIBSection(pDestDC->m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
            dib.hDC = ::CreateCompatibleDC(pDestDC->m_hDC);
            if (dib.hBitmap == nullptr || dib.hDC == nullptr)
                return;
            dib.pBits = static_cast<BYTE*>(pBits);
            dib.hOld = ::SelectObject(dib.hDC, dib.hBitmap);
        }
        Dib& dibNew = dibs[0];
        Dib& dibOld = dibs[1];
        Dib& dibBlend = dibs[2];
        ::BitBlt(dibNew.hDC, 0, 0, cx, cy, pSrcDC->m_hDC, rc.left, rc.top, SRCCOPY);
        ::BitBlt(dibOld.hDC, 0, 0, cx, cy, pDestDC->m_hDC, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        const size_t nBytes = static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4;
        for (int k = 1; k < n; ++k)
        {
            const DWORD dwStart = ::GetTickCount();
            const int w = 255 * k / n;
            for (size_t i = 0; i < nBytes; i += 4)
                for (size_t c = 0; c < 3; ++c)
                    dibBlend.pBits[i + c] =
                        static_cast<BYTE>((dibNew.pBits[i + c] * w + dibOld.pBits[i + c] * (255 - w)) >> 8);
            ::BitBlt(pDestDC->m_hDC, rc.left, rc.top, cx, cy, dibBlend.hDC, 0, 0, SRCCOPY);
            const DWORD dwSpent = ::GetTickCount() - dwStart;
            if (dwSpent < dwFrame)
                ::Sleep(dwFrame - dwSpent);
        }
        break;
    }
    default:
        break;
    }
}

int CCommandBarDrawer::AnimateExpand(CKitCommandBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bTopDown)
{
    const int n = m_nAnimationSteps;
    if (n <= 0 || pPopup == nullptr)
        return 0;
    const DWORD dwFrame = static_cast<DWORD>(std::max(0, m_nAnimationDuration) / n);
    const CRect rcClient = ClientRectOf(pPopup);

    // Bands of the source image: cut wherever the expansion flag changes.
    struct Band
    {
        int top;
        int bottom;
        BOOL bExpansion;
    };
    std::vector<Band> bands;
    CKitControls* pControls = pPopup->GetControls();
    int nCut = rcClient.top;
    BOOL bCurrent = FALSE;
    BOOL bStarted = FALSE;
    const int nCount = pControls->GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CKitControl* pControl = pControls->GetAt(bTopDown ? i : nCount - 1 - i);
        if (!pControl->IsVisible())
            continue;
        if (!bStarted)
        {
            bCurrent = pControl->m_bHiddenInMenu;
            bStarted = TRUE;
            nCut = bTopDown ? rcClient.top : rcClient.bottom;
            continue;
        }
        if (pControl->m_bHiddenInMenu != bCurrent)
        {
            const int nAt = bTopDown ? pControl->GetRect().top : pControl->GetRect().bottom;
            bands.push_back(bTopDown ? Band{nCut, nAt, bCurrent} : Band{nAt, nCut, bCurrent});
            nCut = nAt;
            bCurrent = pControl->m_bHiddenInMenu;
        }
    }
    bands.push_back(bTopDown ? Band{nCut, rcClient.bottom, bCurrent} : Band{rcClient.top, nCut, bCurrent});

    for (int k = 1; k <= n; ++k)
    {
        int y = bTopDown ? rcClient.top : rcClient.bottom;
        for (const Band& band : bands)
        {
            const int h = band.bottom - band.top;
            const int hShown = band.bExpansion ? h * k / n : h;
            if (bTopDown)
            {
                pDestDC->StretchBlt(rcClient.left, y, rcClient.Width(), hShown, pSrcDC, rcClient.left, band.top,
                                    rcClient.Width(), h, SRCCOPY);
                y += hShown;
            }
            else
            {
                y -= hShown;
                pDestDC->StretchBlt(rcClient.left, y, rcClient.Width(), hShown, pSrcDC, rcClient.left, band.top,
                                    rcClient.Width(), h, SRCCOPY);
            }
        }
        ::Sleep(dwFrame);
    }
    return n;
}

void CCommandBarDrawer::DrawStatusBarPane(CDC* pDC, CRect rc, CKitStatusBarPane* pPane)
{
    if (pPane->m_clrBackground != static_cast<COLORREF>(-1))
    {
        CRect rcFill = rc;
        if ((pPane->m_dwStyle & kPaneNoBorders) == 0)
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, pPane->m_clrBackground);
    }
    CFont* pFont = pPane->GetFont();
    HGDIOBJ hOldFont = pFont != nullptr ? ::SelectObject(pDC->m_hDC, pFont->m_hObject) : nullptr;
    rc.DeflateRect(2, 1);

    const CString& strText = pPane->m_strText;
    CCommandIcon* pIcon = pPane->GetIcon();
    const CSize szIcon = pIcon != nullptr ? IconExtent(pIcon) : CSize(0, 0);
    const int nTextWidth = strText.IsEmpty() ? 0 : pDC->GetTextExtent(strText).cx;
    const int nContent = nTextWidth + szIcon.cx + (strText.IsEmpty() ? 0 : 2);
    int x = rc.left;
    if (pPane->m_nAlignment != 0 && nContent <= rc.Width())
        x = pPane->m_nAlignment == 1 ? rc.left + (rc.Width() - nContent) / 2 : rc.right - nContent;

    const BOOL bEnabled = pPane->IsEnabled();
    if (pIcon != nullptr && x + szIcon.cx <= rc.right)
    {
        DrawPaneIcon(pDC, pIcon, x, rc.top + (rc.Height() - szIcon.cy) / 2, bEnabled);
        x += szIcon.cx + 2;
    }
    if (bEnabled || pPane->m_bDrawDisabledText)
    {
        const COLORREF clrPane =
            pPane->m_clrText == static_cast<COLORREF>(-1) ? m_clrStatusText : pPane->m_clrText;
        pDC->SetTextColor(bEnabled ? clrPane : ColorAt(17));
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(x, rc.top, rc.right, rc.bottom);
        pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    }
    if (hOldFont != nullptr)
        ::SelectObject(pDC->m_hDC, hOldFont);
}

void CCommandBarDrawer::DrawStatusBarGripper(CDC* pDC, CRect rc)
{
    const int W = rc.Width();
    const int H = rc.Height();
    {
        CPenSelector pen(pDC->m_hDC, ColorAt(16));
        for (int k = 0; k < 3; ++k)
        {
            DrawLine(pDC, W - 3 - 4 * k, H - 2, W - 1, H - 4 - 4 * k);
            DrawLine(pDC, W - 4 - 4 * k, H - 2, W - 1, H - 5 - 4 * k);
        }
    }
    CPenSelector pen(pDC->m_hDC, ColorAt(20));
    for (int k = 0; k < 3; ++k)
        DrawLine(pDC, W - 5 - 4 * k, H - 2, W - 1, H - 6 - 4 * k);
}
