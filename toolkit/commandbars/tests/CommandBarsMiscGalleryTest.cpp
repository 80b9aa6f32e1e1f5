// The smaller services of the command bars in a gallery frame: the status
// bar's prompt of the hot control, a toolkit context menu with its own
// icons, a menu bar that keeps customized controls per document type of a
// multi-document frame, and a bar in a rebar band. Screenshots go beside the
// results.
#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitMenuBar.h"
#include "CKitDockBar.h"
#include "CKitReBar.h"
#include "CKitStatusBar.h"
#include "InputDriving.h"
#include "ToolkitPopupMenu.h"
#include "WindowCapture.h"
#include "window/AfxMessages.h"
#include "window/CFrameWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr UINT kPanes[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
constexpr int kIdOpen = 201;
constexpr int kIdSave = 202;
constexpr int kIdScan = 203;

// The gallery's frame: it records the commands it gets and what the bars
// tell it of selected controls.
class CMiscFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<WPARAM> m_selected;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pHandlerInfo != nullptr && nID >= 200 && nID < 500)
            return TRUE;
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDBAR_CONTROLSELECTED)
            m_selected.push_back(wParam);
        return CKitFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// The pointer moved to a screen point by real input.
void MoveMouseTo(POINT ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(ptScreen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(ptScreen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(100);
}

// A key pressed with a modifier held, through the frames' filters.
void PressWithModifier(WORD nModifier, WORD nKey)
{
    INPUT inputs[4] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = nModifier;
    inputs[1].ki.wVk = nKey;
    inputs[2].ki.wVk = nKey;
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = nModifier;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, inputs, sizeof(INPUT));
    PumpThroughFramesFor(300);
}

class CommandBarsMisc : public testing::Test
{
protected:
    void SetUp() override
    {
        SelectCommandBarDrawingStyle(4);
        m_pFrame = new CMiscFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo misc", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(30, 30, 630, 430)));
        ASSERT_TRUE(m_statusBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_statusBar.DefinePanes(kPanes, 4));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        m_pBar = new CKitCommandBar;
        m_pBar->EnableBarDocking(0x3F);
        m_pBar->SetTitle(L"Standard");
        const struct
        {
            int nId;
            LPCTSTR lpszCaption;
            LPCTSTR lpszPrompt;
        } buttons[] = {
            {kIdOpen, L"&Open", L"Open a snapshot\nOpen"},
            {kIdSave, L"&Save", L"Save the ticked files\nSave"},
            {kIdScan, L"&Scan", L"Scan the drive again\nScan"},
        };
        for (const auto& button : buttons)
        {
            CKitControl* pControl = m_pBar->GetControls()->Add(kControlButton, button.nId);
            pControl->SetPrompt(button.lpszPrompt);
            pControl->SetCaption(button.lpszCaption);
            pControl->m_nStyle = 1;
        }
        m_pBars->AddBar(m_pBar);
        ASSERT_TRUE(m_pBars->DockCommandBar(m_pBar, nullptr, CKitCommandBars::kDockTop));
        m_statusBar.SetWindowText(L"Ready");
        Layout();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        ReleaseCommandBarDrawer();
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
    }
    CPoint ControlCentre(int nId)
    {
        CRect rc = m_pBar->GetControls()->FindControl(nId)->GetRect();
        m_pBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    CString Prompt() const { return m_statusBar.GetPaneText(0); }
    bool PromptBecomes(LPCTSTR lpszText)
    {
        return PumpUntil([&] { return Prompt() == lpszText; }, 2000);
    }

    CMiscFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
    CKitStatusBar m_statusBar;
    CKitCommandBar* m_pBar = nullptr;
};
} // namespace

TEST_F(CommandBarsMisc, HotControlShowsItsPromptOnTheStatusBarUntilTheSelectionEnds)
{
    m_pFrame->SetForegroundWindow();
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    MoveMouseTo(rcFrame.CenterPoint());
    EXPECT_EQ(Prompt(), CString(L"Ready"));
    CKitControl* pSave = m_pBar->GetControls()->FindControl(kIdSave);

    // The pointer over a button: its description; over the next one, that
    // one's; away from the bar, the idle message again.
    MoveMouseTo(ControlCentre(kIdSave));
    EXPECT_TRUE(PromptBecomes(L"Save the ticked files")) << static_cast<LPCTSTR>(Prompt());
    ASSERT_FALSE(m_pFrame->m_selected.empty());
    EXPECT_EQ(m_pFrame->m_selected.back(), reinterpret_cast<WPARAM>(pSave)) << "the site hears which control";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cb_misc_prompt.bmp"));
    MoveMouseTo(ControlCentre(kIdScan));
    EXPECT_TRUE(PromptBecomes(L"Scan the drive again")) << static_cast<LPCTSTR>(Prompt());
    MoveMouseTo(rcFrame.CenterPoint());
    EXPECT_TRUE(PromptBecomes(L"Ready")) << static_cast<LPCTSTR>(Prompt());
    EXPECT_EQ(m_pFrame->m_selected.back(), 0u) << "and that none is selected any more";

    // By keyboard: Alt+S is ambiguous ("&Save", "&Scan"), so Save becomes hot
    // without running; Right walks on; Escape leaves.
    PressWithModifier(VK_MENU, 'S');
    EXPECT_EQ(m_pBar->GetHotIndex(), pSave->GetIndex());
    EXPECT_TRUE(PromptBecomes(L"Save the ticked files")) << static_cast<LPCTSTR>(Prompt());
    PressKey(VK_RIGHT);
    EXPECT_TRUE(PromptBecomes(L"Scan the drive again")) << static_cast<LPCTSTR>(Prompt());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(m_pBar->GetTrackingMode(), 0);
    EXPECT_TRUE(PromptBecomes(L"Ready")) << static_cast<LPCTSTR>(Prompt());
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "selecting runs nothing";

    // With the prompts switched off the status bar keeps its text; the site
    // still hears of the selection.
    m_pBars->GetSettings()->m_bStatusBarPrompts = FALSE;
    const size_t nHeard = m_pFrame->m_selected.size();
    MoveMouseTo(ControlCentre(kIdOpen));
    PumpFor(200);
    EXPECT_EQ(Prompt(), CString(L"Ready"));
    EXPECT_GT(m_pFrame->m_selected.size(), nHeard);
    MoveMouseTo(rcFrame.CenterPoint());
}

namespace
{
constexpr UINT kContextMenus = 9014;  // popup 1 is the edit field's menu
constexpr int kEditIcons = 9017;      // the toolbar of that menu's icons
constexpr int kIdEditCopy = 0xE122;

// What a thread timer does once the context menu is up: finds the popup bar,
// notes where its Copy item takes its icon from, takes a screenshot and types
// a key.
struct ContextMenuScript
{
    HWND hFrame = nullptr;
    WORD nKey = 0;
    const wchar_t* pszShot = nullptr;
    bool bFound = false;
    bool bOwnStore = false;
    bool bCopyIcon = false;
};
ContextMenuScript g_contextScript;

BOOL CALLBACK FindPopupBar(HWND hWnd, LPARAM lParam)
{
    auto* pBar = dynamic_cast<CKitCommandBar*>(CWnd::FromHandlePermanent(hWnd));
    if (pBar == nullptr || pBar->GetPosition() != kBarPopup || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<CKitCommandBar**>(lParam) = pBar;
    return FALSE;
}

void CALLBACK RunContextScript(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(nullptr, nTimer);
    CKitCommandBar* pPopup = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPopupBar, reinterpret_cast<LPARAM>(&pPopup));
    if (pPopup != nullptr)
    {
        g_contextScript.bFound = true;
        g_contextScript.bOwnStore = pPopup->GetOwnIconManager() != nullptr &&
                                    pPopup->ResolveIconManager() == pPopup->GetOwnIconManager();
        CKitControl* pCopy = pPopup->GetControls()->FindControl(kIdEditCopy);
        g_contextScript.bCopyIcon = pCopy != nullptr && pCopy->GetIcon(16) != nullptr;
    }
    if (g_contextScript.pszShot != nullptr)
        CaptureWindowToBmp(g_contextScript.hFrame, g_contextScript.pszShot);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = g_contextScript.nKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}
} // namespace

TEST_F(CommandBarsMisc, ToolkitContextMenuRunsAsAPopupBarWithItsOwnIcons)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenus));
    CMenu* pEditMenu = CMenu::FromHandle(::GetSubMenu(menu.m_hMenu, 1));
    ASSERT_NE(pEditMenu->m_hMenu, nullptr);
    // The icons are the popup's own: the process-wide store has none of them.
    ASSERT_EQ(GetCommandIconStore()->GetIcon(kIdEditCopy, 16), nullptr);
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    const CPoint at = rcFrame.CenterPoint();
    struct Case
    {
        WORD nKey;
        int nExpected;
        const wchar_t* pszShot;
    };
    const Case cases[] = {
        {'C', kIdEditCopy, L"cb_misc_context_menu.bmp"},  // the mnemonic chooses Copy
        {VK_ESCAPE, 0, nullptr},                           // dismissed: nothing chosen
    };
    for (const Case& c : cases)
    {
        g_contextScript = {m_pFrame->m_hWnd, c.nKey, c.pszShot};
        ::SetTimer(nullptr, 0, 400, RunContextScript);
        const int nResult = TrackToolkitPopupMenu(pEditMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, m_pFrame,
                                                  kEditIcons);
        EXPECT_EQ(nResult, c.nExpected) << c.nKey;
        EXPECT_TRUE(g_contextScript.bFound) << "the menu ran as a popup bar";
        EXPECT_TRUE(g_contextScript.bOwnStore) << "with an icon store of its own";
        EXPECT_TRUE(g_contextScript.bCopyIcon) << "which holds the Copy icon";
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "a returned command is not sent";
    EXPECT_EQ(GetCommandIconStore()->GetIcon(kIdEditCopy, 16), nullptr) << "the process-wide store stays as it was";
}

namespace
{
constexpr UINT kFrameMenu = 2101;
constexpr UINT kTextMenu = 2102;
constexpr UINT kPictureMenu = 2103;

// A multi-document frame that holds command bars as the program's frame
// does; customization is allowed when it says it handles the customize
// command.
class CMdiGalleryFrame : public CMDIFrameWnd
{
public:
    CKitCommandBars* m_pBars = nullptr;
    BOOL m_bCustomizable = TRUE;

    ~CMdiGalleryFrame() override
    {
        if (m_pBars != nullptr)
            m_pBars->InternalRelease();
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_COMMANDBARS_CUSTOMIZE && nCode == CN_COMMAND && pHandlerInfo != nullptr)
            return m_bCustomizable;
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

LRESULT CALLBACK DocumentProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateDocument(HWND hClient, LPCWSTR lpszTitle)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DocumentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"PelmoMiscDocument";
    ::RegisterClassW(&wc);  // already there on a second call
    MDICREATESTRUCTW create = {};
    create.szClass = wc.lpszClassName;
    create.szTitle = lpszTitle;
    create.hOwner = wc.hInstance;
    create.x = create.y = 10;
    create.cx = 240;
    create.cy = 140;
    create.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    return reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

CKitControl* FindByCaption(CKitControls* pControls, LPCTSTR lpszCaption)
{
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (pControls->GetAt(i)->GetCaption() == lpszCaption)
            return pControls->GetAt(i);
    return nullptr;
}

std::vector<CString> Captions(CKitControls* pControls, BOOL bTemporary = FALSE)
{
    std::vector<CString> captions;
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (pControls->GetAt(i)->IsTemporary() == bTemporary)
            captions.push_back(pControls->GetAt(i)->GetCaption());
    return captions;
}
} // namespace

TEST(CommandBarsMdiMenus, CustomizedMenuOfEachDocumentTypeComesBackWithItsDocument)
{
    SelectCommandBarDrawingStyle(4);
    struct Case
    {
        BOOL bCustomizable;
        std::vector<CString> back;  // the text document's menu when it is active again
        const wchar_t* pszShot;
    };
    const Case cases[] = {
        {TRUE, {L"&Document", L"&Window"}, L"cb_misc_mdi_menus.bmp"},  // kept as the user left it
        {FALSE, {L"&File", L"&Edit", L"&Window"}, nullptr},           // made again from the menu
    };
    for (const Case& c : cases)
    {
        auto* pFrame = new CMdiGalleryFrame;
        pFrame->m_bCustomizable = c.bCustomizable;
        ASSERT_TRUE(pFrame->Create(nullptr, L"Pelmo documents", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(40, 40, 640, 440)));
        // The free area holds the MDI client, made here when the frame made none.
        if (pFrame->m_hWndMDIClient == nullptr)
        {
            CLIENTCREATESTRUCT client = {};
            pFrame->m_hWndMDIClient = ::CreateWindowExW(
                WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES,
                0, 0, 100, 100, pFrame->m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), ::GetModuleHandleW(nullptr),
                &client);
        }
        const HWND hClient = pFrame->m_hWndMDIClient;
        ASSERT_NE(hClient, nullptr);
        ::SetMenu(pFrame->m_hWnd, ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kFrameMenu)));
        pFrame->m_pBars = static_cast<CKitCommandBars*>(RUNTIME_CLASS(CKitCommandBars)->CreateObject());
        CKitCommandBars* pBars = pFrame->m_pBars;
        pBars->AttachToFrame(pFrame);
        EXPECT_EQ(pBars->IsCustomizationAllowed(), c.bCustomizable);
        pBars->CreateDockBars();
        auto* pMenuBar = dynamic_cast<CKitMenuBar*>(pBars->CreateMenuBar(L"Menu Bar", kFrameMenu));
        ASSERT_NE(pMenuBar, nullptr);
        EXPECT_EQ(::GetMenu(pFrame->m_hWnd), nullptr) << "the menu bar took the frame's menu";
        CKitControls* pControls = pMenuBar->GetControls();

        // Two document types; each child names its menu as a frame does.
        HMENU hTextMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kTextMenu));
        HMENU hPictureMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPictureMenu));
        CFrameWnd text, picture;
        ASSERT_TRUE(text.Attach(CreateDocument(hClient, L"Text")));
        text.m_nIDHelp = kTextMenu;
        ASSERT_TRUE(picture.Attach(CreateDocument(hClient, L"Picture")));
        picture.m_nIDHelp = kPictureMenu;
        auto activate = [&](CFrameWnd& document, HMENU hMenu) {
            ::SendMessageW(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document.m_hWnd), 0);
            ::SendMessageW(hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu), 0);
            PumpFor(100);
        };
        ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(text.m_hWnd), 0);
        pFrame->RecalcLayout();

        activate(text, hTextMenu);
        EXPECT_EQ(pMenuBar->GetCurrentMenuId(), kTextMenu);
        EXPECT_EQ(Captions(pControls), (std::vector<CString>{L"&File", L"&Edit", L"&Window"}));
        // The user changes the text document's menu: Edit goes, File is renamed.
        CKitControl* pEdit = FindByCaption(pControls, L"&Edit");
        CKitControl* pFile = FindByCaption(pControls, L"&File");
        ASSERT_NE(pEdit, nullptr);
        ASSERT_NE(pFile, nullptr);
        pControls->Remove(pEdit);
        pFile->m_strCustomCaption = L"&Document";

        activate(picture, hPictureMenu);
        EXPECT_EQ(pMenuBar->GetCurrentMenuId(), kPictureMenu);
        EXPECT_EQ(Captions(pControls), (std::vector<CString>{L"&File", L"&Picture", L"&Help"}));
        if (c.bCustomizable)
        {
            ASSERT_NE(pMenuBar->GetKeptMenuControls(kTextMenu), nullptr);
            EXPECT_EQ(Captions(pMenuBar->GetKeptMenuControls(kTextMenu), TRUE).size(), 0u)
                << "no window control is kept with a menu";
        }

        activate(text, hTextMenu);
        EXPECT_EQ(pMenuBar->GetCurrentMenuId(), kTextMenu);
        EXPECT_EQ(Captions(pControls), c.back);
        if (c.bCustomizable)
        {
            EXPECT_EQ(pControls->FindControl(pFile->GetId()), pFile) << "the very controls the user changed";
            ASSERT_NE(pControls->GetOriginalControls(), nullptr);
            EXPECT_EQ(Captions(pControls->GetOriginalControls()), (std::vector<CString>{L"&File", L"&Edit", L"&Window"}))
                << "the original set is the menu's";
            EXPECT_TRUE(pControls->IsChanged());
            EXPECT_EQ(pMenuBar->GetKeptMenuControls(kTextMenu), nullptr) << "taken out while shown";
            EXPECT_NE(pMenuBar->GetKeptMenuControls(kPictureMenu), nullptr);
            EXPECT_NE(pMenuBar->GetKeptMenuControls(kFrameMenu), nullptr);
        }
        // The maximized child's window buttons are there once, after the titles.
        const std::vector<CString> windowControls = Captions(pControls, TRUE);
        EXPECT_EQ(windowControls.size(), 3u) << "minimize, restore and close";
        pFrame->RecalcLayout();
        pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
        if (c.pszShot != nullptr)
        {
            EXPECT_TRUE(CaptureWindowToBmp(pFrame->m_hWnd, c.pszShot));
        }

        // No document menu: the frame's own menu comes back.
        ::SendMessageW(hClient, WM_MDISETMENU, 0, 0);
        EXPECT_EQ(pMenuBar->GetCurrentMenuId(), kFrameMenu);
        EXPECT_EQ(Captions(pControls), (std::vector<CString>{L"&File", L"&Window"}));

        text.Detach();
        picture.Detach();
        pFrame->DestroyWindow();
        ::DestroyMenu(hTextMenu);
        ::DestroyMenu(hPictureMenu);
    }
    ReleaseCommandBarDrawer();
}

TEST_F(CommandBarsMisc, BarInARebarBandIsLaidOutAndClickedThere)
{
    EXPECT_FALSE(m_pBars->AddBarToReBar(m_pBar)) << "no rebar yet";
    EXPECT_EQ(m_pBars->GetReBar(), nullptr);
    CKitReBar reBar;
    ASSERT_TRUE(reBar.Create(m_pFrame));
    ASSERT_EQ(m_pBars->GetReBar(), &reBar);
    m_pBar->m_nBarId = 300;
    m_pBar->m_dwStyle |= kBarStyleGripper;
    ASSERT_TRUE(m_pBars->AddBarToReBar(m_pBar));
    EXPECT_EQ(reBar.GetBandCount(), 1);
    EXPECT_EQ(reBar.GetToolBarAt(0), m_pBar);
    EXPECT_EQ(::GetParent(m_pBar->m_hWnd), reBar.m_hWnd) << "the band holds the bar's window";
    EXPECT_EQ(m_pBar->m_pDockBar, nullptr) << "out of its dock bar";
    EXPECT_TRUE(m_pBars->GetDockBar(CKitCommandBars::kDockTop)->GetRows().Rows().empty());
    EXPECT_EQ(m_pBar->m_dwStyle & kBarStyleGripper, 0u) << "the band draws the gripper";
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_ID;
    ASSERT_TRUE(reBar.SendMessage(RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_EQ(band.wID, 300u) << "the band's id is the bar's";

    m_pFrame->SetForegroundWindow();
    Layout();
    CRect rcReBar, rcBar, rcClient;
    reBar.GetWindowRect(&rcReBar);
    m_pBar->GetWindowRect(&rcBar);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcReBar.top, rcClient.top) << "the rebar takes the frame's top";
    EXPECT_GE(rcReBar.Height(), rcBar.Height());
    EXPECT_TRUE(CRect().IntersectRect(rcReBar, rcBar)) << "the bar shows inside its band";
    CKitControl* pSave = m_pBar->GetControls()->FindControl(kIdSave);
    EXPECT_FALSE(pSave->GetRect().IsRectEmpty()) << "its controls are laid out";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cb_misc_rebar.bmp"));
    ClickAt(ControlCentre(kIdSave));
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{static_cast<UINT>(kIdSave)}) << "clicked in the band, it runs";

    EXPECT_EQ(m_pBars->RemoveBar(m_pBar), 0);
    EXPECT_EQ(reBar.GetBandCount(), 0) << "a removed bar leaves its band";
    m_pBar = nullptr;
}
