// The empty panel the browser-control view keeps over its client area: a child
// dialog without controls that clips its siblings and children.
#pragma once

#include "Framework.h"

class CHtmlViewPanelDlg : public CDialog
{
public:
    CHtmlViewPanelDlg() = default;
    // Creates the panel as a modeless child of pParent.
    BOOL CreatePanel(CWnd* pParent);
};
