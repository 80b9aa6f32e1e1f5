// The MDI tab workspace in its gallery frame, driven by real input: three
// documents become three tabs of one group, a click on a tab shows and
// activates its document, a new vertical group takes the active document
// beside the first, a tab dragged onto the other group moves there, the
// splitter resizes both groups (and stops at the edge of the pair), and a
// group emptied by closing its last document goes. After every step the
// arrangement is stored in the registry and loaded into a second gallery,
// which must show the same groups.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <thread>

#include "CMdiTabGalleryFrame.h"
#include "CTabStripDrawer.h"
#include "WindowCapture.h"

namespace
{
constexpr COLORREF kFills[] = {RGB(200, 60, 60), RGB(60, 170, 60), RGB(60, 90, 210)};
const wchar_t* const kTitles[] = {L"Document 1", L"Document 2", L"Document 3"};
constexpr wchar_t kStoreKey[] = L"Software\\Pelmo\\Tests\\MdiTabGallery";
const CRect kFrameRect(40, 40, 840, 600);

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

void Pump(CMdiTabGalleryFrame* pFrame, DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            // The frames see their keys first, as in the application's loop.
            if (AfxPreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pFrame != nullptr)
            pFrame->RunIdle();
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

bool PumpUntil(CMdiTabGalleryFrame* pFrame, const std::function<bool()>& done, DWORD ms = 3000)
{
    const DWORD end = ::GetTickCount() + ms;
    while (!done())
    {
        if (static_cast<LONG>(::GetTickCount() - end) >= 0)
            return false;
        Pump(pFrame, 20);
    }
    return true;
}

void CALLBACK KeepAwake(HWND, UINT, UINT_PTR, DWORD)
{
}

// Real input comes from a thread of its own while this thread pumps: a
// press starts the workspace's capture loops, which return only after the
// release. `stops` are the points the mouse passes after the press.
void Gesture(CMdiTabGalleryFrame* pFrame, CPoint from, std::vector<CPoint> stops)
{
    std::atomic<bool> done{false};
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(120);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(120);
        CPoint last = from;
        for (const CPoint& to : stops)
        {
            for (int step = 1; step <= 8; ++step)
            {
                SendMouse(MOUSEEVENTF_MOVE,
                          CPoint(last.x + (to.x - last.x) * step / 8, last.y + (to.y - last.y) * step / 8));
                ::Sleep(40);
            }
            last = to;
            ::Sleep(100);
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    // The timer wakes the capture loops' message waits.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, KeepAwake);
    const DWORD end = ::GetTickCount() + 10000;
    while (!done && static_cast<LONG>(::GetTickCount() - end) < 0)
        Pump(pFrame, 10);
    ::KillTimer(nullptr, timer);
    input.join();
    Pump(pFrame, 200);
}

void Drag(CMdiTabGalleryFrame* pFrame, CPoint from, CPoint to)
{
    Gesture(pFrame, from, {to});
}

void Click(CMdiTabGalleryFrame* pFrame, CPoint at)
{
    Gesture(pFrame, at, {});
}

// Read through the frame's window DC: Wine hands the screen DC what reached
// the display, which may lag behind what the windows drew.
COLORREF ScreenPixel(HWND hFrame, CPoint point)
{
    CRect rcFrame;
    ::GetWindowRect(hFrame, &rcFrame);
    HDC hDC = ::GetWindowDC(hFrame);
    const COLORREF color = ::GetPixel(hDC, point.x - rcFrame.left, point.y - rcFrame.top);
    ::ReleaseDC(hFrame, hDC);
    return color;
}

std::vector<CString> TabsOf(const CTabClientGroup* pGroup)
{
    std::vector<CString> tabs;
    for (int i = 0; i < pGroup->GetItemCount(); ++i)
        tabs.push_back(pGroup->GetItem(i)->m_strCaption);
    return tabs;
}

std::vector<CString> Tabs(std::initializer_list<const wchar_t*> captions)
{
    std::vector<CString> tabs;
    for (const wchar_t* caption : captions)
        tabs.push_back(caption);
    return tabs;
}

class MdiTabWorkspace : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = CMdiTabGalleryFrame::Create(kFrameRect, L"MDI tab gallery");
        ASSERT_NE(m_pFrame, nullptr);
        m_pWorkspace = &m_pFrame->m_workspace;
        for (int i = 0; i < 3; ++i)
        {
            m_documents[i] = m_pFrame->AddDocument(kTitles[i], kFills[i]);
            ASSERT_NE(m_documents[i], nullptr);
            m_hDocuments[i] = m_documents[i]->m_hWnd;
        }
        Foreground();
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
    }

    void Foreground()
    {
        m_pFrame->SetForegroundWindow();
        Pump(m_pFrame, 150);
    }

    CPoint ScreenPoint(CPoint point) const
    {
        m_pWorkspace->ClientToScreen(&point);
        return point;
    }
    CKitTabManagerItem* Tab(int nDocument) const { return m_pWorkspace->FindTabItem(m_hDocuments[nDocument]); }
    CPoint TabCentre(int nDocument) const { return ScreenPoint(Tab(nDocument)->m_rect.CenterPoint()); }

    // The document shown in a group fills its client area and paints its colour there.
    void ExpectShown(int nDocument, const char* step)
    {
        CTabClientGroup* pGroup = m_pWorkspace->GroupOfItem(Tab(nDocument));
        ASSERT_NE(pGroup, nullptr) << step;
        EXPECT_EQ(pGroup->GetSelectedItem(), Tab(nDocument)) << step;
        EXPECT_TRUE(::IsWindowVisible(m_hDocuments[nDocument])) << step;
        CRect rcChild;
        ::GetWindowRect(m_hDocuments[nDocument], &rcChild);
        m_pWorkspace->ScreenToClient(&rcChild);
        EXPECT_EQ(rcChild, pGroup->m_rectClient) << step;
        // A quarter in, away from the title drawn in the middle.
        const CRect& rc = pGroup->m_rectClient;
        const COLORREF crShown =
            ScreenPixel(m_pFrame->m_hWnd, ScreenPoint(CPoint(rc.left + rc.Width() / 4, rc.top + rc.Height() / 4)));
        EXPECT_EQ(crShown, kFills[nDocument]) << step;
        if (crShown != kFills[nDocument])
            CaptureWindowToBmp(m_pFrame->m_hWnd, std::wstring(L"mdi_tab_failed_") + std::to_wstring(++m_nFailedShots) + L".bmp");
    }

    // The arrangement stored and loaded into a second gallery shows the same groups.
    void ExpectReloadMatches(const char* step)
    {
        const CTabGroupArrangement stored = m_pWorkspace->GetArrangement();
        ASSERT_TRUE(stored.Write(HKEY_CURRENT_USER, kStoreKey)) << step;
        CMdiTabGalleryFrame* pSecond = CMdiTabGalleryFrame::Create(kFrameRect, L"MDI tab gallery, reloaded");
        ASSERT_NE(pSecond, nullptr) << step;
        for (int i = 0; i < 3; ++i)
        {
            if (!::IsWindow(m_hDocuments[i]))
                continue;
            ASSERT_NE(pSecond->AddDocument(kTitles[i], kFills[i]), nullptr) << step;
        }
        Pump(pSecond, 100);
        CTabGroupArrangement read;
        ASSERT_TRUE(read.Read(HKEY_CURRENT_USER, kStoreKey)) << step;
        EXPECT_TRUE(read == stored) << step << ": the registry gives back what was written";
        pSecond->m_workspace.SetArrangement(read);
        Pump(pSecond, 150);
        const CTabGroupArrangement reloaded = pSecond->m_workspace.GetArrangement();
        EXPECT_TRUE(reloaded == stored) << step << ": " << reloaded.groups.size() << " groups reloaded, "
                                        << stored.groups.size() << " stored";
        ASSERT_EQ(pSecond->m_workspace.GetTabGroupCount(), m_pWorkspace->GetTabGroupCount()) << step;
        for (int g = 0; g < m_pWorkspace->GetTabGroupCount(); ++g)
            EXPECT_EQ(pSecond->m_workspace.GetTabGroupAt(g)->m_rectControl,
                      m_pWorkspace->GetTabGroupAt(g)->m_rectControl)
                << step << ", group " << g;
        pSecond->DestroyWindow();
        Foreground();
    }

    CMdiTabGalleryFrame* m_pFrame = nullptr;
    CKitTabClientWnd* m_pWorkspace = nullptr;
    CMdiGalleryDocument* m_documents[3] = {};
    HWND m_hDocuments[3] = {};
    int m_nFailedShots = 0;
};
} // namespace

TEST_F(MdiTabWorkspace, TabsGroupsSplitDragSplitterAndReload)
{
    // Three documents: three tabs in one group, the newest shown and active.
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 1);
    CTabClientGroup* pFirst = m_pWorkspace->GetTabGroupAt(0);
    EXPECT_EQ(TabsOf(pFirst), Tabs({L"Document 1", L"Document 2", L"Document 3"}));
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_documents[2]);
    for (HWND hDocument : m_hDocuments)
        EXPECT_EQ(::GetWindowLongPtrW(hDocument, GWL_STYLE) & WS_CAPTION, 0) << "a grouped document has no caption";
    EXPECT_FALSE(::IsWindowVisible(m_hDocuments[0])) << "documents whose tab is not selected wait hidden";
    ExpectShown(2, "three tabs");
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_MOVE_PREVIOUS, nullptr)) << "one group";
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_MOVE_NEXT, nullptr));
    EXPECT_TRUE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_NEW_VERTICAL, nullptr));
    EXPECT_TRUE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_NEW_HORIZONTAL, nullptr));
    ExpectReloadMatches("three tabs");

    // A click on the first tab activates and shows its document.
    const COLORREF crFirstTab = Tab(0)->m_crColor;
    Click(m_pFrame, TabCentre(0));
    EXPECT_TRUE(PumpUntil(m_pFrame, [&] { return m_pFrame->MDIGetActive() == m_documents[0]; }));
    Pump(m_pFrame, 150);
    ExpectShown(0, "tab clicked");
    EXPECT_FALSE(::IsWindowVisible(m_hDocuments[2]));
    ExpectReloadMatches("tab clicked");

    // New vertical group: the active document moves into a group beside its own.
    m_pFrame->SendMessage(WM_COMMAND, ID_TABGROUP_NEW_VERTICAL);
    Pump(m_pFrame, 200);
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 2);
    EXPECT_EQ(m_pWorkspace->GetOrientation(), 0) << "side by side";
    CTabClientGroup* pLeft = m_pWorkspace->GetTabGroupAt(0);
    CTabClientGroup* pRight = m_pWorkspace->GetTabGroupAt(1);
    EXPECT_EQ(TabsOf(pLeft), Tabs({L"Document 2", L"Document 3"}));
    EXPECT_EQ(TabsOf(pRight), Tabs({L"Document 1"}));
    EXPECT_EQ(Tab(0)->m_crColor, crFirstTab) << "a moved tab keeps its colour";
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_documents[0]);
    EXPECT_EQ(pLeft->m_rectControl.right + m_pWorkspace->GetSplitterWidth(), pRight->m_rectControl.left);
    EXPECT_LE(std::abs(pLeft->m_rectControl.Width() - pRight->m_rectControl.Width()), 1) << "halves";
    EXPECT_EQ(pLeft->m_rectControl.top, pRight->m_rectControl.top);
    ExpectShown(0, "vertical group");
    ExpectShown(pLeft->GetSelectedItem() == Tab(1) ? 1 : 2, "vertical group, left");
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_NEW_HORIZONTAL, nullptr))
        << "stacking is not offered while groups lie side by side";
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_NEW_VERTICAL, nullptr))
        << "the only tab of its group";
    EXPECT_TRUE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_MOVE_PREVIOUS, nullptr));
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_MOVE_NEXT, nullptr));
    ExpectReloadMatches("vertical group");

    // A tab dragged onto the other group moves there and is shown active.
    const COLORREF crSecondTab = Tab(1)->m_crColor;
    Drag(m_pFrame, TabCentre(1), ScreenPoint(CPoint(pRight->m_rectControl.CenterPoint().x, Tab(0)->m_rect.CenterPoint().y)));
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 2);
    EXPECT_EQ(TabsOf(m_pWorkspace->GetTabGroupAt(0)), Tabs({L"Document 3"}));
    EXPECT_EQ(TabsOf(m_pWorkspace->GetTabGroupAt(1)), Tabs({L"Document 1", L"Document 2"}));
    EXPECT_EQ(Tab(1)->m_crColor, crSecondTab);
    EXPECT_TRUE(PumpUntil(m_pFrame, [&] { return m_pFrame->MDIGetActive() == m_documents[1]; }));
    Pump(m_pFrame, 100);
    ExpectShown(1, "tab dragged");
    ExpectShown(2, "tab dragged, left");
    ExpectReloadMatches("tab dragged");

    // The splitter dragged 120 pixels to the left resizes both groups.
    pLeft = m_pWorkspace->GetTabGroupAt(0);
    pRight = m_pWorkspace->GetTabGroupAt(1);
    const int nLeftBefore = pLeft->m_rectControl.Width();
    const int nRightBefore = pRight->m_rectControl.Width();
    const CPoint ptSplitter = ScreenPoint(pLeft->m_rectSplitter.CenterPoint());
    Drag(m_pFrame, ptSplitter, ptSplitter - CPoint(120, 0));
    EXPECT_NEAR(pLeft->m_rectControl.Width(), nLeftBefore - 120, 2);
    EXPECT_NEAR(pRight->m_rectControl.Width(), nRightBefore + 120, 2);
    EXPECT_EQ(pLeft->m_rectControl.Width() + pRight->m_rectControl.Width(), nLeftBefore + nRightBefore);
    ExpectShown(2, "splitter moved");
    ExpectShown(1, "splitter moved, right");
    ExpectReloadMatches("splitter moved");

    // Far beyond the right group the splitter stops at the pair's right edge.
    CRect rcPair;
    rcPair.UnionRect(pLeft->m_rectControl, pRight->m_rectControl);
    const CPoint ptAgain = ScreenPoint(pLeft->m_rectSplitter.CenterPoint());
    Drag(m_pFrame, ptAgain, CPoint(ScreenPoint(CPoint(rcPair.right, 0)).x + 150, ptAgain.y));
    EXPECT_EQ(pRight->m_rectControl.Width(), 0);
    EXPECT_EQ(pLeft->m_rectSplitter.right, rcPair.right);
    ExpectReloadMatches("splitter at the edge");
    const CPoint ptBack = ScreenPoint(pLeft->m_rectSplitter.CenterPoint());
    Drag(m_pFrame, ptBack, ScreenPoint(CPoint(rcPair.CenterPoint().x, 0)) + CPoint(0, ptBack.y - ScreenPoint(CPoint()).y));
    EXPECT_NEAR(pLeft->m_rectControl.Width(), pRight->m_rectControl.Width(), 8) << "dragged back to the middle";

    // Screenshot of the two groups beside the results.
    Pump(m_pFrame, 200);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"mdi_tab_groups.bmp"));

    // Closing the last document of a group takes the group away.
    ::SendMessageW(m_hDocuments[2], WM_CLOSE, 0, 0);
    Pump(m_pFrame, 150);
    EXPECT_FALSE(::IsWindow(m_hDocuments[2]));
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 1);
    EXPECT_EQ(TabsOf(m_pWorkspace->GetTabGroupAt(0)), Tabs({L"Document 1", L"Document 2"}));
    CRect rcClient;
    m_pWorkspace->GetClientRect(&rcClient);
    EXPECT_EQ(m_pWorkspace->GetTabGroupAt(0)->m_rectControl, rcClient) << "the remaining group takes the workspace";
    ExpectReloadMatches("group emptied");
}

TEST_F(MdiTabWorkspace, StackedGroupsByCommandAndMovesBetweenThem)
{
    // New horizontal group: stacked; moving the tab back empties and removes it.
    m_pFrame->SendMessage(WM_COMMAND, ID_TABGROUP_NEW_HORIZONTAL);
    Pump(m_pFrame, 150);
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 2);
    EXPECT_EQ(m_pWorkspace->GetOrientation(), 1);
    CTabClientGroup* pTop = m_pWorkspace->GetTabGroupAt(0);
    CTabClientGroup* pBottom = m_pWorkspace->GetTabGroupAt(1);
    EXPECT_EQ(pTop->m_rectControl.bottom + m_pWorkspace->GetSplitterWidth(), pBottom->m_rectControl.top);
    EXPECT_EQ(TabsOf(pBottom), Tabs({L"Document 3"}));
    EXPECT_FALSE(m_pWorkspace->IsTabGroupCommandEnabled(ID_TABGROUP_NEW_VERTICAL, nullptr));
    ExpectShown(2, "stacked");
    ExpectReloadMatches("stacked");
    Pump(m_pFrame, 100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"mdi_tab_groups_stacked.bmp"));

    // Next and previous document go by the tabs, hidden documents included.
    m_pFrame->MDINext();
    Pump(m_pFrame, 100);
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_documents[0]) << "after the last tab the first";
    ExpectShown(0, "next document");
    // What Ctrl+F6 becomes: the active document's system command.
    ::SendMessageW(m_hDocuments[0], WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    EXPECT_TRUE(PumpUntil(m_pFrame, [&] { return m_pFrame->MDIGetActive() == m_documents[1]; }))
        << "the next-window command reaches the document behind the next tab";
    Pump(m_pFrame, 100);
    ExpectShown(1, "Ctrl+F6");
    m_pFrame->MDIPrev();
    Pump(m_pFrame, 100);
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_documents[0]);

    m_pFrame->MDIActivate(m_documents[2]);
    Pump(m_pFrame, 100);
    m_pFrame->SendMessage(WM_COMMAND, ID_TABGROUP_MOVE_PREVIOUS);
    Pump(m_pFrame, 150);
    ASSERT_EQ(m_pWorkspace->GetTabGroupCount(), 1) << "the emptied group goes";
    EXPECT_EQ(TabsOf(m_pWorkspace->GetTabGroupAt(0)), Tabs({L"Document 1", L"Document 2", L"Document 3"}));
    ExpectShown(2, "moved back");
    // A command that is not enabled changes nothing.
    m_pFrame->SendMessage(WM_COMMAND, ID_TABGROUP_MOVE_NEXT);
    Pump(m_pFrame, 50);
    EXPECT_EQ(m_pWorkspace->GetTabGroupCount(), 1);
}

TEST(MdiTabWorkspaceMirrored, SplitterDraggedLeftGrowsTheFirstGroupOnTheRight)
{
    CMdiTabGalleryFrame* pFrame = CMdiTabGalleryFrame::Create(kFrameRect, L"MDI tab gallery, mirrored", WS_EX_LAYOUTRTL);
    ASSERT_NE(pFrame, nullptr);
    CKitTabClientWnd& workspace = pFrame->m_workspace;
    ASSERT_TRUE(workspace.GetExStyle() & WS_EX_LAYOUTRTL) << "the client is mirrored with its frame";
    ASSERT_NE(pFrame->AddDocument(kTitles[0], kFills[0]), nullptr);
    ASSERT_NE(pFrame->AddDocument(kTitles[1], kFills[1]), nullptr);
    pFrame->SetForegroundWindow();
    Pump(pFrame, 150);
    pFrame->SendMessage(WM_COMMAND, ID_TABGROUP_NEW_VERTICAL);
    Pump(pFrame, 150);
    ASSERT_EQ(workspace.GetTabGroupCount(), 2);
    CTabClientGroup* pFirst = workspace.GetTabGroupAt(0);
    CTabClientGroup* pSecond = workspace.GetTabGroupAt(1);
    CRect rcFirst = pFirst->m_rectControl, rcSecond = pSecond->m_rectControl;
    workspace.ClientToScreen(&rcFirst);
    workspace.ClientToScreen(&rcSecond);
    EXPECT_GT(rcFirst.left, rcSecond.left) << "the first group lies on the right";
    const int nFirstBefore = pFirst->m_rectControl.Width();
    CRect rcSplitter = pFirst->m_rectSplitter;
    workspace.ClientToScreen(&rcSplitter);
    Drag(pFrame, rcSplitter.CenterPoint(), rcSplitter.CenterPoint() - CPoint(100, 0));
    EXPECT_NEAR(pFirst->m_rectControl.Width(), nFirstBefore + 100, 2)
        << "the splitter's position counts from the right";
    Pump(pFrame, 100);
    EXPECT_TRUE(CaptureWindowToBmp(pFrame->m_hWnd, L"mdi_tab_groups_mirrored.bmp"));
    pFrame->DestroyWindow();
}

TEST(MdiTabArrangementStore, MalformedStoredArrangementsAreRefusedWholeAndChangeNothing)
{
    CTabGroupArrangement good;
    good.nOrientation = 1;
    good.groups.resize(2);
    good.groups[0].dSize = 120.5;
    good.groups[0].tabs = Tabs({L"Document 1", L"Document 2"});
    good.groups[0].selected = L"Document 2";
    good.groups[1].dSize = 80;
    good.groups[1].tabs = Tabs({L"Document 3"});
    good.groups[1].selected = L"Document 3";
    ASSERT_TRUE(good.Write(HKEY_CURRENT_USER, kStoreKey));
    CTabGroupArrangement read;
    ASSERT_TRUE(read.Read(HKEY_CURRENT_USER, kStoreKey));
    EXPECT_TRUE(read == good);

    // Each damage on its own: the value written over the good store.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double negative = -4;
    const DWORD zero = 0, many = 100000, two = 2, one = 1;
    const wchar_t unterminated[] = {L'A', L'B'};
    struct Damage
    {
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD bytes;
    } damages[] = {
        {L"Groups", REG_DWORD, &zero, sizeof(DWORD)},
        {L"Groups", REG_DWORD, &many, sizeof(DWORD)},
        {L"Groups", REG_SZ, L"2", 4},
        {L"Orientation", REG_DWORD, &two, sizeof(DWORD)},
        {L"Group1-Size", REG_BINARY, &nan, sizeof(double)},
        {L"Group1-Size", REG_BINARY, &negative, sizeof(double)},
        {L"Group1-Size", REG_BINARY, &one, sizeof(DWORD)},
        {L"Group0-Tabs", REG_SZ, L"Document 1", 22},
        {L"Group1-Selected", REG_DWORD, &one, sizeof(DWORD)},
    };
    for (const Damage& damage : damages)
    {
        ASSERT_TRUE(good.Write(HKEY_CURRENT_USER, kStoreKey));
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_WRITE, &hKey), ERROR_SUCCESS);
        ::RegSetValueExW(hKey, damage.name, 0, damage.type, static_cast<const BYTE*>(damage.data), damage.bytes);
        ::RegCloseKey(hKey);
        CTabGroupArrangement untouched = good;
        EXPECT_FALSE(untouched.Read(HKEY_CURRENT_USER, kStoreKey)) << static_cast<int>(&damage - damages);
        EXPECT_TRUE(untouched == good) << "nothing read from a damaged store";
    }
    // A value missing, and a list of tabs without its terminators, which
    // reads up to its end.
    ASSERT_TRUE(good.Write(HKEY_CURRENT_USER, kStoreKey));
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_WRITE, &hKey), ERROR_SUCCESS);
    ::RegSetValueExW(hKey, L"Group0-Tabs", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(unterminated),
                     sizeof(unterminated));
    ::RegCloseKey(hKey);
    ASSERT_TRUE(read.Read(HKEY_CURRENT_USER, kStoreKey));
    EXPECT_EQ(read.groups[0].tabs, Tabs({L"AB"}));
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kStoreKey, L"Group1-Selected");
    EXPECT_FALSE(read.Read(HKEY_CURRENT_USER, kStoreKey));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
    EXPECT_FALSE(read.Read(HKEY_CURRENT_USER, kStoreKey)) << "nothing stored";
}

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
