#include "CUiFlatComboBox.h"

#include "CColorTable.h"

IMPLEMENT_DYNAMIC(CUiFlatComboBox, CComboBox)

namespace {
constexpr UINT_PTR kHoverTimer = 1000;
}

BEGIN_MESSAGE_MAP(CUiFlatComboBox, CComboBox)
  ON_WM_SETCURSOR()
  ON_WM_TIMER()
  ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusReflect)
  ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusReflect)
  ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUpReflect)
  ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdateReflect)
  ON_WM_PAINT()
  ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CUiFlatComboBox::IsCursorOverControl() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(cursor);
}

void CUiFlatComboBox::DrawFlatFrame(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CColorTable* pColors = GetColorTable();
    const BOOL bLit = m_bHot || m_bFocused || GetDroppedState();
    const COLORREF frame = !IsWindowEnabled() ? pColors->GetColor(52) : pColors->GetColor(bLit ? 32 : kSlotButtonShadow);
    pDC->Draw3dRect(&client, frame, frame);
    // The 3D edge inside the frame takes the control's background.
    client.DeflateRect(1, 1);
    const COLORREF inner = pColors->GetColor(IsWindowEnabled() ? kSlotWindow : 51);
    pDC->Draw3dRect(&client, inner, inner);
}

void CUiFlatComboBox::Repaint() { RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE); }

BOOL CUiFlatComboBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bFlat && IsCursorOverControl())
    {
        SetTimer(kHoverTimer, 10, nullptr);
        OnTimer(kHoverTimer);
    }
    return CComboBox::OnSetCursor(pWnd, nHitTest, message);
}

void CUiFlatComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer)
    {
        CComboBox::OnTimer(nIDEvent);
        return;
    }
    if (IsCursorOverControl())
    {
        if (!m_bHot)
        {
            m_bHot = TRUE;
            Repaint();
        }
        return;
    }
    KillTimer(kHoverTimer);
    m_bHot = FALSE;
    Repaint();
}

BOOL CUiFlatComboBox::OnSetFocusReflect()
{
    m_bFocused = TRUE;
    Repaint();
    return FALSE;
}

BOOL CUiFlatComboBox::OnKillFocusReflect()
{
    m_bFocused = FALSE;
    Repaint();
    return FALSE;
}

BOOL CUiFlatComboBox::OnCloseUpReflect()
{
    Invalidate();
    return FALSE;
}

BOOL CUiFlatComboBox::OnEditUpdateReflect()
{
    if (!m_bAutoComplete || m_bCompletingSuspended)
        return FALSE;
    CString typed;
    GetWindowText(typed);
    DWORD selection = static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
    const int selStart = LOWORD(selection);
    const int selEnd = HIWORD(selection);
    if (SelectString(-1, typed) == CB_ERR)
    {
        // Nothing starts with the typed text: it stays as typed.
        SetWindowText(typed);
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(selStart, selEnd));
        return FALSE;
    }
    // The completed part is selected, so typing on replaces it; a caret
    // inside the typed text keeps its selection.
    const int typedLength = typed.GetLength();
    if (selEnd >= typedLength || selStart >= typedLength)
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(typedLength, -1));
    else
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(selStart, selEnd));
    return FALSE;
}

void CUiFlatComboBox::OnPaint()
{
    Default();
    if (m_bFlat)
    {
        CClientDC dc(this);
        DrawFlatFrame(&dc);
    }
}

LRESULT CUiFlatComboBox::OnPrintClient(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (m_bFlat && wParam != 0)
        DrawFlatFrame(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return result;
}
