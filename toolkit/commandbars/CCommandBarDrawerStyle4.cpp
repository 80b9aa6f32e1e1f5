#include "CCommandBarDrawerStyle4.h"

#include "FoundationLinks.h"

CCommandBarDrawerStyle4::CCommandBarDrawerStyle4()
{
    // Scheme setting 0: style 2's scheme sets and orange highlights never apply.
    m_nSchemeSetting = 0;
    m_bFlatSeparators = TRUE;
}

void CCommandBarDrawerStyle4::ReloadMetrics()
{
    CCommandBarDrawerStyle2::ReloadMetrics();

    const COLORREF c5 = ColorAt(5);
    const COLORREF c15 = ColorAt(15);
    m_gradExpandButton.SetStandardValue(CColorTable::BlendColors(c5, c15, 550), ColorAt(16), 0.5f);

    switch (GetColorTable()->GetLunaScheme())
    {
    case kit::kSchemeBlue:
    case kit::kSchemeOlive:
    {
        const BOOL bOlive = GetColorTable()->GetLunaScheme() == kit::kSchemeOlive;
        m_gradToolbar.SetStandardValue(RGB(250, 249, 245), RGB(192, 192, 168), 0.75f);
        if (bOlive)
            m_gradExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(176, 172, 158), 0.75f);
        else
            m_gradExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(152, 152, 126), 0.75f);
        m_gradDock.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_gradHiddenGutter.SetStandardValue(RGB(204, 199, 186), RGB(204, 199, 186), 0.5f);
        m_gradExpandImage.SetStandardFrom(m_gradToolbar);
        m_clrToolbarShadow.SetStandardValue(RGB(163, 163, 124));
        if (bOlive)
        {
            m_gradDisabledIcon.SetStandardValue(RGB(236, 233, 216), RGB(172, 168, 153), 0.5f);
            const int slots[] = {31, 36, 33, 47};
            const COLORREF values[] = {RGB(182, 198, 141), RGB(182, 198, 141), RGB(147, 160, 112),
                                       RGB(255, 255, 255)};
            SetStandardColors(4, slots, values);
        }
        else
            m_gradDisabledIcon.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        break;
    }
    case kit::kSchemeSilver:
    {
        m_gradToolbar.SetStandardValue(RGB(243, 244, 250), RGB(153, 151, 181), 0.75f);
        m_gradExpandButton.SetStandardValue(RGB(179, 178, 200), RGB(118, 116, 146), 0.75f);
        m_gradDock.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_gradHiddenGutter.SetStandardValue(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
        m_gradExpandImage.SetStandardValue(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
        m_clrToolbarShadow.SetStandardValue(RGB(124, 124, 148));
        m_gradDisabledIcon.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
        m_clrCaption.SetStandardValue(RGB(122, 121, 153));
        m_clrTearOff.SetStandardValue(RGB(192, 192, 211));
        const int slots[] = {30, 31, 32, 37, 50, 33, 35, 60, 36, 38, 39, 47};
        const COLORREF values[] = {RGB(219, 218, 228), RGB(255, 238, 194), RGB(75, 75, 111),  RGB(75, 75, 111),
                                   RGB(75, 75, 111),   RGB(254, 128, 62),  RGB(141, 141, 141), RGB(141, 141, 141),
                                   RGB(255, 192, 111), RGB(84, 84, 117),   RGB(110, 109, 143), RGB(0, 0, 0)};
        SetStandardColors(static_cast<int>(std::size(slots)), slots, values);
        break;
    }
    default:
        break;
    }
    RebuildExpandImage();
}
