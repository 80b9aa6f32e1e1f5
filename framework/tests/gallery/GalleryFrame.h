// The gallery's main frame: a toolbar and a status bar around the view.
#pragma once

#include "Framework.h"

class CGalleryFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CGalleryFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    int m_nLastSettingsResult = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnRoute(UINT nID);
    afx_msg void OnSettings();

    DECLARE_MESSAGE_MAP()
};
