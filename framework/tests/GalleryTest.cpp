// The gallery driven through messages: command routing, idle updates,
// layout, reflection, dialogs and the worker thread.
#include "gallery/GalleryDialog.h"
#include "gallery/GalleryHarness.h"
#include "gallery/GalleryIds.h"
#include "gallery/GalleryJournal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
bool ToolbarEnabled(GalleryHarness& g, UINT nID)
{
    return g.frame->m_toolBar.SendMessage(TB_ISBUTTONENABLED, nID) != 0;
}

bool MenuGrayed(HMENU hMenu, UINT nID)
{
    return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}
} // namespace

TEST(GalleryTest, CommandsRouteFromViewToApplicationAndDisabledOnesAreRefused)
{
    GalleryHarness g;
    ASSERT_NE(g.view, nullptr);
    ASSERT_NE(g.document, nullptr);

    GalleryJournal().clear();
    g.frame->SendMessage(WM_COMMAND, ID_GALLERY_ROUTE);
    EXPECT_EQ(GalleryJournal(), (std::vector<std::wstring>{L"view", L"document", L"frame", L"application"}));

    // A handler query finds the handler without running it.
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(g.frame->OnCmdMsg(ID_GALLERY_TOGGLE, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, g.document);
    EXPECT_FALSE(g.frame->OnCmdMsg(ID_GALLERY_ORPHAN, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(g.document->m_nToggles, 0);

    // Disabled by its update handler: refused from a menu and from an accelerator.
    g.document->m_bToggleAllowed = FALSE;
    g.frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_GALLERY_TOGGLE, 0));
    g.frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_GALLERY_TOGGLE, 1));
    EXPECT_EQ(g.document->m_nToggles, 0);
    g.document->m_bToggleAllowed = TRUE;
    g.frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_GALLERY_TOGGLE, 1));
    EXPECT_EQ(g.document->m_nToggles, 1);
}

TEST(GalleryTest, ContinueRoutingPassesAnUpdateOnToTheApplication)
{
    GalleryHarness g;
    GalleryJournal().clear();
    CTestCmdUI state;
    state.m_nID = ID_GALLERY_PASSON;
    EXPECT_TRUE(state.DoUpdate(g.frame, FALSE));
    EXPECT_EQ(GalleryJournal(), (std::vector<std::wstring>{L"view update", L"application update"}));
    EXPECT_FALSE(state.m_bEnabled); // the application's answer counts
}

TEST(GalleryTest, IdleUpdatesEnableToolbarButtonsPanesAndPopupMenuItems)
{
    GalleryHarness g;
    g.document->m_bToggleAllowed = FALSE;
    g.Idle();
    EXPECT_FALSE(ToolbarEnabled(g, ID_GALLERY_TOGGLE)); // its update handler says no
    EXPECT_FALSE(ToolbarEnabled(g, ID_GALLERY_ORPHAN)); // no handler anywhere
    EXPECT_TRUE(ToolbarEnabled(g, ID_GALLERY_SETTINGS));
    EXPECT_TRUE(ToolbarEnabled(g, ID_FILE_NEW)); // the application's handler
    EXPECT_EQ(CString(g.frame->m_statusBar.GetPaneText(0)), CString(L"Ready"));

    g.document->m_bToggleAllowed = TRUE;
    g.Idle();
    EXPECT_TRUE(ToolbarEnabled(g, ID_GALLERY_TOGGLE));

    // The frame's menu, as the menu loop opens its Edit popup.
    HMENU hEdit = ::GetSubMenu(::GetMenu(g.frame->m_hWnd), 1);
    g.document->m_bToggleAllowed = FALSE;
    g.frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(1, FALSE));
    EXPECT_TRUE(MenuGrayed(hEdit, ID_GALLERY_TOGGLE));
    EXPECT_TRUE(MenuGrayed(hEdit, ID_GALLERY_ORPHAN));
    EXPECT_FALSE(MenuGrayed(hEdit, ID_GALLERY_COUNT));
    EXPECT_FALSE(MenuGrayed(hEdit, ID_GALLERY_ROUTE));

    // A context menu really opened: inspected from a timer inside the menu
    // loop, then closed.
    static int s_toggleGrayed = -1, s_orphanGrayed = -1, s_countGrayed = -1;
    ::SetTimer(g.frame->m_hWnd, 77, 300, [](HWND hWnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hWnd, id);
        HWND hPopup = ::FindWindowW(L"#32768", nullptr);
        HMENU hMenu = hPopup != nullptr ? reinterpret_cast<HMENU>(::SendMessageW(hPopup, MN_GETHMENU, 0, 0)) : nullptr;
        if (hMenu != nullptr)
        {
            s_toggleGrayed = MenuGrayed(hMenu, ID_GALLERY_TOGGLE);
            s_orphanGrayed = MenuGrayed(hMenu, ID_GALLERY_ORPHAN);
            s_countGrayed = MenuGrayed(hMenu, ID_GALLERY_COUNT);
        }
        ::EndMenu();
    });
    g.frame->SetForegroundWindow();
    CRect viewRect;
    g.view->GetWindowRect(&viewRect);
    g.view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g.view->m_hWnd),
                        MAKELPARAM(viewRect.left + 40, viewRect.top + 40));
    EXPECT_EQ(s_toggleGrayed, 1);
    EXPECT_EQ(s_orphanGrayed, 1);
    EXPECT_EQ(s_countGrayed, 0);
}

TEST(GalleryTest, BarsTakeTheirEdgesThePaneTakesTheRestAndDelayedLayoutWaitsForIdle)
{
    GalleryHarness g;
    CRect client;
    g.frame->GetClientRect(&client);
    CRect toolbar = ChildRect(&g.frame->m_toolBar);
    CRect status = ChildRect(&g.frame->m_statusBar);
    CRect pane = ChildRect(g.view);
    ASSERT_EQ(g.view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);

    EXPECT_EQ(toolbar.top, 0);
    EXPECT_GT(toolbar.Height(), 10);
    EXPECT_EQ(toolbar.Width(), client.Width());
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_GT(status.Height(), 10);
    EXPECT_EQ(pane, CRect(0, toolbar.bottom, client.right, status.top));

    // A query moves nothing and reports what the pane would get.
    CRect left, bars;
    g.frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &left, &client);
    EXPECT_EQ(left, pane);
    g.frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &bars, &client, FALSE);
    EXPECT_EQ(bars.Height(), toolbar.Height() + status.Height());

    // Hiding a bar with a delayed layout changes nothing until the loop idles.
    g.frame->m_toolBar.ShowWindow(SW_HIDE);
    g.frame->DelayRecalcLayout();
    EXPECT_EQ(ChildRect(g.view), pane);
    ::SetTimer(g.frame->m_hWnd, 1, 300, [](HWND hWnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hWnd, id);
        ::PostQuitMessage(0);
    });
    g.app.Run();
    EXPECT_EQ(ChildRect(g.view), CRect(0, 0, client.right, status.top));
    EXPECT_EQ(g.frame->m_nIdleFlags, 0u);
}

TEST(GalleryTest, NotificationsAreReflectedToTheControlsOwnHandlers)
{
    GalleryHarness g;
    CGalleryView* view = g.view;

    view->m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_GT(view->m_list.m_nOwnItemChanges, 0);
    // The _EX handler passed it on, so the parent saw each one as well.
    EXPECT_EQ(view->m_nParentItemChanges, view->m_list.m_nOwnItemChanges);

    HTREEITEM hRoot = view->m_tree.GetRootItem();
    view->m_tree.SelectItem(view->m_tree.GetChildItem(hRoot));
    EXPECT_GT(view->m_tree.m_nOwnSelectionChanges, 0);
    EXPECT_EQ(view->m_nParentTreeChanges, 0); // the tree kept it
}

TEST(GalleryTest, WorkerThreadReportsToTheViewByMessage)
{
    GalleryHarness g;
    g.frame->SendMessage(WM_COMMAND, ID_GALLERY_WORKER);
    ASSERT_TRUE(g.PumpUntil([&] { return g.view->m_workerResult != -1; }));
    EXPECT_EQ(g.view->m_workerResult, 500500);
    EXPECT_NE(g.view->m_workerThreadId, ::GetCurrentThreadId());
    ASSERT_NE(g.view->m_pWorker, nullptr);
    EXPECT_EQ(::WaitForSingleObject(g.view->m_pWorker->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    EXPECT_TRUE(::GetExitCodeThread(g.view->m_pWorker->m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

namespace
{
CGalleryDialog* s_dialog = nullptr;
struct DialogSeen
{
    CString name;
    int comboCount = -1;
    int comboSelection = -1;
    CString secondItem;
    UINT verbose = 99;
    BOOL ownerEnabled = TRUE;
} s_seen;

void CALLBACK EditAndAccept(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    CGalleryDialog& dialog = *s_dialog;
    dialog.GetDlgItemText(IDC_NAME_EDIT, s_seen.name);
    s_seen.comboCount = dialog.m_modeCombo.GetCount();
    s_seen.comboSelection = dialog.m_modeCombo.GetCurSel();
    dialog.m_modeCombo.GetLBText(1, s_seen.secondItem);
    s_seen.verbose = dialog.IsDlgButtonChecked(IDC_VERBOSE_CHECK);
    s_seen.ownerEnabled = ::IsWindowEnabled(AfxGetMainWnd()->m_hWnd);

    dialog.SetDlgItemText(IDC_NAME_EDIT, L"bravo");
    dialog.CheckDlgButton(IDC_VERBOSE_CHECK, BST_CHECKED);
    dialog.m_modeCombo.SetCurSel(0);
    dialog.PostMessage(WM_COMMAND, IDOK);
}
} // namespace

TEST(GalleryTest, ModalDialogExchangesDataFillsTheComboFromDialogInitAndPassesQuitOn)
{
    GalleryHarness g;
    CGalleryDialog dialog(g.frame);
    dialog.m_strName = L"alpha";
    dialog.m_bVerbose = 0;
    dialog.m_nMode = 2;
    s_dialog = &dialog;
    ::SetTimer(nullptr, 0, 200, EditAndAccept);
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(s_seen.name, CString(L"alpha"));
    EXPECT_EQ(s_seen.comboCount, 3);
    EXPECT_EQ(s_seen.comboSelection, 2);
    EXPECT_EQ(s_seen.secondItem, CString(L"Extensive"));
    EXPECT_EQ(s_seen.verbose, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(s_seen.ownerEnabled);
    EXPECT_TRUE(g.frame->IsWindowEnabled());

    EXPECT_EQ(dialog.m_strName, CString(L"bravo"));
    EXPECT_EQ(dialog.m_bVerbose, 1);
    EXPECT_EQ(dialog.m_nMode, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_modeCombo.m_hWnd, nullptr);

    // WM_QUIT ends the modal loop and is posted again for the loop outside.
    CGalleryDialog quitting(g.frame);
    ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ::PostQuitMessage(7);
    });
    EXPECT_EQ(quitting.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_TRUE(g.frame->IsWindowEnabled());
}

namespace
{
// Writes the screen area of the window as a 24-bit BMP.
bool SaveWindowImage(HWND hWnd, LPCWSTR path)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, width, height, hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMem, old);
    DWORD stride = ((width * 3 + 3) & ~3u);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + stride * height;
    HANDLE hFile = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = hFile != INVALID_HANDLE_VALUE && ::WriteFile(hFile, &file, sizeof(file), &written, nullptr) &&
              ::WriteFile(hFile, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr) &&
              ::WriteFile(hFile, bits, stride * height, &written, nullptr);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return ok;
}
} // namespace

TEST(GalleryTest, ScreenshotOfTheGallery)
{
    GalleryHarness g;
    g.view->m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    g.view->m_tree.SelectItem(g.view->m_tree.GetChildItem(g.view->m_tree.GetRootItem()));
    g.frame->SetForegroundWindow();

    // A modeless settings dialog beside the frame shows the dialog data.
    CGalleryDialog dialog(g.frame);
    dialog.m_strName = L"Recovered photos";
    ASSERT_TRUE(dialog.Create(IDD_GALLERY_SETTINGS, g.frame));
    dialog.SetWindowPos(nullptr, 420, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    g.Idle();
    g.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    g.PumpUntil([] { return false; }, 500);

    EXPECT_TRUE(SaveWindowImage(g.frame->m_hWnd, L"gallery-frame.bmp"));
    EXPECT_TRUE(SaveWindowImage(::GetDesktopWindow(), L"gallery-screen.bmp"));
    dialog.DestroyWindow();
}

namespace
{
class CGalleryPage : public CPropertyPage
{
public:
    CGalleryPage() : CPropertyPage(IDD_GALLERY_SETTINGS) {}
    CString m_strName = L"page";
    bool m_bBoundAtInit = false;
    BOOL OnInitDialog() override
    {
        m_bBoundAtInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME_EDIT, m_strName); }
};

CPropertySheet* s_sheet = nullptr;
CGalleryPage* s_page = nullptr;
} // namespace

TEST(GalleryTest, PropertySheetBindsItsPagesAndExchangesTheirData)
{
    GalleryHarness g;
    CPropertySheet sheet(L"Gallery Options", g.frame);
    CGalleryPage page;
    sheet.AddPage(&page);
    s_sheet = &sheet;
    s_page = &page;
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        if (s_page->m_hWnd != nullptr)
            s_page->SetDlgItemText(IDC_NAME_EDIT, L"from the sheet");
        if (s_sheet->m_hWnd != nullptr)
            s_sheet->PressButton(PSBTN_OK);
        else
            ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(page.m_bBoundAtInit);
    EXPECT_EQ(page.m_strName, CString(L"from the sheet"));
    EXPECT_EQ(page.m_hWnd, nullptr);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

namespace
{
// A modeless sheet that records its own end.
class CModelessSheet : public CPropertySheet
{
public:
    using CPropertySheet::CPropertySheet;
    bool m_bEnded = false;

protected:
    void PostNcDestroy() override { m_bEnded = true; }
};
} // namespace

TEST(GalleryTest, ModelessPropertySheetLeavesItsOwnerWorkingUntilClosed)
{
    GalleryHarness g;
    CModelessSheet sheet(L"Gallery Options", g.frame);
    CGalleryPage page;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.IsModeless());
    EXPECT_TRUE(page.m_bBoundAtInit);
    EXPECT_EQ(sheet.GetActivePage(), &page);
    EXPECT_EQ(::GetWindow(sheet.m_hWnd, GW_OWNER), g.frame->m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(g.frame->m_hWnd)) << "a modeless sheet disabled its owner";
    g.PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(::IsWindow(sheet.m_hWnd));

    // Cancel ends it: the window goes from the queue, not from the button's own message.
    ::PostMessageW(::GetDlgItem(sheet.m_hWnd, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(g.PumpUntil([&] { return sheet.m_bEnded; }));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(page.m_hWnd, nullptr);
}

namespace
{
struct FloaterDuringDialog
{
    CMiniFrameWnd* floater = nullptr;
    CDialog* dialog = nullptr;
    BOOL visible = FALSE;
    BOOL enabled = TRUE;
    BOOL frameEnabled = TRUE;
    bool screenshot = false;
} s_during;

void Activate(GalleryHarness& g, CWnd* pWnd)
{
    pWnd->SetActiveWindow();
    g.Idle();
}
} // namespace

TEST(GalleryTest, SyncedMiniFrameSharesItsFramesActivationAndIsDisabledByItsModalDialog)
{
    GalleryHarness g;
    Activate(g, g.frame);
    auto* floater = new CMiniFrameWnd; // frames delete themselves with their window
    ASSERT_TRUE(floater->CreateEx(0, nullptr, L"Floating panes", WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE,
                                  CRect(560, 60, 760, 200), g.frame));
    EXPECT_TRUE(floater->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    EXPECT_TRUE(floater->GetExStyle() & WS_EX_TOOLWINDOW);
    floater->ShowWindow(SW_SHOWNOACTIVATE);
    g.Idle();
    EXPECT_TRUE(floater->m_bActive); // made while its frame was active
    EXPECT_TRUE(g.frame->IsSyncedFloater(floater->m_hWnd));

    // Moving between the frame and its floater changes nothing that shows.
    Activate(g, floater);
    EXPECT_EQ(::GetActiveWindow(), floater->m_hWnd);
    EXPECT_TRUE(floater->m_bActive);
    EXPECT_TRUE(g.frame->m_nFlags & WF_STAYACTIVE); // the frame keeps its active caption
    Activate(g, g.frame);
    EXPECT_TRUE(floater->m_bActive);
    EXPECT_FALSE(g.frame->m_nFlags & WF_STAYACTIVE);

    // Another top-level window: the floater goes inactive, and back.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), L"Another window", WS_POPUP | WS_CAPTION, 100, 600, 200,
                               80, nullptr, nullptr));
    other.ShowWindow(SW_SHOW);
    Activate(g, &other);
    EXPECT_FALSE(floater->m_bActive);
    Activate(g, floater);
    EXPECT_TRUE(floater->m_bActive);
    EXPECT_TRUE(g.frame->m_nFlags & WF_STAYACTIVE);
    Activate(g, &other);
    EXPECT_FALSE(floater->m_bActive);
    EXPECT_FALSE(g.frame->m_nFlags & WF_STAYACTIVE);
    other.DestroyWindow();
    Activate(g, g.frame);
    EXPECT_TRUE(floater->m_bActive);

    // The application's own modal dialog: the floater stays shown and is
    // disabled with its frame, then enabled again.
    CGalleryDialog dialog(g.frame);
    s_during = FloaterDuringDialog{floater, &dialog};
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        s_during.visible = s_during.floater->IsWindowVisible();
        s_during.enabled = s_during.floater->IsWindowEnabled();
        s_during.frameEnabled = AfxGetMainWnd()->IsWindowEnabled();
        // The picture a moment later, once the loop has painted everything.
        ::SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id2, DWORD) {
            ::KillTimer(nullptr, id2);
            s_during.screenshot = SaveWindowImage(::GetDesktopWindow(), L"gallery-floating.bmp");
            // The dialog itself, not whatever window is active: without a window
            // manager activation may sit elsewhere, and the modal loop must end.
            ::PostMessageW(s_during.dialog->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
        });
    });
    // A watchdog ends the dialog should the timers never run, so a fault fails
    // the test instead of hanging it.
    std::atomic<bool> dialogEnded{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!dialogEnded && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!dialogEnded)
            ::PostMessageW(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    const INT_PTR result = dialog.DoModal();
    dialogEnded = true;
    watchdog.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(s_during.visible);
    EXPECT_FALSE(s_during.enabled);
    EXPECT_FALSE(s_during.frameEnabled);
    EXPECT_TRUE(s_during.screenshot);
    EXPECT_TRUE(floater->IsWindowEnabled());
    EXPECT_TRUE(floater->IsWindowVisible());
    floater->DestroyWindow();
}

TEST(GalleryTest, PreviewModeTakesMenuAndBarsAwayAndGivesThemBack)
{
    GalleryHarness g;
    HMENU hMenu = ::GetMenu(g.frame->m_hWnd);
    ASSERT_NE(hMenu, nullptr);
    ASSERT_TRUE(g.frame->m_toolBar.IsWindowVisible());
    CPrintPreviewState state;
    g.frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_EQ(::GetMenu(g.frame->m_hWnd), nullptr);
    EXPECT_FALSE(g.frame->m_toolBar.IsWindowVisible());
    EXPECT_FALSE(g.frame->m_statusBar.IsWindowVisible());
    EXPECT_EQ(ChildRect(g.view).top, 0); // the pane has the whole client area

    g.frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_EQ(::GetMenu(g.frame->m_hWnd), hMenu);
    EXPECT_TRUE(g.frame->m_toolBar.IsWindowVisible());
    EXPECT_TRUE(g.frame->m_statusBar.IsWindowVisible());
    EXPECT_GT(ChildRect(g.view).top, 0);
}

TEST(GalleryTest, RebarHeightChangeLaysTheFrameOutAgain)
{
    GalleryHarness g;
    auto* rebar = new CReBar;
    rebar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(rebar->Create(g.frame));
    g.Idle();
    EXPECT_EQ(g.frame->m_nIdleFlags & CFrameWnd::idleLayout, 0u);
    NMHDR header{rebar->m_hWnd, static_cast<UINT_PTR>(AFX_IDW_REBAR), static_cast<UINT>(RBN_HEIGHTCHANGE)};
    g.frame->SendMessage(WM_NOTIFY, AFX_IDW_REBAR, reinterpret_cast<LPARAM>(&header));
    EXPECT_NE(g.frame->m_nIdleFlags & CFrameWnd::idleLayout, 0u);
    rebar->DestroyWindow();
}
