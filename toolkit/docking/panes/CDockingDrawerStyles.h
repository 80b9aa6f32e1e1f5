// The docking drawing styles by number. Style 0 is the classic look; style 4
// starts as style 0 and draws flat buttons and grip lines; styles 1, 2 and 7
// add caption gradients, style 2 (the program's) with the colours of the
// visual-style scheme.
#pragma once

#include "CDockingPaneDrawer.h"

class CDockingDrawerDefaultStyle : public CDockingPaneDrawer
{
};

class CDockingDrawerStyle4 : public CDockingDrawerDefaultStyle
{
};

class CDockingDrawerStyle1 : public CDockingDrawerStyle4
{
public:
    CDockingDrawerStyle1();
    void ReloadMetrics() override;

    BOOL m_bGradientCaptions = FALSE;
    CStyleGradient m_inactiveCaption;
    CStyleGradient m_activeCaption;
    CStyleColor m_clrInactiveCaptionText;
    CStyleColor m_clrActiveCaptionText;
};

class CDockingDrawerStyle2 : public CDockingDrawerStyle1
{
public:
    CDockingDrawerStyle2();
    void ReloadMetrics() override;

    BOOL m_bLunaColors = FALSE;
    BOOL m_bCaptionGripper = TRUE;
    BOOL m_bRoundedCaption = TRUE;
};

class CDockingDrawerStyle7 : public CDockingDrawerStyle2
{
public:
    CDockingDrawerStyle7();
    void ReloadMetrics() override;
};
