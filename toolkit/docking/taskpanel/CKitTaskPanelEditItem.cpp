#include "CKitTaskPanelEditItem.h"

#include "CKitTaskPanel.h"

IMPLEMENT_DYNAMIC(CKitTaskPanelEditItem, CEdit)

BEGIN_MESSAGE_MAP(CKitTaskPanelEditItem, CEdit)
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

UINT CKitTaskPanelEditItem::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CKitTaskPanelEditItem::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
    {
        m_bCancelled = nChar == VK_ESCAPE;
        EndEdit();
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKitTaskPanelEditItem::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
        return;  // handled on key down; no beep
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CKitTaskPanelEditItem::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CKitTaskPanelEditItem::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    PostMessage(WM_CLOSE);
    if (m_bCancelled)
        return;
    CString strText;
    GetWindowText(strText);
    if (!strText.IsEmpty())
        m_pPanel->RenameEditedItem(strText);
}
