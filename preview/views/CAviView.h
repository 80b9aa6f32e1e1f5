// The viewer of AVI films: an MCI window with its play bar, playing the file.
#pragma once

#include "Framework.h"

class CAviView : public CView
{
    DECLARE_DYNCREATE(CAviView)
public:
    CAviView() = default;
    ~CAviView() override;

    HWND GetPlayer() const { return m_hPlayer; }

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hPlayer = nullptr;
};
