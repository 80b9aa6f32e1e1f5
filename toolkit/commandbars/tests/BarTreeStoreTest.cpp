// The stored bar tree without a frame: a toolbar holding every kind of
// control goes through the archive exchange and comes back equal, with its
// popup bar, its combo's items and its original set; damaged images (cut
// short anywhere, counts beyond reason, controls of unknown kinds or ids out
// of range, a popup that opens itself) never crash and never smuggle a
// control in.
#include "BarTreeExchange.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CKitControlComboBoxList.h"
#include "CKitControlEdit.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitPropExchangeArchive.h"
#include "CKitToolBar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;

// Owns one reference to each bar.
struct BarList
{
    ~BarList()
    {
        for (CKitCommandBar* pBar : bars)
            pBar->InternalRelease();
    }
    CKitCommandBar* Find(int nBarId) const
    {
        for (CKitCommandBar* pBar : bars)
            if (pBar->GetBarId() == nBarId)
                return pBar;
        return nullptr;
    }
    std::vector<CKitCommandBar*> bars;
};

class BarTree : public testing::Test
{
protected:
    void SetUp() override { m_pBars = new CKitCommandBars; }
    void TearDown() override { m_pBars->InternalRelease(); }

    // The image SaveBarTree writes for the bars (empty when it fails).
    Bytes Store(const std::vector<CKitCommandBar*>& bars)
    {
        CBarTreeOptions options;
        options.pCommandBars = m_pBars;
        CMemFile file;
        BOOL bStored = FALSE;
        {
            CArchive ar(&file, CArchive::store);
            CKitPropExchangeArchive exchange(ar);
            exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
            bStored = m_pBars->SaveBarTree(&exchange, bars);
            if (bStored)
                ar.Close();
            else
                ar.Abort();
        }
        if (!bStored)
            return {};
        const auto nSize = static_cast<size_t>(file.GetLength());
        BYTE* pBytes = file.Detach();
        Bytes bytes(pBytes, pBytes + nSize);
        std::free(pBytes);
        return bytes;
    }

    // The bars and their collected popups, as SaveLayout gathers them.
    Bytes StoreCollected(CKitCommandBar* pBar)
    {
        CBarTreeOptions options;
        BarList collected;
        int nNextId = 0x1000000;
        pBar->CollectForSave(&nNextId, collected.bars, options);
        return Store(collected.bars);
    }

    BOOL Load(const Bytes& bytes, BarList& loaded)
    {
        CBarTreeOptions options;
        options.pCommandBars = m_pBars;
        Bytes copy = bytes;
        CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
        CArchive ar(&file, CArchive::load);
        CKitPropExchangeArchive exchange(ar);
        exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
        const BOOL bLoaded = m_pBars->LoadBarTree(&exchange, loaded.bars);
        ar.Abort();
        file.Detach();
        if (bLoaded)
            for (CKitCommandBar* pBar : loaded.bars)
                pBar->ResolvePopupReferences(loaded.bars);
        return bLoaded;
    }

    CKitCommandBars* m_pBars = nullptr;
};

// A toolbar (id 300) with a button, a label, a popup with its own bar, a
// split button, an edit field and a combo box, and its original set.
CKitToolBar* MakeToolBar()
{
    auto* pBar = new CKitToolBar;
    pBar->m_nBarId = 300;
    pBar->m_strTitle = L"Finder";
    pBar->m_dwFlags = 0x3F;
    pBar->m_szIcons = CSize(24, 24);
    CKitControls* pControls = pBar->GetControls();

    CKitControl* pButton = pControls->Add(kControlButton, 0x8001);
    pButton->SetCaption(L"&Find");
    pButton->m_strCustomCaption = L"Look";
    pButton->m_strTooltip = L"Find a file";
    pButton->m_strDescription = L"Finds a file by name";
    pButton->m_strParameter = L"p";
    pButton->m_dwTag = 77;
    pButton->m_nStyle = 3;
    pButton->m_nCustomStyle = 1;
    pButton->m_dwHideFlags = kHideByUser;
    pButton->m_bDefaultItem = TRUE;

    pControls->Add(kControlLabel, 0)->SetCaption(L"Drive:");

    auto* pPopupBar = CKitPopupBar::NewPopupBar(nullptr);
    pPopupBar->GetControls()->Add(kControlButton, 0x8002)->SetCaption(L"One");
    pPopupBar->GetControls()->Add(kControlButton, 0x8003)->SetCaption(L"Two");
    pPopupBar->m_bDoubleGripper = TRUE;
    auto* pPopup = new CKitControlPopup(kControlPopup);
    pPopup->SetCommandBar(pPopupBar);
    pControls->Add(pPopup, 0)->SetCaption(L"More");
    pPopup->SetBeginGroup(TRUE);

    auto* pSplit = new CKitControlPopup(kControlSplitButtonPopup);
    pControls->Add(pSplit, 0x8004)->SetCaption(L"Split");

    auto* pEdit = new CKitControlEdit;
    pControls->Add(pEdit, 0x8005)->SetCaption(L"Name");
    pEdit->m_nFieldWidth = 120;
    pEdit->m_bShowLabel = TRUE;
    pEdit->m_bReadOnly = TRUE;
    pEdit->m_strEditHint = L"file name";

    auto* pCombo = new CKitControlComboBox;
    pControls->Add(pCombo, 0x8006)->SetCaption(L"Kind");
    pCombo->m_nFieldWidth = 150;
    pCombo->SetDropDown(TRUE);
    pCombo->m_nDropDownItemCount = 5;
    pCombo->m_bAutoCompleteList = TRUE;
    pCombo->AddString(L"Pictures");
    pCombo->AddString(L"Documents");
    return pBar;
}

TEST_F(BarTree, EveryKindOfControlComesBackEqual)
{
    CKitToolBar* pBar = MakeToolBar();
    pBar->GetControls()->CreateOriginalControls();
    pBar->GetControls()->Remove(1);  // the label goes: the bar differs from its original set
    const Bytes bytes = StoreCollected(pBar);
    ASSERT_FALSE(bytes.empty());

    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    auto* pLoaded = dynamic_cast<CKitToolBar*>(loaded.Find(300));
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->m_strTitle, CString(L"Finder"));
    EXPECT_EQ(pLoaded->m_dwFlags, 0x3Fu);
    EXPECT_EQ(pLoaded->m_szIcons, CSize(24, 24));
    CKitControls* pControls = pLoaded->GetControls();
    ASSERT_EQ(pControls->GetCount(), 5);
    EXPECT_TRUE(pControls->IsEqualTo(pBar->GetControls()));
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        EXPECT_EQ(pControls->GetAt(i)->GetRuntimeClass(), pBar->GetControls()->GetAt(i)->GetRuntimeClass()) << i;
        EXPECT_EQ(pControls->GetAt(i)->GetIndex(), i);
    }
    CKitControl* pButton = pControls->GetAt(0);
    EXPECT_EQ(pButton->m_dwTag, 77u);
    EXPECT_EQ(pButton->m_dwHideFlags, kHideByUser);
    EXPECT_TRUE(pButton->m_bDefaultItem);
    EXPECT_EQ(pButton->GetCaption(), CString(L"Look"));

    CKitCommandBar* pPopupBar = pControls->GetAt(1)->GetCommandBar();
    ASSERT_NE(pPopupBar, nullptr) << "the popup opens its loaded bar";
    EXPECT_TRUE(pPopupBar->IsKindOf(RUNTIME_CLASS(CKitPopupBar)));
    EXPECT_EQ(pPopupBar->GetControls()->GetCount(), 2);
    EXPECT_TRUE(static_cast<CKitPopupBar*>(pPopupBar)->m_bDoubleGripper);
    EXPECT_EQ(pPopupBar->GetPosition(), kBarPopup);
    EXPECT_EQ(pControls->GetAt(2)->GetType(), kControlSplitButtonPopup);

    auto* pEdit = dynamic_cast<CKitControlEdit*>(pControls->GetAt(3));
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->m_nFieldWidth, 120);
    EXPECT_TRUE(pEdit->m_bShowLabel);
    EXPECT_TRUE(pEdit->m_bReadOnly);
    EXPECT_EQ(pEdit->m_strEditHint, CString(L"file name"));

    auto* pCombo = dynamic_cast<CKitControlComboBox*>(pControls->GetAt(4));
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->m_nFieldWidth, 150);
    EXPECT_TRUE(pCombo->m_bDropDown);
    EXPECT_NE(pCombo->GetEditWindow(), nullptr) << "a drop-down combo gets its field";
    EXPECT_EQ(pCombo->m_nDropDownItemCount, 5);
    EXPECT_TRUE(pCombo->m_bAutoCompleteList);
    ASSERT_NE(pCombo->GetList(), nullptr);
    ASSERT_EQ(pCombo->GetList()->GetItemCount(), 2);
    EXPECT_EQ(pCombo->GetList()->GetItemText(1), CString(L"Documents"));
    EXPECT_EQ(pCombo->GetList()->GetPosition(), 6) << "the list stays a list";

    CKitControls* pOriginal = pControls->GetOriginalControls();
    ASSERT_NE(pOriginal, nullptr) << "the original set travels with the bar";
    EXPECT_EQ(pOriginal->GetCount(), 6);
    EXPECT_TRUE(pOriginal->IsEqualTo(pBar->GetControls()->GetOriginalControls()));
    EXPECT_TRUE(pControls->IsChanged());
    pBar->InternalRelease();
}

TEST_F(BarTree, TemporaryControlsAndBarOwnControlsStayOut)
{
    auto* pBar = new CKitToolBar;
    pBar->m_nBarId = 301;
    pBar->GetControls()->Add(kControlButton, 0x8001)->SetCaption(L"Kept");
    pBar->GetControls()->Add(kControlButton, 0x8002, CString(), -1, TRUE)->SetCaption(L"Temporary");
    const Bytes bytes = StoreCollected(pBar);
    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    ASSERT_EQ(loaded.bars.size(), 1u);
    ASSERT_EQ(loaded.bars[0]->GetControls()->GetCount(), 1);
    EXPECT_EQ(loaded.bars[0]->GetControls()->GetAt(0)->GetCaption(), CString(L"Kept"));
    pBar->InternalRelease();
}

// Every image cut short fails as a whole; nothing half-read comes out.
TEST_F(BarTree, AnImageCutShortAnywhereLoadsNothing)
{
    CKitToolBar* pBar = MakeToolBar();
    pBar->GetControls()->CreateOriginalControls();
    const Bytes bytes = StoreCollected(pBar);
    ASSERT_GT(bytes.size(), 100u);
    for (size_t nLength = 0; nLength < bytes.size(); ++nLength)
    {
        BarList loaded;
        EXPECT_FALSE(Load(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nLength)), loaded))
            << nLength << " of " << bytes.size() << " bytes";
    }
    pBar->InternalRelease();
}

// Stored controls the program must not take: each is read past and
// refused, its neighbours load.
struct RefusedControlCase
{
    const char* name;
    int nType;
    int nId;
};

void PrintTo(const RefusedControlCase& c, std::ostream* os)
{
    *os << c.name;
}

class RefusedControls : public BarTree, public testing::WithParamInterface<RefusedControlCase>
{
};

TEST_P(RefusedControls, AreSkippedAndTheirNeighboursLoad)
{
    const RefusedControlCase& c = GetParam();
    auto* pBar = new CKitToolBar;
    pBar->m_nBarId = 302;
    pBar->GetControls()->Add(kControlButton, 0x8001)->SetCaption(L"Before");
    CKitControl* pBad = pBar->GetControls()->Add(kControlButton, 0x8002);
    pBad->m_nType = c.nType;
    pBad->m_nId = c.nId;
    pBar->GetControls()->Add(kControlButton, 0x8003)->SetCaption(L"After");
    const Bytes bytes = StoreCollected(pBar);
    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    CKitControls* pControls = loaded.Find(302)->GetControls();
    ASSERT_EQ(pControls->GetCount(), 2);
    EXPECT_EQ(pControls->GetAt(0)->GetCaption(), CString(L"Before"));
    EXPECT_EQ(pControls->GetAt(1)->GetCaption(), CString(L"After"));
    EXPECT_EQ(pControls->m_nRefusedOnLoad, 1);
    pBar->InternalRelease();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedControls,
    testing::Values(RefusedControlCase{"UnknownType", 9, 0x8002}, RefusedControlCase{"TypeZero", 0, 0x8002},
                    RefusedControlCase{"ComboTypeOnAButton", kControlComboBox, 0x8002},
                    RefusedControlCase{"IdAboveTheCommandRange", kControlButton, 0x10000},
                    RefusedControlCase{"NegativeId", kControlButton, -7},
                    RefusedControlCase{"ExpandButtonId", kControlButton, 9400},
                    RefusedControlCase{"MdiCloseId", kControlButton, 9403}),
    [](const testing::TestParamInfo<RefusedControlCase>& info) { return std::string(info.param.name); });

// The keys every bar writes before its controls, in the order the bars write them.
void WriteBarHead(CKitPropExchange* pPX, int nBarId)
{
    int nType = kBarTypeToolBar;
    int nPosition = kBarTop;
    DWORD dwZero = 0;
    CString strTitle = L"Damaged";
    BOOL bCustomizable = TRUE;
    int nWidth = 0;
    SIZE szIcons{0, 0};
    ExchangeLong(pPX, L"Type", nType, 1);
    ExchangeLong(pPX, L"Position", nPosition, 0);
    ExchangeLong(pPX, L"BarID", nBarId, 0);
    bartree::ExchangeDword(pPX, L"Flags", dwZero, 0);
    bartree::ExchangeDword(pPX, L"Style", dwZero, 0);
    ExchangeString(pPX, L"Title", strTitle, L"");
    ExchangeBool(pPX, L"Customizable", bCustomizable, TRUE);
    ExchangeLong(pPX, L"MRUWidth", nWidth, 0);
    ExchangeSize(pPX, L"IconSize", szIcons, SIZE{0, 0});
}

// An image written by hand: one toolbar whose "Controls" count is given,
// followed by a few bytes of nothing.
Bytes ImageWithControlCount(DWORD nCount, DWORD nBars = 1)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive exchange(ar);
        CKitPropSectionRef tree(exchange.OpenSection(L"CommandBars"));
        tree->StoreCount(nBars);
        auto* pBar = new CKitToolBar;
        CObject* pObject = pBar;
        tree->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitCommandBar));
        WriteBarHead(tree.Get(), 303);
        tree->StoreCount(nCount);
        const BYTE filler[16] = {};
        ar.Write(filler, sizeof(filler));
        ar.Close();
        pBar->InternalRelease();
    }
    const auto nSize = static_cast<size_t>(file.GetLength());
    BYTE* pBytes = file.Detach();
    Bytes bytes(pBytes, pBytes + nSize);
    std::free(pBytes);
    return bytes;
}

TEST_F(BarTree, CountsBeyondReasonEndTheLoad)
{
    BarList loaded;
    EXPECT_FALSE(Load(ImageWithControlCount(bartree::kMaxStoredControls + 1), loaded)) << "controls";
    BarList loaded2;
    EXPECT_FALSE(Load(ImageWithControlCount(0x7FFFFFFF), loaded2)) << "controls, a huge count";
    BarList loaded3;
    EXPECT_FALSE(Load(ImageWithControlCount(0, bartree::kMaxStoredBars + 1), loaded3)) << "bars";
    BarList loaded4;
    EXPECT_FALSE(Load(ImageWithControlCount(3), loaded4)) << "three controls announced, none there";
}

TEST_F(BarTree, ValuesOutOfRangeAreKeptToWhatABarCanShow)
{
    auto* pBar = new CKitToolBar;
    pBar->m_nBarId = 304;
    pBar->m_szIcons = CSize(100000, -3);
    auto* pEdit = new CKitControlEdit;
    pBar->GetControls()->Add(pEdit, 0x8001);
    pEdit->m_nFieldWidth = -5;
    auto* pCombo = new CKitControlComboBox;
    pBar->GetControls()->Add(pCombo, 0x8002);
    pCombo->m_nFieldWidth = 2000000;
    pCombo->m_nDropDownItemCount = 0;
    pCombo->m_nCustomStyle = 42;
    const Bytes bytes = StoreCollected(pBar);
    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    CKitCommandBar* pLoaded = loaded.Find(304);
    EXPECT_EQ(pLoaded->m_szIcons, CSize(bartree::kMaxIconSide, 0));
    auto* pLoadedEdit = dynamic_cast<CKitControlEdit*>(pLoaded->GetControls()->GetAt(0));
    auto* pLoadedCombo = dynamic_cast<CKitControlComboBox*>(pLoaded->GetControls()->GetAt(1));
    ASSERT_NE(pLoadedEdit, nullptr);
    ASSERT_NE(pLoadedCombo, nullptr);
    EXPECT_EQ(pLoadedEdit->m_nFieldWidth, 100);
    EXPECT_EQ(pLoadedCombo->m_nFieldWidth, 100);
    EXPECT_EQ(pLoadedCombo->m_nDropDownItemCount, 1);
    EXPECT_EQ(pLoadedCombo->m_nCustomStyle, 3);
    pBar->InternalRelease();
}

// A popup bar that holds a popup opening that same bar: loading ends.
TEST_F(BarTree, APopupThatOpensItsOwnBarResolvesWithoutEndlessNesting)
{
    auto* pBar = new CKitToolBar;
    pBar->m_nBarId = 305;
    auto* pPopupBar = CKitPopupBar::NewPopupBar(nullptr);
    pPopupBar->m_nBarId = 0x1000000;
    auto* pOuter = new CKitControlPopup;
    pOuter->SetCommandBar(pPopupBar);
    pBar->GetControls()->Add(pOuter, 0);
    auto* pInner = new CKitControlPopup;
    pPopupBar->InternalAddRef();
    pInner->SetCommandBar(pPopupBar);
    pPopupBar->GetControls()->Add(pInner, 0);
    const Bytes bytes = StoreCollected(pBar);
    ASSERT_FALSE(bytes.empty());
    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    EXPECT_EQ(loaded.bars.size(), 2u);
    CKitCommandBar* pLoadedPopup = loaded.Find(305)->GetControls()->GetAt(0)->GetCommandBar();
    ASSERT_NE(pLoadedPopup, nullptr);
    EXPECT_EQ(pLoadedPopup->GetControls()->GetAt(0)->GetCommandBar(), pLoadedPopup);
    // The cycle of references is broken by hand so the bars can go.
    static_cast<CKitControlPopup*>(pLoadedPopup->GetControls()->GetAt(0))->SetCommandBar(nullptr);
    pInner->SetCommandBar(nullptr);
    pBar->InternalRelease();
}

// A menu bar's controls kept for the other menus of an MDI frame: written
// by hand as another build might have stored them (one sound set, one with a
// menu id out of range, one stored twice), read, then stored and read again.
TEST_F(BarTree, MenuBarKeepsTheControlsOfOtherMenus)
{
    const auto controlsOf = [](const std::vector<int>& ids) {
        auto* pControls = new CKitControls;
        for (int nId : ids)
            pControls->Add(kControlButton, nId)->SetCaption(L"Item");
        return pControls;
    };
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive exchange(ar);
        CKitPropSectionRef tree(exchange.OpenSection(L"CommandBars"));
        tree->StoreCount(1);
        auto* pMenuBar = new CKitMenuBar;
        CObject* pObject = pMenuBar;
        tree->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitCommandBar));
        WriteBarHead(tree.Get(), 1);
        CKitControls* pOwn = controlsOf({0x8001, 0x8002});
        pOwn->ExchangeControls(tree.Get());
        pOwn->InternalRelease();
        BOOL bTrue = TRUE;
        BOOL bFalse = FALSE;
        ExchangeBool(tree.Get(), L"BuiltIn", bTrue, TRUE);
        ExchangeBool(tree.Get(), L"TearOff", bFalse, FALSE);
        ExchangeBool(tree.Get(), L"Closeable", bTrue, TRUE);
        ExchangeBool(tree.Get(), L"ContextMenuPresent", bTrue, TRUE);
        int nResourceId = 128;
        ExchangeLong(tree.Get(), L"ResourceId", nResourceId, 0);
        const std::pair<long, std::vector<int>> menus[] = {
            {130, {0x8101, 0x8102, 0x8103}}, {0x12345, {0x8201}}, {130, {0x8301}}};
        tree->StoreCount(3);
        for (const auto& menu : menus)
        {
            long nMenuId = menu.first;
            ExchangeLong(tree.Get(), L"Id", nMenuId, 0);
            CKitControls* pKept = controlsOf(menu.second);
            pKept->ExchangeControls(tree.Get());
            pKept->InternalRelease();
        }
        ar.Close();
        pMenuBar->InternalRelease();
    }
    const auto nSize = static_cast<size_t>(file.GetLength());
    BYTE* pBytes = file.Detach();
    const Bytes bytes(pBytes, pBytes + nSize);
    std::free(pBytes);

    BarList loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    auto* pLoaded = dynamic_cast<CKitMenuBar*>(loaded.Find(1));
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->GetDefaultMenuId(), 128u);
    EXPECT_EQ(pLoaded->GetControls()->GetCount(), 2);
    ASSERT_NE(pLoaded->GetKeptMenuControls(130), nullptr);
    EXPECT_EQ(pLoaded->GetKeptMenuControls(130)->GetCount(), 3) << "the first set of a menu stored twice wins";
    EXPECT_EQ(pLoaded->GetKeptMenuControls(0x12345), nullptr) << "a menu id out of range is dropped";

    // Stored again as this build stores it, and read back the same.
    const Bytes again = Store({pLoaded});
    BarList reloaded;
    ASSERT_TRUE(Load(again, reloaded));
    auto* pReloaded = dynamic_cast<CKitMenuBar*>(reloaded.Find(1));
    ASSERT_NE(pReloaded, nullptr);
    ASSERT_NE(pReloaded->GetKeptMenuControls(130), nullptr);
    EXPECT_TRUE(pReloaded->GetKeptMenuControls(130)->IsEqualTo(pLoaded->GetKeptMenuControls(130)));
    EXPECT_TRUE(pReloaded->HasKeptMenus());
}

}  // namespace
