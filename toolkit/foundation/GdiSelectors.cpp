#include "GdiSelectors.h"

CPenSelector::CPenSelector(HDC hDC, COLORREF color) : m_hDC(hDC)
{
    m_pen.CreatePen(PS_SOLID, 1, color);
    m_hOld = ::SelectObject(m_hDC, m_pen.m_hObject);
}

CPenSelector::~CPenSelector()
{
    if (m_hOld)
        ::SelectObject(m_hDC, m_hOld);
    m_pen.DeleteObject();
}

void CPenSelector::SetColor(COLORREF color)
{
    // The old pen goes back first: a selected pen cannot be deleted.
    if (m_hOld)
        ::SelectObject(m_hDC, m_hOld);
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_SOLID, 1, color);
    m_hOld = ::SelectObject(m_hDC, m_pen.m_hObject);
}

COLORREF CPenSelector::GetColor() const
{
    LOGPEN logPen{};
    if (!m_pen.m_hObject || !::GetObjectW(m_pen.m_hObject, sizeof(logPen), &logPen))
        return CLR_INVALID;
    return logPen.lopnColor;
}

CBrushSelector::CBrushSelector(HDC hDC, COLORREF color) : m_hDC(hDC)
{
    m_brush.CreateSolidBrush(color);
    m_hOld = ::SelectObject(m_hDC, m_brush.m_hObject);
}

CBrushSelector::~CBrushSelector()
{
    if (m_hOld)
        ::SelectObject(m_hDC, m_hOld);
    m_brush.DeleteObject();
}

void CBrushSelector::SetColor(COLORREF color)
{
    if (m_hOld)
        ::SelectObject(m_hDC, m_hOld);
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(color);
    m_hOld = ::SelectObject(m_hDC, m_brush.m_hObject);
}
