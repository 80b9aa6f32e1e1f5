#include "CKitImageEditorPicker.h"

#include "CEditorImage.h"

BOOL CKitImageEditorPicker::Create(CWnd* pDialog, UINT nID, const CRect& rc, COLORREF clr)
{
    m_clr = clr;
    return CWnd::Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_OWNERDRAW, rc, pDialog, nID);
}

BOOL CKitImageEditorPicker::Attach(CWnd* pDialog, UINT nID, COLORREF clr)
{
    m_clr = clr;
    return pDialog != nullptr && SubclassDlgItem(nID, pDialog);
}

void CKitImageEditorPicker::SetColor(COLORREF clr)
{
    m_clr = clr;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKitImageEditorPicker::SetSelected(BOOL bSelected)
{
    if (m_bSelected == bSelected)
        return;
    m_bSelected = bSelected;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKitImageEditorPicker::Paint(HDC hDC)
{
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    CDC* pDC = CDC::FromHandle(hDC);
    if (m_bSelected)
    {
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, RGB(255, 255, 255), RGB(255, 255, 255));
    }
    else
    {
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    }
    rc.DeflateRect(1, 1);
    if (m_clr != CEditorImage::kKeyColor)
    {
        pDC->FillSolidRect(rc, m_clr);
        return;
    }
    // Transparent: white with grey top-left and bottom-right quarters.
    pDC->FillSolidRect(rc, RGB(255, 255, 255));
    const CPoint mid = rc.CenterPoint();
    pDC->FillSolidRect(CRect(rc.left, rc.top, mid.x, mid.y), RGB(235, 235, 235));
    pDC->FillSolidRect(CRect(mid.x, mid.y, rc.right, rc.bottom), RGB(235, 235, 235));
}

LRESULT CKitImageEditorPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(hDC);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
