// The fonts, cursors, sizes and system facts that many toolkit controls
// share, in one process-wide object filled at its construction. Its cached
// colours are a snapshot of the colour table at that moment.
#pragma once

#include "Framework.h"

class CSharedMetrics
{
public:
    CSharedMetrics();
    virtual ~CSharedMetrics();
    CSharedMetrics(const CSharedMetrics&) = delete;
    CSharedMetrics& operator=(const CSharedMetrics&) = delete;

    // Re-creates the ten fonts with the given faces (either may be null).
    // FALSE when a font could not be made (the others are made all the same).
    BOOL CreateFonts(LPCTSTR lpszNormalFace = nullptr, LPCTSTR lpszVerticalFace = nullptr);
    // The comctl32 version, major << 16 | minor; 0 when unknown.
    int GetComCtlVersion();

    // Cached system colours (colour-table slots of the same index).
    COLORREF m_clrBtnFace = 0, m_clrBtnShadow = 0, m_clr3DDkShadow = 0, m_clrBtnHilite = 0, m_clr3DLight = 0,
             m_clrBtnText = 0, m_clrGrayText = 0, m_clrHighlight = 0, m_clrHighlightText = 0, m_clrMenu = 0,
             m_clrMenuText = 0, m_clrWindow = 0, m_clrWindowFrame = 0, m_clrWindowText = 0,
             m_clrActiveCaption = 0, m_clrInactiveCaption = 0, m_clrGradientActiveCaption = 0,
             m_clrGradientInactiveCaption = 0, m_clrCaptionText = 0, m_clrInactiveCaptionText = 0;
    // Cached derived colours: slots 30 to 49.
    COLORREF m_clrDerived[20] = {};

    // Cursors (null until loaded): toolkit cursors 9011, 9008 and 9009, the
    // hand, toolkit cursors 9970 and 9971, and the size-all cursor.
    HCURSOR m_hCursor9011 = nullptr;
    HCURSOR m_hCursor9008 = nullptr;
    HCURSOR m_hCursor9009 = nullptr;
    HCURSOR m_hHandCursor = nullptr;
    HCURSOR m_hCursor9970 = nullptr;
    HCURSOR m_hCursor9971 = nullptr;
    HCURSOR m_hSizeAllCursor = nullptr;

    // Sizes.
    int m_cxSmallIcon = 0, m_cySmallIcon = 0;
    int m_cxButtonImage = 18, m_cyButtonImage = 18;
    int m_cxHThumb = 0, m_cyVThumb = 0, m_cyMenu = 0;

    // Fonts.
    CFont m_fontNormal, m_fontBold, m_fontUnderline, m_fontVert, m_fontVertBold, m_fontIconTitle,
        m_fontIconTitleBold, m_fontMarlett, m_fontStatus, m_fontSmallCaption;

    // Operating-system facts.
    BOOL m_bWin95 = FALSE, m_bWin98 = FALSE, m_bWinNT4 = FALSE, m_bWin2000 = FALSE, m_bWinXP = FALSE;
    BOOL m_bPreferTahoma = FALSE;
    BOOL m_bReserved1 = FALSE;
    BOOL m_bReserved2 = TRUE;
    int m_comCtlVersion = -1;
    // The settings file name of the user-settings store (empty here).
    const CString* m_pSettingsFileName = nullptr;

private:
    void ReadColors();
    void ReadSizes();
    void LoadCursors();
    void DeleteFonts();
};

CSharedMetrics* AFXAPI GetSharedMetrics();
