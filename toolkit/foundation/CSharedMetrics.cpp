#include "CSharedMetrics.h"

#include "CColorTable.h"
#include "CToolkitResources.h"
#include "CVisualStyleData.h"
#include "PlatformQueries.h"

CSharedMetrics::CSharedMetrics()
{
    m_bWin95 = IsWin95();
    m_bWin98 = IsWin98();
    m_bWinNT4 = IsWinNT4();
    m_bWin2000 = IsWin2000();
    m_bWinXP = IsWinXP();
    GetComCtlVersion();
    ReadColors();
    ReadSizes();
    LoadCursors();
    CreateFonts();
}

CSharedMetrics::~CSharedMetrics()
{
    DeleteFonts();
}

int CSharedMetrics::GetComCtlVersion()
{
    if (m_comCtlVersion == -1) {
        const DWORD version = QueryDllVersion(L"COMCTL32.DLL");
        if (version)
            m_comCtlVersion = static_cast<int>(version);
    }
    return m_comCtlVersion == -1 ? 0 : m_comCtlVersion;
}

void CSharedMetrics::ReadColors()
{
    RefreshColorTable();
    CColorTable* pTable = GetColorTable();
    m_clrBtnFace = pTable->GetColor(COLOR_BTNFACE);
    m_clrBtnShadow = pTable->GetColor(COLOR_BTNSHADOW);
    m_clr3DDkShadow = pTable->GetColor(COLOR_3DDKSHADOW);
    m_clrBtnHilite = pTable->GetColor(COLOR_BTNHIGHLIGHT);
    m_clr3DLight = pTable->GetColor(COLOR_3DLIGHT);
    m_clrBtnText = pTable->GetColor(COLOR_BTNTEXT);
    m_clrGrayText = pTable->GetColor(COLOR_GRAYTEXT);
    m_clrHighlight = pTable->GetColor(COLOR_HIGHLIGHT);
    m_clrHighlightText = pTable->GetColor(COLOR_HIGHLIGHTTEXT);
    m_clrMenu = pTable->GetColor(COLOR_MENU);
    m_clrMenuText = pTable->GetColor(COLOR_MENUTEXT);
    m_clrWindow = pTable->GetColor(COLOR_WINDOW);
    m_clrWindowFrame = pTable->GetColor(COLOR_WINDOWFRAME);
    m_clrWindowText = pTable->GetColor(COLOR_WINDOWTEXT);
    m_clrActiveCaption = pTable->GetColor(COLOR_ACTIVECAPTION);
    m_clrInactiveCaption = pTable->GetColor(COLOR_INACTIVECAPTION);
    m_clrGradientActiveCaption = pTable->GetColor(COLOR_GRADIENTACTIVECAPTION);
    m_clrGradientInactiveCaption = pTable->GetColor(COLOR_GRADIENTINACTIVECAPTION);
    m_clrCaptionText = pTable->GetColor(COLOR_CAPTIONTEXT);
    m_clrInactiveCaptionText = pTable->GetColor(COLOR_INACTIVECAPTIONTEXT);
    for (int i = 0; i < 20; ++i)
        m_clrDerived[i] = pTable->GetColor(30 + i);
}

void CSharedMetrics::ReadSizes()
{
    m_cxSmallIcon = ::GetSystemMetrics(SM_CXSMICON);
    m_cySmallIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_cxButtonImage = 18;
    m_cyButtonImage = 18;
    m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    m_cyMenu = ::GetSystemMetrics(SM_CYMENU);
}

void CSharedMetrics::LoadCursors()
{
    // Each cursor is loaded on its own: one missing resource leaves that one
    // null, never the cursors after it.
    CToolkitResources* pResources = GetToolkitResources();
    m_hCursor9011 = pResources->LoadCursor(9011);
    m_hCursor9008 = pResources->LoadCursor(9008);
    m_hCursor9009 = pResources->LoadCursor(9009);
    m_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (!m_hHandCursor)
        m_hHandCursor = pResources->LoadCursor(9973);
    m_hCursor9970 = pResources->LoadCursor(9970);
    m_hCursor9971 = pResources->LoadCursor(9971);
    m_hSizeAllCursor = ::LoadCursorW(nullptr, IDC_SIZEALL);
}

void CSharedMetrics::DeleteFonts()
{
    for (CFont* pFont : {&m_fontNormal, &m_fontBold, &m_fontUnderline, &m_fontVert, &m_fontVertBold,
                         &m_fontIconTitle, &m_fontIconTitleBold, &m_fontMarlett, &m_fontStatus, &m_fontSmallCaption})
        pFont->DeleteObject();
}

BOOL CSharedMetrics::CreateFonts(LPCTSTR lpszNormalFace, LPCTSTR lpszVerticalFace)
{
    DeleteFonts();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);

    LOGFONTW base{};
    base.lfHeight = metrics.lfMenuFont.lfHeight;
    base.lfWeight = metrics.lfMenuFont.lfWeight;
    base.lfItalic = metrics.lfMenuFont.lfItalic;
    if (HDC hScreen = ::GetDC(nullptr)) {
        base.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreen, nullptr, 0));
        ::ReleaseDC(nullptr, hScreen);
    }
    ::lstrcpynW(base.lfFaceName, metrics.lfMenuFont.lfFaceName, LF_FACESIZE);

    const bool normalFaceUsed = lpszNormalFace && FontExists(lpszNormalFace);
    if (normalFaceUsed) {
        ::lstrcpynW(base.lfFaceName, lpszNormalFace, LF_FACESIZE);
        ::lstrcpynW(metrics.lfStatusFont.lfFaceName, lpszNormalFace, LF_FACESIZE);
        ::lstrcpynW(metrics.lfSmCaptionFont.lfFaceName, lpszNormalFace, LF_FACESIZE);
    } else if (!lpszNormalFace && m_bPreferTahoma && metrics.lfMenuFont.lfCharSet <= 2 && FontExists(L"Tahoma")) {
        ::lstrcpynW(base.lfFaceName, L"Tahoma", LF_FACESIZE);
    }

    auto derived = [&base](LONG weight, BYTE underline, LONG escapement, LONG orientation) {
        LOGFONTW font = base;
        if (weight)
            font.lfWeight = weight;
        font.lfUnderline = underline;
        font.lfEscapement = escapement;
        font.lfOrientation = orientation;
        return font;
    };

    // Every font is made on its own: one that fails leaves the others in place.
    BOOL ok = TRUE;
    LOGFONTW normal = derived(0, 0, 0, 0);
    ok = m_fontNormal.CreateFontIndirect(&normal) && ok;
    LOGFONTW bold = derived(FW_BOLD, 0, 0, 0);
    ok = m_fontBold.CreateFontIndirect(&bold) && ok;
    LOGFONTW underlined = derived(0, 1, 0, 0);
    ok = m_fontUnderline.CreateFontIndirect(&underlined) && ok;

    if (lpszVerticalFace && FontExists(lpszVerticalFace))
        ::lstrcpynW(base.lfFaceName, lpszVerticalFace, LF_FACESIZE);
    else if (!lpszVerticalFace && ::lstrcmpiW(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontExists(L"Arial"))
        ::lstrcpynW(base.lfFaceName, L"Arial", LF_FACESIZE);
    LOGFONTW vertical = derived(0, 0, 2700, 900);
    ok = m_fontVert.CreateFontIndirect(&vertical) && ok;
    LOGFONTW verticalBold = derived(FW_BOLD, 0, 2700, 900);
    ok = m_fontVertBold.CreateFontIndirect(&verticalBold) && ok;

    LOGFONTW iconTitle{};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
    ok = m_fontIconTitle.CreateFontIndirect(&iconTitle) && ok;
    LOGFONTW iconTitleBold = iconTitle;
    iconTitleBold.lfWeight = FW_BOLD;
    ok = m_fontIconTitleBold.CreateFontIndirect(&iconTitleBold) && ok;

    ok = m_fontStatus.CreateFontIndirect(&metrics.lfStatusFont) && ok;
    ok = m_fontSmallCaption.CreateFontIndirect(&metrics.lfSmCaptionFont) && ok;

    LOGFONTW glyphs{};
    glyphs.lfHeight = iconTitle.lfHeight;
    glyphs.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(glyphs.lfFaceName, L"Marlett", LF_FACESIZE);
    ok = m_fontMarlett.CreateFontIndirect(&glyphs) && ok;
    return ok;
}

CSharedMetrics* AFXAPI GetSharedMetrics()
{
    static CSharedMetrics metrics;
    return &metrics;
}
