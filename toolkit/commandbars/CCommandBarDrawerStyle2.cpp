#include "CCommandBarDrawerStyle2.h"

#include "FoundationLinks.h"

#include <algorithm>

namespace
{
// Shading of the expand image, column by column (index i is x = i / 16,
// y = i % 16): 255 lies outside the disc and becomes the green mask, lower
// values shade from the light colour towards the dark one.
constexpr BYTE kExpandShading[256] = {
#include "ExpandImageShading.inc"
};

constexpr COLORREF kMaskGreen = RGB(0, 255, 0);
constexpr COLORREF kSchemeGreyText = RGB(141, 141, 141);

void SetGradient(CStyleGradient& gradient, COLORREF clrLight, COLORREF clrDark, float factor)
{
    gradient.SetStandardValue(clrLight, clrDark, factor);
}

// Clip changes restored when the object goes.
class CSavedDC
{
public:
    explicit CSavedDC(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
    ~CSavedDC() { m_pDC->RestoreDC(m_nSaved); }

private:
    CDC* m_pDC;
    int m_nSaved;
};
} // namespace

CCommandBarDrawerStyle2::CCommandBarDrawerStyle2() = default;

BOOL CCommandBarDrawerStyle2::IsDockableToolbar(CKitCommandBar* pBar)
{
    return pBar->GetType() != kBarTypeMenuBar && (pBar->GetFlags() & kDockSideFlags) != 0;
}

BOOL CCommandBarDrawerStyle2::IsRightDockBar(CWnd* pWnd)
{
    return HasWindow(pWnd) && (pWnd->GetStyle() & (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)) != 0;
}

void CCommandBarDrawerStyle2::ReloadMetrics()
{
    CCommandBarDrawer::ReloadMetrics();

    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatus.Open(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, L"STATUS");

    auto c = [this](int n) { return ColorAt(static_cast<COLORREF>(n)); };
    auto blend = [](COLORREF a, COLORREF b, int w) { return CColorTable::BlendColors(a, b, w); };
    SetGradient(m_gradHiddenGutter, blend(c(5), c(42), 550), c(42), 0.5f);
    SetGradient(m_gradToolbar, blend(c(15), c(5), 205), c(15), 0.5f);
    SetGradient(m_gradDock, c(15), blend(c(15), c(5), 205), 0.5f);
    m_clrTearOff.SetStandardValue(c(30));
    m_clrToolbarShadow.SetStandardValue(c(30));
    m_clrCaption.SetStandardValue(c(16));
    SetGradient(m_gradPopped, c(41), blend(c(5), c(15), 550), 0.5f);
    SetGradient(m_gradExpandButton, blend(c(51), c(16), 51), c(16), 0.5f);
    m_bSchemeColors = FALSE;
    SetGradient(m_gradExpandImage, c(41), blend(c(5), c(15), 550), 0.5f);
    m_clrPaneBorder.SetStandardValue(blend(c(15), c(5), 70));
    SetStandardColor(55, GetColorTable()->gradients[1].dark.GetValue());

    ApplySchemeColors(GetEffectiveScheme());
    if (m_bSchemeColors)
    {
        const int slots[] = {58, 60, 35};
        const COLORREF values[] = {kSchemeGreyText, kSchemeGreyText, kSchemeGreyText};
        SetStandardColors(3, slots, values);
    }
    RebuildExpandImage();
}

void CCommandBarDrawerStyle2::ApplySchemeColors(int nScheme)
{
    if (nScheme < 1 || nScheme > 3)
        return;
    struct SchemeSet
    {
        COLORREF dock[2];
        COLORREF toolbar[2];
        float toolbarFactor;
        COLORREF expandButton[2];
        float expandButtonFactor;
        COLORREF expandImage[2];
        COLORREF hiddenGutter[2];
        float hiddenGutterFactor;
        COLORREF popped[2];
        COLORREF disabledIcon[2];
        COLORREF toolbarShadow, caption, paneBorder, tearOff, shadow;
        COLORREF slot12, slot30, slot31, slot32, slot33, slot36, slot38, slot39, slot40, slot41, slot43, slot47,
            slot51, slot52, slot53, slot56;
    };
    static const SchemeSet kSets[3] = {
        {// blue
         {RGB(158, 190, 245), RGB(196, 218, 250)}, {RGB(221, 236, 254), RGB(129, 169, 226)}, 0.75f,
         {RGB(117, 166, 241), RGB(0, 53, 145)}, 0.75f, {RGB(227, 239, 254), RGB(129, 169, 226)},
         {RGB(203, 221, 246), RGB(121, 161, 220)}, 0.5f, {RGB(227, 239, 255), RGB(147, 181, 231)},
         {RGB(233, 236, 242), RGB(97, 122, 172)}, RGB(59, 97, 156), RGB(42, 102, 201), RGB(211, 211, 211),
         RGB(169, 199, 240), RGB(22, 30, 54), RGB(144, 153, 174), RGB(196, 219, 249), RGB(255, 238, 194),
         RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111), RGB(39, 65, 118), RGB(106, 140, 203),
         RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 0), RGB(216, 231, 252),
         RGB(158, 190, 245), RGB(203, 225, 252), RGB(189, 211, 247)},
        {// olive
         {RGB(217, 217, 167), RGB(242, 241, 228)}, {RGB(244, 247, 222), RGB(183, 198, 145)}, 0.3f,
         {RGB(176, 194, 140), RGB(96, 119, 107)}, 0.3f, {RGB(236, 240, 213), RGB(184, 198, 147)},
         {RGB(230, 230, 209), RGB(164, 180, 120)}, 0.3f, {RGB(236, 240, 213), RGB(194, 206, 159)},
         {RGB(243, 244, 240), RGB(131, 144, 113)}, RGB(96, 128, 88), RGB(116, 134, 94), RGB(211, 211, 211),
         RGB(197, 212, 159), RGB(31, 34, 25), RGB(151, 160, 123), RGB(209, 222, 173), RGB(255, 238, 194),
         RGB(63, 93, 56), RGB(254, 128, 62), RGB(255, 192, 111), RGB(81, 94, 51), RGB(96, 128, 88),
         RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94), RGB(0, 0, 0), RGB(226, 231, 191),
         RGB(171, 192, 138), RGB(216, 227, 182), RGB(222, 227, 189)},
        {// silver
         {RGB(215, 215, 229), RGB(243, 243, 247)}, {RGB(249, 249, 255), RGB(156, 155, 183)}, 0.75f,
         {RGB(179, 178, 200), RGB(118, 116, 146)}, 0.75f, {RGB(232, 232, 241), RGB(176, 174, 197)},
         {RGB(215, 215, 226), RGB(133, 131, 162)}, 0.5f, {RGB(233, 231, 241), RGB(186, 185, 205)},
         {RGB(247, 245, 249), RGB(122, 121, 153)}, RGB(124, 124, 148), RGB(122, 121, 153), RGB(236, 234, 218),
         RGB(192, 192, 211), RGB(36, 32, 41), RGB(155, 154, 179), RGB(219, 218, 228), RGB(255, 238, 194),
         RGB(75, 75, 111), RGB(254, 128, 62), RGB(255, 192, 111), RGB(84, 84, 117), RGB(110, 109, 143),
         RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148), RGB(0, 0, 0), RGB(223, 223, 234),
         RGB(177, 176, 195), RGB(214, 211, 231), RGB(214, 215, 231)},
    };
    const SchemeSet& s = kSets[nScheme - 1];
    SetGradient(m_gradDock, s.dock[0], s.dock[1], 0.5f);
    SetGradient(m_gradToolbar, s.toolbar[0], s.toolbar[1], s.toolbarFactor);
    SetGradient(m_gradExpandButton, s.expandButton[0], s.expandButton[1], s.expandButtonFactor);
    SetGradient(m_gradExpandImage, s.expandImage[0], s.expandImage[1], 0.5f);
    SetGradient(m_gradHiddenGutter, s.hiddenGutter[0], s.hiddenGutter[1], s.hiddenGutterFactor);
    SetGradient(m_gradPopped, s.popped[0], s.popped[1], 0.5f);
    SetGradient(m_gradDisabledIcon, s.disabledIcon[0], s.disabledIcon[1], 0.5f);
    m_clrToolbarShadow.SetStandardValue(s.toolbarShadow);
    m_clrCaption.SetStandardValue(s.caption);
    m_clrPaneBorder.SetStandardValue(s.paneBorder);
    m_clrTearOff.SetStandardValue(s.tearOff);
    m_clrShadow = s.shadow;
    const int slots[] = {12, 30, 31, 32, 37, 50, 33, 36, 38, 39, 40, 41, 43, 47, 51, 52, 53, 56};
    const COLORREF values[] = {s.slot12, s.slot30, s.slot31, s.slot32, s.slot32, s.slot32,
                               s.slot33, s.slot36, s.slot38, s.slot39, s.slot40, s.slot41,
                               s.slot43, s.slot47, s.slot51, s.slot52, s.slot53, s.slot56};
    SetStandardColors(static_cast<int>(std::size(slots)), slots, values);
    m_bSchemeColors = TRUE;
}

void CCommandBarDrawerStyle2::RebuildExpandImage()
{
    m_ilExpand.DeleteImageList();
    const COLORREF clrLight = m_gradExpandImage.light.GetValue();
    const COLORREF clrDark = m_gradExpandImage.dark.GetValue();
    auto channel = [](int dark, int light, int h) { return dark - h * (dark - light) / 255; };

    HDC hScreen = ::GetDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(hScreen, 16, 16));
    {
        CBitmapDC dc(hScreen, static_cast<HBITMAP>(bitmap.m_hObject));
        for (int i = 0; i < 256; ++i)
        {
            const int h = kExpandShading[i];
            const COLORREF clr =
                h == 255 ? kMaskGreen
                         : RGB(channel(GetRValue(clrDark), GetRValue(clrLight), h),
                               channel(GetGValue(clrDark), GetGValue(clrLight), h),
                               channel(GetBValue(clrDark), GetBValue(clrLight), h));
            dc.SetPixelV(i / 16, i % 16, clr);
        }
    }
    ::ReleaseDC(nullptr, hScreen);
    if (m_ilExpand.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0))
        m_ilExpand.Add(&bitmap, kMaskGreen);
}

void CCommandBarDrawerStyle2::FillRamp(CDC* pDC, const CRect& rcRamp, const CRect& rcClip)
{
    const int nWidth = std::max<int>(rcRamp.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    const CRect rcFill(rcRamp.left, rcRamp.top, rcRamp.left + nWidth, rcRamp.bottom);
    CDrawTools::FillStyleGradient(pDC, rcFill, m_gradDock, TRUE, rcClip);
}

void CCommandBarDrawerStyle2::PaintDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    const CRect rc = ClientRectOf(pDockBar);
    if (IsRightDockBar(pDockBar))
        pDC->FillSolidRect(rc, m_gradDock.dark.GetValue());
    else
        FillRamp(pDC, rc, rc);
}

void CCommandBarDrawerStyle2::FillParentRamp(CDC* pDC, CKitCommandBar* pBar, const CRect& rcClient)
{
    CWnd* pParent = HasWindow(pBar) ? pBar->GetParent() : nullptr;
    if (!HasWindow(pParent))
        return;
    CRect rcParent;
    pParent->GetClientRect(&rcParent);
    ::MapWindowPoints(pParent->m_hWnd, pBar->m_hWnd, reinterpret_cast<POINT*>(&rcParent), 2);
    FillRamp(pDC, rcParent, rcClient);
}

void CCommandBarDrawerStyle2::PaintBarBackground(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = ClientRectOf(pBar);
    const int nPosition = pBar->GetPosition();
    CKitControl* pLast = pBar->GetControls()->GetLastVisible();

    if (pBar->GetType() == kBarTypeMenuBar)
    {
        FillRamp(pDC, rc, rc);
        if (nPosition == kBarFloating)
        {
            CRect rcFrame = rc;
            FillAndFrame(pDC, rcFrame, 43, -1);
            rcFrame.DeflateRect(1, 1);
            FillAndFrame(pDC, rcFrame, 43, -1);
            const COLORREF clr = ColorAt(43);
            for (const POINT& pt : {POINT{2, 2}, POINT{rc.right - 2, 2}, POINT{2, rc.bottom - 2},
                                    POINT{rc.right - 2, rc.bottom - 2}})
                pDC->SetPixel(pt.x, pt.y, clr);
        }
        return;
    }

    if (nPosition == kBarTop || nPosition == kBarBottom)
    {
        FillSolid(pDC, rc, 15);
        FillParentRamp(pDC, pBar, rc);
        CSavedDC saved(pDC);
        pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 3, rc.bottom);
        const CRect rcCorners(rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
        CDrawTools::ExcludeCorners(pDC, rcCorners);
        const int b = pLast != nullptr ? pLast->GetRowRect().bottom + 1 : rc.bottom;
        CDrawTools::FillStyleGradient(pDC, CRect(rc.left, rc.top + 1, rc.right, b), m_gradToolbar, FALSE);
        if (b < rc.bottom - 1)
            pDC->FillSolidRect(CRect(rc.left, b, rc.right, rc.bottom - 1), m_gradToolbar.dark.GetValue());
        pDC->FillSolidRect(CRect(rc.left + 5, rc.bottom - 1, rc.left + 5 + rc.Width() - 7, rc.bottom),
                  m_clrToolbarShadow.GetValue());
        return;
    }

    if (nPosition == kBarLeft || nPosition == kBarRight)
    {
        FillSolid(pDC, rc, 15);
        CWnd* pParent = HasWindow(pBar) ? pBar->GetParent() : nullptr;
        if (IsRightDockBar(pParent))
            pDC->FillSolidRect(rc, m_gradDock.dark.GetValue());
        else
            FillParentRamp(pDC, pBar, rc);
        CSavedDC saved(pDC);
        pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.top + 3);
        CDrawTools::ExcludeCorners(pDC, CRect(rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom));
        const int r = pLast != nullptr ? pLast->GetRowRect().right + 1 : rc.right;
        CDrawTools::FillStyleGradient(pDC, CRect(rc.left + 1, rc.top, r, rc.bottom), m_gradToolbar, TRUE);
        pDC->FillSolidRect(CRect(rc.right - 1, rc.top + 5, rc.right, rc.top + 5 + rc.Height() - 7),
                  m_clrToolbarShadow.GetValue());
        return;
    }

    if (nPosition == kBarFloating && IsDockableToolbar(pBar))
    {
        FillSolid(pDC, rc, 30);
        CRect rcFrame = rc;
        FillAndFrame(pDC, rcFrame, 43, -1);
        rcFrame.DeflateRect(1, 1);
        FillAndFrame(pDC, rcFrame, 43, -1);
        int nBand;
        {
            CFontSelector font(pDC, &m_fontCaption);
            nBand = std::max<int>(15, pDC->GetTextExtent(CString(L" ")).cy);
        }
        const CRect rcBody(rc.left + 2, rc.top + nBand + 2, rc.right - 2, rc.bottom - 2);
        int nTop = rcBody.top;
        CKitControls* pControls = pBar->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
        {
            CKitControl* pControl = pControls->GetAt(i);
            if (!pControl->IsVisible() || !pControl->GetRowBreak() || pControl->GetRowRect().top <= nTop)
                continue;
            CDrawTools::FillStyleGradient(pDC, CRect(rcBody.left, nTop, rcBody.right, pControl->GetRowRect().top),
                                          m_gradToolbar, FALSE);
            nTop = pControl->GetRowRect().top;
        }
        CDrawTools::FillStyleGradient(pDC, CRect(rcBody.left, nTop, rcBody.right, rcBody.bottom), m_gradToolbar,
                                      FALSE);
        const COLORREF clr = ColorAt(43);
        for (const POINT& pt : {POINT{2, 2}, POINT{rc.right - 2, 2}, POINT{2, rc.bottom - 2},
                                POINT{rc.right - 2, rc.bottom - 2}})
            pDC->SetPixel(pt.x, pt.y, clr);
        return;
    }

    if (nPosition == kBarPopup)
    {
        FillAndFrame(pDC, rc, 43, 41);
        if (pBar->GetType() == kBarTypePopup)
        {
            FillPopupGutter(pDC, 1, 2, GetPopupGutterWidth(pBar), rc.Height() - 4, FALSE);
            FillPopupOverlap(pDC, pBar, 41);
        }
        return;
    }
    CCommandBarDrawerStyle1::PaintBarBackground(pDC, pBar);
}

void CCommandBarDrawerStyle2::FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bHiddenItem)
{
    CDrawTools::FillStyleGradient(pDC, CRect(x, y, x + cx, y + cy), bHiddenItem ? m_gradHiddenGutter : m_gradToolbar,
                                  TRUE);
}

void CCommandBarDrawerStyle2::DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                            BOOL bChecked, BOOL bPopped, BOOL bOnToolbar, int nBarPosition)
{
    if (bPopped)
    {
        CDrawTools::FillStyleGradient(pDC, rc, m_gradPopped, FALSE);
        FillAndFrame(pDC, rc, 43, -1);
        return;
    }
    const BOOL bVerticalFill = nBarPosition == kBarTop || nBarPosition == kBarBottom || nBarPosition == kBarFloating;
    const BOOL bHorizontalFill = nBarPosition == kBarLeft || nBarPosition == kBarRight;
    if (!m_bSchemeColors || !bOnToolbar || (!bVerticalFill && !bHorizontalFill))
    {
        CCommandBarDrawerStyle1::DrawStateRect(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopped, bOnToolbar,
                                               nBarPosition);
        return;
    }

    const CStyleGradient* pGradient = nullptr;
    int nFrame = -1;
    if (bEnabled)
    {
        if (bChecked && !nSelected && !nPressed)
            pGradient = &m_gradCheckedHighlight, nFrame = 50;
        else if (bChecked && nSelected && !nPressed)
            pGradient = &m_gradPressedHighlight, nFrame = 50;
        else if (nPressed == kPressedExecuted || (nSelected && nPressed == kPressedInClickLoop))
            pGradient = &m_gradPressedHighlight, nFrame = 50;
        else if ((nSelected && !nPressed) || (!nSelected && nPressed == kPressedInClickLoop))
            pGradient = &m_gradHotHighlight, nFrame = 32;
    }
    else if (nSelected == kSelectedByKeyboard)
        pGradient = bChecked ? &m_gradPressedHighlight : &m_gradHotHighlight, nFrame = 50;
    else if (bChecked)
        pGradient = &m_gradCheckedHighlight, nFrame = 58;
    if (pGradient == nullptr)
        return;
    CDrawTools::GradientFillClipped(pDC, rc, pGradient->light.GetValue(), pGradient->dark.GetValue(),
                                    bHorizontalFill);
    FillAndFrame(pDC, rc, nFrame, -1);
}

CSize CCommandBarDrawerStyle2::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                                  BOOL bDraw, void* pExtent)
{
    if (nKind == kSpecialToolbarExpand)
    {
        const BOOL bAlongSide = pBar->IsVertical() || pBar->GetPosition() == kBarPopup;
        if (!bDraw)
        {
            const CSize szBar = *static_cast<const CSize*>(pExtent);
            pControl->m_rcControl = bAlongSide ? CRect(0, szBar.cy - 12, szBar.cx, szBar.cy)
                                               : CRect(szBar.cx - 12, 1, szBar.cx, szBar.cy);
            return CSize(0, 0);
        }
        const BOOL bHidden = pExtent != nullptr && *static_cast<const BOOL*>(pExtent);
        const CRect rc = pControl->GetRect();
        CSavedDC saved(pDC);
        // Rounded on the free end, joined to the bar on the other.
        if (bAlongSide)
        {
            pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left + 1, rc.top, rc.right - 1, rc.top + 1);
        }
        else
        {
            pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
            pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
            pDC->ExcludeClipRect(rc.left, rc.top + 1, rc.left + 1, rc.bottom - 1);
        }
        const BOOL bPopped = pControl->GetPopped();
        const BOOL bSelected = pControl->GetSelected() != kNotSelected;
        if (bPopped)
        {
            if (m_bSchemeColors)
                CDrawTools::GradientFillClipped(pDC, rc, m_gradPressedHighlight.light.GetValue(),
                                                m_gradPressedHighlight.dark.GetValue(), bAlongSide);
            else
                FillSolid(pDC, rc, 36);
        }
        else if (bSelected)
        {
            if (m_bSchemeColors)
                CDrawTools::GradientFillClipped(pDC, rc, m_gradHotHighlight.light.GetValue(),
                                                m_gradHotHighlight.dark.GetValue(), bAlongSide);
            else
                FillSolid(pDC, rc, 31);
        }
        else
            CDrawTools::FillStyleGradient(pDC, rc, m_gradExpandButton, bAlongSide);

        const COLORREF clrGlyph = ColorAt(bSelected && !bPopped ? 45 : 46);
        for (int pass = 0; pass < 2; ++pass)
        {
            const int d = pass == 0 ? 1 : 0;
            const COLORREF clr = pass == 0 ? ColorAt(20) : clrGlyph;
            if (!bAlongSide)
            {
                const int m = (rc.left + rc.right) / 2 + d;
                const int bottom = rc.bottom + d;
                const int left = rc.left + d;
                const int top = rc.top + d;
                pDC->FillSolidRect(CRect(m - 2, bottom - 10, m + 3, bottom - 9), clr);
                FillTriangleLiteral(pDC, {m - 2, bottom - 7}, {m + 2, bottom - 7}, {m, bottom - 5}, clr);
                if (bHidden)
                {
                    FillTriangleLiteral(pDC, {left + 3, top + 5}, {left + 4, top + 6}, {left + 3, top + 7}, clr);
                    FillTriangleLiteral(pDC, {left + 7, top + 5}, {left + 8, top + 6}, {left + 7, top + 7}, clr);
                }
            }
            else
            {
                const int c = (rc.top + rc.bottom) / 2 + d;
                const int right = rc.right + d;
                const int left = rc.left + d;
                const int top = rc.top + d;
                pDC->FillSolidRect(CRect(right - 10, c - 2, right - 9, c + 3), clr);
                FillTriangleLiteral(pDC, {right - 5, c}, {right - 7, c - 2}, {right - 7, c + 2}, clr);
                if (bHidden)
                {
                    FillTriangleLiteral(pDC, {left + 5, top + 3}, {left + 6, top + 4}, {left + 7, top + 3}, clr);
                    FillTriangleLiteral(pDC, {left + 5, top + 7}, {left + 6, top + 8}, {left + 7, top + 7}, clr);
                }
            }
        }
        return CSize(0, 0);
    }
    if (nKind == kSpecialPopupExpand)
    {
        if (bDraw)
        {
            FillControlBackground(pDC, pControl);
            const CRect rc = pControl->GetRect();
            const int m = (rc.left + rc.right) / 2;
            if (m_ilExpand.m_hImageList != nullptr)
                ImageList_Draw(m_ilExpand.m_hImageList, 0, pDC->m_hDC, m - 7, rc.top + 1, ILD_TRANSPARENT);
            // The chevrons take the state's text colour, not whatever pen the
            // DC happens to hold.
            CPenSelector pen(pDC->m_hDC, ::GetTextColor(pDC->m_hDC));
            for (int y : {rc.top + 5, rc.top + 6, rc.top + 9, rc.top + 10})
            {
                const POINT pts[3] = {{m - 2, y}, {m, y + 2}, {m + 3, y - 1}};
                pDC->Polyline(pts, 3);
            }
        }
        return CSize(0, 18);
    }
    return CCommandBarDrawerStyle1::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, pExtent);
}

CRect CCommandBarDrawerStyle2::GetBarBorders(CKitCommandBar* pBar)
{
    const int nPosition = pBar != nullptr ? pBar->GetPosition() : kBarPopup;
    return nPosition == kBarTop || nPosition == kBarBottom ? CRect(4, 2, 2, 2) : CRect(2, 2, 2, 2);
}

CSize CCommandBarDrawerStyle2::DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    const CRect rc = ClientRectOf(pBar);
    switch (pBar->GetPosition())
    {
    case kBarTop:
    case kBarBottom:
        if (bDraw)
            for (int y = 8; y - 3 < rc.Height() - 8; y += 4)
            {
                FillSolid(pDC, CRect(6, y - 2, 8, y), 20);
                FillSolid(pDC, CRect(5, y - 3, 7, y - 1), 38);
            }
        return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw)
            for (int x = 8; x - 3 < rc.Width() - 8; x += 4)
            {
                FillSolid(pDC, CRect(x - 2, 7, x, 9), 20);
                FillSolid(pDC, CRect(x - 3, 6, x - 1, 8), 38);
            }
        return CSize(0, 9);
    case kBarFloating:
        return DrawFloatingCaption(pDC, pBar, bDraw, m_clrCaption.GetValue());
    default:
        return CSize(0, 0);
    }
}

CSize CCommandBarDrawerStyle2::DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = std::max<int>(25, m_nTextHeight + 6);
    if (bDraw)
    {
        CRect rc = ClientRectOf(pBar);
        rc.DeflateRect(3, 3);
        const int nTop = rc.top;
        CDrawTools::FillStyleGradient(pDC, CRect(rc.left, nTop, rc.right, nTop + nHeight), m_gradToolbar, FALSE);
        for (int y = nTop + 4; y < nTop + nHeight - 5; y += 4)
        {
            FillSolid(pDC, CRect(6, y + 1, 8, y + 3), 20);
            FillSolid(pDC, CRect(5, y, 7, y + 2), 38);
        }
    }
    return CSize(8, nHeight);
}

CSize CCommandBarDrawerStyle2::DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    if (!bDraw)
        return nPosition == kBarFloating ? CSize(6, 0)
                                         : CCommandBarDrawerStyle1::DrawSeparator(pDC, pBar, pControl, FALSE);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    auto line = [&](int x1, int y1, int x2, int y2, int hx1, int hy1, int hx2, int hy2) {
        DrawLine(pDC, x1, y1, x2, y2, 39);
        if (!m_bFlatSeparators)
            DrawLine(pDC, hx1, hy1, hx2, hy2, 20);
    };
    if (nPosition == kBarLeft || nPosition == kBarRight)
    {
        if (pControl->GetRowBreak())
            line(rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom, rcRow.right + 3, rcRow.top + 5,
                 rcRow.right + 3, rcRow.bottom);
        else
            line(rcRow.left + 4, rcControl.top - 4, rcRow.right - 4, rcControl.top - 4, rcRow.left + 5,
                 rcControl.top - 3, rcRow.right - 3, rcControl.top - 3);
        return CSize(0, 0);
    }
    if (nPosition == kBarTop || nPosition == kBarBottom || nPosition == kBarFloating)
    {
        if (pControl->GetRowBreak())
        {
            if (nPosition != kBarFloating)
                line(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4, rcRow.left + 5, rcRow.top - 3,
                     rcRow.right, rcRow.top - 3);
        }
        else
            line(rcControl.left - 4, rcRow.top + 4, rcControl.left - 4, rcRow.bottom - 4, rcControl.left - 3,
                 rcRow.top + 5, rcControl.left - 3, rcRow.bottom - 3);
        return CSize(0, 0);
    }
    return CCommandBarDrawerStyle1::DrawSeparator(pDC, pBar, pControl, TRUE);
}

void CCommandBarDrawerStyle2::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL)
{
    pDC->Draw3dRect(rc, m_clrPaneBorder.GetValue(), m_clrPaneBorder.GetValue());
}

void CCommandBarDrawerStyle2::DrawStatusBarGripper(CDC* pDC, CRect rc)
{
    if (m_themeStatus.IsOpen() && m_themeStatus.IsAppThemed())
    {
        const CRect rcGripper(rc.right - 18, rc.top, rc.right, rc.bottom);
        m_themeStatus.DrawBackground(pDC->m_hDC, 3, 0, &rcGripper, nullptr);
        return;
    }
    const int W = rc.Width();
    const int H = rc.Height();
    {
        CPenSelector pen(pDC->m_hDC, ColorAt(16));
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                DrawLine(pDC, W - 5 * k - j, H - 1, W, H - 5 * k - 1 - j);
    }
    CPenSelector pen(pDC->m_hDC, ColorAt(20));
    for (int k = 0; k < 3; ++k)
        DrawLine(pDC, W - 3 - 5 * k, H - 1, W, H - 4 - 5 * k);
}

CSize CCommandBarDrawerStyle2::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
    {
        FillSolid(pDC, CRect(1, 1, rc.right + 1, rc.Height() + 1), 41);
        CRect rcHandle = rc;
        rcHandle.DeflateRect(1, 1);
        if (bSelected)
            FillAndFrame(pDC, rcHandle, 32, 31);
        else
            pDC->FillSolidRect(rcHandle, m_clrTearOff.GetValue());
        const int m = (rc.left + rc.right) / 2;
        const int k = rc.Width() / 2 > 42 ? 32 : rc.Width() / 2 - 10;
        for (int x = m - k + 3; k > 0 && x - 3 < m + k; x += 4)
        {
            FillSolid(pDC, CRect(x - 2, 5, x, 7), 20);
            FillSolid(pDC, CRect(x - 3, 4, x - 1, 6), 38);
        }
    }
    return CSize(0, 9);
}
