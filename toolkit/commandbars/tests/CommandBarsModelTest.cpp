// The command bars without a frame: controls built from a menu, the hidden
// and used command sets, and the options kept in the registry.
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitPropExchangeRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A menu made at run time; destroyed with the test.
class MenuFixture
{
public:
    MenuFixture() : m_hMenu(::CreatePopupMenu()) {}
    ~MenuFixture() { ::DestroyMenu(m_hMenu); }
    MenuFixture(const MenuFixture&) = delete;
    MenuFixture& operator=(const MenuFixture&) = delete;
    void Separator() { ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr); }
    void Item(UINT nId, LPCWSTR lpszText, UINT nFlags = 0) { ::AppendMenuW(m_hMenu, MF_STRING | nFlags, nId, lpszText); }
    HMENU Get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

// One letter per control: its caption's first letter, "|" before a group
// start, "x" when disabled, "v" when checked.
std::wstring Describe(CKitControls& controls)
{
    std::wstring text;
    for (int i = 0; i < controls.GetCount(); ++i)
    {
        CKitControl* pControl = controls.GetAt(i);
        if (pControl->GetBeginGroup())
            text += L'|';
        text += static_cast<LPCTSTR>(pControl->GetCaption())[0];
        if (!pControl->GetEnabled())
            text += L'x';
        if (pControl->GetChecked())
            text += L'v';
    }
    return text;
}

}  // namespace

TEST(CommandBarsModel, MenuItemsBecomeControlsWithGroupsAndStates)
{
    MenuFixture menu;
    menu.Separator();
    menu.Item(100, L"Open\tCtrl+O");
    menu.Item(101, L"Save", MF_GRAYED);
    menu.Separator();
    menu.Separator();
    menu.Item(102, L"Recover", MF_CHECKED);
    menu.Item(0xFF00, L"Window list");  // fills itself: no control
    menu.Item(0xFF01, L"Window two");   // a plain button
    menu.Separator();                   // a separator at the end adds nothing

    CKitCommandBar bar;
    ASSERT_TRUE(bar.FillFromMenu(menu.Get(), TRUE));
    CKitControls& controls = *bar.GetControls();
    EXPECT_EQ(Describe(controls), L"|OSx|RvW");
    EXPECT_EQ(controls.GetAt(0)->m_strMenuShortcutText, CString(L"Ctrl+O")) << "the text after the tab";
    EXPECT_EQ(controls.GetAt(3)->GetId(), 0xFF01);
    EXPECT_FALSE(bar.FillFromMenu(nullptr, TRUE)) << "no menu";
    EXPECT_EQ(controls.GetCount(), 4);
}

TEST(CommandBarsModel, SubmenuBecomesAPopupControl)
{
    MenuFixture menu;
    HMENU hSubmenu = ::CreatePopupMenu();  // the menu owns it from here
    ::AppendMenuW(hSubmenu, MF_STRING, 200, L"&Icons");
    ::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(hSubmenu), L"&View");

    CKitCommandBar bar;
    ASSERT_TRUE(bar.FillFromMenu(menu.Get(), TRUE));
    ASSERT_EQ(bar.GetControls()->GetCount(), 1);
    CKitControl* pView = bar.GetControls()->GetAt(0);
    EXPECT_EQ(pView->GetType(), kControlPopup);
    EXPECT_EQ(pView->GetCaption(), CString(L"&View"));
    if (CKitCommandBar* pPopup = pView->GetCommandBar())
    {
        EXPECT_EQ(pPopup->GetTitle(), CString(L"View")) << "the title without the marker";
        ASSERT_EQ(pPopup->GetControls()->GetCount(), 1);
        EXPECT_EQ(pPopup->GetControls()->GetAt(0)->GetId(), 200);
    }
}

TEST(CommandBarsModel, HiddenCommandsShowOnceUsed)
{
    auto* pBars = new CKitCommandBars;
    const UINT hidden[] = {500, 501};
    pBars->HideCommandIds(hidden, 2);
    EXPECT_TRUE(pBars->IsCommandHiddenInMenus(500));
    EXPECT_FALSE(pBars->IsCommandHiddenInMenus(502));
    pBars->MarkCommandUsed(500);
    pBars->MarkCommandUsed(502);  // not hidden: not recorded
    EXPECT_FALSE(pBars->IsCommandHiddenInMenus(500));
    EXPECT_TRUE(pBars->IsCommandHiddenInMenus(501));
    EXPECT_EQ(pBars->GetSettings()->m_usedCommands.size(), 1u);

    CKitControlPopup emptyPopup;
    EXPECT_FALSE(pBars->IsControlHiddenInMenus(&emptyPopup)) << "a popup without controls is never hidden";
    pBars->InternalRelease();
}

namespace
{

constexpr wchar_t kTestKey[] = L"Software\\PelmoTests\\CommandBarsModel";

// A fresh registry key for one test, deleted afterwards.
class RegistryKey
{
public:
    RegistryKey()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
    }
    ~RegistryKey()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

void Exchange(CCommandBarSettings& settings, HKEY hKey, BOOL bLoading, BOOL bOptionsOnly)
{
    CKitPropExchangeRegistry exchange(bLoading, hKey, L"Gallery-Options");
    settings.ExchangeSettings(&exchange, bOptionsOnly);
}

}  // namespace

TEST(CommandBarsModel, SettingsTravelThroughTheRegistry)
{
    RegistryKey key;
    CCommandBarSettings stored;
    stored.m_bAlwaysShowFullMenus = FALSE;
    stored.m_bLargeIcons = TRUE;
    stored.m_nAnimationType = 3;
    stored.m_usedCommands = {700, 701};
    stored.m_bDblClickFloat = TRUE;  // not an option the profile keeps
    Exchange(stored, key.Get(), FALSE, TRUE);

    CCommandBarSettings loaded;
    Exchange(loaded, key.Get(), TRUE, TRUE);
    EXPECT_FALSE(loaded.m_bAlwaysShowFullMenus);
    EXPECT_TRUE(loaded.m_bLargeIcons);
    EXPECT_EQ(loaded.m_nAnimationType, 3);
    EXPECT_EQ(loaded.m_usedCommands, (CCommandBarSettings::CommandSet{700, 701}));
    EXPECT_FALSE(loaded.m_bDblClickFloat);
}

TEST(CommandBarsModel, OldSchemaReadsOnlyTheFirstOptions)
{
    RegistryKey key;
    CCommandBarSettings stored;
    stored.m_bToolBarAccelTips = TRUE;
    stored.m_nAnimationType = 2;
    stored.m_usedCommands = {800};
    stored.m_bSyncFloatingBars = FALSE;
    stored.m_nKeyboardCuesUse = 4;
    Exchange(stored, key.Get(), FALSE, FALSE);
    {
        // Written by an older release.
        CKitPropExchangeRegistry exchange(FALSE, key.Get(), L"Gallery-Options");
        int nSchema = 7;
        ExchangeLong(&exchange, L"Schema", nSchema, 16);
    }

    CCommandBarSettings loaded;
    Exchange(loaded, key.Get(), TRUE, FALSE);
    EXPECT_TRUE(loaded.m_bToolBarAccelTips) << "one of the first five";
    EXPECT_EQ(loaded.m_nAnimationType, 0) << "an older full store keeps no animation";
    EXPECT_TRUE(loaded.m_usedCommands.empty()) << "newer than schema 7";
    EXPECT_FALSE(loaded.m_bSyncFloatingBars) << "written in the older block too";
    EXPECT_EQ(loaded.m_nKeyboardCuesUse, 1) << "newer than schema 8: the default";

    CCommandBarSettings options;
    Exchange(options, key.Get(), TRUE, TRUE);
    EXPECT_EQ(options.m_nAnimationType, 2) << "the profile's options always hold the animation";
    EXPECT_TRUE(options.m_bSyncFloatingBars) << "not one of the profile's options";
}
