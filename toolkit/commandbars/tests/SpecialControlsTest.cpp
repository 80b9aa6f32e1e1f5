// The special controls in a frame driven as a user would: the recent-file,
// toolbar and MDI window lists that expand into generated items at layout,
// the label, the grid selector and a control hosting a child window. A
// watchdog ends the process when a step hangs (a layout that never settles
// spins inside the paint or the pump), so a hang fails instead of stalling
// the run. Screenshots go beside the results.
#include "CKitCommandBars.h"
#include "CKitPropExchangeArchive.h"
#include "CKitFrameWnd.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "CCommandBarDrawer.h"
#include "InputDriving.h"
#include "WindowCapture.h"
#include "special/CKitControlCustom.h"
#include "special/CKitControlOleItems.h"
#include "special/CKitControlWorkspaceActions.h"
#include "CKitTabClientWnd.h"
#include "special/CKitControlRecentFileList.h"
#include "special/CKitControlSelector.h"
#include "special/CKitControlToolbars.h"
#include "special/CKitControlWindowList.h"
#include "special/ListItemCaption.h"
#include "window/CCmdUI.h"
#include "window/CRecentFileList.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <cstdio>
#include <thread>
#include <string>
#include <vector>

namespace
{

constexpr UINT kOpenCommand = 0x8110;
constexpr UINT kTableCommand = 0x8111;
constexpr UINT kFirstRecentCommand = 0xE110;
constexpr UINT kRecentPlaceholderId = 35003;
constexpr DWORD kStepBudgetMs = 20000;

// Ends the process when a test runs longer than its budget: the layouts
// under test run synchronously, so a loop in them never returns to a
// bounded wait of the test itself.
class HangWatchdog
{
public:
    HangWatchdog()
    {
        m_thread = std::thread([this] {
            while (!m_bQuit)
            {
                ::Sleep(100);
                const DWORD dwStart = m_dwStart;
                if (dwStart != 0 && ::GetTickCount() - dwStart > kStepBudgetMs)
                {
                    std::fprintf(stderr, "HANG: %s did not finish within %lu ms\n", m_szName,
                                 static_cast<unsigned long>(kStepBudgetMs));
                    std::fflush(stderr);
                    ::TerminateProcess(::GetCurrentProcess(), 3);
                }
            }
        });
    }
    ~HangWatchdog()
    {
        m_bQuit = true;
        m_thread.join();
    }
    void Arm(const char* pszName)
    {
        ::lstrcpynA(m_szName, pszName, static_cast<int>(sizeof(m_szName)));
        m_dwStart = ::GetTickCount() | 1;
    }
    void Disarm() { m_dwStart = 0; }

private:
    std::thread m_thread;
    std::atomic<bool> m_bQuit{false};
    std::atomic<DWORD> m_dwStart{0};
    char m_szName[200] = {};
};

HangWatchdog* g_pWatchdog = nullptr;

// Records commands and notifications; the recent-file commands are enabled
// while their entry exists, as an application's handler keeps them.
class CSpecialFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<UINT> m_notifications;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            BOOL bEnable = TRUE;
            if (nID >= kFirstRecentCommand && nID < kFirstRecentCommand + 16)
            {
                CRecentFileList* pList = AfxGetApp()->m_pRecentFileList;
                const int nIndex = static_cast<int>(nID - kFirstRecentCommand);
                bEnable = pList != nullptr && nIndex < pList->GetSize() && !(*pList)[nIndex].IsEmpty();
            }
            static_cast<CCmdUI*>(pExtra)->Enable(bEnable);
            return TRUE;
        }
        // No customize command: customization is not allowed, as in the program.
        if (nID >= 0x8000 && nID < 0xF000 && nID != ID_COMMANDBARS_CUSTOMIZE && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDBAR_EXECUTE && lParam != 0)
            m_notifications.push_back(reinterpret_cast<ControlNotify*>(lParam)->hdr.code);
        return CKitFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A multi-document frame with an MDI client: a click on a window-list item
// sends the child's id, which activates that child.
class CSpecialMdiFrame : public CMDIFrameWnd
{
public:
    CKitCommandBars* m_pCommandBars = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= 0xFF00 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nID >= 0xFF00 && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr)
                if (HWND hChild = ::GetDlgItem(m_hWndMDIClient, static_cast<int>(nID)))
                    ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
            return TRUE;
        }
        // A tab workspace in the client answers its own commands.
        if (CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient))
            if (pClient->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                return TRUE;
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

LRESULT CALLBACK DocumentProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateDocument(HWND hClient, LPCWSTR pszTitle, BOOL bVisible)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DocumentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"PelmoSpecialDocument";
    ::RegisterClassW(&wc);  // already there on a second call
    MDICREATESTRUCTW create = {};
    create.szClass = wc.lpszClassName;
    create.szTitle = pszTitle;
    create.hOwner = wc.hInstance;
    create.x = create.y = CW_USEDEFAULT;
    create.cx = 180;
    create.cy = 90;
    create.style = WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0);
    return reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

CPoint ScreenCentre(CKitControl* pControl)
{
    CRect rc = pControl->GetRect();
    pControl->GetParent()->ClientToScreen(&rc);
    return rc.CenterPoint();
}

void SendMouse(DWORD dwFlags, CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
}

// The bar's controls with id, hide flags and rectangle, for failure messages.
std::string Describe(CKitControls* pControls)
{
    std::string text;
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        CKitControl* p = pControls->GetAt(i);
        const CRect rc = p->GetRect();
        char line[160];
        std::snprintf(line, sizeof(line), "[%d id %#x hide %#lx flags %#lx rect %ld,%ld-%ld,%ld] ", i, p->GetId(),
                      static_cast<unsigned long>(p->GetHideFlags()), static_cast<unsigned long>(p->GetFlags()),
                      rc.left, rc.top, rc.right, rc.bottom);
        text += line;
    }
    return text;
}

// The bar's own controls (the toolbar's expand and close buttons) left out.
int CountListed(CKitControls* pControls)
{
    int nCount = 0;
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (pControls->GetAt(i)->GetId() < 9399 || pControls->GetAt(i)->GetId() > 9406)
            ++nCount;
    return nCount;
}

std::vector<CString> Captions(CKitControls* pControls)
{
    std::vector<CString> captions;
    for (int i = 0; i < pControls->GetCount(); ++i)
        captions.push_back(pControls->GetAt(i)->GetCaption());
    return captions;
}

class SpecialControls : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(L"CommandBars Special Controls");
        s_pApp->SetRegistryKey(L"Pelmo Tests");
        SelectCommandBarDrawingStyle(4);
        g_pWatchdog = new HangWatchdog;
    }
    static void TearDownTestSuite()
    {
        delete g_pWatchdog;
        g_pWatchdog = nullptr;
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override
    {
        g_pWatchdog->Arm(testing::UnitTest::GetInstance()->current_test_info()->name());
        m_pFrame = new CSpecialFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo special controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(40, 40, 720, 420)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(100);
    }
    void TearDown() override
    {
        CKitCommandBars::ClosePopups();
        s_pApp->m_pRecentFileList = nullptr;
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpFor(50);
        g_pWatchdog->Disarm();
    }
    // The frame lays its bars out and paints them at once, as a first show does.
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(150);
    }
    // A layout that has settled asks for no further one and leaves nothing to paint.
    static bool IsSettled(CKitCommandBar* pBar)
    {
        return !pBar->m_bLayoutPending && !::GetUpdateRect(pBar->m_hWnd, nullptr, FALSE);
    }
    CKitCommandBar* OpenPopup(CKitCommandBar* pPopup, CPoint ptScreen)
    {
        EXPECT_TRUE(pPopup->PopupAt(ptScreen.x, ptScreen.y, nullptr));
        PumpFor(150);
        return pPopup;
    }

    static CWinApp* s_pApp;
    CSpecialFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
};

CWinApp* SpecialControls::s_pApp = nullptr;

TEST(ListItemCaptions, NumberTheItemsAndShowAmpersands)
{
    struct Case
    {
        LPCWSTR pszText;
        int nNumber;
        LPCWSTR pszCaption;
    };
    for (const Case& c : {Case{L"R&D", 0, L"R&&D"}, Case{L"a.txt", 1, L"&1 a.txt"}, Case{L"a&&b", 9, L"&9 a&&&&b"},
                          Case{L"a.txt", 10, L"1&0 a.txt"}, Case{L"a.txt", 11, L"11 a.txt"},
                          Case{L"", 2, L"&2 "}})
        EXPECT_EQ(FormatListItemCaption(c.pszText, c.nNumber), CString(c.pszCaption)) << c.nNumber;
}

TEST_F(SpecialControls, RecentFilesOnAToolbarExpandAtLayoutAndTheLayoutSettles)
{
    CRecentFileList recent(0, L"Recent File List", L"File%d", 4);
    recent.Add(L"C:\\docs\\first.txt");
    recent.Add(L"C:\\docs\\R&D.txt");
    s_pApp->m_pRecentFileList = &recent;

    CKitCommandBar* pFiles = m_pBars->CreateToolBar(L"Files", kBarTop);
    ASSERT_NE(pFiles, nullptr);
    CKitControls* pControls = pFiles->GetControls();
    pControls->Add(kControlButton, kOpenCommand)->SetCaption(L"Open");
    CKitControl* pPlaceholder = pControls->Add(kControlButton, kRecentPlaceholderId);
    ASSERT_NE(dynamic_cast<CKitControlRecentFileList*>(pPlaceholder), nullptr);
    pPlaceholder->SetCaption(L"Recent Files");
    pPlaceholder->m_nStyle = 1;  // captions on the toolbar
    for (int i = 0; i < pControls->GetCount(); ++i)
        pControls->GetAt(i)->m_nStyle = 1;
    pControls->CreateOriginalControls();
    // Before the cure this spun for ever inside the first paint.
    Relayout();

    // A new toolbar holds its expand button already, so places are counted
    // from the placeholder.
    auto item = [&](int nOffset) { return pControls->GetAt(pPlaceholder->GetIndex() + nOffset); };
    auto expectItems = [&] {
        ASSERT_EQ(CountListed(pControls), 4) << Describe(pControls);
        ASSERT_NE(item(2), nullptr);
        EXPECT_EQ(item(-1)->GetId(), static_cast<int>(kOpenCommand));
        EXPECT_NE(pPlaceholder->GetHideFlags() & kHideByProgram, 0u) << "the placeholder hides behind its items";
        EXPECT_EQ(item(1)->GetId(), static_cast<int>(kFirstRecentCommand));
        EXPECT_EQ(item(1)->GetCaption(), CString(L"&1 C:\\docs\\R&&D.txt"));
        EXPECT_TRUE(item(1)->GetBeginGroup()) << "the list starts a group after the Open button";
        EXPECT_TRUE(item(1)->IsTemporary());
        EXPECT_EQ(item(2)->GetId(), static_cast<int>(kFirstRecentCommand + 1));
        EXPECT_EQ(item(2)->GetCaption(), CString(L"&2 C:\\docs\\first.txt"));
        EXPECT_FALSE(item(2)->GetBeginGroup());
        EXPECT_FALSE(item(2)->GetRect().IsRectEmpty()) << "the items are laid out";
        EXPECT_GT(item(2)->GetRect().left, item(1)->GetRect().left);
    };
    expectItems();
    EXPECT_TRUE(PumpUntil([&] { return IsSettled(pFiles); }, 2000)) << "the layout asks for no further one";
    EXPECT_FALSE(pControls->IsChanged()) << "generated items are no change of the bar";

    // Every layout builds the items again instead of adding more.
    pFiles->OnRecalcLayout();
    Relayout();
    expectItems();
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_recent_toolbar.bmp"));

    // A click on the second item runs the second recent-file command.
    m_pFrame->m_commands.clear();
    const CPoint ptSecond = ScreenCentre(item(2));
    ClickAt(ptSecond);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }, 3000));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kFirstRecentCommand + 1})
        << "clicked at " << ptSecond.x << "," << ptSecond.y << " " << Describe(pControls);

    // In customization only the placeholder stays, shown, so only it is stored.
    m_pBars->SetCustomizeMode(TRUE);
    pFiles->OnRecalcLayout();
    Relayout();
    EXPECT_EQ(CountListed(pControls), 2) << Describe(pControls);
    EXPECT_EQ(pPlaceholder->GetHideFlags(), 0u);
    EXPECT_TRUE(pPlaceholder->GetEnabled());
    m_pBars->SetCustomizeMode(FALSE);

    // An empty list shows the placeholder greyed, with no items.
    CRecentFileList empty(0, L"Recent File List", L"File%d", 4);
    s_pApp->m_pRecentFileList = &empty;
    pFiles->OnRecalcLayout();
    Relayout();
    EXPECT_EQ(CountListed(pControls), 2) << Describe(pControls);
    EXPECT_EQ(pPlaceholder->GetHideFlags(), 0u);
    EXPECT_FALSE(pPlaceholder->GetEnabled());
    EXPECT_FALSE(pPlaceholder->GetRect().IsRectEmpty());
    EXPECT_TRUE(PumpUntil([&] { return IsSettled(pFiles); }, 2000));
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_recent_empty.bmp"));
}

TEST_F(SpecialControls, RecentFilesInAMenuFollowTheFileListAndRunTheirCommand)
{
    CRecentFileList recent(0, L"Recent File List", L"File%d", 12);
    for (int i = 11; i >= 1; --i)
    {
        CString strPath;
        strPath.Format(L"D:\\f%d.txt", i);
        recent.Add(strPath);
    }
    s_pApp->m_pRecentFileList = &recent;

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, kOpenCommand, L"&Open...");
    ::AppendMenuW(hMenu, MF_STRING, kFirstRecentCommand, L"Recent File");
    CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(m_pBars);
    ASSERT_NE(pPopup, nullptr);
    pPopup->FillFromMenu(hMenu, TRUE);
    ::DestroyMenu(hMenu);
    CKitControls* pControls = pPopup->GetControls();
    ASSERT_NE(dynamic_cast<CKitControlRecentFileList*>(pControls->GetAt(1)), nullptr) << "the menu's recent-file item";

    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    OpenPopup(pPopup, CPoint(rcFrame.left + 60, rcFrame.top + 60));
    ASSERT_EQ(pControls->GetCount(), 13);
    const std::vector<CString> captions = Captions(pControls);
    EXPECT_EQ(captions[2], CString(L"&1 D:\\f1.txt"));
    EXPECT_EQ(captions[10], CString(L"&9 D:\\f9.txt"));
    EXPECT_EQ(captions[11], CString(L"1&0 D:\\f10.txt"));
    EXPECT_EQ(captions[12], CString(L"11 D:\\f11.txt"));
    EXPECT_TRUE(PumpUntil([&] { return IsSettled(pPopup); }, 2000));
    EXPECT_TRUE(CaptureWindowToBmp(pPopup->m_hWnd, L"cbspecial_recent_menu.bmp"));

    m_pFrame->m_commands.clear();
    ClickAt(ScreenCentre(pControls->GetAt(4)));
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }, 3000));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kFirstRecentCommand + 2}) << "the third file";
    EXPECT_EQ(pPopup->GetTrackingMode(), 0) << "the menu closed";
    pPopup->InternalRelease();
}

TEST_F(SpecialControls, ToolbarListShowsTheClosableToolbarsAndTogglesOne)
{
    CKitCommandBar* pStandard = m_pBars->CreateToolBar(L"Standard", kBarTop);
    CKitCommandBar* pFiles = m_pBars->CreateToolBar(L"Files", kBarTop);
    auto* pFixed = dynamic_cast<CKitToolBar*>(m_pBars->CreateToolBar(L"Fixed", kBarTop));
    auto* pNoMenu = dynamic_cast<CKitToolBar*>(m_pBars->CreateToolBar(L"Hidden From Menu", kBarTop));
    ASSERT_TRUE(pStandard != nullptr && pFiles != nullptr && pFixed != nullptr && pNoMenu != nullptr);
    pFixed->m_bCloseable = FALSE;
    pNoMenu->m_bContextMenuPresent = FALSE;
    for (CKitCommandBar* pBar : {pStandard, pFiles, static_cast<CKitCommandBar*>(pFixed),
                                 static_cast<CKitCommandBar*>(pNoMenu)})
        pBar->GetControls()->Add(kControlButton, kOpenCommand)->SetCaption(L"Open");
    pFiles->SetVisible(FALSE);
    Relayout();

    // The bars' context menu: one item per listed toolbar, checked while it shows.
    CKitCommandBar* pPopup = m_pBars->CreateToolbarsPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitControls* pControls = pPopup->GetControls();
    EXPECT_EQ(Captions(pControls), (std::vector<CString>{L"Standard", L"Files"}));
    ASSERT_EQ(pControls->GetCount(), 2);
    EXPECT_TRUE(pControls->GetAt(0)->GetChecked());
    EXPECT_FALSE(pControls->GetAt(1)->GetChecked());
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    OpenPopup(pPopup, CPoint(rcFrame.left + 200, rcFrame.top + 120));
    EXPECT_TRUE(CaptureWindowToBmp(pPopup->m_hWnd, L"cbspecial_toolbars_menu.bmp"));
    ClickAt(ScreenCentre(pControls->GetAt(1)));
    ASSERT_TRUE(PumpUntil([&] { return pFiles->IsVisible() != FALSE; }, 3000)) << "the click shows the Files bar";
    EXPECT_EQ(pPopup->GetTrackingMode(), 0);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "no command is sent";
    pPopup->InternalRelease();

    // The placeholder in a menu lists the same bars after itself at each layout.
    CKitCommandBar* pMenu = CKitCommandBars::NewPopupBar(m_pBars);
    ASSERT_NE(pMenu, nullptr);
    pMenu->GetControls()->Add(kControlButton, kOpenCommand)->SetCaption(L"&Open");
    CKitControl* pPlaceholder = pMenu->GetControls()->Add(kControlButton, static_cast<int>(ID_COMMANDBARS_TOOLBARS_LIST));
    ASSERT_NE(dynamic_cast<CKitControlToolbars*>(pPlaceholder), nullptr);
    OpenPopup(pMenu, CPoint(rcFrame.left + 200, rcFrame.top + 120));
    EXPECT_EQ(Captions(pMenu->GetControls()).size(), 4u);
    ASSERT_EQ(pMenu->GetControls()->GetCount(), 4);
    EXPECT_EQ(pMenu->GetControls()->GetAt(2)->GetCaption(), CString(L"Standard"));
    EXPECT_EQ(pMenu->GetControls()->GetAt(3)->GetCaption(), CString(L"Files"));
    EXPECT_TRUE(pMenu->GetControls()->GetAt(3)->GetChecked());
    ClickAt(ScreenCentre(pMenu->GetControls()->GetAt(2)));
    ASSERT_TRUE(PumpUntil([&] { return pStandard->IsVisible() == FALSE; }, 3000)) << "the click hides Standard";
    pMenu->InternalRelease();
}

TEST_F(SpecialControls, WindowListNamesTheMdiChildrenAndActivatesTheOneClicked)
{
    auto* pMdi = new CSpecialMdiFrame;
    ASSERT_TRUE(pMdi->Create(nullptr, L"Pelmo MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                             CRect(60, 60, 700, 440)));
    CLIENTCREATESTRUCT client = {};
    client.idFirstChild = 0xFF00;
    pMdi->m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 620, 340, pMdi->m_hWnd,
                                              reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                              ::GetModuleHandleW(nullptr), &client);
    ASSERT_NE(pMdi->m_hWndMDIClient, nullptr);
    auto* pBars = new CKitCommandBars;
    pBars->AttachToFrame(pMdi);
    pMdi->m_pCommandBars = pBars;

    // Eleven children, one of them hidden: the first nine shown are listed.
    std::vector<HWND> documents;
    for (LPCWSTR pszTitle : {L"Alpha", L"B&eta", L"Gamma", L"Delta", L"Hidden", L"Zeta", L"Eta", L"Theta", L"Iota",
                             L"Kappa", L"Lambda"})
        documents.push_back(CreateDocument(pMdi->m_hWndMDIClient, pszTitle, TRUE));
    for (HWND hDocument : documents)
        ASSERT_NE(hDocument, nullptr);
    ::ShowWindow(documents[4], SW_HIDE);
    ::SendMessageW(pMdi->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents[2]), 0);
    PumpFor(150);

    CKitCommandBar* pMenu = CKitCommandBars::NewPopupBar(pBars);
    ASSERT_NE(pMenu, nullptr);
    pMenu->GetControls()->Add(kControlButton, 0xE130)->SetCaption(L"&Cascade");
    CKitControl* pPlaceholder = pMenu->GetControls()->Add(kControlButton, 35000);
    ASSERT_NE(dynamic_cast<CKitControlWindowList*>(pPlaceholder), nullptr);
    pPlaceholder->SetCaption(L"Windows");
    CRect rcFrame;
    pMdi->GetWindowRect(&rcFrame);
    OpenPopup(pMenu, CPoint(rcFrame.left + 40, rcFrame.top + 40));
    CKitControls* pControls = pMenu->GetControls();
    ASSERT_EQ(pControls->GetCount(), 11);
    EXPECT_NE(pPlaceholder->GetHideFlags() & kHideByProgram, 0u);
    EXPECT_EQ(Captions(pControls),
              (std::vector<CString>{L"&Cascade", L"Windows", L"&1 Alpha", L"&2 B&&eta", L"&3 Gamma", L"&4 Delta",
                                    L"&5 Zeta", L"&6 Eta", L"&7 Theta", L"&8 Iota", L"&9 Kappa"}));
    EXPECT_TRUE(pControls->GetAt(2)->GetBeginGroup());
    EXPECT_TRUE(pControls->GetAt(4)->GetChecked()) << "the active child";
    EXPECT_FALSE(pControls->GetAt(2)->GetChecked());
    EXPECT_EQ(pControls->GetAt(2)->GetId(), ::GetDlgCtrlID(documents[0]));
    EXPECT_TRUE(CaptureWindowToBmp(pMenu->m_hWnd, L"cbspecial_window_list.bmp"));

    ClickAt(ScreenCentre(pControls->GetAt(3)));
    EXPECT_TRUE(PumpUntil(
        [&] {
            return reinterpret_cast<HWND>(::SendMessageW(pMdi->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0)) ==
                   documents[1];
        },
        3000))
        << "the click on \"B&eta\" activates it";
    pMenu->InternalRelease();

    // Without an MDI client the placeholder stays visible, with no items.
    CKitCommandBar* pPlain = CKitCommandBars::NewPopupBar(m_pBars);
    pPlain->GetControls()->Add(kControlButton, 35000)->SetCaption(L"Windows");
    OpenPopup(pPlain, CPoint(rcFrame.left + 40, rcFrame.top + 40));
    EXPECT_EQ(pPlain->GetControls()->GetCount(), 1);
    EXPECT_EQ(pPlain->GetControls()->GetAt(0)->GetHideFlags(), 0u);
    CKitCommandBars::ClosePopups();
    pPlain->InternalRelease();

    pMdi->DestroyWindow();
    pBars->InternalRelease();
    PumpFor(50);
}

TEST_F(SpecialControls, OleVerbsAndTabGroupPlaceholdersWithNothingToList)
{
    // Menus make the OLE placeholder only from its marker caption.
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, 0xE210, L"<<OLE VERBS GO HERE>>");
    ::AppendMenuW(hMenu, MF_STRING, 0xE210, L"Object");
    ::AppendMenuW(hMenu, MF_STRING, 35002, L"Tab groups");
    CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(m_pBars);
    ASSERT_NE(pPopup, nullptr);
    pPopup->FillFromMenu(hMenu, TRUE);
    ::DestroyMenu(hMenu);
    CKitControls* pControls = pPopup->GetControls();
    ASSERT_EQ(pControls->GetCount(), 3);
    EXPECT_NE(dynamic_cast<CKitControlOleItems*>(pControls->GetAt(0)), nullptr);
    EXPECT_EQ(dynamic_cast<CKitControlOleItems*>(pControls->GetAt(1)), nullptr) << "another caption is a plain item";
    EXPECT_NE(dynamic_cast<CKitControlWorkspaceActions*>(pControls->GetAt(2)), nullptr);

    // The frame has no view with a selected embedded item and no tab groups:
    // the OLE placeholder hides with no verbs, the tab-group one stays as it is.
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    OpenPopup(pPopup, CPoint(rcFrame.left + 80, rcFrame.top + 80));
    EXPECT_EQ(pControls->GetCount(), 3);
    EXPECT_NE(pControls->GetAt(0)->GetHideFlags() & kHideByProgram, 0u);
    EXPECT_EQ(pControls->GetAt(2)->GetHideFlags(), 0u);
    CKitCommandBars::ClosePopups();
    PumpFor(50);

    // In customization the OLE placeholder shows, so that it can be moved and stored.
    m_pBars->SetCustomizeMode(TRUE);
    OpenPopup(pPopup, CPoint(rcFrame.left + 80, rcFrame.top + 80));
    EXPECT_EQ(pControls->GetAt(0)->GetHideFlags(), 0u);
    CKitCommandBars::ClosePopups();
    m_pBars->SetCustomizeMode(FALSE);
    pPopup->InternalRelease();
}

// A tab workspace that counts its layout passes.
class CCountingWorkspace : public CKitTabClientWnd
{
public:
    int m_nRefreshes = 0;
    void Refresh() override
    {
        ++m_nRefreshes;
        CKitTabClientWnd::Refresh();
    }
};

TEST_F(SpecialControls, TabGroupCommandsAreListedWhenTheWorkspaceOffersThem)
{
    auto* pMdi = new CSpecialMdiFrame;
    ASSERT_TRUE(pMdi->Create(nullptr, L"Pelmo MDI tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                             CRect(60, 60, 700, 440)));
    CLIENTCREATESTRUCT client = {};
    client.idFirstChild = 0xFF00;
    pMdi->m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 620, 340, pMdi->m_hWnd,
                                              reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                              ::GetModuleHandleW(nullptr), &client);
    ASSERT_NE(pMdi->m_hWndMDIClient, nullptr);
    auto* pBars = new CKitCommandBars;
    pBars->AttachToFrame(pMdi);
    pMdi->m_pCommandBars = pBars;
    CCountingWorkspace workspace;
    ASSERT_TRUE(workspace.AttachToFrame(pMdi, TRUE));
    ASSERT_NE(CreateDocument(pMdi->m_hWndMDIClient, L"Alpha", TRUE), nullptr);
    ASSERT_NE(CreateDocument(pMdi->m_hWndMDIClient, L"Beta", TRUE), nullptr);
    PumpFor(150);

    CKitCommandBar* pMenu = CKitCommandBars::NewPopupBar(pBars);
    ASSERT_NE(pMenu, nullptr);
    pMenu->GetControls()->Add(kControlButton, 0xE130)->SetCaption(L"&Cascade");
    CKitControl* pPlaceholder = pMenu->GetControls()->Add(kControlButton, 35002);
    ASSERT_NE(dynamic_cast<CKitControlWorkspaceActions*>(pPlaceholder), nullptr);
    pPlaceholder->SetCaption(L"Tab groups");
    pPlaceholder->m_bBeginGroup = TRUE;
    CRect rcFrame;
    pMdi->GetWindowRect(&rcFrame);
    const auto ids = [](CKitControls* pControls) {
        std::vector<int> list;
        for (int i = 0; i < pControls->GetCount(); ++i)
            list.push_back(pControls->GetAt(i)->GetId());
        return list;
    };

    // One group of two: a new group either way, no move.
    OpenPopup(pMenu, CPoint(rcFrame.left + 40, rcFrame.top + 40));
    CKitControls* pControls = pMenu->GetControls();
    EXPECT_EQ(ids(pControls), (std::vector<int>{0xE130, 35002, 9422, 9423})) << Describe(pControls);
    EXPECT_NE(pPlaceholder->GetHideFlags() & kHideByProgram, 0u);
    EXPECT_TRUE(pControls->GetAt(2)->GetBeginGroup()) << "the first item takes the placeholder's group line";
    EXPECT_FALSE(pControls->GetAt(3)->GetBeginGroup());
    EXPECT_EQ(pControls->GetAt(2)->GetCaption(), CString(L"New Hori&zontal Tab Group"));
    EXPECT_EQ(pControls->GetAt(3)->GetCaption(), CString(L"New &Vertical Tab Group"));
    EXPECT_TRUE(pControls->GetAt(2)->GetEnabled() && pControls->GetAt(3)->GetEnabled());
    EXPECT_TRUE(CaptureWindowToBmp(pMenu->m_hWnd, L"cbspecial_tab_group_commands.bmp"));
    CKitCommandBars::ClosePopups();
    PumpFor(50);

    // The active child in a new group beside the first: it can only move back.
    workspace.OnTabGroupCommand(ID_TABGROUP_NEW_VERTICAL);
    PumpFor(100);
    ASSERT_EQ(workspace.GetTabGroupCount(), 2);
    OpenPopup(pMenu, CPoint(rcFrame.left + 40, rcFrame.top + 40));
    EXPECT_EQ(ids(pControls), (std::vector<int>{0xE130, 35002, 9420})) << Describe(pControls);
    CKitCommandBars::ClosePopups();
    PumpFor(50);

    // The bars laid out again lay the workspace's groups out with them.
    const int nRefreshes = workspace.m_nRefreshes;
    pBars->RecalcAllBars();
    EXPECT_GT(workspace.m_nRefreshes, nRefreshes);

    pMenu->InternalRelease();
    pMdi->DestroyWindow();
    pBars->InternalRelease();
    PumpFor(50);
}

TEST_F(SpecialControls, LabelIsNeverHotAndKeyboardWalksPastIt)
{
    CKitCommandBar* pBar = m_pBars->CreateToolBar(L"Labelled", kBarTop);
    ASSERT_NE(pBar, nullptr);
    CKitControls* pControls = pBar->GetControls();
    pControls->Add(kControlButton, kOpenCommand)->SetCaption(L"Open");
    const int nOpen = pControls->GetCount() - 1;
    CKitControl* pLabel = pControls->Add(kControlLabel, 0);
    ASSERT_NE(pLabel, nullptr);
    pLabel->SetCaption(L"Zoom:");
    pControls->Add(kControlButton, kTableCommand)->SetCaption(L"Table");
    for (int i = 0; i < pControls->GetCount(); ++i)
        pControls->GetAt(i)->m_nStyle = 1;
    Relayout();
    EXPECT_TRUE(pLabel->IsLabel());
    EXPECT_EQ(pLabel->GetFlags(), kControlFlagNoKeyboard | kControlFlagNotCustomizable);
    ASSERT_FALSE(pLabel->GetRect().IsRectEmpty());

    SendMouse(MOUSEEVENTF_MOVE, ScreenCentre(pLabel));
    SendMouse(MOUSEEVENTF_MOVE, CPoint(ScreenCentre(pLabel).x + 1, ScreenCentre(pLabel).y));
    PumpFor(150);
    EXPECT_EQ(pBar->GetHotIndex(), -1) << "the label is never selected";
    EXPECT_EQ(pLabel->GetSelected(), kNotSelected);
    m_pFrame->m_commands.clear();
    ClickAt(ScreenCentre(pLabel));
    PumpFor(100);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "a click on a label runs nothing";
    EXPECT_EQ(pControls->GetNextIndex(nOpen, 1), nOpen + 2) << "keyboard navigation walks past it " << Describe(pControls);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_label.bmp"));
    SendMouse(MOUSEEVENTF_MOVE, CPoint(5, 5));
}

TEST_F(SpecialControls, SelectorChoosesTheCellDraggedTo)
{
    CKitCommandBar* pBar = m_pBars->CreateToolBar(L"Table", kBarTop);
    ASSERT_NE(pBar, nullptr);
    auto* pSelector = new CKitControlSelector;
    pSelector->m_szItemSize = CSize(20, 16);
    pBar->GetControls()->Add(pSelector, static_cast<int>(kTableCommand));
    Relayout();
    ASSERT_EQ(pSelector->GetRect().Size(), CSize(5 * 20, 4 * 16)) << "the grid shown at first";
    EXPECT_EQ(pSelector->m_szSelection, CSize(0, 0));

    // Pressed in the first cell, dragged to the third column of the second
    // row and released there.
    const CRect rc = pSelector->GetRect();
    CPoint ptFirst(rc.left + 10, rc.top + 8);
    CPoint ptTarget(rc.left + 2 * 20 + 10, rc.top + 16 + 8);
    pBar->ClientToScreen(&ptFirst);
    pBar->ClientToScreen(&ptTarget);
    m_pFrame->m_notifications.clear();
    SendMouse(MOUSEEVENTF_MOVE, ptFirst);
    PumpFor(50);
    SendMouse(MOUSEEVENTF_LEFTDOWN, ptFirst);
    PumpFor(50);
    EXPECT_EQ(pSelector->m_szSelection, CSize(1, 1));
    SendMouse(MOUSEEVENTF_MOVE, CPoint(ptFirst.x + 20, ptFirst.y + 8));
    SendMouse(MOUSEEVENTF_MOVE, ptTarget);
    PumpFor(100);
    EXPECT_EQ(pSelector->m_szSelection, CSize(3, 2)) << "the selection follows the pointer";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_selector.bmp"));
    // The highlighted cell's middle shows the selection colour, an outside one the window colour.
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clrInside = ::GetPixel(hScreen, ptTarget.x, ptTarget.y);
    const COLORREF clrOutside = ::GetPixel(hScreen, ptTarget.x + 40, ptTarget.y + 16);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_NE(clrInside, clrOutside);
    m_pFrame->m_commands.clear();
    SendMouse(MOUSEEVENTF_LEFTUP, ptTarget);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }, 3000));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kTableCommand});
    EXPECT_EQ(pSelector->m_szResult, CSize(3, 2)) << "the site reads the result from the control";
    EXPECT_NE(std::count(m_pFrame->m_notifications.begin(), m_pFrame->m_notifications.end(),
                         CKitControlSelector::kSelectionChanged),
              0)
        << "selection changes are reported";
    SendMouse(MOUSEEVENTF_MOVE, CPoint(5, 5));
    PumpFor(50);
}

TEST_F(SpecialControls, SelectorDraggedPastItsEdgeGrowsByWholeCellsUpToItsLargestGrid)
{
    CKitCommandBar* pBar = m_pBars->CreateToolBar(L"Table", kBarTop);
    ASSERT_NE(pBar, nullptr);
    auto* pSelector = new CKitControlSelector;
    pSelector->m_szItemSize = CSize(20, 16);
    pSelector->m_szItemsMax = CSize(7, 6);
    pBar->GetControls()->Add(pSelector, static_cast<int>(kTableCommand));
    Relayout();
    ASSERT_EQ(pSelector->m_szGridSize, CSize(5, 4));
    const CRect rc = pSelector->GetRect();
    CPoint ptFirst(rc.left + 10, rc.top + 8);
    CPoint ptLastRow(rc.left + 30, rc.bottom - 4);
    pBar->ClientToScreen(&ptFirst);
    pBar->ClientToScreen(&ptLastRow);
    SendMouse(MOUSEEVENTF_MOVE, ptFirst);
    PumpFor(50);
    SendMouse(MOUSEEVENTF_LEFTDOWN, ptFirst);
    SendMouse(MOUSEEVENTF_MOVE, ptLastRow);
    PumpFor(80);
    // Held below the bar, one row and a half past the grid: the grid takes
    // the pointer's row; far below it stops at its largest size.
    SendMouse(MOUSEEVENTF_MOVE, CPoint(ptLastRow.x, ptLastRow.y + 4 + 16 + 8));
    EXPECT_TRUE(PumpUntil([&] { return pSelector->m_szGridSize.cy == 6; }, 2000))
        << "grid " << pSelector->m_szGridSize.cx << "x" << pSelector->m_szGridSize.cy;
    EXPECT_EQ(pSelector->m_szGridSize.cx, 5) << "only the rows grow";
    EXPECT_EQ(pSelector->GetRect().Height(), 6 * 16) << "the bar made room for the grown grid";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_selector_grown.bmp"));
    SendMouse(MOUSEEVENTF_LEFTUP, CPoint(ptLastRow.x, ptLastRow.y + 4 + 16 + 8));
    PumpFor(100);
    SendMouse(MOUSEEVENTF_MOVE, CPoint(5, 5));
    PumpFor(50);
}

TEST_F(SpecialControls, HostedWindowSitsInsideItsControlAndHidesOnASideBar)
{
    CKitCommandBar* pBar = m_pBars->CreateToolBar(L"Host", kBarTop);
    ASSERT_NE(pBar, nullptr);
    pBar->GetControls()->Add(kControlButton, kOpenCommand)->SetCaption(L"Open");
    HWND hEdit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"hosted", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                   m_pFrame->m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hEdit, nullptr);
    auto* pCustom = dynamic_cast<CKitControlCustom*>(pBar->GetControls()->Add(kControlCustom, 0x8120));
    ASSERT_NE(pCustom, nullptr);
    pCustom->m_rcBorders = CRect(3, 2, 3, 2);
    pCustom->SetControl(hEdit, CSize(140, 20));
    ASSERT_TRUE(pCustom->AttachHookSink());
    Relayout();

    EXPECT_EQ(::GetParent(hEdit), pBar->m_hWnd) << "the window becomes a child of the bar";
    EXPECT_EQ(::GetWindowLongPtrW(hEdit, GWL_STYLE) & (WS_POPUP | WS_CHILD), WS_CHILD);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(pCustom->GetRect().Size(), CSize(146, 24)) << "the window's size and the borders";
    CRect rcWindow;
    ::GetWindowRect(hEdit, &rcWindow);
    pBar->ScreenToClient(&rcWindow);
    CRect rcInside = pCustom->GetRect();
    rcInside.DeflateRect(3, 2, 3, 2);
    EXPECT_EQ(rcWindow, rcInside) << "placed in the control less its borders";
    EXPECT_TRUE(PumpUntil([&] { return IsSettled(pBar); }, 2000));
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_hosted.bmp"));

    // The pointer over the window keeps the bar's hot-tracking going.
    CRect rcScreen;
    ::GetWindowRect(hEdit, &rcScreen);
    SendMouse(MOUSEEVENTF_MOVE, rcScreen.CenterPoint());
    SendMouse(MOUSEEVENTF_MOVE, CPoint(rcScreen.CenterPoint().x + 2, rcScreen.CenterPoint().y));
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetHotControl() == pCustom; }, 2000)) << "hot over the hosted window";
    SendMouse(MOUSEEVENTF_MOVE, CPoint(5, 5));
    PumpFor(50);

    // Docked at the left the field has no room: the control and its window hide.
    ASSERT_TRUE(pBar->SetPosition(kBarLeft));
    Relayout();
    EXPECT_NE(pCustom->GetHideFlags() & kHideVerticalField, 0u);
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    ASSERT_TRUE(pBar->SetPosition(kBarTop));
    Relayout();
    EXPECT_EQ(pCustom->GetHideFlags(), 0u);
    EXPECT_TRUE(::IsWindowVisible(hEdit));

    // Kept on a side bar, the control draws as a button while its window hides.
    pCustom->m_nVerticalOptions = 2;
    pCustom->SetCaption(L"Find");
    ASSERT_TRUE(pBar->SetPosition(kBarLeft));
    Relayout();
    EXPECT_EQ(pCustom->GetHideFlags(), 0u);
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    EXPECT_FALSE(pCustom->GetRect().IsRectEmpty());
    EXPECT_LT(pCustom->GetRect().Width(), 146) << "measured as a button";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbspecial_hosted_side.bmp"));
    ASSERT_TRUE(pBar->SetPosition(kBarTop));
    Relayout();
    EXPECT_TRUE(::IsWindowVisible(hEdit));
}

TEST_F(SpecialControls, PlaceholdersAndHostedWindowsAreDroppedOnlyInMenus)
{
    CKitCommandBar* pToolBar = m_pBars->CreateToolBar(L"Target", kBarTop);
    ASSERT_NE(pToolBar, nullptr);
    CKitCommandBar* pMenu = CKitCommandBars::NewPopupBar(m_pBars);
    ASSERT_NE(pMenu, nullptr);
    struct Case
    {
        int nType;
        int nId;
        BOOL bOnToolBar;
    };
    for (const Case& c : {Case{kControlButton, 35000, FALSE}, Case{kControlButton, 35003, FALSE},
                          Case{kControlButton, static_cast<int>(ID_COMMANDBARS_TOOLBARS_LIST), FALSE},
                          Case{kControlCustom, 0x8120, FALSE}, Case{kControlButton, 35002, TRUE},
                          Case{kControlButton, static_cast<int>(kOpenCommand), TRUE}})
    {
        CKitControl* pControl = pMenu->GetControls()->Add(c.nType, c.nId);
        ASSERT_NE(pControl, nullptr);
        int nEffect = 2;  // a move
        EXPECT_EQ(pControl->AcceptsCustomizeDrop(pToolBar, CPoint(5, 5), nEffect), c.bOnToolBar) << c.nId;
        EXPECT_EQ(nEffect, c.bOnToolBar ? 2 : 5) << "a refused drop is cancelled: the control stays " << c.nId;
        nEffect = 2;
        EXPECT_TRUE(pControl->AcceptsCustomizeDrop(pMenu, CPoint(5, 5), nEffect)) << c.nId;
        EXPECT_EQ(nEffect, 2);
    }
    pMenu->InternalRelease();
}

// The controls of a collection through the archive exchange and back.
void RoundTrip(CKitControls& source, CKitControls& loaded, CKitCommandBars* pBars)
{
    CBarTreeOptions options;
    options.pCommandBars = pBars;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive exchange(ar);
        exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
        source.ExchangeControls(&exchange);
        ar.Close();
    }
    const auto nSize = static_cast<UINT>(file.GetLength());
    BYTE* pBytes = file.Detach();
    {
        CMemFile image(pBytes, nSize);
        CArchive ar(&image, CArchive::load);
        CKitPropExchangeArchive exchange(ar);
        exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
        loaded.ExchangeControls(&exchange);
    }
    std::free(pBytes);
}

TEST_F(SpecialControls, StoredControlsComeBackAsTheirOwnKinds)
{
    CKitControls source;
    source.SetCommandBars(m_pBars);
    CKitControl* pRecent = source.Add(kControlButton, kRecentPlaceholderId);
    pRecent->SetCaption(L"Recent Files");
    source.Add(kControlButton, static_cast<int>(ID_COMMANDBARS_TOOLBARS_LIST));
    source.Add(kControlButton, kFirstRecentCommand, CString(), -1, TRUE);  // a generated item: never stored
    auto* pSelector = new CKitControlSelector;
    pSelector->m_szItemsCount = CSize(3, 2);
    pSelector->m_szItemsMax = CSize(1000, 8);  // beyond any grid: kept to what a bar draws
    pSelector->m_szItemSize = CSize(18, 14);
    source.Add(pSelector, static_cast<int>(kTableCommand));
    // The hosted window is found again by its dialog id among the frame's children.
    HWND hField = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, m_pFrame->m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x5123)), ::GetModuleHandleW(nullptr),
                                    nullptr);
    ASSERT_NE(hField, nullptr);
    auto* pCustom = dynamic_cast<CKitControlCustom*>(source.Add(kControlCustom, 0x8120));
    ASSERT_NE(pCustom, nullptr);
    pCustom->m_rcBorders = CRect(1, 2, 3, 4);
    pCustom->m_szControl = CSize(120, 21);
    pCustom->m_nVerticalOptions = 2;
    pCustom->m_nControlId = 0x5123;

    CKitControls loaded;
    loaded.SetCommandBars(m_pBars);
    RoundTrip(source, loaded, m_pBars);
    ASSERT_EQ(loaded.GetCount(), 4) << "the generated item stays behind";
    EXPECT_TRUE(loaded.GetAt(0)->IsKindOf(RUNTIME_CLASS(CKitControlRecentFileList)));
    EXPECT_EQ(loaded.GetAt(0)->GetCaption(), CString(L"Recent Files"));
    EXPECT_TRUE(loaded.GetAt(1)->IsKindOf(RUNTIME_CLASS(CKitControlToolbars)));
    auto* pLoadedSelector = dynamic_cast<CKitControlSelector*>(loaded.GetAt(2));
    ASSERT_NE(pLoadedSelector, nullptr);
    EXPECT_EQ(pLoadedSelector->m_szItemsCount, CSize(3, 2));
    EXPECT_EQ(pLoadedSelector->m_szItemsMax, CSize(64, 8));
    EXPECT_EQ(pLoadedSelector->m_szItemSize, CSize(18, 14));
    auto* pLoadedCustom = dynamic_cast<CKitControlCustom*>(loaded.GetAt(3));
    ASSERT_NE(pLoadedCustom, nullptr);
    EXPECT_EQ(pLoadedCustom->GetType(), kControlCustom);
    EXPECT_EQ(pLoadedCustom->m_rcBorders, CRect(1, 2, 3, 4));
    EXPECT_EQ(pLoadedCustom->m_szControl, CSize(120, 21));
    EXPECT_EQ(pLoadedCustom->m_nVerticalOptions, 2);
    EXPECT_EQ(pLoadedCustom->m_hWndControl, hField);
    ::DestroyWindow(hField);
}

}  // namespace
