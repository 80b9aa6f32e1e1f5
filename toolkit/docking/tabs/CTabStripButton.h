// The navigate buttons of a tab strip: scroll back, scroll on and close. They
// are no windows: the strip places, draws and tracks them in its owner.
#pragma once

#include "Framework.h"

class CDC;
class CTabStrip;

class CTabStripButton
{
public:
    enum Kind
    {
        kLeft = 0,
        kRight = 1,
        kClose = 2,
    };
    enum ShowMode
    {
        kShowNever = 0,
        kShowAuto = 1,
        kShowAlways = 2,
    };

    CTabStripButton(int nKind, int nShowMode, CTabStrip* pStrip) : m_nKind(nKind), m_nShowMode(nShowMode), m_pStrip(pStrip) {}
    virtual ~CTabStripButton() = default;

    // Takes the button's room off the strip's length when it will show.
    virtual void ReserveSpace(int& nLength);
    // Holds the button while the left button is down; a release over it
    // acts once, holding a scroll button repeats.
    virtual void Track(CWnd* pWnd, int x, int y);
    // Places the button at the far end of the rectangle, which gives its room up.
    virtual void Place(CRect& rect);
    virtual void DrawGlyph(CDC* pDC, const CRect& rect) = 0;
    virtual void Execute(BOOL bRepeat) = 0;

    void Draw(CDC* pDC);
    void OnMouseMove(CWnd* pWnd, int x, int y);

    int m_nKind;
    int m_nShowMode;
    int m_nWidth = 14;
    int m_nHeight = 15;
    CTabStrip* m_pStrip;
    CRect m_rect;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;

protected:
    void PlaceCommon(CRect& rect);
    void PlaceScroll(CRect& rect);
};

class CTabStripLeftButton : public CTabStripButton
{
public:
    explicit CTabStripLeftButton(CTabStrip* pStrip) : CTabStripButton(kLeft, kShowAuto, pStrip) {}
    void ReserveSpace(int& nLength) override;
    void Place(CRect& rect) override;
    void DrawGlyph(CDC* pDC, const CRect& rect) override;
    void Execute(BOOL bRepeat) override;
};

class CTabStripRightButton : public CTabStripButton
{
public:
    explicit CTabStripRightButton(CTabStrip* pStrip) : CTabStripButton(kRight, kShowAuto, pStrip) {}
    void ReserveSpace(int& nLength) override;
    void Place(CRect& rect) override;
    void DrawGlyph(CDC* pDC, const CRect& rect) override;
    void Execute(BOOL bRepeat) override;
};

class CTabStripCloseButton : public CTabStripButton
{
public:
    explicit CTabStripCloseButton(CTabStrip* pStrip) : CTabStripButton(kClose, kShowNever, pStrip) {}
    void DrawGlyph(CDC* pDC, const CRect& rect) override;
    void Execute(BOOL bRepeat) override;
};
