// The controls of a bar without a window: insertion and removal with their
// references and indexes, keyboard navigation order, comparison with the
// original set, and the committed layout measured by drawing style 4.
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CKitControls.h"
#include "PixelCanvas.h"
#include "core/ControlLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace kit::commandbars;

namespace
{
// A toolbar docked at the top whose buttons carry the given captions.
struct ToolBarFixture
{
    explicit ToolBarFixture(std::initializer_list<const wchar_t*> captions)
    {
        bar.m_nType = kBarTypeToolBar;
        bar.m_nPosition = kBarTop;
        for (const wchar_t* caption : captions)
        {
            CKitControl* pControl = bar.GetControls()->Add(kControlButton, 0);
            pControl->SetCaption(caption);
            pControl->m_nStyle = 1;  // caption only: no icons needed
        }
    }
    CKitControls& Controls() { return *bar.GetControls(); }
    CKitCommandBar bar;
};

std::wstring Captions(const CKitControls& controls)
{
    std::wstring text;
    for (CKitControl* p = controls.GetFirst(); p != nullptr; p = controls.GetNext(p))
        text += static_cast<LPCTSTR>(p->GetCaption());
    return text;
}
} // namespace

TEST(KitControls, InsertsByIndexAndKeepsIndexesParentAndCollection)
{
    ToolBarFixture fixture({L"A", L"B"});
    CKitControls& controls = fixture.Controls();
    controls.Add(kControlButton, 0, CString(), 0)->SetCaption(L"F");
    controls.Add(kControlButton, 0, CString(), 99)->SetCaption(L"Z");
    controls.Add(kControlLabel, 0, CString(), 2)->SetCaption(L"L");
    EXPECT_EQ(Captions(controls), L"FALBZ");
    for (int i = 0; i < controls.GetCount(); ++i)
    {
        EXPECT_EQ(controls.GetAt(i)->GetIndex(), i);
        EXPECT_EQ(controls.GetAt(i)->GetParent(), &fixture.bar);
        EXPECT_EQ(controls.GetAt(i)->GetControls(), &controls);
    }
    EXPECT_EQ(controls.Add(99, 5), nullptr) << "an unknown type makes no control";
}

TEST(KitControls, RemoveReleasesTheControlAndDetachesIt)
{
    ToolBarFixture fixture({L"A", L"B", L"C"});
    CKitControls& controls = fixture.Controls();
    CKitControl* pB = controls.GetAt(1);
    pB->InternalAddRef();  // the test's own reference
    controls.Remove(pB);
    EXPECT_EQ(pB->m_dwRef, 1u);
    EXPECT_EQ(pB->GetParent(), nullptr);
    EXPECT_EQ(pB->GetControls(), nullptr);
    EXPECT_EQ(Captions(controls), L"AC");
    EXPECT_EQ(controls.GetAt(1)->GetIndex(), 1);
    controls.Remove(7);
    controls.Remove(-1);
    EXPECT_EQ(controls.GetCount(), 2);
    pB->InternalRelease();
}

TEST(KitControls, FindControlByTypeIdAndVisibility)
{
    ToolBarFixture fixture({L"A", L"B", L"C"});
    CKitControls& controls = fixture.Controls();
    controls.GetAt(0)->m_nId = 100;
    controls.GetAt(1)->m_nId = 100;
    controls.GetAt(0)->SetHideFlags(kHideByProgram);
    EXPECT_EQ(controls.FindControl(100), controls.GetAt(0));
    EXPECT_EQ(controls.FindControl(0, 100, TRUE, FALSE), controls.GetAt(1));
    EXPECT_EQ(controls.FindControl(kControlLabel, -1, FALSE, FALSE), nullptr);
    EXPECT_EQ(controls.FindControl(kControlButton, -1, FALSE, FALSE), controls.GetAt(0));
}

struct NavigationCase
{
    int nStart;
    int nStep;
    int nExpected;
};

TEST(KitControls, KeyboardNavigationSkipsHiddenAndFlaggedControlsAndWrapsOnce)
{
    // A B(hidden) C(no keyboard) D(personalized) E
    ToolBarFixture fixture({L"A", L"B", L"C", L"D", L"E"});
    CKitControls& controls = fixture.Controls();
    controls.GetAt(1)->SetHideFlags(kHideByProgram);
    controls.GetAt(2)->SetFlags(kControlFlagNoKeyboard);
    controls.GetAt(3)->SetHideFlags(kHideRarelyUsed);
    const NavigationCase cases[] = {
        {0, 1, 4},    // over hidden, flagged and personalized
        {4, 1, 0},    // wraps round the end
        {0, -1, 4},   // wraps round the start
        {-1, 1, 0},   // from before the first
        {-1, -1, 4},  // from after the last
    };
    for (const NavigationCase& c : cases)
        EXPECT_EQ(controls.GetNextIndex(c.nStart, c.nStep), c.nExpected) << c.nStart << " by " << c.nStep;
    // Personalized controls are reached when asked, flagged ones too.
    EXPECT_EQ(controls.GetNextIndex(0, 1, FALSE, FALSE, FALSE), 2);
    EXPECT_EQ(controls.GetNextIndex(2, 1, TRUE, FALSE, FALSE), 3);

    // Only one navigable control: coming round returns the start.
    for (int i : {1, 2, 3, 4})
        controls.GetAt(i)->SetHideFlags(kHideByProgram);
    EXPECT_EQ(controls.GetNextIndex(0, 1), 0);
    controls.GetAt(0)->SetHideFlags(kHideByProgram);
    EXPECT_EQ(controls.GetNextIndex(-1, 1), -1);
    CKitControls empty;
    EXPECT_EQ(empty.GetNextIndex(-1, 1), -1);
}

TEST(KitControls, OriginalSetIgnoresTemporaryControlsAndState)
{
    ToolBarFixture fixture({L"A", L"B"});
    CKitControls& controls = fixture.Controls();
    EXPECT_TRUE(controls.IsChanged()) << "no original set yet";
    controls.Add(kControlButton, 0, CString(), -1, TRUE)->SetCaption(L"generated");
    controls.CreateOriginalControls();
    EXPECT_EQ(controls.GetOriginalControls()->GetCount(), 2);
    EXPECT_FALSE(controls.IsChanged());

    controls.Add(kControlButton, 0, CString(), 1, TRUE);
    controls.GetAt(0)->SetChecked(TRUE);
    controls.GetAt(0)->SetHideFlags(kHideByProgram | kHideNoRoom);
    controls.GetAt(0)->SetRect(CRect(1, 2, 3, 4));
    EXPECT_FALSE(controls.IsChanged());

    controls.GetAt(0)->SetHideFlags(kHideByUser);
    EXPECT_TRUE(controls.IsChanged());
    controls.GetAt(0)->SetHideFlags(0);
    controls.GetAt(0)->m_strCustomCaption = L"Mine";
    EXPECT_TRUE(controls.IsChanged());
}

TEST(KitControl, PromptAndCaptionSplitTheirTexts)
{
    CKitControlButton button;
    button.SetPrompt(L"Saves the document\nSave");
    EXPECT_EQ(button.GetDescription(), L"Saves the document");
    EXPECT_EQ(button.GetTooltip(), L"Save");
    EXPECT_EQ(button.GetCaption(), L"Save") << "an empty caption takes the tooltip";
    button.SetPrompt(L"");
    EXPECT_EQ(button.GetTooltip(), L"Save");
    button.SetCaption(L"&Open\tCtrl+O");
    EXPECT_EQ(button.GetCaption(), L"&Open");
    EXPECT_EQ(button.GetShortcutText(), L"Ctrl+O");
    CKitControl* pClone = button.Clone(TRUE);
    EXPECT_TRUE(pClone->IsEqual(&button));
    EXPECT_EQ(pClone->GetType(), kControlButton);
    pClone->InternalRelease();
}

TEST(KitControls, CommittedLayoutHidesWhatDoesNotFitAndShowsItAgain)
{
    SelectCommandBarDrawingStyle(4);
    CPixelCanvas canvas(8, 8, RGB(255, 255, 255));
    ToolBarFixture fixture({L"One", L"Two", L"Three", L"Four"});
    CKitControls& controls = fixture.Controls();
    controls.GetAt(2)->SetBeginGroup(TRUE);
    const CRect margins(2, 2, 2, 2);

    const CSize wide = controls.CalcLayout(canvas.DC(), 1000, kLayoutHorzDock | kLayoutCommit, margins);
    const int nWidth = controls.GetAt(3)->GetRect().right;
    EXPECT_EQ(wide.cx, nWidth + 2);
    EXPECT_EQ(controls.CountVisible(), 4);
    EXPECT_GT(controls.GetAt(2)->GetRect().left, controls.GetAt(1)->GetRect().right) << "group gap";

    // Too narrow for the last two and never wrapping: they get "no room".
    const int nNarrow = controls.GetAt(1)->GetRect().right + 10;
    controls.CalcLayout(canvas.DC(), nNarrow, kLayoutHorzDock | kLayoutCommit | kLayoutNoWrap, margins);
    EXPECT_EQ(controls.GetAt(2)->GetHideFlags(), kHideNoRoom);
    EXPECT_EQ(controls.GetAt(3)->GetHideFlags(), kHideNoRoom);
    EXPECT_EQ(controls.CountVisible(), 2);
    EXPECT_EQ(controls.CountVisible(FALSE), 4);
    EXPECT_EQ(controls.HitTest(controls.GetAt(3)->GetRect().CenterPoint()), nullptr);

    // Wrapping instead: the group starts the second row.
    const CSize wrapped = controls.CalcLayout(canvas.DC(), nNarrow, kLayoutHorzDock | kLayoutCommit, margins);
    EXPECT_EQ(controls.CountVisible(), 4);
    EXPECT_TRUE(controls.GetAt(2)->GetRowBreak());
    EXPECT_GT(controls.GetAt(2)->GetRect().top, controls.GetAt(0)->GetRect().bottom);
    EXPECT_EQ(wrapped.cx, nNarrow);
    EXPECT_EQ(controls.HitTest(controls.GetAt(3)->GetRect().CenterPoint()), controls.GetAt(3));
    ReleaseCommandBarDrawer();
}
