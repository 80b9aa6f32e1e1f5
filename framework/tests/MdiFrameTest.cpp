// The multi-document frame: its MDI client, children made inside it,
// activation, the Window menu's child list, commands reaching the active
// child first, the child's own menu, and closing a child through the client.
#include "Framework.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT kIdChildCommand = 0x8101;
constexpr UINT kIdFrameCommand = 0x8102;

int s_childrenAlive = 0;

class TestMdiFrame : public CMDIFrameWnd
{
public:
    UINT m_nFrameCommands = 0;
    UINT m_nChildCommandsSeenHere = 0;
    HMENU m_hWindowPopup = nullptr;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        // A File and a Window popup, the Window one with its commands.
        HMENU hBar = ::CreateMenu();
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuW(hFile, MF_STRING, kIdFrameCommand, L"&Frame command");
        m_hWindowPopup = ::CreatePopupMenu();
        ::AppendMenuW(m_hWindowPopup, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
        ::AppendMenuW(m_hWindowPopup, MF_STRING, ID_WINDOW_TILE_HORZ, L"&Tile");
        ::AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), L"&File");
        ::AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_hWindowPopup), L"&Window");
        ::SetMenu(m_hWnd, hBar);
        return CMDIFrameWnd::OnCreateClient(lpcs, pContext);
    }
    afx_msg void OnFrameCommand() { ++m_nFrameCommands; }
    afx_msg void OnChildCommand() { ++m_nChildCommandsSeenHere; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestMdiFrame, CMDIFrameWnd)
    ON_COMMAND(kIdFrameCommand, OnFrameCommand)
    ON_COMMAND(kIdChildCommand, OnChildCommand)
END_MESSAGE_MAP()

class TestMdiChild : public CMDIChildWnd
{
public:
    TestMdiChild() { ++s_childrenAlive; }
    ~TestMdiChild() override { --s_childrenAlive; }
    UINT m_nCommands = 0;
    afx_msg void OnChildCommand() { ++m_nCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestMdiChild, CMDIChildWnd)
    ON_COMMAND(kIdChildCommand, OnChildCommand)
END_MESSAGE_MAP()

TestMdiChild* MakeChild(TestMdiFrame* pFrame, LPCWSTR pszTitle)
{
    auto* pChild = new TestMdiChild;
    if (!pChild->Create(nullptr, pszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 120),
                        pFrame))
        return nullptr;
    return pChild;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CString MenuText(HMENU hMenu, UINT nID)
{
    wchar_t text[64] = {};
    ::GetMenuStringW(hMenu, nID, text, 64, MF_BYCOMMAND);
    return CString(text);
}
} // namespace

TEST(MdiFrameTest, ClientChildrenActivationCommandsMenusAndClosing)
{
    auto* pFrame = new TestMdiFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, L"MDI frame", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480)));
    HWND hFrame = pFrame->m_hWnd;
    pFrame->ShowWindow(SW_SHOW);
    HWND hClient = pFrame->m_hWndMDIClient;
    ASSERT_NE(hClient, nullptr);
    wchar_t className[32] = {};
    ::GetClassNameW(hClient, className, 32);
    EXPECT_STREQ(className, L"MDIClient");
    EXPECT_EQ(::GetDlgCtrlID(hClient), static_cast<int>(AFX_IDW_PANE_FIRST));
    pFrame->RecalcLayout();
    CRect rcFrameClient, rcClient;
    pFrame->GetClientRect(&rcFrameClient);
    ::GetWindowRect(hClient, &rcClient);
    pFrame->ScreenToClient(&rcClient);
    EXPECT_EQ(rcClient, rcFrameClient) << "without bars the client takes the free area";

    TestMdiChild* pFirst = MakeChild(pFrame, L"First");
    TestMdiChild* pSecond = MakeChild(pFrame, L"Second");
    TestMdiChild* pThird = MakeChild(pFrame, L"Third");
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr && pThird != nullptr);
    EXPECT_EQ(s_childrenAlive, 3);
    EXPECT_EQ(::GetParent(pFirst->m_hWnd), hClient);
    EXPECT_EQ(pFirst->GetMDIFrame(), pFrame);
    EXPECT_EQ(pFrame->MDIGetActive(), pThird) << "the newest child is active";
    EXPECT_EQ(pFrame->MDIGetActiveChild(), pThird);
    EXPECT_EQ(pFrame->GetActiveFrame(), pThird);

    pFrame->MDIActivate(pFirst);
    EXPECT_EQ(pFrame->MDIGetActive(), pFirst);
    pFrame->MDINext();
    EXPECT_NE(pFrame->MDIGetActive(), pFirst);
    pFrame->MDIPrev();
    EXPECT_EQ(pFrame->MDIGetActive(), pFirst) << "previous undoes next";
    pSecond->MDIActivate();
    EXPECT_EQ(pFrame->MDIGetActive(), pSecond);

    // The Window popup lists the children after its own commands.
    Pump();
    EXPECT_GE(::GetMenuItemCount(pFrame->m_hWindowPopup), 5);
    EXPECT_NE(MenuText(pFrame->m_hWindowPopup, AFX_IDM_FIRST_MDICHILD).Find(L"First"), -1);
    // Choosing a child there activates it.
    ::SendMessageW(hFrame, WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 2, 0);
    EXPECT_EQ(pFrame->MDIGetActive(), pThird);

    // A command goes to the active child before the frame; the frame's own
    // commands still reach it.
    ::SendMessageW(hFrame, WM_COMMAND, kIdChildCommand, 0);
    EXPECT_EQ(pThird->m_nCommands, 1u);
    EXPECT_EQ(pFirst->m_nCommands + pSecond->m_nCommands, 0u);
    EXPECT_EQ(pFrame->m_nChildCommandsSeenHere, 0u);
    ::SendMessageW(hFrame, WM_COMMAND, kIdFrameCommand, 0);
    EXPECT_EQ(pFrame->m_nFrameCommands, 1u);

    // Window commands: cascading and tiling arrange the children.
    pFrame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    CRect rcA, rcB;
    ::GetWindowRect(pFirst->m_hWnd, &rcA);
    ::GetWindowRect(pSecond->m_hWnd, &rcB);
    CRect rcOverlap;
    EXPECT_FALSE(rcOverlap.IntersectRect(rcA, rcB)) << "tiled children do not overlap";

    // A child with a menu of its own shows it while active.
    HMENU hFrameMenu = ::GetMenu(hFrame);
    HMENU hChildMenu = ::CreateMenu();
    HMENU hChildWindow = ::CreatePopupMenu();
    ::AppendMenuW(hChildWindow, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
    ::AppendMenuW(hChildMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hChildWindow), L"&Window");
    pSecond->m_hMenuShared = hChildMenu;
    pSecond->MDIActivate();
    EXPECT_EQ(::GetMenu(hFrame), hChildMenu);
    pFirst->MDIActivate();
    EXPECT_EQ(::GetMenu(hFrame), hFrameMenu) << "a child without one shows the frame's";
    pSecond->MDIActivate();
    EXPECT_EQ(::GetMenu(hFrame), hChildMenu);

    // Closing the active child goes through the client, deletes its object
    // and activates another; its menu gives way to the frame's.
    HWND hSecond = pSecond->m_hWnd;
    ::SendMessageW(hSecond, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ(s_childrenAlive, 2);
    EXPECT_EQ(::GetMenu(hFrame), hFrameMenu);
    CWnd* pActive = pFrame->MDIGetActive();
    EXPECT_TRUE(pActive == pFirst || pActive == pThird);

    // Ctrl+F6 reaching the frame's pre-translation activates the next child.
    CWnd* pBefore = pFrame->MDIGetActive();
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG key = {};
    key.hwnd = pBefore->m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = VK_F6;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&key));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_NE(pFrame->MDIGetActive(), pBefore);

    pFirst->MDIMaximize();
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pFrame->MDIGetActive(&bMaximized), pFirst);
    EXPECT_TRUE(bMaximized);
    pFirst->MDIRestore();
    pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);

    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(s_childrenAlive, 0) << "the children went with the frame";
}
