#include "CDC.h"

#include "../core/Exceptions.h"
#include "CWnd.h"
#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC* AFXAPI CDC::FromHandle(HDC hDC)
{
    CDC* pDC = AfxGetThreadState()->DCMap().FromHandle(hDC);
    if (pDC != nullptr && pDC->m_hAttribDC == nullptr)
        pDC->m_hAttribDC = pDC->m_hDC;
    return pDC;
}

void AFXAPI CDC::DeleteTempMap()
{
    AfxGetThreadState()->DCMap().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    ASSERT(m_hDC == nullptr);
    if (hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    AfxGetThreadState()->DCMap().SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr)
        AfxGetThreadState()->DCMap().RemoveHandle(hDC);
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

HGDIOBJ CDC::SelectHandle(HGDIOBJ hObject)
{
    HGDIOBJ old = nullptr;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        old = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != nullptr)
        old = ::SelectObject(m_hAttribDC, hObject);
    return old;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    COLORREF old = CLR_INVALID;
    if (m_hDC != m_hAttribDC)
        old = ::SetTextColor(m_hDC, crColor);
    if (m_hAttribDC != nullptr)
        old = ::SetTextColor(m_hAttribDC, crColor);
    return old;
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    COLORREF old = CLR_INVALID;
    if (m_hDC != m_hAttribDC)
        old = ::SetBkColor(m_hDC, crColor);
    if (m_hAttribDC != nullptr)
        old = ::SetBkColor(m_hAttribDC, crColor);
    return old;
}

int CDC::SetBkMode(int nBkMode)
{
    int old = 0;
    if (m_hDC != m_hAttribDC)
        old = ::SetBkMode(m_hDC, nBkMode);
    if (m_hAttribDC != nullptr)
        old = ::SetBkMode(m_hAttribDC, nBkMode);
    return old;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

CBrush* AFXAPI CDC::GetHalftoneBrush()
{
    // One brush for the process (GDI objects are not tied to a thread),
    // wrapped for the calling thread.
    static const HBRUSH hBrush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH hPattern = hBitmap != nullptr ? ::CreatePatternBrush(hBitmap) : nullptr;
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return hPattern;
    }();
    return CBrush::FromHandle(hBrush);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
