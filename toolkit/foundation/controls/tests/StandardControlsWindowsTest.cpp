// The standard controls on a real display: the gallery page driven with real
// input (header clicks, the cursor over a frozen divider), the edit's context
// menu read while it is open, the button's icon sampled from the screen, and
// the placement carried from one run of the gallery program to the next.
#include "CControlsGalleryFrame.h"
#include "CColorTable.h"
#include "ComboEditThemes.h"
#include "CSavedWindowPlacement.h"
#include "CUiCaptionPopupWnd.h"
#include "CUserSettingsStore.h"
#include "WindowCapture.h"
#include "core/PlacementRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        Pump();
        ::Sleep(10);
    }
    return true;
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

void MoveMouseTo(POINT pt)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpFor(60);
}

void ClickAt(POINT pt)
{
    MoveMouseTo(pt);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpFor(200);
}

bool Near(COLORREF actual, COLORREF expected, int tolerance = 8)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

COLORREF PixelOf(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetDC(hWnd);
    const COLORREF color = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return color;
}

// Whether a horizontal run of at least `length` pixels of that colour lies
// inside the rectangle (client coordinates of the window).
bool HasHorizontalRun(HWND hWnd, const RECT& area, COLORREF color, int length)
{
    HDC hDC = ::GetDC(hWnd);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y)
    {
        int run = 0;
        for (int x = area.left; x < area.right && !found; ++x)
        {
            run = Near(::GetPixel(hDC, x, y), color, 2) ? run + 1 : 0;
            found = run >= length;
        }
    }
    ::ReleaseDC(hWnd, hDC);
    return found;
}

constexpr LPCTSTR kPlacementKey = L"Software\\Pelmo Tests\\Toolkit Controls Gallery\\Settings";

class StandardControlsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        app = new CWinApp(CControlsGalleryFrame::kAppName);
        app->SetRegistryKey(CControlsGalleryFrame::kRegistryKey);
        // Widths of an earlier run must not change the page's columns.
        CUserSettingsStore().WriteString(CStandardControlsPage::kColumnSection, nullptr, nullptr);
        frame = new CControlsGalleryFrame();
        ASSERT_TRUE(frame->CreateGallery(FALSE));
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        ::SetForegroundWindow(frame->GetSafeHwnd());
        PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        delete frame;
        frame = nullptr;
    }

    static CStandardControlsPage& Page() { return frame->m_page; }

    static CWinApp* app;
    static CControlsGalleryFrame* frame;
};

CWinApp* StandardControlsTest::app = nullptr;
CControlsGalleryFrame* StandardControlsTest::frame = nullptr;

// ----- header -----

TEST_F(StandardControlsTest, HeaderClickSortsAndShowsTheArrowThenReverses)
{
    CSortingListCtrl& list = Page().m_list;
    CUiFlatHeaderCtrl& header = list.GetFlatHeader();
    HWND hHeader = header.GetSafeHwnd();
    CRect item;
    ASSERT_TRUE(header.GetItemRect(0, &item));
    CPoint centre = item.CenterPoint();
    header.ClientToScreen(&centre);
    const COLORREF highlight = header.GetHeaderTheme()->m_clrHighlight;
    const COLORREF shadow = header.GetHeaderTheme()->m_clrShadow;
    // Inside the item, away from the frame's top and bottom rows.
    const RECT arrowArea{item.left + 2, item.top + 1, item.right - 3, item.bottom - 1};

    ClickAt(centre);
    BOOL bAscending = FALSE;
    EXPECT_EQ(header.GetSortImage(&bAscending), 0);
    EXPECT_TRUE(bAscending);
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"archive.zip"));
    header.UpdateWindow();
    CaptureWindowToBmp(hHeader, L"header-ascending.bmp");
    // Ascending: the arrow's flat side at the bottom, in the highlight colour.
    EXPECT_TRUE(HasHorizontalRun(hHeader, arrowArea, highlight, 8));
    EXPECT_FALSE(HasHorizontalRun(hHeader, arrowArea, shadow, 8));

    PumpFor(::GetDoubleClickTime() + 100); // a second click, not a double click
    ClickAt(centre);
    EXPECT_EQ(header.GetSortImage(&bAscending), 0);
    EXPECT_FALSE(bAscending);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"song.mp3"));
    header.UpdateWindow();
    CaptureWindowToBmp(hHeader, L"header-descending.bmp");
    // Descending: the flat side on top, in the shadow colour.
    EXPECT_TRUE(HasHorizontalRun(hHeader, arrowArea, shadow, 8));
    EXPECT_FALSE(HasHorizontalRun(hHeader, arrowArea, highlight, 8));

    // Another column sorts ascending again.
    CRect second;
    header.GetItemRect(2, &second);
    CPoint secondCentre = second.CenterPoint();
    header.ClientToScreen(&secondCentre);
    ClickAt(secondCentre);
    EXPECT_EQ(header.GetSortImage(&bAscending), 2);
    EXPECT_TRUE(bAscending);
    EXPECT_EQ(list.GetItemText(0, 2), CString(L"Archive"));
}

struct HeaderMenuProbe
{
    bool seen = false;
    UINT checked[5] = {}; // sort ascending, sort descending, align left, centre, right
};
HeaderMenuProbe g_headerProbe;

void CALLBACK ReadHeaderMenu(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    HWND hMenuWnd = ::FindWindowW(L"#32768", nullptr);
    if (hMenuWnd == nullptr || !::IsWindowVisible(hMenuWnd))
        return;
    ::KillTimer(nullptr, idTimer);
    auto hMenu = reinterpret_cast<HMENU>(::SendMessageW(hMenuWnd, MN_GETHMENU, 0, 0));
    const UINT ids[5] = {kHeaderSortAscending, kHeaderSortDescending, kHeaderAlignLeft, kHeaderAlignCenter, kHeaderAlignRight};
    for (int i = 0; i < 5; ++i)
        g_headerProbe.checked[i] = (::GetMenuState(hMenu, ids[i], MF_BYCOMMAND) & MF_CHECKED) != 0 ? 1 : 0;
    g_headerProbe.seen = true;
    ::EndMenu();
}

TEST_F(StandardControlsTest, HeaderMenuShowsOrderAndAlignmentAndSortsDescending)
{
    CSortingListCtrl& list = Page().m_list;
    CUiFlatHeaderCtrl& header = list.GetFlatHeader();
    list.SetSortImage(1, TRUE); // "Size" sorts ascending
    CRect item;
    header.GetItemRect(1, &item);
    const CPoint point = item.CenterPoint();

    g_headerProbe = HeaderMenuProbe{};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, ReadHeaderMenu);
    header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    ::KillTimer(nullptr, timer);
    ASSERT_TRUE(g_headerProbe.seen);
    const UINT expected[5] = {1, 0, 1, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(g_headerProbe.checked[i], expected[i]) << "item " << i;

    // "Sort Descending" on the column under the click re-sorts the list.
    const int sortsBefore = list.GetSortCount();
    header.SendMessage(WM_COMMAND, kHeaderSortDescending);
    BOOL bAscending = TRUE;
    EXPECT_EQ(header.GetSortImage(&bAscending), 1);
    EXPECT_FALSE(bAscending);
    EXPECT_EQ(list.GetSortColumn(), 1);
    EXPECT_FALSE(list.IsSortAscending());
    EXPECT_EQ(list.GetSortCount(), sortsBefore + 1);
    // Asking again for the order it already has does nothing.
    header.SendMessage(WM_COMMAND, kHeaderSortDescending);
    EXPECT_EQ(list.GetSortCount(), sortsBefore + 1);

    // "Align Right" changes the column's format.
    header.SendMessage(WM_COMMAND, kHeaderAlignRight);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    list.SendMessage(LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    header.SendMessage(WM_COMMAND, kHeaderAlignLeft);
}

TEST_F(StandardControlsTest, FrozenColumnKeepsItsWidthWhileTheListIsResized)
{
    CSortingListCtrl& list = Page().m_list;
    CUiFlatHeaderCtrl& header = list.GetFlatHeader();
    const int frozenWidth = list.GetColumnWidth(0);
    CRect listRect;
    list.GetWindowRect(&listRect);
    Page().ScreenToClient(&listRect);

    list.SetWindowPos(nullptr, 0, 0, listRect.Width() + 80, listRect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(100);
    EXPECT_EQ(list.GetColumnWidth(0), frozenWidth);
    // The other three share what is left of the header's width.
    CRect headerRect;
    header.GetWindowRect(&headerRect);
    const bool scroll = (list.GetStyle() & WS_VSCROLL) != 0;
    const int share = (headerRect.Width() - (scroll ? ::GetSystemMetrics(SM_CXVSCROLL) : 0) - frozenWidth) / 3;
    for (int column = 1; column < 4; ++column)
        EXPECT_EQ(list.GetColumnWidth(column), share) << "column " << column;

    // The frozen column refuses a new width.
    list.SetColumnWidth(0, frozenWidth + 60);
    EXPECT_EQ(list.GetColumnWidth(0), frozenWidth);

    // Over the frozen column's divider the cursor stays an arrow; over a
    // free divider it is the header's resize cursor.
    CRect frozen, free;
    header.GetItemRect(0, &frozen);
    header.GetItemRect(1, &free);
    CPoint frozenDivider(frozen.right - 1, frozen.CenterPoint().y);
    CPoint freeDivider(free.right - 1, free.CenterPoint().y);
    header.ClientToScreen(&frozenDivider);
    header.ClientToScreen(&freeDivider);
    MoveMouseTo(frozenDivider);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
    MoveMouseTo(freeDivider);
    EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));

    list.SetWindowPos(nullptr, 0, 0, listRect.Width(), listRect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(50);
    EXPECT_EQ(list.GetColumnWidth(0), frozenWidth);
}

// ----- column widths in the profile -----

class ProfileList
{
public:
    explicit ProfileList(CWnd* pParent, LPCTSTR entry, const int (&widths)[4])
    {
        m_list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 400, 100), pParent, 2001);
        const LPCTSTR titles[] = {L"A", L"B", L"C", L"D"};
        m_list.InsertColumns(4, widths, titles);
        m_entry = entry;
    }
    CSortingListCtrl m_list;
    LPCTSTR m_entry;
};

TEST_F(StandardControlsTest, ColumnWidthsRoundTripThroughTheProfileAfterAReorder)
{
    constexpr LPCTSTR kEntry = L"Reorder Test";
    CUserSettingsStore store;
    store.WriteString(L"Gallery", kEntry, nullptr);
    {
        ProfileList first(&Page(), kEntry, {111, 77, 150, 90});
        first.m_list.AutoSaveColumns(L"Gallery", kEntry);
        int order[4] = {3, 1, 0, 2}; // the user dragged the columns around
        first.m_list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
        first.m_list.DestroyWindow(); // saves on the way out
    }
    EXPECT_EQ(store.GetString(L"Gallery", kEntry), CString(L"111,77,150,90,"));

    for (bool reordered : {false, true})
    {
        ProfileList second(&Page(), kEntry, {50, 50, 50, 50});
        if (reordered)
        {
            int order[4] = {2, 3, 0, 1};
            second.m_list.SendMessage(LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
        }
        second.m_list.m_bAutoSaveColumns = FALSE;
        second.m_list.AutoSaveColumns(L"Gallery", kEntry);
        second.m_list.m_bAutoSaveColumns = FALSE;
        const int expected[4] = {111, 77, 150, 90};
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(second.m_list.GetColumnWidth(column), expected[column]) << "column " << column << (reordered ? " reordered" : "");
    }

    // A damaged or short value leaves the columns it cannot speak for alone.
    store.WriteString(L"Gallery", kEntry, L"200,abc,-4,");
    ProfileList damaged(&Page(), kEntry, {50, 60, 70, 80});
    damaged.m_list.AutoSaveColumns(L"Gallery", kEntry);
    damaged.m_list.m_bAutoSaveColumns = FALSE;
    const int expected[4] = {200, 60, 70, 80};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(damaged.m_list.GetColumnWidth(column), expected[column]) << "column " << column;
}

// ----- edit context menu -----

struct MenuProbe
{
    bool seen = false;
    RECT menuRect{};
    UINT states[6] = {}; // undo, cut, copy, paste, delete, select all: 1 = enabled
};
MenuProbe g_probe;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    HWND hMenuWnd = ::FindWindowW(L"#32768", nullptr);
    if (hMenuWnd == nullptr || !::IsWindowVisible(hMenuWnd))
        return;
    ::KillTimer(nullptr, idTimer);
    auto hMenu = reinterpret_cast<HMENU>(::SendMessageW(hMenuWnd, MN_GETHMENU, 0, 0));
    const UINT ids[6] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
    for (int i = 0; i < 6; ++i)
        g_probe.states[i] = (::GetMenuState(hMenu, ids[i], MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0 ? 1 : 0;
    ::GetWindowRect(hMenuWnd, &g_probe.menuRect);
    g_probe.seen = true;
    ::EndMenu();
}

// Opens the context menu from the keyboard and reads it while it is open.
MenuProbe OpenContextMenu(CUiEdit& edit)
{
    g_probe = MenuProbe{};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, ReadOpenMenu);
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.GetSafeHwnd()), MAKELPARAM(-1, -1));
    ::KillTimer(nullptr, timer);
    PumpFor(50);
    return g_probe;
}

void SetClipboardText(const wchar_t* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (text != nullptr)
    {
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(::GlobalLock(hData), text, bytes);
        ::GlobalUnlock(hData);
        ::SetClipboardData(CF_UNICODETEXT, hData);
    }
    ::CloseClipboard();
}

TEST_F(StandardControlsTest, EditContextMenuItemsFollowTheEditsState)
{
    CUiEdit& edit = Page().m_edit;
    CUiEdit& readOnly = Page().m_readOnlyEdit;
    struct Case
    {
        const char* name;
        CUiEdit* pEdit;
        const wchar_t* text;
        int selStart, selEnd;
        const wchar_t* clipboard;
        UINT expected[6]; // undo, cut, copy, paste, delete, select all
    };
    const Case cases[] = {
        {"no selection", &edit, L"C:\\Recovered", 0, 0, L"x", {0, 0, 0, 1, 0, 1}},
        {"selection", &edit, L"C:\\Recovered", 0, 3, L"x", {0, 1, 1, 1, 1, 1}},
        {"empty, clipboard empty", &edit, L"", 0, 0, nullptr, {0, 0, 0, 0, 0, 0}},
        {"read-only with selection", &readOnly, L"Read-only", 0, 4, L"x", {0, 0, 1, 0, 0, 1}},
    };
    for (const Case& c : cases)
    {
        SetClipboardText(c.clipboard);
        c.pEdit->SetWindowText(c.text);
        c.pEdit->SetSel(c.selStart, c.selEnd);
        const MenuProbe probe = OpenContextMenu(*c.pEdit);
        ASSERT_TRUE(probe.seen) << c.name;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(probe.states[i], c.expected[i]) << c.name << ", item " << i;
    }

    // Undo follows the edit's own undo buffer.
    edit.SetWindowText(L"abc");
    edit.SetSel(3, 3);
    edit.ReplaceSel(L"d", TRUE);
    EXPECT_EQ(OpenContextMenu(edit).states[0], 1u);

    // From the keyboard the menu opens 5 pixels in from the edit's corner.
    CPoint corner(5, 5);
    edit.ClientToScreen(&corner);
    const MenuProbe probe = OpenContextMenu(edit);
    EXPECT_EQ(probe.menuRect.left, corner.x);
    EXPECT_EQ(probe.menuRect.top, corner.y);
    edit.SetWindowText(L"C:\\Recovered files");
}

// ----- button -----

TEST_F(StandardControlsTest, ButtonDrawsItsIconBesideItsText)
{
    CUiButton& button = Page().m_button;
    button.Invalidate();
    button.UpdateWindow();
    CRect client;
    button.GetClientRect(&client);
    // Image margin 4, vertically centred, not pressed.
    const int x = 4, y = (client.Height() - 16) / 2;
    EXPECT_TRUE(Near(PixelOf(button.GetSafeHwnd(), x + 1, y + 1), CStandardControlsPage::kIconOuter));
    EXPECT_TRUE(Near(PixelOf(button.GetSafeHwnd(), x + 14, y + 14), CStandardControlsPage::kIconOuter));
    EXPECT_TRUE(Near(PixelOf(button.GetSafeHwnd(), x + 8, y + 8), CStandardControlsPage::kIconInner));
    // Beside the icon: the face, not the icon.
    EXPECT_FALSE(Near(PixelOf(button.GetSafeHwnd(), x + 18, y + 8), CStandardControlsPage::kIconOuter, 40));
    EXPECT_EQ(button.GetIconSize(), CSize(16, 16)); // size 0 x 0 took the icon's own
}

TEST_F(StandardControlsTest, ButtonsShareTheFamilyThemeUnlessGivenTheirOwn)
{
    CUiButton first, second;
    ASSERT_NE(first.GetTheme(), nullptr);
    EXPECT_EQ(first.GetTheme(), second.GetTheme());
    EXPECT_EQ(first.GetTheme(), Page().m_button.GetTheme());
    // 0x40 wins over 0x01: a flat theme of the button's own; the old flags come back.
    EXPECT_EQ(second.SetXButtonStyle(kButtonFlatTheme | kButtonFlat, FALSE), static_cast<DWORD>(kButtonFlat));
    EXPECT_NE(second.GetTheme(), first.GetTheme());
    EXPECT_NE(dynamic_cast<CUiButtonThemeFlat*>(second.GetTheme()), nullptr);
    CControlTheme* pOwn = second.GetTheme();
    // The family's theme changes; the private one stays.
    first.GetFactory()->SetTheme(new CUiButtonTheme());
    EXPECT_EQ(second.GetTheme(), pOwn);
    EXPECT_EQ(first.GetTheme(), Page().m_button.GetTheme());
}

TEST_F(StandardControlsTest, FactoriesMakeTheThemeOfEachTypeAndSilverUsesTheTablesFrame)
{
    struct Case
    {
        CRuntimeClass* factory;
        const std::type_info& flat;
        const std::type_info& scheme;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CUiButtonThemeFactory), typeid(CUiButtonThemeFlat), typeid(CUiButtonThemeScheme)},
        {RUNTIME_CLASS(CUiHeaderCtrlThemeFactory), typeid(CUiHeaderThemeFlat), typeid(CUiHeaderThemeScheme)},
        {RUNTIME_CLASS(CUiCaptionThemeFactory), typeid(CUiCaptionThemeFlat), typeid(CUiCaptionThemeScheme)},
        {RUNTIME_CLASS(CUiCaptionButtonThemeFactory), typeid(CUiCaptionButtonThemeFlat), typeid(CUiCaptionButtonThemeScheme)},
        {RUNTIME_CLASS(CUiFlatComboBoxThemeFactory), typeid(CUiFlatComboBoxThemeFlat), typeid(CUiFlatComboBoxThemeScheme)},
        {RUNTIME_CLASS(CUiFlatEditThemeFactory), typeid(CUiFlatEditThemeFlat), typeid(CUiFlatEditThemeScheme)},
    };
    for (const Case& c : cases)
    {
        CUiThemeManagerStyleFactory* pFactory = GetThemeFactoryRegistry()->GetFactory(c.factory);
        ASSERT_NE(pFactory, nullptr);
        EXPECT_EQ(pFactory, GetThemeFactoryRegistry()->GetFactory(c.factory)); // one per family
        std::unique_ptr<CControlTheme> flat(pFactory->MakeTheme(kThemeFlat));
        std::unique_ptr<CControlTheme> scheme(pFactory->MakeTheme(kThemeScheme));
        EXPECT_EQ(typeid(*flat), c.flat);
        EXPECT_EQ(typeid(*scheme), c.scheme);
        EXPECT_EQ(scheme->m_nType, kThemeScheme);
    }

    // Under the silver scheme the frame is the colour table's (75, 75, 111).
    CColorTable* pTable = GetColorTable();
    const int saved = pTable->schemeSetting;
    pTable->schemeSetting = kit::kSchemeSilver;
    CUiButtonThemeScheme button;
    button.UpdateMetrics();
    EXPECT_EQ(static_cast<COLORREF>(button.m_clrLight), RGB(75, 75, 111));
    EXPECT_EQ(static_cast<COLORREF>(button.m_clrShadow), RGB(165, 172, 178));
    CUiFlatEditThemeScheme edit;
    edit.UpdateMetrics();
    EXPECT_EQ(static_cast<COLORREF>(edit.m_clrFrame), RGB(75, 75, 111));
    pTable->schemeSetting = saved;
}

// ----- hyperlink -----

TEST_F(StandardControlsTest, HyperlinkHoversAndTurnsVisitedWhenClicked)
{
    CUiHyperLink& link = Page().m_link;
    HWND hLink = link.GetSafeHwnd();
    CRect client;
    link.GetClientRect(&client);
    EXPECT_EQ(link.GetURL(), CString(L"https://www.example.com/pelmo-recovery"));
    EXPECT_TRUE(HasHorizontalRun(hLink, client, link.GetLinkColor(), 1));

    CPoint onText(10, client.CenterPoint().y);
    link.ClientToScreen(&onText);
    MoveMouseTo(onText);
    ASSERT_TRUE(PumpUntil([&] { return link.IsHovering() != FALSE; }));
    PumpFor(50);
    EXPECT_TRUE(HasHorizontalRun(hLink, client, link.GetHoverColor(), 1));
    EXPECT_EQ(::GetCursor(), link.GetLinkCursor());

    ClickAt(onText);
    EXPECT_TRUE(link.GetVisited());
    CPoint away = onText + CPoint(0, 80);
    MoveMouseTo(away);
    ASSERT_TRUE(PumpUntil([&] { return link.IsHovering() == FALSE; }));
    PumpFor(50);
    EXPECT_TRUE(HasHorizontalRun(hLink, client, link.GetVisitedColor(), 1));
    EXPECT_FALSE(HasHorizontalRun(hLink, client, link.GetHoverColor(), 1));
    link.SetVisited(FALSE);
}

class RecordingLink : public CUiHyperLink
{
public:
    void ReportError(int nError) override { m_errors.push_back(nError); }
    std::vector<int> m_errors;
};

TEST_F(StandardControlsTest, HyperlinkOpensTheLinkItselfAndReportsShellErrors)
{
    RecordingLink link;
    ASSERT_TRUE(link.Create(L"missing", WS_CHILD | SS_LEFT, CRect(0, 0, 100, 20), &Page(), 2002));
    EXPECT_EQ(link.GetURL(), CString(L"missing")); // no link given: the text is the link
    // The whole text is one file name for the shell; nothing of it runs.
    EXPECT_FALSE(link.GotoURL(L"C:\\no such folder\\report.txt & echo run > C:\\ran.txt", SW_SHOW));
    EXPECT_FALSE(link.GotoURL(L"C:\\no such folder\\report.txt", SW_SHOW));
    ASSERT_EQ(link.m_errors.size(), 2u);
    for (int error : link.m_errors)
        EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
    EXPECT_EQ(::GetFileAttributesW(L"C:\\ran.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(link.GetVisited());
}

// ----- flat combo box -----

TEST_F(StandardControlsTest, FlatComboCompletesTypedTextFromItsList)
{
    CUiFlatComboBox& combo = Page().m_flatCombo;
    HWND hEdit = ::GetWindow(combo.GetSafeHwnd(), GW_CHILD);
    ASSERT_NE(hEdit, nullptr);
    combo.SetWindowText(L"");
    for (wchar_t ch : {L'n', L't'})
        ::SendMessageW(hEdit, WM_CHAR, ch, 1);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(L"NTFS"));
    const DWORD selection = static_cast<DWORD>(combo.SendMessage(CB_GETEDITSEL));
    EXPECT_EQ(LOWORD(selection), 2); // the completed part is selected
    EXPECT_EQ(HIWORD(selection), 4);

    // Text that nothing in the list starts with stays as typed.
    combo.SetWindowText(L"");
    for (wchar_t ch : {L'e', L'x'})
        ::SendMessageW(hEdit, WM_CHAR, ch, 1);
    combo.GetWindowText(text);
    EXPECT_EQ(text, CString(L"ex"));
    combo.SetWindowText(L"");
}

// ----- caption bars -----

TEST_F(StandardControlsTest, CaptionLendsItsWindowToAPopupUntilPinned)
{
    CUiCaption& caption = Page().m_caption;
    CStatic& lent = Page().m_lentWindow;
    CRect button;
    caption.GetButton().GetWindowRect(&button);
    ClickAt(button.CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return caption.GetPopup() != nullptr; }));
    CUiCaptionPopupWnd* pPopup = caption.GetPopup();
    EXPECT_TRUE(pPopup->IsWindowVisible());
    EXPECT_EQ(::GetParent(lent.GetSafeHwnd()), pPopup->GetSafeHwnd());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    CaptureWindowToBmp(pPopup->GetSafeHwnd(), L"caption-popup.bmp");

    // The push-pin puts the window back where it was.
    caption.SendMessage(kCaptionPopupPinned);
    EXPECT_EQ(caption.GetPopup(), nullptr);
    EXPECT_EQ(::GetParent(lent.GetSafeHwnd()), Page().GetSafeHwnd());
    CRect lentRect;
    lent.GetWindowRect(&lentRect);
    Page().ScreenToClient(&lentRect);
    EXPECT_EQ(lentRect.top, 356);
}

TEST_F(StandardControlsTest, CloseCaptionButtonTellsItsOwner)
{
    CUiCaption& caption = Page().m_closeCaption;
    Page().m_nLastCaptionClick = 0;
    CRect button;
    caption.GetButton().GetWindowRect(&button);
    EXPECT_EQ(button.Width(), 16);
    ClickAt(button.CenterPoint());
    EXPECT_EQ(Page().m_nLastCaptionClick, static_cast<UINT>(CStandardControlsPage::kCloseCaptionId));
    EXPECT_EQ(caption.GetPopup(), nullptr);
}

// ----- placement across runs -----

class GalleryProcess
{
public:
    GalleryProcess()
    {
        wchar_t commandLine[] = L"toolkit_controls_gallery.exe";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        m_started = ::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info);
    }
    ~GalleryProcess()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_info.hProcess, 1);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    // The gallery's top-level window once it is shown, or null.
    HWND WaitForWindow()
    {
        for (int tries = 0; m_started && tries < 300; ++tries)
        {
            m_hWnd = nullptr;
            ::EnumWindows(
                [](HWND hWnd, LPARAM lParam) -> BOOL {
                    auto* self = reinterpret_cast<GalleryProcess*>(lParam);
                    DWORD pid = 0;
                    ::GetWindowThreadProcessId(hWnd, &pid);
                    wchar_t title[64] = {};
                    ::GetWindowTextW(hWnd, title, 64);
                    if (pid == self->m_info.dwProcessId && ::IsWindowVisible(hWnd) &&
                        wcscmp(title, CControlsGalleryFrame::kTitle) == 0)
                    {
                        self->m_hWnd = hWnd;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(this));
            if (m_hWnd != nullptr)
                return m_hWnd;
            if (::WaitForSingleObject(m_info.hProcess, 50) == WAIT_OBJECT_0)
                break;
        }
        return nullptr;
    }
    // Closes the window as a user would and waits for the program to end.
    bool Close()
    {
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return ::WaitForSingleObject(m_info.hProcess, 15000) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION m_info{};
    BOOL m_started = FALSE;
    HWND m_hWnd = nullptr;
};

void DeleteStoredPlacement() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kPlacementKey, L"Window Position"); }

void WriteStoredPlacement(const RECT& normal, UINT showCommand)
{
    kit::PlacementFields fields;
    fields.showCommand = showCommand;
    fields.normal = {normal.left, normal.top, normal.right, normal.bottom};
    const auto bytes = kit::EncodePlacement(fields);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kPlacementKey, L"Window Position", REG_BINARY, bytes.data(),
                                static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

TEST(GalleryPlacementTest, PlacementStoredByOneRunIsRestoredByTheNext)
{
    DeleteStoredPlacement();
    const RECT wanted{123, 97, 123 + 600, 97 + 380};
    {
        GalleryProcess first;
        HWND hWnd = first.WaitForWindow();
        ASSERT_NE(hWnd, nullptr);
        ::SetWindowPos(hWnd, nullptr, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(first.Close());
    }
    DWORD size = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kPlacementKey, L"Window Position", RRF_RT_REG_BINARY, nullptr, nullptr,
                             &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 48u);

    GalleryProcess second;
    HWND hWnd = second.WaitForWindow();
    ASSERT_NE(hWnd, nullptr);
    RECT actual{};
    ::GetWindowRect(hWnd, &actual);
    EXPECT_EQ(actual.left, wanted.left);
    EXPECT_EQ(actual.top, wanted.top);
    EXPECT_EQ(actual.right, wanted.right);
    EXPECT_EQ(actual.bottom, wanted.bottom);
    EXPECT_FALSE(::IsIconic(hWnd));
    EXPECT_TRUE(second.Close());
}

TEST(GalleryPlacementTest, UnsafeStoredPlacementsComeBackOnScreen)
{
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case
    {
        const char* name;
        RECT stored;
        UINT show;
    };
    const Case cases[] = {
        {"far off-screen", {5000, 4000, 5500, 4350}, SW_SHOWNORMAL},
        {"above and left", {-3000, -2000, -2500, -1650}, SW_SHOWNORMAL},
        {"minimised", {100, 100, 600, 450}, SW_SHOWMINIMIZED},
    };
    for (const Case& c : cases)
    {
        WriteStoredPlacement(c.stored, c.show);
        GalleryProcess gallery;
        HWND hWnd = gallery.WaitForWindow();
        ASSERT_NE(hWnd, nullptr) << c.name;
        RECT actual{};
        ::GetWindowRect(hWnd, &actual);
        EXPECT_FALSE(::IsIconic(hWnd)) << c.name;
        EXPECT_GE(actual.left, work.left) << c.name;
        EXPECT_GE(actual.top, work.top) << c.name;
        EXPECT_LE(actual.right, work.right) << c.name;
        EXPECT_LE(actual.bottom, work.bottom) << c.name;
        EXPECT_EQ(actual.right - actual.left, c.stored.right - c.stored.left) << c.name;
        EXPECT_TRUE(gallery.Close()) << c.name;
    }
    // A stored size of nothing is refused: the gallery keeps its own size.
    WriteStoredPlacement({300, 300, 300, 300}, SW_SHOWNORMAL);
    GalleryProcess gallery;
    HWND hWnd = gallery.WaitForWindow();
    ASSERT_NE(hWnd, nullptr);
    RECT actual{};
    ::GetWindowRect(hWnd, &actual);
    EXPECT_GT(actual.right - actual.left, 300);
    EXPECT_TRUE(gallery.Close());
    DeleteStoredPlacement();
}

// ----- screenshot -----

TEST_F(StandardControlsTest, ZScreenshotOfThePage)
{
    Page().m_list.SetSortImage(0, TRUE);
    Page().m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Page().m_edit.SetSel(0, 2);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    EXPECT_TRUE(CaptureWindowToBmp(frame->GetSafeHwnd(), L"standard-controls.bmp"));
}

} // namespace
