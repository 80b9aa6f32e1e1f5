// The toolbar-name dialog: the name of a new toolbar (proposed as the first
// free "Custom <n>") or the new title of a user's toolbar. OK refuses an
// empty name and a name another bar already has, and finds a new bar a free
// id from the user-toolbar range.
#pragma once

#include "window/CDialog.h"

class CKitCommandBar;
class CKitCommandBars;

class CNewToolBarDlg : public CDialog
{
public:
    // The range of the ids user toolbars get.
    static constexpr int kFirstBarId = 0xE800;
    static constexpr int kLastBarId = 0xE8FE;

    // pBar: the bar to rename, or null for a new one.
    CNewToolBarDlg(CWnd* pParent, CKitCommandBars* pCommandBars, CKitCommandBar* pBar);

    INT_PTR DoModal() override;

    // The proposal for a new toolbar: "Custom <n>" with the first n from 1
    // that no bar has as its title.
    static CString ProposeName(CKitCommandBars* pCommandBars);
    // The first id of the range no bar has; 0 when all are taken.
    static int FindFreeBarId(CKitCommandBars* pCommandBars);
    // Whether a bar other than pExcept is titled so.
    static BOOL IsNameTaken(CKitCommandBars* pCommandBars, const CString& strName, CKitCommandBar* pExcept);

    CString m_strName;
    int m_nBarId = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CKitCommandBars* m_pCommandBars;
    CKitCommandBar* m_pBar;
};
