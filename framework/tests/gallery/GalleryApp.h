// The gallery application: a single-document frame over a view with a
// list and a tree, a settings dialog and a worker thread.
#pragma once

#include "Framework.h"

class CGalleryApp : public CWinApp
{
public:
    CGalleryApp() : CWinApp(L"Framework Gallery") {}
    BOOL InitInstance() override;

    afx_msg BOOL OnRoute(UINT nID);
    afx_msg void OnUpdatePassOn(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
