// The viewer of sound and video files: the Windows Media Player control, which
// opens and plays the file by itself.
#pragma once

#include "Framework.h"

#include "CWMPPlayer4.h"

class CMyMedia : public CView
{
    DECLARE_DYNCREATE(CMyMedia)
public:
    static constexpr UINT kPlayerId = 185;

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CWMPPlayer4 m_player;
};
