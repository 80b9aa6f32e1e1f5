#include "CUiEdit.h"

#include "CColorTable.h"
#include "CSharedMetrics.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"

IMPLEMENT_DYNAMIC(CUiEdit, CEdit)

namespace {
constexpr UINT kContextMenus = 9014; // toolkit menu resource: popup 1 is the edit menu
constexpr int kEditPopup = 1;
} // namespace

BEGIN_MESSAGE_MAP(CUiEdit, CEdit)
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_PAINT()
  ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
  ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateChangesSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedsSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateChangesSelection)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

BOOL CUiEdit::CanPaste() const { return ::IsClipboardFormatAvailable(CF_TEXT); }

BOOL CUiEdit::HasSelection() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return start < end;
}

BOOL CUiEdit::AttachOwner(CWnd* pOwner)
{
    if (GetSafeHwnd() == nullptr || pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetSharedMetrics()->m_fontNormal.GetSafeHandle()), TRUE);
    m_pOwner = pOwner;
    return TRUE;
}

void CUiEdit::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1)
    {
        CRect client;
        GetClientRect(&client);
        point = client.TopLeft() + CPoint(5, 5);
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!GetToolkitResources()->LoadMenu(menu, kContextMenus))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(kEditPopup))
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CUiEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    const int nCount = pPopupMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        CCmdUI state;
        state.m_pMenu = pPopupMenu;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(nCount);
        state.m_nID = pPopupMenu->GetMenuItemID(i);
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == static_cast<UINT>(-1))
        {
            // A submenu: its first item speaks for it.
            CMenu* pSub = pPopupMenu->GetSubMenu(i);
            if (pSub == nullptr || pSub->GetMenuItemID(0) == 0 || pSub->GetMenuItemID(0) == static_cast<UINT>(-1))
                continue;
            state.m_nID = pSub->GetMenuItemID(0);
            state.m_pSubMenu = pSub;
        }
        state.DoUpdate(this, state.m_nID < 0xF000);
    }
}

void CUiEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const COLORREF back = GetColorTable()->GetColor(IsWindowEnabled() ? kSlotWindow : kSlotButtonFace);
    CUiMemDC memDC(&dc, client, CStyleGradient(back));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}

void CUiEdit::OnEditUndo() { SendMessage(EM_UNDO); }
void CUiEdit::OnEditCut() { SendMessage(WM_CUT); }
void CUiEdit::OnEditCopy() { SendMessage(WM_COPY); }
void CUiEdit::OnEditPaste() { SendMessage(WM_PASTE); }
void CUiEdit::OnEditClear() { SendMessage(WM_CLEAR); }

void CUiEdit::OnEditSelectAll()
{
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

// A read-only edit refuses every change, so its menu offers none.
BOOL CUiEdit::IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

void CUiEdit::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsReadOnly() && SendMessage(EM_CANUNDO) != 0); }
void CUiEdit::OnUpdateNeedsSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); }
void CUiEdit::OnUpdateChangesSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsReadOnly() && HasSelection()); }
void CUiEdit::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsReadOnly() && CanPaste()); }
void CUiEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }
