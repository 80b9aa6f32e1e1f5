// The task-panel gallery under Wine, driven as a user drives it: groups
// expanded and collapsed by clicks (the groups below move), hot tracking,
// keyboard focus and navigation, items dragged to another group, to a second
// panel and to another program, data of another format refused, a pressed
// item removed, a group stored and loaded again, scrolling, and every
// drawing style by number with its colours sampled. Screenshots go beside
// the results. One process runs every check (Wine starts once).
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "CColorTable.h"
#include "CKitTaskPanelEditItem.h"
#include "CKitPropExchangeArchive.h"
#include "CTaskPanelGalleryWnd.h"
#include "TaskPanelClipboard.h"
#include "TaskPanelExchange.h"
#include "WindowCapture.h"
#include "core/DrawerColors.h"

using kit::taskpanel::MixColors;
using Group = CKitTaskPanel::Group;
using GroupItem = CKitTaskPanel::GroupItem;

namespace {

void PumpFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

void SendMouse(DWORD flags, POINT pt = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE)
    {
        input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void SendKey(WORD vk, WORD modifier = 0)
{
    auto key = [](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        ::SendInput(1, &input, sizeof(input));
    };
    if (modifier)
        key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier)
        key(modifier, KEYEVENTF_KEYUP);
    PumpFor(150);
}

// Runs the input from a thread of its own while this thread runs the
// windows (a drag is a modal loop on this thread).
template <typename Input>
void WithInput(Input input)
{
    std::atomic<bool> done{false};
    std::thread sender([&] {
        input();
        done = true;
    });
    while (!done)
        PumpFor(10);
    sender.join();
    PumpFor(300);
}

void Click(POINT pt)
{
    WithInput([pt] {
        SendMouse(MOUSEEVENTF_MOVE, pt);
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(60);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(100);
    });
}

// Presses at `from`, moves to `to` in steps, rests there and releases.
void Drag(POINT from, POINT to, DWORD rest = 200)
{
    WithInput([from, to, rest] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(150);
        for (int step = 1; step <= 10; ++step)
        {
            SendMouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
            ::Sleep(60);
        }
        ::Sleep(rest);
        SendMouse(MOUSEEVENTF_MOVE, {to.x + 1, to.y});  // the drop point as the target sees it now
        ::Sleep(200);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(200);
    });
}

// A point of the item on the screen: left part of its rectangle, middle row.
POINT ScreenPointOf(CKitTaskPanel& panel, const CKitTaskPanel::PanelItem& item, int dx = 12)
{
    const CRect rect = panel.GetItemRect(item);
    POINT pt{rect.left + dx, rect.CenterPoint().y};
    ::ClientToScreen(panel.GetSafeHwnd(), &pt);
    return pt;
}

POINT ScreenPoint(CKitTaskPanel& panel, int x, int y)
{
    POINT pt{x, y};
    ::ClientToScreen(panel.GetSafeHwnd(), &pt);
    return pt;
}

std::wstring ResultPath(const std::wstring& name)
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return std::wstring(dir) + L"\\" + name;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 3)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The colour on the screen at a point of the panel's client area.
COLORREF ScreenPixel(CKitTaskPanel& panel, int x, int y)
{
    const POINT pt = ScreenPoint(panel, x, y);
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(nullptr, hScreen);
    return colour;
}

Group* FindGroup(CKitTaskPanel& panel, const char16_t* caption)
{
    for (int i = 0; i < panel.GetGroupCount(); ++i)
        if (panel.GetGroup(i)->caption == caption)
            return panel.GetGroup(i);
    return nullptr;
}

GroupItem* FindItem(Group& group, const char16_t* caption)
{
    for (int i = 0; i < group.items.GetCount(); ++i)
        if (group.items.GetAt(i)->caption == caption)
            return group.items.GetAt(i);
    return nullptr;
}

class TaskPanelGallery : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gallery.CreateGallery(40, 40, 2));
        m_gallery.FillSamples();
        m_gallery.SetForegroundWindow();
        Settle();
        m_tasks = FindGroup(m_gallery.m_left, u"Recovery tasks");
        m_details = FindGroup(m_gallery.m_left, u"Details");
        m_favourites = FindGroup(m_gallery.m_right, u"Favourites");
        ASSERT_TRUE(m_tasks && m_details && m_favourites);
    }
    void TearDown() override
    {
        m_gallery.DestroyWindow();
        PumpFor(50);
    }
    // Until no group of either panel moves (ten steps of 30 ms, slower under load).
    void Settle()
    {
        for (int i = 0; i < 100 && (i < 10 || m_left.IsAnyGroupDirty() || m_right.IsAnyGroupDirty()); ++i)
            PumpFor(30);
    }
    int Count(WPARAM code) const
    {
        int count = 0;
        for (const auto& n : m_gallery.m_notifications)
            count += n.code == code;
        return count;
    }
    void Capture(const wchar_t* name)
    {
        m_gallery.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
        CaptureWindowToBmp(m_gallery.GetSafeHwnd(), ResultPath(name));
    }

    CTaskPanelGalleryWnd m_gallery;
    CKitTaskPanel& m_left = m_gallery.m_left;
    CKitTaskPanel& m_right = m_gallery.m_right;
    Group* m_tasks = nullptr;
    Group* m_details = nullptr;
    Group* m_favourites = nullptr;
};

TEST_F(TaskPanelGallery, ClickOnACaptionCollapsesAndExpandsTheGroupAndTheGroupsBelowFollow)
{
    m_left.SetAnimation(0);
    Capture(L"taskpanel_start.bmp");
    const int detailsTop = m_details->currentRect.top;
    const int tasksHeight = m_tasks->currentRect.Height();

    Click(ScreenPointOf(m_left, *m_tasks, 30));
    PumpFor(500);  // ten animation steps of 30 ms
    EXPECT_FALSE(m_left.IsGroupExpanded(m_tasks));
    EXPECT_EQ(m_details->currentRect.top, detailsTop - (tasksHeight - m_tasks->captionHeight));
    EXPECT_EQ(Count(kTpnGroupExpanding), 1);
    EXPECT_EQ(Count(kTpnGroupExpanded), 1);
    Capture(L"taskpanel_collapsed.bmp");

    // The owner vetoes: nothing moves.
    m_gallery.m_bVetoExpand = TRUE;
    Click(ScreenPointOf(m_left, *m_tasks, 30));
    PumpFor(400);
    EXPECT_FALSE(m_left.IsGroupExpanded(m_tasks));
    EXPECT_EQ(Count(kTpnGroupExpanding), 2);
    EXPECT_EQ(Count(kTpnGroupExpanded), 1);

    m_gallery.m_bVetoExpand = FALSE;
    Click(ScreenPointOf(m_left, *m_tasks, 30));
    PumpFor(500);
    EXPECT_TRUE(m_left.IsGroupExpanded(m_tasks));
    EXPECT_EQ(m_details->currentRect.top, detailsTop);
    EXPECT_EQ(Count(kTpnGroupExpanded), 2);
}

TEST_F(TaskPanelGallery, TheMouseMakesLinksHotAndAClickNotifiesTheOwner)
{
    GroupItem* pScan = FindItem(*m_tasks, u"Scan drive");
    WithInput([&] { SendMouse(MOUSEEVENTF_MOVE, ScreenPointOf(m_left, *pScan, 40)); ::Sleep(150); });
    EXPECT_EQ(m_left.GetHotItem(), pScan);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    // Text items never become hot.
    GroupItem* pText = FindItem(*m_details, u"NTFS volume, 12,345 files found");
    WithInput([&] { SendMouse(MOUSEEVENTF_MOVE, ScreenPointOf(m_left, *pText, 40)); ::Sleep(150); });
    EXPECT_EQ(m_left.GetHotItem(), nullptr);

    Click(ScreenPointOf(m_left, *pScan, 40));
    ASSERT_EQ(Count(kTpnItemClick), 1);
    EXPECT_EQ(m_left.GetFocusedItem(), pScan);
    for (const auto& n : m_gallery.m_notifications)
        if (n.code == kTpnItemClick)
            EXPECT_EQ(n.param, reinterpret_cast<LPARAM>(pScan));
}

TEST_F(TaskPanelGallery, KeysMoveTheFocusThroughGroupsAndItems)
{
    Click(ScreenPointOf(m_left, *m_tasks, 30));  // focuses (and collapses) the group
    Click(ScreenPointOf(m_left, *m_tasks, 30));  // and expands it again
    ASSERT_EQ(m_left.GetFocusedItem(), m_tasks);

    SendKey(VK_DOWN);
    EXPECT_EQ(m_left.GetFocusedItem(), FindItem(*m_tasks, u"Scan drive"));
    EXPECT_TRUE(m_left.IsFocusCueVisible());
    SendKey(VK_DOWN);
    EXPECT_EQ(m_left.GetFocusedItem(), FindItem(*m_tasks, u"Open snapshot"));
    SendKey(VK_UP);
    EXPECT_EQ(m_left.GetFocusedItem(), FindItem(*m_tasks, u"Scan drive"));
    // Tab leaves the links for the next group; the text item never takes focus.
    SendKey(VK_TAB);
    EXPECT_EQ(m_left.GetFocusedItem(), m_details);
    SendKey(VK_DOWN);
    EXPECT_EQ(m_left.GetFocusedItem(), FindItem(*m_details, u"Drive information"));
    SendKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(m_left.GetFocusedItem(), m_details);
    Capture(L"taskpanel_focus.bmp");

    SendKey(VK_SPACE);  // toggles the focused group
    PumpFor(400);
    EXPECT_FALSE(m_left.IsGroupExpanded(m_details));
    SendKey(VK_RETURN);
    PumpFor(400);
    EXPECT_TRUE(m_left.IsGroupExpanded(m_details));
    SendKey(VK_DOWN);
    SendKey(VK_RETURN);
    EXPECT_EQ(Count(kTpnItemClick), 1);
}

TEST_F(TaskPanelGallery, AnItemDraggedToAnotherGroupMovesThere)
{
    GroupItem* pSave = FindItem(*m_tasks, u"Save files");
    GroupItem* pInfo = FindItem(*m_details, u"Drive information");
    const CRect info = m_left.GetItemRect(*pInfo);
    Drag(ScreenPointOf(m_left, *pSave, 40), ScreenPoint(m_left, info.left + 40, info.top + 3));
    EXPECT_EQ(FindItem(*m_tasks, u"Save files"), nullptr);
    ASSERT_NE(FindItem(*m_details, u"Save files"), nullptr);
    // Dropped on the upper half of "Drive information": inserted before it.
    EXPECT_EQ(m_details->items.IndexOf(FindItem(*m_details, u"Save files")), 1);
    EXPECT_EQ(Count(kTpnStartDrag), 1);
    EXPECT_EQ(Count(kTpnItemDropped), 1);
    EXPECT_EQ(m_left.GetDraggedItem(), nullptr);
    EXPECT_EQ(m_left.GetDropMarkItem(), nullptr);
    Capture(L"taskpanel_dragged_in_panel.bmp");
}

TEST_F(TaskPanelGallery, ADragRestingOnAClosedGroupOpensItAndDropsAtItsEnd)
{
    m_left.ExpandGroup(m_details, FALSE);
    Settle();
    ASSERT_FALSE(m_left.IsGroupExpanded(m_details));
    const POINT from = ScreenPointOf(m_left, *FindItem(*m_tasks, u"Scan drive"), 40);
    const POINT to = ScreenPointOf(m_left, *m_details, 30);
    Drag(from, to, 1200);  // beyond the hover time: the group opens under the drag
    EXPECT_TRUE(m_left.IsGroupExpanded(m_details));
    ASSERT_EQ(m_details->items.GetCount(), 3);
    EXPECT_EQ(m_details->items.GetAt(2)->caption, u"Scan drive");
    EXPECT_EQ(FindItem(*m_tasks, u"Scan drive"), nullptr);
}

TEST_F(TaskPanelGallery, AnItemDraggedToTheSecondPanelMovesThere)
{
    GroupItem* pOpen = FindItem(*m_tasks, u"Open snapshot");
    const CRect favourites = m_right.GetGroupClientRect(*m_favourites);
    Drag(ScreenPointOf(m_left, *pOpen, 40), ScreenPoint(m_right, 60, favourites.bottom - 6));
    EXPECT_EQ(FindItem(*m_tasks, u"Open snapshot"), nullptr);
    GroupItem* pMoved = FindItem(*m_favourites, u"Open snapshot");
    ASSERT_NE(pMoved, nullptr);
    EXPECT_EQ(pMoved->id, 12);
    EXPECT_EQ(pMoved->dragText, u"Open snapshot");
    Capture(L"taskpanel_dragged_to_second_panel.bmp");
}

TEST_F(TaskPanelGallery, AGroupDraggedByItsCaptionTakesAnotherGroupsPlace)
{
    Group* pDrives = FindGroup(m_left, u"Drives");
    Drag(ScreenPointOf(m_left, *pDrives, 30), ScreenPointOf(m_left, *m_tasks, 30));
    EXPECT_EQ(m_left.GetGroup(0), pDrives);
    EXPECT_EQ(m_left.GetGroup(1), m_tasks);
    EXPECT_EQ(m_left.GetDraggedItem(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(m_left.IsGroupExpanded(pDrives));  // a drag is not a click
    EXPECT_LT(pDrives->currentRect.top, m_tasks->currentRect.top);
    Capture(L"taskpanel_group_dragged.bmp");
}

TEST_F(TaskPanelGallery, ADoubleClickTogglesAGroupTwiceAndClicksALinkTwice)
{
    const auto doubleClick = [this](POINT pt) {
        WithInput([pt] {
            SendMouse(MOUSEEVENTF_MOVE, pt);
            ::Sleep(100);
            for (int i = 0; i < 2; ++i)
            {
                SendMouse(MOUSEEVENTF_LEFTDOWN);
                ::Sleep(20);
                SendMouse(MOUSEEVENTF_LEFTUP);
                ::Sleep(20);
            }
            ::Sleep(100);
        });
    };
    doubleClick(ScreenPointOf(m_left, *m_details, 30));
    Settle();
    EXPECT_TRUE(m_left.IsGroupExpanded(m_details));
    EXPECT_EQ(Count(kTpnGroupExpanding), 2);
    EXPECT_EQ(Count(kTpnDoubleClick), 0);

    m_gallery.m_notifications.clear();
    Settle();
    doubleClick(ScreenPointOf(m_left, *FindItem(*m_tasks, u"Open snapshot"), 40));
    std::vector<WPARAM> clicks;
    for (const auto& n : m_gallery.m_notifications)
        if (n.code == kTpnItemClick || n.code == kTpnDoubleClick)
            clicks.push_back(n.code);
    EXPECT_EQ(clicks, (std::vector<WPARAM>{kTpnItemClick, kTpnDoubleClick, kTpnItemClick}));
}

TEST_F(TaskPanelGallery, AnotherProgramReceivesTheDragTextAndTheItemStays)
{
    GroupItem* pScan = FindItem(*m_tasks, u"Scan drive");
    RECT other{};
    ::GetWindowRect(m_gallery.m_other.GetSafeHwnd(), &other);
    Drag(ScreenPointOf(m_left, *pScan, 40), {(other.left + other.right) / 2, (other.top + other.bottom) / 2});
    EXPECT_EQ(m_gallery.m_otherTarget.m_strDropped, "Scan drive");
    EXPECT_TRUE(m_gallery.m_otherTarget.m_bSawPanelFormat);
    EXPECT_NE(FindItem(*m_tasks, u"Scan drive"), nullptr);  // copied, not moved
}

BOOL CALLBACK FindVisibleTip(HWND hWnd, LPARAM lParam)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) && wcscmp(cls, TOOLTIPS_CLASSW) == 0)
        *reinterpret_cast<HWND*>(lParam) = hWnd;
    return TRUE;
}

TEST_F(TaskPanelGallery, AHotItemWithATooltipShowsItAsAScreenTip)
{
    GroupItem* pScan = FindItem(*m_tasks, u"Scan drive");
    pScan->tooltip = u"Looks for deleted and lost files";
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    EXPECT_EQ(m_left.OnToolHitTest(CPoint(5, 5), &info), -1);  // nothing hot

    // The first move makes the item hot, the next finds its tip.
    WithInput([&] {
        SendMouse(MOUSEEVENTF_MOVE, ScreenPointOf(m_left, *pScan, 40));
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_MOVE, ScreenPointOf(m_left, *pScan, 42));
        ::Sleep(150);
    });
    ASSERT_EQ(m_left.GetHotItem(), pScan);
    HWND hTip = nullptr;
    for (int i = 0; i < 40 && !hTip; ++i)
    {
        PumpFor(100);
        ::EnumWindows(FindVisibleTip, reinterpret_cast<LPARAM>(&hTip));
    }
    EXPECT_NE(hTip, nullptr);
    Capture(L"taskpanel_screen_tip.bmp");
    WithInput([&] { SendMouse(MOUSEEVENTF_MOVE, ScreenPoint(m_right, 300, 300)); ::Sleep(150); });
}

// A data object from elsewhere: text alone, or the panel's format holding
// bytes that are not an item.
TEST_F(TaskPanelGallery, DataNotOfThePanelsFormatIsNotDropped)
{
    struct Case
    {
        const char* what;
        bool panelFormat;
        const char* bytes;
    };
    const Case cases[] = {{"text only", false, "Scan drive"}, {"garbage in the format", true, "not an archive"}};
    for (const Case& c : cases)
    {
        COleDataSource* pSource = new COleDataSource;
        const size_t size = strlen(c.bytes) + 1;
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(::GlobalLock(hText), c.bytes, size);
        ::GlobalUnlock(hText);
        pSource->CacheGlobalData(c.panelFormat ? TaskPanelItemFormat() : CLIPFORMAT(CF_TEXT), hText);
        if (c.panelFormat)
        {
            HGLOBAL hPlain = ::GlobalAlloc(GMEM_MOVEABLE, 2);
            memcpy(::GlobalLock(hPlain), "x", 2);
            ::GlobalUnlock(hPlain);
            pSource->CacheGlobalData(CF_TEXT, hPlain);
        }
        COleDataObject data;
        pSource->AddRef();
        data.Attach(static_cast<IDataObject*>(pSource), TRUE);
        const CRect client = m_right.GetGroupClientRect(*m_favourites);
        const CPoint point(60, client.bottom - 6);
        const int before = m_favourites->items.GetCount();
        const DROPEFFECT effect = m_right.OnDragOver(&data, 0, point);
        if (!c.panelFormat)
            EXPECT_EQ(effect, DROPEFFECT_NONE) << c.what;
        EXPECT_FALSE(m_right.OnDrop(&data, DROPEFFECT_MOVE, point)) << c.what;
        EXPECT_EQ(m_favourites->items.GetCount(), before) << c.what;
        EXPECT_EQ(m_right.GetDropMarkItem(), nullptr) << c.what;
        data.Release();
        pSource->InternalRelease();
    }
}

TEST_F(TaskPanelGallery, AnItemRemovedWhilePressedIsForgotten)
{
    GroupItem* pScan = FindItem(*m_tasks, u"Scan drive");
    const CRect rect = m_left.GetItemRect(*pScan);
    const LPARAM at = MAKELPARAM(rect.left + 40, rect.CenterPoint().y);
    m_left.SendMessage(WM_MOUSEMOVE, 0, at);
    m_left.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    ASSERT_EQ(m_left.GetPressedItem(), pScan);
    m_left.RemoveItem(pScan);
    EXPECT_EQ(m_left.GetPressedItem(), nullptr);
    EXPECT_EQ(m_left.GetHotItem(), nullptr);
    EXPECT_EQ(m_left.GetFocusedItem(), nullptr);
    m_left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect.left + 60, rect.CenterPoint().y + 20));
    m_left.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Count(kTpnItemClick), 0);
    EXPECT_EQ(Count(kTpnStartDrag), 0);
}

TEST_F(TaskPanelGallery, AnItemIsRenamedInPlaceAndEscapeKeepsTheOldCaption)
{
    PumpFor(300);  // the groups have settled
    GroupItem* pScan = FindItem(*m_tasks, u"Scan drive");
    ASSERT_TRUE(m_left.EditItemCaption(pScan));
    CWnd* pEditor = m_left.GetEditor();
    ASSERT_TRUE(pEditor && pEditor->GetSafeHwnd());
    EXPECT_EQ(::GetFocus(), pEditor->GetSafeHwnd());
    pEditor->SetWindowText(L"Scan all drives");
    Capture(L"taskpanel_rename.bmp");
    EXPECT_EQ(pScan->caption, u"Scan drive");
    SendKey(VK_RETURN);
    EXPECT_EQ(pScan->caption, u"Scan all drives");
    EXPECT_EQ(Count(kTpnEndLabelEdit), 1);
    EXPECT_FALSE(::IsWindow(pEditor->GetSafeHwnd()));

    GroupItem* pSave = FindItem(*m_tasks, u"Save files");
    ASSERT_TRUE(m_left.EditItemCaption(pSave));
    m_left.GetEditor()->SetWindowText(L"Something else");
    SendKey(VK_ESCAPE);
    EXPECT_EQ(pSave->caption, u"Save files");
    EXPECT_EQ(Count(kTpnEndLabelEdit), 1);

    // The item goes while its editor is open: the edit ends with nothing to rename.
    GroupItem* pOpen = FindItem(*m_tasks, u"Open snapshot");
    ASSERT_TRUE(m_left.EditItemCaption(pOpen));
    m_left.GetEditor()->SetWindowText(L"Gone");
    m_left.RemoveItem(pOpen);
    SendKey(VK_RETURN);
    EXPECT_EQ(Count(kTpnEndLabelEdit), 1);
    EXPECT_EQ(FindItem(*m_tasks, u"Gone"), nullptr);
}

TEST_F(TaskPanelGallery, AHostedWindowShowsAtRestAndHidesWhileItsGroupIsClosed)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), &m_left, 500));
    edit.SetWindowText(L"*.doc");
    GroupItem* pHosted = m_left.AddWindowItem(m_details, edit.GetSafeHwnd(), CSize(0, 22));
    ASSERT_NE(pHosted, nullptr);
    PumpFor(500);
    ASSERT_TRUE(edit.IsWindowVisible());
    CRect placed;
    edit.GetWindowRect(placed);
    m_left.ScreenToClient(placed);
    EXPECT_EQ(placed.TopLeft(), m_left.GetItemRect(*pHosted).TopLeft());
    EXPECT_EQ(placed.Height(), 22);
    EXPECT_EQ(placed.Width(), m_left.GetGroupClientRect(*m_details).Width() - 22);  // inner margins 11 + 11
    Capture(L"taskpanel_hosted_window.bmp");

    Click(ScreenPointOf(m_left, *m_details, 30));
    PumpFor(500);
    EXPECT_FALSE(m_left.IsGroupExpanded(m_details));
    EXPECT_FALSE(edit.IsWindowVisible());
    Click(ScreenPointOf(m_left, *m_details, 30));
    PumpFor(500);
    EXPECT_TRUE(edit.IsWindowVisible());

    // The window is the application's: removing the item hides it.
    m_left.RemoveItem(pHosted);
    EXPECT_TRUE(::IsWindow(edit.GetSafeHwnd()));
    EXPECT_FALSE(edit.IsWindowVisible());
    edit.DestroyWindow();
}

VARIANT ChildId(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring NameOf(IAccessible* pAccessible, long id = CHILDID_SELF)
{
    BSTR name = nullptr;
    if (FAILED(pAccessible->get_accName(ChildId(id), &name)) || !name)
        return L"<none>";
    std::wstring text(name);
    ::SysFreeString(name);
    return text;
}

IAccessible* ChildOf(IAccessible* pPanel, long id)
{
    IDispatch* pDispatch = nullptr;
    if (FAILED(pPanel->get_accChild(ChildId(id), &pDispatch)) || !pDispatch)
        return nullptr;
    IAccessible* pChild = nullptr;
    pDispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pChild));
    pDispatch->Release();
    return pChild;
}

TEST_F(TaskPanelGallery, AccessibilityClientsSeeGroupsAndItemsAndUseThem)
{
    IAccessible* pPanel = nullptr;
    ASSERT_EQ(CAccessibleBase::ObjectFromWindow(m_left.GetSafeHwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                IID_IAccessible, reinterpret_cast<void**>(&pPanel)),
              S_OK);
    VARIANT role;
    ASSERT_EQ(pPanel->get_accRole(ChildId(CHILDID_SELF), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_OUTLINE);
    long count = 0;
    pPanel->get_accChildCount(&count);
    EXPECT_EQ(count, 14);  // three groups, eleven items
    IDispatch* pNone = nullptr;
    EXPECT_EQ(pPanel->get_accChild(ChildId(0), &pNone), E_INVALIDARG);
    EXPECT_EQ(pPanel->get_accChild(ChildId(15), &pNone), E_INVALIDARG);

    IAccessible* pGroup = ChildOf(pPanel, 1);
    ASSERT_NE(pGroup, nullptr);
    EXPECT_EQ(NameOf(pGroup), L"Recovery tasks");
    VARIANT state;
    pGroup->get_accState(ChildId(CHILDID_SELF), &state);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_EXPANDED);
    EXPECT_EQ(pGroup->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
    PumpFor(500);
    EXPECT_FALSE(m_left.IsGroupExpanded(m_tasks));
    pGroup->accDoDefaultAction(ChildId(CHILDID_SELF));
    PumpFor(500);
    EXPECT_TRUE(m_left.IsGroupExpanded(m_tasks));

    IAccessible* pLink = ChildOf(pPanel, 2);
    ASSERT_NE(pLink, nullptr);
    EXPECT_EQ(NameOf(pLink), L"Scan drive");
    EXPECT_EQ(NameOf(pLink, 1), L"<none>");  // objects answer for themselves only
    EXPECT_EQ(pLink->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
    EXPECT_EQ(Count(kTpnItemClick), 1);
    EXPECT_EQ(m_left.GetFocusedItem(), FindItem(*m_tasks, u"Scan drive"));

    // Hit testing on the screen finds the link.
    const POINT pt = ScreenPointOf(m_left, *FindItem(*m_tasks, u"Scan drive"), 40);
    VARIANT hit;
    ASSERT_EQ(pPanel->accHitTest(pt.x, pt.y, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_DISPATCH);
    IAccessible* pHit = nullptr;
    hit.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pHit));
    hit.pdispVal->Release();
    ASSERT_NE(pHit, nullptr);
    EXPECT_EQ(NameOf(pHit), L"Scan drive");
    pHit->Release();

    // A client that still holds a removed item gets no answer from it.
    m_left.RemoveItem(FindItem(*m_tasks, u"Scan drive"));
    EXPECT_EQ(NameOf(pLink), L"<none>");
    EXPECT_EQ(pLink->accDoDefaultAction(ChildId(CHILDID_SELF)), E_INVALIDARG);
    pLink->Release();
    pGroup->Release();
    pPanel->Release();
}

TEST_F(TaskPanelGallery, AGroupStoredAndLoadedShowsTheSameItems)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        ASSERT_TRUE(StoreGroupTo(*m_tasks, &px));
        ar.Close();
    }
    file.SeekToBegin();
    Group* pLoaded = m_right.AddGroup(L"");
    {
        CArchive ar(&file, CArchive::load);
        CKitPropExchangeArchive px(ar);
        EXPECT_EQ(LoadGroupFrom(pLoaded, &px), kit::taskpanel::PanelLoadError::None);
    }
    m_right.Relayout(FALSE);
    EXPECT_EQ(pLoaded->caption, u"Recovery tasks");
    ASSERT_EQ(pLoaded->items.GetCount(), 3);
    EXPECT_EQ(pLoaded->items.GetAt(2)->caption, u"Save files");
    EXPECT_EQ(pLoaded->items.GetAt(2)->id, 13);
    EXPECT_FALSE(m_right.GetItemRect(*pLoaded->items.GetAt(2)).IsRectEmpty());
    Capture(L"taskpanel_loaded.bmp");
}

TEST_F(TaskPanelGallery, TheScrollBarAndTheWheelScrollByTheirSteps)
{
    CRect rect;
    m_left.GetWindowRect(rect);
    m_gallery.ScreenToClient(rect);
    m_left.MoveWindow(rect.left, rect.top, rect.Width(), 200);
    PumpFor(300);
    ASSERT_GT(m_left.GetContentHeight(), 200);
    EXPECT_EQ(m_left.GetScrollPosition(), 0);
    m_left.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(m_left.GetScrollPosition(), 6);
    m_left.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    EXPECT_EQ(m_left.GetScrollPosition(), 16);
    m_left.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    EXPECT_EQ(m_left.GetScrollPosition(), 6);
    m_left.SendMessage(WM_VSCROLL, SB_BOTTOM);
    CRect client;
    m_left.GetClientRect(client);
    EXPECT_EQ(m_left.GetScrollPosition(), m_left.GetContentHeight() - client.Height());
    m_left.SendMessage(WM_VSCROLL, SB_PAGEUP);
    m_left.SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(m_left.GetScrollPosition(), 0);
    // Hit testing follows the scroll position.
    m_left.SendMessage(WM_VSCROLL, SB_BOTTOM);
    GroupItem* pSave = FindItem(*m_tasks, u"Save files");
    const CRect item = m_left.GetItemRect(*pSave);
    if (item.top >= 0)
        EXPECT_EQ(m_left.HitTest(CPoint(item.left + 30, item.CenterPoint().y)), pSave);
    Capture(L"taskpanel_scrolled.bmp");
}

// One open group at a time: expanding a group closes the open one, and
// holding the open group's down button scrolls its items once at once, again
// after 500 ms, then every 50 ms until the button is disabled.
std::vector<std::pair<DWORD, int>> g_firstItemSamples;
Group* g_sampledGroup = nullptr;

void CALLBACK SampleFirstItem(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_sampledGroup)
        g_firstItemSamples.emplace_back(::GetTickCount(), g_sampledGroup->firstVisibleItem);
}

TEST_F(TaskPanelGallery, OneOpenGroupScrollsItsItemsWhileItsButtonIsHeld)
{
    m_left.SetAnimation(1);
    m_left.SetBehaviour(1);
    for (int i = 0; i < 12; ++i)
        m_left.AddItem(m_tasks, kit::taskpanel::kTypeLink, L"More", 1 + i % 4, 100 + i);
    m_left.ExpandGroup(m_details, TRUE);
    m_left.ExpandGroup(m_tasks, TRUE);
    PumpFor(200);
    EXPECT_EQ(m_left.GetActiveGroup(), m_tasks);
    EXPECT_TRUE(m_left.IsGroupExpanded(m_tasks));
    EXPECT_FALSE(m_left.IsGroupExpanded(m_details));
    // Collapsing in this behaviour changes nothing.
    m_left.ExpandGroup(m_tasks, FALSE);
    EXPECT_TRUE(m_left.IsGroupExpanded(m_tasks));

    const CTaskPanelScrollButton& down = m_left.GetScrollButton(FALSE);
    const CTaskPanelScrollButton& up = m_left.GetScrollButton(TRUE);
    ASSERT_TRUE(down.bEnabled);
    EXPECT_FALSE(up.bEnabled);
    Capture(L"taskpanel_one_open_group.bmp");

    POINT pt = down.rect.CenterPoint();
    pt.y -= m_left.GetScrollPosition();
    ::ClientToScreen(m_left.GetSafeHwnd(), &pt);
    g_firstItemSamples.clear();
    g_sampledGroup = m_tasks;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, SampleFirstItem);
    const DWORD pressed = ::GetTickCount();
    WithInput([pt] {
        SendMouse(MOUSEEVENTF_MOVE, pt);
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(1500);
        SendMouse(MOUSEEVENTF_LEFTUP);
    });
    ::KillTimer(nullptr, timer);
    g_sampledGroup = nullptr;

    // When each step happened, from the samples the loop's timer took.
    std::vector<DWORD> steps;
    int last = 0;
    for (const auto& [tick, first] : g_firstItemSamples)
        if (first != last)
        {
            steps.push_back(tick - pressed);
            last = first;
        }
    ASSERT_GE(steps.size(), 3u);
    EXPECT_GE(steps[1] - steps[0], 400u);  // the first repeat waits 500 ms
    EXPECT_LE(steps[2] - steps[1], 200u);  // then every 50 ms
    EXPECT_FALSE(down.bEnabled);           // held to the end
    EXPECT_TRUE(up.bEnabled);
    EXPECT_FALSE(down.bPressed);
    EXPECT_EQ(::GetCapture(), nullptr);
    Capture(L"taskpanel_one_open_group_scrolled.bmp");

    // Ctrl+Down opens and focuses the next group.
    m_left.SetFocus();
    SendKey(VK_DOWN, VK_CONTROL);
    EXPECT_EQ(m_left.GetActiveGroup(), m_details);
    EXPECT_EQ(m_left.GetFocusedItem(), m_details);
    EXPECT_FALSE(m_left.IsGroupExpanded(m_tasks));
    SendKey(VK_UP, VK_CONTROL);
    EXPECT_EQ(m_left.GetActiveGroup(), m_tasks);

    // Style 7 puts the buttons on the caption row, square as the caption is
    // high, the up one on the open group's caption, which ends before it.
    m_left.SelectPanelStyle(7);
    Settle();
    const CRect caption = m_left.GetCaptionRect(*m_tasks);
    EXPECT_EQ(up.pCaptionGroup, m_tasks);
    EXPECT_EQ(up.rect.top, caption.top);
    EXPECT_EQ(up.rect.Height(), m_tasks->captionHeight);
    EXPECT_EQ(up.rect.Width(), m_tasks->captionHeight);
    EXPECT_EQ(caption.right, up.rect.left - m_left.GetDrawer()->GetGroupSpacing() - 1);
    EXPECT_EQ(down.pCaptionGroup, m_details);
    Capture(L"taskpanel_style_7_caption_buttons.bmp");

    // The open group leaves straight from the list: its buttons forget it
    // before the next paint.
    m_left.GetGroups().Remove(m_tasks);
    EXPECT_EQ(up.pGroup, nullptr);
    EXPECT_EQ(down.pCaptionGroup, nullptr);
    EXPECT_EQ(m_left.GetActiveGroup(), nullptr);
    m_left.UpdateWindow();
    m_tasks = nullptr;
}

// Every style by number: the background below the groups, sampled on the
// screen, is the colour each style gives it in the classic scheme.
TEST_F(TaskPanelGallery, EachStyleFillsTheBackgroundWithItsColour)
{
    ASSERT_EQ(GetLunaScheme(), 0);
    const auto slot = [](int n) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(n)); };
    const COLORREF expected[13] = {
        slot(5),                                   // 0
        slot(15),                                  // 1: gradient ends in the face colour
        MixColors(slot(2), slot(5), 192),          // 2: explorer bar, classic
        slot(1),                                   // 3
        slot(41),                                  // 4
        CColorTable::BlendColors(slot(15), slot(5), 50),  // 5
        MixColors(slot(2), slot(5), 192),          // 6: explorer bar, classic
        slot(15),                                  // 7
        slot(15),                                  // 8
        slot(16),                                  // 9
        slot(30),                                  // 10
        slot(30),                                  // 11
        GetColorTable()->gradients[0].dark.GetValue(),  // 12
    };
    CRect client;
    m_left.GetClientRect(client);
    for (int style = 0; style <= 12; ++style)
    {
        m_left.SelectPanelStyle(style);
        m_right.SelectPanelStyle(style);
        PumpFor(400);
        ASSERT_LT(m_left.GetContentHeight(), client.Height() - 4) << style;
        Capture((L"taskpanel_style_" + std::to_wstring(style) + L".bmp").c_str());
        EXPECT_TRUE(Near(ScreenPixel(m_left, 4, client.bottom - 1), expected[style], 6))
            << "style " << style << " background " << std::hex << ScreenPixel(m_left, 4, client.bottom - 1)
            << " expected " << expected[style];
    }
}

// Captions of the explorer-bar style in the classic scheme: a special
// caption starts in the active caption colour; an ordinary caption starts in
// the window colour.
TEST_F(TaskPanelGallery, StyleTwoCaptionsTakeTheExplorerBarColours)
{
    const auto slot = [](int n) { return GetColorTable()->GetColor(static_cast<kit::ColorRef>(n)); };
    const CRect special = m_left.GetItemRect(*m_tasks);
    const CRect ordinary = m_left.GetItemRect(*m_details);
    EXPECT_TRUE(Near(ScreenPixel(m_left, special.left + 3, special.top + 3), slot(2), 8));
    EXPECT_TRUE(Near(ScreenPixel(m_left, ordinary.left + 3, ordinary.top + 3), slot(5), 8));
    // The client area of a special group is the mixed face colour.
    const CRect client = m_left.GetGroupClientRect(*m_tasks);
    EXPECT_TRUE(Near(ScreenPixel(m_left, client.right - 3, client.bottom - 3),
                     MixColors(slot(15), slot(5), 24), 4));

    // A client picture sits in the bottom-right corner, under the items.
    HIMAGELIST hPicture = ::ImageList_Create(24, 24, ILC_COLOR24, 1, 0);
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 24, 24);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all{0, 0, 24, 24};
    HBRUSH hRed = ::CreateSolidBrush(RGB(220, 0, 0));
    ::FillRect(hDC, &all, hRed);
    ::SelectObject(hDC, hOld);
    ::ImageList_Add(hPicture, hBitmap, nullptr);
    ::DeleteObject(hRed);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_TRUE(m_left.SetGroupClientPicture(m_tasks, hPicture));
    ::ImageList_Destroy(hPicture);  // the panel keeps its own copy
    m_left.UpdateWindow();
    PumpFor(100);
    EXPECT_TRUE(Near(ScreenPixel(m_left, client.right - 3, client.bottom - 3), RGB(220, 0, 0), 4));
    EXPECT_FALSE(Near(ScreenPixel(m_left, client.right - 30, client.bottom - 3), RGB(220, 0, 0), 4));
    Capture(L"taskpanel_client_picture.bmp");
}

}  // namespace
