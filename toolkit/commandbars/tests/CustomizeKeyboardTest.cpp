// The Keyboard page of the customize sheet in a gallery frame: a command is
// chosen, keys are typed into the shortcut field by real input (the field
// reads the modifiers held), assigned, re-assigned after the question,
// removed and all reset; each change must reach the frame's shortcut table
// in force. A screenshot of the page goes beside the results.
#include "CCommandShortcuts.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitControl.h"
#include "CMenuSoundPlayer.h"
#include "CCommandBarDrawer.h"
#include "CToolkitResources.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "CustomizeGalleryFrame.h"
#include "customize/CKitCustomizeSheet.h"
#include "window/CCmdUI.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace
{

constexpr UINT kAcceleratorTable = 2201;

// Answers the first message box of this thread that shows the text, from a
// timer while the box's modal loop holds the thread.
class CBoxAnswer
{
public:
    CBoxAnswer(const wchar_t* pszText, UINT nAnswer) : m_pszText(pszText), m_nAnswer(nAnswer)
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(nullptr, 0, 100, &CBoxAnswer::Tick);
    }
    ~CBoxAnswer()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_pCurrent = nullptr;
    }
    bool m_bAnswered = false;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CBoxAnswer* pThis = s_pCurrent;
        if (pThis == nullptr || pThis->m_bAnswered)
            return;
        struct Search
        {
            const wchar_t* pszText;
            HWND hFound;
        } search{pThis->m_pszText, nullptr};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                auto* pSearch = reinterpret_cast<Search*>(lParam);
                wchar_t szClass[64] = {};
                ::GetClassNameW(hWnd, szClass, 64);
                if (wcscmp(szClass, L"#32770") != 0 || !::IsWindowVisible(hWnd))
                    return TRUE;
                for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
                {
                    wchar_t sz[512] = {};
                    ::GetWindowTextW(hChild, sz, 512);
                    if (wcsstr(sz, pSearch->pszText) != nullptr)
                    {
                        pSearch->hFound = hWnd;
                        return FALSE;
                    }
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.hFound != nullptr)
        {
            pThis->m_bAnswered = true;
            ::PostMessageW(search.hFound, WM_COMMAND, pThis->m_nAnswer, 0);
        }
    }

    const wchar_t* m_pszText;
    UINT m_nAnswer;
    UINT_PTR m_nTimer = 0;
    static CBoxAnswer* s_pCurrent;
};
CBoxAnswer* CBoxAnswer::s_pCurrent = nullptr;

CString WindowText(HWND hWnd)
{
    wchar_t sz[256] = {};
    ::GetWindowTextW(hWnd, sz, 256);
    return CString(sz);
}

// The keys pressed in order and released in reverse order, by real input.
void TypeChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD nKey : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = nKey;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(150);
}

std::vector<CString> ListTexts(CListBox* pList)
{
    std::vector<CString> texts;
    for (int i = 0; i < pList->GetCount(); ++i)
    {
        CString str;
        pList->GetText(i, str);
        texts.push_back(str);
    }
    return texts;
}

class CustomizeKeyboardGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(L"CommandBars Customize Keyboard");
        s_pApp->SetRegistryKey(L"Pelmo Tests");
        SelectCommandBarDrawingStyle(4);
    }
    static void TearDownTestSuite()
    {
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }
    void SetUp() override
    {
        m_pFrame = new CCustomizeGalleryFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo keyboard", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 520, 360)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        ASSERT_NE(m_pBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME), nullptr);
        m_pShortcuts = m_pBars->GetKeyboardShortcuts();
        ASSERT_NE(m_pShortcuts->LoadAcceleratorResource(kAcceleratorTable), nullptr);
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(200);
    }
    void TearDown() override
    {
        CKitCommandBars::ClosePopups();
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        PumpFor(50);
    }
    // The command the key runs through the frame's table in force, or 0.
    UINT CommandOfKey(WORD nKey)
    {
        m_pFrame->m_commands.clear();
        MSG msg = {m_pFrame->m_hWnd, WM_KEYDOWN, nKey, 1, 0, {0, 0}};
        m_pShortcuts->Translate(m_pFrame->m_hWnd, &msg);
        PumpFor(20);
        return m_pFrame->m_commands.empty() ? 0 : m_pFrame->m_commands.back();
    }
    CString ShortcutText(int nCommand)
    {
        CString str;
        m_pShortcuts->FindShortcutText(nCommand, str);
        return str;
    }

    static CWinApp* s_pApp;
    CCustomizeGalleryFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
    CCommandShortcuts* m_pShortcuts = nullptr;
};
CWinApp* CustomizeKeyboardGallery::s_pApp = nullptr;

}  // namespace

TEST_F(CustomizeKeyboardGallery, KeysTypedIntoTheFieldAreAssignedRemovedAndResetInTheFramesTable)
{
    m_pFrame->SendMessage(WM_COMMAND, ID_COMMANDBARS_CUSTOMIZE, 0);
    PumpFor(200);
    auto* pSheet = dynamic_cast<CKitCustomizeSheet*>(m_pBars->GetCustomizeSheet());
    ASSERT_NE(pSheet, nullptr);
    pSheet->SetWindowPos(nullptr, 530, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CCustomizeKeyboardPage& page = pSheet->m_pageKeyboard;
    int nPage = -1;
    for (int i = 0; i < pSheet->GetPageCount(); ++i)
        if (pSheet->GetPage(i) == &page)
            nPage = i;
    ASSERT_GE(nPage, 0);
    pSheet->SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0);
    PumpFor(150);
    ASSERT_NE(page.m_hWnd, nullptr);
    const HWND hAssign = ::GetDlgItem(page.m_hWnd, IDC_KIT_KEY_ASSIGN);
    const HWND hRemove = ::GetDlgItem(page.m_hWnd, IDC_KIT_KEY_REMOVE);
    auto click = [&](int nId) {
        ::SendMessageW(::GetDlgItem(page.m_hWnd, nId), BM_CLICK, 0, 0);
        PumpFor(50);
    };

    // The first category is the "Recovery" menu; its commands without "&".
    CComboBox* pCategory = page.GetCategoryCombo();
    ASSERT_GT(pCategory->GetCount(), 1);
    CString strCategory;
    pCategory->GetLBText(pCategory->GetCurSel(), strCategory);
    EXPECT_EQ(strCategory, CString(L"Recovery"));
    CListBox* pCommands = page.GetCommandList();
    int nRow = -1;
    for (int i = 0; i < pCommands->GetCount(); ++i)
        if (reinterpret_cast<CKitControl*>(pCommands->GetItemData(i))->GetId() == ID_RECOVER_SELECTED)
            nRow = i;
    ASSERT_GE(nRow, 0);
    for (const CString& str : ListTexts(pCommands))
        EXPECT_EQ(str.Find(L'&'), -1) << "mnemonic marker in the list";
    pCommands->SetCurSel(nRow);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_KEY_COMMANDS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pCommands->m_hWnd));
    CListBox* pAssignments = page.GetAssignmentList();
    EXPECT_EQ(ListTexts(pAssignments), std::vector<CString>{CString(L"Ctrl+R")});
    auto* pCommand = reinterpret_cast<CKitControl*>(pCommands->GetItemData(nRow));
    EXPECT_EQ(WindowText(::GetDlgItem(page.m_hWnd, IDC_KIT_DESCRIPTION)), pCommand->GetDescription());
    EXPECT_FALSE(::IsWindowEnabled(hAssign));
    EXPECT_FALSE(::IsWindowEnabled(hRemove));

    // Keys typed into the field: modifiers are read as held; a plain Escape
    // is no shortcut.
    const HWND hField = page.GetKeyField()->m_hWnd;
    ::SetForegroundWindow(pSheet->m_hWnd);
    ::SetFocus(hField);
    PumpFor(100);
    ASSERT_EQ(::GetFocus(), hField);
    TypeChord({VK_ESCAPE});
    EXPECT_EQ(WindowText(hField), CString(L"Esc"));
    EXPECT_FALSE(::IsWindowEnabled(hAssign));
    EXPECT_TRUE(::IsWindow(pSheet->m_hWnd)) << "Escape in the field closed the sheet";
    TypeChord({VK_CONTROL, VK_SHIFT, 'K'});
    EXPECT_EQ(WindowText(hField), CString(L"Ctrl+Shift+K"));
    EXPECT_TRUE(::IsWindowEnabled(hAssign));

    // F7 assigned: the frame's table runs the command on F7, and the plain
    // key is now the command's shortcut text.
    EXPECT_EQ(ShortcutText(ID_RECOVER_SELECTED), CString(L"Ctrl+R"));
    EXPECT_EQ(CommandOfKey(VK_F7), 0u);
    TypeChord({VK_F7});
    EXPECT_EQ(WindowText(hField), CString(L"F7"));
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(pSheet->m_hWnd, L"cbkeyboard_page.bmp"));
    click(IDC_KIT_KEY_ASSIGN);
    EXPECT_EQ(ListTexts(pAssignments), (std::vector<CString>{CString(L"Ctrl+R"), CString(L"F7")}));
    EXPECT_EQ(CommandOfKey(VK_F7), static_cast<UINT>(ID_RECOVER_SELECTED));
    EXPECT_EQ(ShortcutText(ID_RECOVER_SELECTED), CString(L"F7"));
    EXPECT_EQ(WindowText(hField), CString());
    EXPECT_FALSE(::IsWindowEnabled(hAssign));

    // F3 belongs to Find Files: No keeps it there, Yes moves it.
    for (UINT nAnswer : {static_cast<UINT>(IDNO), static_cast<UINT>(IDYES)})
    {
        ::SetFocus(hField);
        TypeChord({VK_F3});
        CBoxAnswer answer(L"This shortcut is currently assigned.", nAnswer);
        ::PostMessageW(hAssign, BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return answer.m_bAnswered; }, 5000)) << "no question";
        PumpFor(200);
        EXPECT_EQ(CommandOfKey(VK_F3), static_cast<UINT>(nAnswer == IDYES ? ID_RECOVER_SELECTED : ID_FIND_FILES));
    }
    EXPECT_EQ(ListTexts(pAssignments).size(), 3u);
    EXPECT_EQ(ShortcutText(ID_FIND_FILES), CString());

    // Remove takes the selected key away.
    const std::vector<CString> before = ListTexts(pAssignments);
    int nF7 = -1;
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] == L"F7")
            nF7 = static_cast<int>(i);
    ASSERT_GE(nF7, 0);
    pAssignments->SetCurSel(nF7);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_KEY_ASSIGNMENTS, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(pAssignments->m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(hRemove));
    click(IDC_KIT_KEY_REMOVE);
    EXPECT_EQ(CommandOfKey(VK_F7), 0u);
    EXPECT_EQ(ListTexts(pAssignments).size(), 2u);
    EXPECT_FALSE(::IsWindowEnabled(hRemove));

    // Reset All asks first; No keeps the changes, Yes brings the loaded table back.
    for (UINT nAnswer : {static_cast<UINT>(IDNO), static_cast<UINT>(IDYES)})
    {
        CBoxAnswer answer(L"Are you sure you want to reset the key assignments?", nAnswer);
        ::PostMessageW(::GetDlgItem(page.m_hWnd, IDC_KIT_KEY_RESET_ALL), BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return answer.m_bAnswered; }, 5000)) << "no question";
        PumpFor(200);
        EXPECT_EQ(CommandOfKey(VK_F3), static_cast<UINT>(nAnswer == IDYES ? ID_FIND_FILES : ID_RECOVER_SELECTED));
    }
    EXPECT_EQ(ListTexts(pAssignments), std::vector<CString>{CString(L"Ctrl+R")});
    EXPECT_EQ(ShortcutText(ID_RECOVER_SELECTED), CString(L"Ctrl+R"));
    EXPECT_EQ(ShortcutText(ID_FIND_FILES), CString(L"F3"));

    const HWND hSheet = pSheet->m_hWnd;
    ::PostMessageW(::GetDlgItem(hSheet, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hSheet); }));
}
