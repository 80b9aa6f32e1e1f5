#include "CCommandBarDrawer.h"

#include "CCommandBarDrawerDefaultStyle.h"
#include "CCommandBarDrawerStyle1.h"
#include "CCommandBarDrawerStyle2.h"
#include "CCommandBarDrawerStyle3.h"
#include "CCommandBarDrawerStyle4.h"
#include "FoundationLinks.h"

#include <algorithm>
#include <cstdlib>

CNonClientMetrics::CNonClientMetrics() : NONCLIENTMETRICSW{}
{
    // The record without iPaddedBorderWidth, as systems before Vista know it.
    constexpr UINT kLegacySize = 500;
    cbSize = kLegacySize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kLegacySize, this, 0);
}

CCommandBarDrawer::CCommandBarDrawer()
{
    // Pictures derived under the previous style (faded, shadow, disabled) are
    // made again under this one.
    RefreshCommandIcons();
}

CCommandBarDrawer::~CCommandBarDrawer() = default;

COLORREF CCommandBarDrawer::ColorAt(COLORREF nSlot) const
{
    if (nSlot >= static_cast<COLORREF>(kSlotCount))
        return nSlot;
    return m_colors[nSlot].GetValue();
}

void CCommandBarDrawer::SetStandardColors(int nCount, const int* pSlots, const COLORREF* pValues)
{
    for (int i = 0; i < nCount; ++i)
        if (pSlots[i] >= 0 && pSlots[i] < kSlotCount)
            m_colors[pSlots[i]].SetStandardValue(pValues[i]);
}

void CCommandBarDrawer::SetCustomColor(int nSlot, COLORREF clr)
{
    if (nSlot >= 0 && nSlot < kSlotCount)
        m_colors[nSlot].SetCustomValue(clr);
}

int CCommandBarDrawer::GetEffectiveScheme() const
{
    CColorTable& table = *GetColorTable();
    if (m_nSchemeSetting == 5)
        return table.AreLunaColorsDisabled() ? 0 : table.GetLunaScheme();
    if (m_nSchemeSetting == 4)
        return table.detectedScheme;
    return m_nSchemeSetting;
}

BOOL CCommandBarDrawer::ShowMnemonics(BOOL bBarAsks) const
{
    if (m_nKeyboardCueOverride == 0 || m_nKeyboardCueOverride == 1)
        return m_nKeyboardCueOverride;
    return bBarAsks;
}

CRect CCommandBarDrawer::ClientRectOf(const CWnd* pWnd)
{
    CRect rc;
    if (HasWindow(pWnd))
        pWnd->GetClientRect(&rc);
    return rc;
}

void CCommandBarDrawer::ReloadMetrics()
{
    ReloadFonts();
    RefreshColorTable();
    CColorTable& table = *GetColorTable();
    for (int i = 0; i < kSlotCount; ++i)
        m_colors[i].SetStandardValue(table.GetColor(static_cast<COLORREF>(i)));
    m_clrShadow = 0;
    m_clrStatusText = ColorAt(18);
    m_gradDisabledIcon.SetStandardValue(ColorAt(15), ColorAt(16), 0.5f);
}

void CCommandBarDrawer::ReloadFonts()
{
    CNonClientMetrics ncm;
    if (m_bFollowSystemFont)
    {
        LOGFONTW lf{};
        HDC hScreen = ::GetDC(nullptr);
        lf.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreen, nullptr, 0));
        ::ReleaseDC(nullptr, hScreen);
        lf.lfHeight = ncm.lfMenuFont.lfHeight;
        // Menu fonts smaller than 11 pixels are unreadable on bars.
        if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
            lf.lfHeight = -11;
        lf.lfWeight = ncm.lfMenuFont.lfWeight;
        lf.lfItalic = ncm.lfMenuFont.lfItalic;
        wcsncpy(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE - 1);
        SetFonts(&lf, TRUE);
    }

    auto recreate = [](CAutoFont& font, const LOGFONTW& lf) {
        if (!font.m_bFollowSystem && font.m_hObject != nullptr)
            return;
        font.DeleteObject();
        font.CreateFontIndirect(&lf);
    };
    recreate(m_fontCaption, ncm.lfSmCaptionFont);
    LOGFONTW lfIcon{};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), &lfIcon, 0);
    recreate(m_fontField, lfIcon);
    lfIcon.lfWeight = FW_BOLD;
    recreate(m_fontFieldBold, lfIcon);
}

void CCommandBarDrawer::SetFonts(const LOGFONTW* pLogFont, BOOL bSystemFont)
{
    m_bFollowSystemFont = bSystemFont;
    if (pLogFont == nullptr)
        return;

    m_fontNormal.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVertical.DeleteObject();
    m_fontVerticalBold.DeleteObject();
    m_fontFieldBold.DeleteObject();

    LOGFONTW lf = *pLogFont;
    if (_wcsicmp(lf.lfFaceName, L"Tahoma") == 0)
        m_bPreferredFace = TRUE;
    if (lf.lfCharSet <= 2 && bSystemFont && m_bPreferredFace && FontExists(L"Tahoma"))
        wcscpy(lf.lfFaceName, L"Tahoma");

    m_fontNormal.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lfBold);

    LOGFONTW lfVertical = lf;
    lfVertical.lfEscapement = 2700;
    lfVertical.lfOrientation = 900;
    CString strFace = GetDefaultFontFace(m_bPreferredFace);
    wcsncpy(lfVertical.lfFaceName, strFace, LF_FACESIZE - 1);
    lfVertical.lfFaceName[LF_FACESIZE - 1] = 0;
    m_fontVertical.CreateFontIndirect(&lfVertical);
    lfVertical.lfWeight = FW_BOLD;
    m_fontVerticalBold.CreateFontIndirect(&lfVertical);

    HDC hScreen = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hScreen, m_fontNormal.m_hObject);
    SIZE szSpace{};
    ::GetTextExtentPoint32W(hScreen, L" ", 1, &szSpace);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    m_nTextHeight = szSpace.cy + 6;
}

BOOL CCommandBarDrawer::DrawsOwnShadows() { return FALSE; }

CRect CCommandBarDrawer::GetBarBorders(CKitCommandBar*) { return CRect(2, 2, 2, 2); }

CFont* CCommandBarDrawer::FontForControl(CKitCommandBar* pBar, BOOL bBold)
{
    if (pBar != nullptr && pBar->IsVertical())
        return bBold ? &m_fontVerticalBold : &m_fontVertical;
    return bBold ? &m_fontBold : &m_fontNormal;
}

void CCommandBarDrawer::AdjustRightToLeftText(CString&) {}

void CCommandBarDrawer::FillControlBackground(CDC* pDC, CKitControl* pControl)
{
    const BOOL bPopped = pControl->IsPopupControl() && pControl->GetPopped();
    const int nPosition = pControl->GetParent() != nullptr ? pControl->GetParent()->GetPosition() : kBarTop;
    FillControlState(pDC, pControl->GetRect(), pControl->GetEnabled(), pControl->GetSelected(),
                     pControl->GetPressed(), pControl->GetChecked(), bPopped, nPosition);
}

CSize CCommandBarDrawer::DrawControlDispatch(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    switch (pControl->GetType())
    {
    case kControlEdit:
        return DrawEditControl(pDC, pControl, bDraw);
    case kControlComboBox:
        return DrawComboBoxControl(pDC, pControl, bDraw);
    default:
        if (pControl->GetParent() != nullptr && pControl->GetParent()->GetType() == kBarTypePopup)
            return DrawControlOnPopup(pDC, pControl, bDraw);
        return DrawControlOnToolbar(pDC, pControl, bDraw);
    }
}

void CCommandBarDrawer::PaintDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    FillSolid(pDC, ClientRectOf(pDockBar), 15);
}

void CCommandBarDrawer::PaintStatusBarBackground(CDC* pDC, CWnd* pStatusBar)
{
    FillSolid(pDC, ClientRectOf(pStatusBar), 15);
}

void CCommandBarDrawer::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL)
{
    Draw3dFrame(pDC, rc, 16, 20);
}

CSize CCommandBarDrawer::DrawFloatingCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw, COLORREF clrBand)
{
    const CRect rcClient = ClientRectOf(pBar);
    CFontSelector font(pDC, &m_fontCaption);
    const int cy = pDC->GetTextExtent(CString(L" ")).cy;
    const int b = cy < 15 ? 18 : cy + 3;
    const CRect rcBand(3, 3, rcClient.Width() - 3, b);
    if (bDraw)
    {
        pDC->FillSolidRect(rcBand, clrBand);
        pDC->SetTextColor(ColorAt(20));
        pDC->SetBkMode(TRANSPARENT);
        // Room is left for the close and options buttons.
        CRect rcTitle(5, 3, rcClient.Width() - 3 - 2 * rcBand.Height(), b);
        pDC->DrawText(pBar->GetTitle(), &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    return rcBand.Size();
}

CCommandBarDrawer::CItemText CCommandBarDrawer::PrepareItemText(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CItemText text;
    text.strCaption = pControl->GetCaption();
    text.bRightToLeft = HasWindow(pBar) && (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (text.bRightToLeft && pBar->GetType() == kBarTypePopup)
        AdjustRightToLeftText(text.strCaption);
    if (pControl->GetType() == kControlButton)
        text.strShortcut = pControl->GetShortcutText();
    if (!ShowMnemonics(pBar == nullptr || pBar->IsKeyboardCuesVisible()))
    {
        text.strCaption = StrippedText(text.strCaption);
        text.nPrefix = DT_NOPREFIX;
    }
    return text;
}

void CCommandBarDrawer::DrawDisabledImage(CDC* pDC, CCommandIcon* pIcon, int x, int y, int cx, int cy)
{
    if (m_bGenerateDisabledIcons && !HasOwnDisabledImage(pIcon))
        GenerateDisabledImage(pIcon, m_gradDisabledIcon.light.GetValue(), m_gradDisabledIcon.dark.GetValue());
    DrawIconImage(pDC, pIcon, IconImage::Disabled, x, y, cx, cy);
}

int CCommandBarDrawer::DrawCommandListText(CDC* pDC, CKitControl* pControl, const CRect& rc, int nTextLeft,
                                           COLORREF clrText, int nSplitSlot)
{
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    const CString strCaption = StrippedText(pControl->GetCaption());
    CRect rcText(nTextLeft, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, &rcText, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    if (pControl->IsPopupControl())
    {
        const int m = (rc.top + rc.bottom) / 2;
        FillTriangleLiteral(pDC, {rc.right - 7, m}, {rc.right - 12, m - 5}, {rc.right - 12, m + 5}, clrText);
        if (pControl->GetType() == kControlSplitButtonPopup)
            DrawLine(pDC, rc.right - 20, rc.top, rc.right - 20, rc.bottom, static_cast<COLORREF>(nSplitSlot));
    }
    return pDC->GetTextExtent(strCaption).cx;
}

CSize CCommandBarDrawer::MeasureFieldControl(CDC* pDC, CKitControl* pControl, BOOL bCombo, int nPopupLabelExtra)
{
    CKitCommandBar* pBar = pControl->GetParent();
    const BOOL bOnPopup = pBar != nullptr && pBar->GetType() == kBarTypePopup;
    CSize szSpaceField;
    TEXTMETRICW tmField{};
    {
        CFontSelector font(pDC, &m_fontField);
        szSpaceField = pDC->GetTextExtent(CString(L" "));
        pDC->GetTextMetrics(&tmField);
    }
    CFontSelector font(pDC, &m_fontNormal);
    const CSize szSpaceNormal = pDC->GetTextExtent(CString(L" "));
    const int h = std::max(szSpaceField.cy, szSpaceNormal.cy) + 1;

    if (bCombo)
    {
        const int nButton = std::max<int>(15, 2 * tmField.tmAveCharWidth + 4);
        if (nButton != pControl->m_nButtonWidth)
        {
            pControl->m_nButtonWidth = nButton;
            pControl->DelayLayoutParent();
        }
    }
    const int nCaption = pDC->GetTextExtent(StrippedText(pControl->GetCaption())).cx;
    int nLabel = 0;
    if (bOnPopup)
        nLabel = nCaption + nPopupLabelExtra;
    else if (pControl->IsLabelShown())
        nLabel = nCaption + 5;
    if (nLabel != pControl->m_nLabelWidth)
    {
        pControl->m_nLabelWidth = nLabel;
        pControl->DelayLayoutParent();
    }
    return bOnPopup ? CSize(pControl->m_nFieldWidth + nLabel, h + 7) : CSize(pControl->m_nFieldWidth, h + 7);
}

// Primitives.

void CCommandBarDrawer::FillTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr)
{
    FillTriangleLiteral(pDC, pt0, pt1, pt2, ColorAt(clr));
}

void CCommandBarDrawer::FillTriangleLiteral(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr)
{
    CPenSelector pen(pDC->m_hDC, clr);
    CBrushSelector brush(pDC->m_hDC, clr);
    const POINT pts[3] = {pt0, pt1, pt2};
    pDC->Polygon(pts, 3);
}

void CCommandBarDrawer::FillAndFrame(CDC* pDC, const CRect& rc, int nFrameSlot, int nFillSlot)
{
    if (rc.IsRectEmpty())
        return;
    if (nFillSlot != -1)
        pDC->FillSolidRect(rc, ColorAt(static_cast<COLORREF>(nFillSlot)));
    if (nFrameSlot != nFillSlot && nFrameSlot != -1)
    {
        const COLORREF clr = ColorAt(static_cast<COLORREF>(nFrameSlot));
        pDC->Draw3dRect(rc, clr, clr);
    }
}

void CCommandBarDrawer::Draw3dFrame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(rc, ColorAt(clrTopLeft), ColorAt(clrBottomRight));
}

void CCommandBarDrawer::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CPenSelector pen(pDC->m_hDC, ColorAt(clr));
    DrawLine(pDC, x1, y1, x2, y2);
}

void CCommandBarDrawer::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// The process-wide drawer.

namespace
{
CCommandBarDrawer* g_pCommandBarDrawer = nullptr;

struct ReleaseAtExit
{
    ReleaseAtExit() { std::atexit(ReleaseCommandBarDrawer); }
} g_releaseAtExit;
} // namespace

CCommandBarDrawer* CreateCommandBarDrawer(int nStyle)
{
    CCommandBarDrawer* pDrawer = nullptr;
    switch (nStyle)
    {
    case 1: pDrawer = new CCommandBarDrawerStyle1; break;
    case 2: pDrawer = new CCommandBarDrawerStyle2; break;
    case 3: pDrawer = new CCommandBarDrawerStyle3; break;
    case 4: pDrawer = new CCommandBarDrawerStyle4; break;
    default: pDrawer = new CCommandBarDrawerDefaultStyle; break;
    }
    pDrawer->SetStyleNumber(nStyle);
    return pDrawer;
}

void InstallCustomCommandBarDrawer(CCommandBarDrawer* pDrawer)
{
    if (g_pCommandBarDrawer != nullptr)
        g_pCommandBarDrawer->InternalRelease();
    g_pCommandBarDrawer = pDrawer;
    if (pDrawer != nullptr)
    {
        pDrawer->SetStyleNumber(5);
        pDrawer->ReloadMetrics();
    }
}

void SelectCommandBarDrawingStyle(int nStyle)
{
    InstallCustomCommandBarDrawer(CreateCommandBarDrawer(nStyle));
    g_pCommandBarDrawer->SetStyleNumber(nStyle);
}

void ReleaseCommandBarDrawer()
{
    if (g_pCommandBarDrawer != nullptr)
        g_pCommandBarDrawer->InternalRelease();
    g_pCommandBarDrawer = nullptr;
}

CCommandBarDrawer* GetCommandBarDrawer()
{
    if (g_pCommandBarDrawer == nullptr)
        SelectCommandBarDrawingStyle(0);
    return g_pCommandBarDrawer;
}
