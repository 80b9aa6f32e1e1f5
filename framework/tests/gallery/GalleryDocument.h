// The gallery's document: one flag that decides whether Toggle is enabled.
#pragma once

#include "Framework.h"

class CGalleryDocument : public CDocument
{
    DECLARE_DYNCREATE(CGalleryDocument)
public:
    BOOL m_bToggleAllowed = FALSE;
    int m_nToggles = 0;

    afx_msg BOOL OnRoute(UINT nID);
    afx_msg void OnToggle();
    afx_msg void OnUpdateToggle(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
