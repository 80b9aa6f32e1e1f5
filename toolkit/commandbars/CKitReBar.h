// A rebar whose bands hold command bars: each bar is measured by its own
// layout, and the bands follow the bars' sizes. The program's frame keeps
// one but never creates its window; the command bars find it as the site's
// child AFX_IDW_REBAR.
#pragma once

#include "window/CControlBar.h"

class CKitCommandBar;

class CKitReBar : public CReBar
{
    DECLARE_DYNAMIC(CKitReBar)
public:
    // Takes the bar out of its dock bar (and its gripper away: the band has
    // one) and adds it as a band of the style whose id is the bar's id.
    BOOL AddToolBar(CKitCommandBar* pBar, DWORD dwBandStyle);
    // Deletes the bar's band; its former index, or -1 when the bar has none.
    int RemoveToolBar(CKitCommandBar* pBar);
    // The command bar of a band, or null.
    CKitCommandBar* GetToolBarAt(int nBand) const;
    int GetBandCount() const { return static_cast<int>(SendMessage(RB_GETBANDCOUNT)); }
    // The base size; each band's minimum and ideal sizes follow its bar's
    // layout at the band's width.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnChildSize(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    int FindBand(CKitCommandBar* pBar) const;
};
