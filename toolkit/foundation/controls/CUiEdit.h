// CUiEdit: an edit control with the standard edit context menu, whose items
// follow the edit's state (undo, selection, clipboard, text), and
// double-buffered painting.
#pragma once

#include "Framework.h"

class CUiEdit : public CEdit
{
    DECLARE_DYNAMIC(CUiEdit)
public:
    CUiEdit() = default;

    virtual BOOL CanPaste() const;
    virtual BOOL HasSelection() const;
    virtual BOOL AttachOwner(CWnd* pOwner);

    CWnd* GetAttachedOwner() const { return m_pOwner; }
    BOOL IsReadOnly() const;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnPaint();
    afx_msg void OnEditUndo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditClear();
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateChangesSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pOwner = nullptr;
};
