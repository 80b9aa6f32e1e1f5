// Stack objects for painting: rectangles taken from windows, and selectors
// that put a GDI object into a DC and always put the previous one back.
#pragma once

#include "Framework.h"

// A rectangle that starts empty.
class CNullRect : public CRect
{
public:
    CNullRect() { SetRectEmpty(); }
};

// A window's rectangle in screen coordinates; empty when there is no window.
class CWndScreenRect : public CRect
{
public:
    explicit CWndScreenRect(HWND hWnd)
    {
        SetRectEmpty();
        if (hWnd && ::IsWindow(hWnd))
            ::GetWindowRect(hWnd, this);
    }
    explicit CWndScreenRect(const CWnd* pWnd) : CWndScreenRect(pWnd->GetSafeHwnd()) {}
};

// A window's client rectangle; empty when there is no window.
class CWndClientRect : public CRect
{
public:
    explicit CWndClientRect(HWND hWnd)
    {
        SetRectEmpty();
        if (hWnd && ::IsWindow(hWnd))
            ::GetClientRect(hWnd, this);
    }
    explicit CWndClientRect(const CWnd* pWnd) : CWndClientRect(pWnd->GetSafeHwnd()) {}
};

// The cursor position in a window's client coordinates.
class CClientCursorPos : public CPoint
{
public:
    explicit CClientCursorPos(HWND hWnd)
    {
        x = y = 0;
        ::GetCursorPos(this);
        if (hWnd)
            ::ScreenToClient(hWnd, this);
    }
    explicit CClientCursorPos(const CWnd* pWnd) : CClientCursorPos(pWnd->GetSafeHwnd()) {}
};

// Selects an object into a DC for the selector's lifetime.
class CGdiObjectSelector
{
public:
    CGdiObjectSelector(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hObject ? ::SelectObject(hDC, hObject) : nullptr)
    {
    }
    ~CGdiObjectSelector()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CGdiObjectSelector(const CGdiObjectSelector&) = delete;
    CGdiObjectSelector& operator=(const CGdiObjectSelector&) = delete;

protected:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

class CFontSelector : public CGdiObjectSelector
{
public:
    CFontSelector(CDC* pDC, CFont* pFont) : CGdiObjectSelector(pDC->GetSafeHdc(), pFont->GetSafeHandle()) {}
    CFontSelector(HDC hDC, HFONT hFont) : CGdiObjectSelector(hDC, hFont) {}
};

class CBitmapSelector : public CGdiObjectSelector
{
public:
    CBitmapSelector(CDC* pDC, CBitmap* pBitmap) : CGdiObjectSelector(pDC->GetSafeHdc(), pBitmap->GetSafeHandle()) {}
    CBitmapSelector(HDC hDC, HBITMAP hBitmap) : CGdiObjectSelector(hDC, hBitmap) {}
};

// A solid 1-pixel pen of one colour, selected while the object lives.
class CPenSelector
{
public:
    CPenSelector(HDC hDC, COLORREF color);
    ~CPenSelector();
    CPenSelector(const CPenSelector&) = delete;
    CPenSelector& operator=(const CPenSelector&) = delete;

    // Replaces the pen by one of another colour.
    void SetColor(COLORREF color);
    COLORREF GetColor() const;

private:
    HDC m_hDC;
    CPen m_pen;
    HGDIOBJ m_hOld = nullptr;
};

// A solid brush of one colour, selected while the object lives.
class CBrushSelector
{
public:
    CBrushSelector(HDC hDC, COLORREF color);
    ~CBrushSelector();
    CBrushSelector(const CBrushSelector&) = delete;
    CBrushSelector& operator=(const CBrushSelector&) = delete;

    void SetColor(COLORREF color);

private:
    HDC m_hDC;
    CBrush m_brush;
    HGDIOBJ m_hOld = nullptr;
};
