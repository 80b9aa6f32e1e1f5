// Keyboard shortcuts from a loaded accelerator table: the texts shown beside
// commands, key names, translation of a key into its command, and mnemonic
// matching.
#include "CCommandShortcuts.h"
#include "CKitControl.h"

#include <gtest/gtest.h>

namespace
{
// A hidden window that counts the commands it receives.
class CommandSink
{
public:
    CommandSink()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CommandSink::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PelmoShortcutSink";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowW(L"PelmoShortcutSink", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~CommandSink() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
    static inline int s_nLastCommand = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_COMMAND)
            s_nLastCommand = LOWORD(wParam);
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
};

struct TextCase
{
    int nCommand;
    const wchar_t* shown;     // text the control shows already
    const wchar_t* expected;
};
} // namespace

TEST(CommandShortcuts, TextsOfTheLoadedTable)
{
    CCommandShortcuts shortcuts;
    ASSERT_NE(shortcuts.LoadAcceleratorResource(128), nullptr);
    const TextCase cases[] = {
        {100, L"", L"F3"},              // a plain key reads better than Ctrl+O
        {100, L"Ctrl+O", L"Ctrl+O"},    // a text already shown stays
        {101, L"", L"Ctrl+Shift+Del"},
        {102, L"", L"Shift+Alt+F4"},
        {103, L"F3", L"Ctrl+S"},
    };
    for (const TextCase& c : cases)
    {
        CString strText = c.shown;
        EXPECT_TRUE(shortcuts.FindShortcutText(c.nCommand, strText)) << c.nCommand;
        EXPECT_EQ(strText, c.expected) << c.nCommand;
    }
    CString strNone = L"stale";
    EXPECT_FALSE(shortcuts.FindShortcutText(999, strNone));
    EXPECT_TRUE(strNone.IsEmpty());

    // Beside a control: the text it shows.
    CKitControlButton button;
    button.m_nId = 103;
    shortcuts.FindShortcutText(button.GetId(), button.m_strShortcutText);
    EXPECT_EQ(button.GetShortcutText(), L"Ctrl+S");
}

TEST(CommandShortcuts, MissingResourceLeavesNoTable)
{
    CCommandShortcuts shortcuts;
    EXPECT_EQ(shortcuts.LoadAcceleratorResource(4711), nullptr);
    CString strText;
    EXPECT_FALSE(shortcuts.FindShortcutText(100, strText));
    MSG msg = {nullptr, WM_KEYDOWN, VK_F3, 0, 0, {0, 0}};
    EXPECT_FALSE(shortcuts.Translate(nullptr, &msg));
}

TEST(CommandShortcuts, KeyRunsItsCommandUnlessAPrintPreviewRuns)
{
    CCommandShortcuts shortcuts;
    ASSERT_NE(shortcuts.LoadAcceleratorResource(128), nullptr);
    CommandSink sink;
    CommandSink::s_nLastCommand = 0;
    MSG msg = {sink.m_hWnd, WM_KEYDOWN, VK_F3, 0x003D0001, 0, {0, 0}};
    shortcuts.OnPrintPreviewMode(TRUE);
    EXPECT_FALSE(shortcuts.Translate(sink.m_hWnd, &msg));
    shortcuts.OnPrintPreviewMode(FALSE);
    EXPECT_TRUE(shortcuts.Translate(sink.m_hWnd, &msg));
    EXPECT_EQ(CommandSink::s_nLastCommand, 100);
}

TEST(CommandShortcuts, ReplacedTableAndResetToTheOriginal)
{
    CCommandShortcuts shortcuts;
    ASSERT_NE(shortcuts.LoadAcceleratorResource(128), nullptr);
    ACCEL entry = {FVIRTKEY | FCONTROL, 'Q', 100};
    shortcuts.SetTable(&entry, 1);
    CString strText;
    EXPECT_TRUE(shortcuts.FindShortcutText(100, strText));
    EXPECT_EQ(strText, L"Ctrl+Q");
    EXPECT_FALSE(shortcuts.FindShortcutText(101, strText));
    shortcuts.ResetToOriginal();
    EXPECT_TRUE(shortcuts.FindShortcutText(101, strText));
    EXPECT_EQ(strText, L"Ctrl+Shift+Del");
}

TEST(CommandShortcuts, FormattingAndKeyNames)
{
    CCommandShortcuts shortcuts;
    struct
    {
        ACCEL entry;
        const wchar_t* text;
        int nPriority;
    } const cases[] = {
        {{FVIRTKEY | FCONTROL, 'S', 1}, L"Ctrl+S", 3},
        {{FVIRTKEY | FALT | FSHIFT, VK_F4, 1}, L"Shift+Alt+F4", 2},
        {{FVIRTKEY | FSHIFT, VK_INSERT, 1}, L"Shift+Ins", 1},
        {{FVIRTKEY | FCONTROL, VK_CANCEL, 1}, L"Ctrl+Break", 3},
        {{FVIRTKEY, VK_NUMPAD5, 1}, L"Num 5", 4},
        {{FCONTROL, 0, 1}, L"Ctrl", 3},     // no key: the trailing "+" goes
        {{0, 'x', 1}, L"x", 4},             // a character key
        {{0, 27, 1}, L"", 4},               // Escape as a character shows nothing
    };
    for (const auto& c : cases)
    {
        CString strText;
        int nPriority = 0;
        shortcuts.FormatShortcut(strText, c.entry, &nPriority);
        EXPECT_EQ(strText, c.text);
        EXPECT_EQ(nPriority, c.nPriority) << static_cast<LPCTSTR>(strText);
    }
    const ACCEL escape = {FVIRTKEY, VK_ESCAPE, 1};
    const ACCEL ctrlEscape = {FVIRTKEY | FCONTROL, VK_ESCAPE, 1};
    EXPECT_FALSE(shortcuts.IsShortcutAllowed(escape));
    EXPECT_TRUE(shortcuts.IsShortcutAllowed(ctrlEscape));
    shortcuts.m_bAllowEscape = TRUE;
    EXPECT_TRUE(shortcuts.IsShortcutAllowed(escape));
}

TEST(CommandShortcuts, MnemonicMatchesTheKeyOfTheCharacter)
{
    EXPECT_TRUE(IsMnemonicKey(L'a', 'A'));
    EXPECT_TRUE(IsMnemonicKey(L'A', 'A'));
    EXPECT_TRUE(IsMnemonicKey(L'7', '7'));
    EXPECT_FALSE(IsMnemonicKey(L'b', 'A'));
    EXPECT_FALSE(IsMnemonicKey(L'a', VK_SHIFT)) << "a key without a character";
}
