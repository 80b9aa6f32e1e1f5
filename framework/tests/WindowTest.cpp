// Windows outside the gallery: the creation hook on system classes and
// common controls, exceptions at the window procedure, handle maps and the
// registry profile.
#include "Framework.h"
#include "gallery/GalleryIds.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace
{
// Records the messages it sees and whether it was bound when the first came.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> messages;
    bool boundAtFirstMessage = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (messages.empty())
            boundAtFirstMessage = FromHandlePermanent(m_hWnd) == this;
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CFailingWnd : public CWnd
{
public:
    bool destroyedSeen = false;
    afx_msg int OnCreate(LPCREATESTRUCT) { throw new CNotSupportedException; }
    afx_msg void OnTimer(UINT_PTR) { throw std::runtime_error("a handler failed"); }
    afx_msg void OnNcDestroy()
    {
        destroyedSeen = true;
        CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

class CThrowingTimerWnd : public CWnd
{
public:
    afx_msg void OnTimer(UINT_PTR) { throw new CNotSupportedException; }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) { throw std::runtime_error("ping"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingTimerWnd, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP + 5, OnPing)
END_MESSAGE_MAP()

// Handlers of the messages the toolkit's bars and buttons take.
class CNonClientWnd : public CWnd
{
public:
    std::vector<UINT> seen;
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        seen.push_back(WM_NCCREATE);
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg void OnNcMButtonDown(UINT, CPoint) { seen.push_back(WM_NCMBUTTONDOWN); }
    afx_msg void OnMouseHover(UINT, CPoint point)
    {
        if (point == CPoint(5, 7))
            seen.push_back(WM_MOUSEHOVER);
    }
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT, CMenu*)
    {
        seen.push_back(WM_MENUCHAR);
        return nChar == L'x' ? MAKELRESULT(2, MNC_EXECUTE) : 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNonClientWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_NCMBUTTONDOWN()
    ON_WM_MOUSEHOVER()
    ON_WM_MENUCHAR()
END_MESSAGE_MAP()

// A control that keeps its own state when its parent updates its controls.
class CSelfUpdatingButton : public CWnd
{
public:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetText(L"updated");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CWnd)
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
END_MESSAGE_MAP()

// One window names the static-colour message itself, the other takes the
// whole WM_CTLCOLOR* family through ON_WM_CTLCOLOR.
class CColourByMessageWnd : public CWnd
{
public:
    int staticColourCalls = 0;
    afx_msg LRESULT OnCtlColorStatic(WPARAM, LPARAM)
    {
        ++staticColourCalls;
        return reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourByMessageWnd, CWnd)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

class CColourByFamilyWnd : public CWnd
{
public:
    UINT lastKind = 99;
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor)
    {
        lastKind = nCtlColor;
        return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourByFamilyWnd, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// A list view whose own first virtual (OnDraw) would catch a call meant for
// the list control's first virtual (DrawItem) if the two were confused.
class CCountingListView : public CListView
{
public:
    int draws = 0;
    void OnDraw(CDC*) override { ++draws; }
};

// Frames that keep or drop the document name in their title.
class CTitleFrame : public CFrameWnd
{
public:
    CTitleFrame(CDocument* pDocument, bool dropDocumentName) : m_pDocument(pDocument), m_bDrop(dropDocumentName) {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (!CFrameWnd::PreCreateWindow(cs))
            return FALSE;
        if (m_bDrop)
            cs.style &= ~FWS_ADDTOTITLE;
        return TRUE;
    }
    CDocument* GetActiveDocument() override { return m_pDocument; }

private:
    CDocument* m_pDocument;
    bool m_bDrop;
};

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}
} // namespace

TEST(WindowTest, CreationHookBindsEveryClassBeforeItsFirstMessage)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    EXPECT_TRUE(parent.boundAtFirstMessage);

    const LPCWSTR classes[] = {WC_LISTVIEWW, WC_TREEVIEWW, WC_HEADERW, TOOLBARCLASSNAMEW, STATUSCLASSNAMEW,
                               PROGRESS_CLASSW, L"BUTTON", L"EDIT", L"COMBOBOX", L"LISTBOX", L"STATIC"};
    UINT id = 100;
    for (LPCWSTR className : classes)
    {
        CRecordingWnd child;
        ASSERT_TRUE(child.Create(className, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &parent, id++))
            << className;
        EXPECT_TRUE(child.boundAtFirstMessage) << className;
        ASSERT_FALSE(child.messages.empty());
        EXPECT_EQ(child.messages.front(), static_cast<UINT>(WM_NCCREATE)) << className;
        EXPECT_NE(std::find(child.messages.begin(), child.messages.end(), static_cast<UINT>(WM_CREATE)),
                  child.messages.end());
        EXPECT_EQ(CWnd::FromHandlePermanent(child.m_hWnd), &child);
        HWND hChild = child.m_hWnd;
        EXPECT_TRUE(child.DestroyWindow());
        EXPECT_EQ(child.m_hWnd, nullptr); // detached by WM_NCDESTROY
        EXPECT_EQ(CWnd::FromHandlePermanent(hChild), nullptr);
    }

    // A window made elsewhere gets a temporary wrapper until idle time.
    HWND hForeign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, nullptr,
                                      nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hForeign), nullptr);
    CWnd* pTemporary = CWnd::FromHandle(hForeign);
    ASSERT_NE(pTemporary, nullptr);
    EXPECT_EQ(pTemporary->m_hWnd, hForeign);
    EXPECT_EQ(CWnd::FromHandle(hForeign), pTemporary);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hForeign)); // dropping a wrapper leaves the window alone

    // Subclassing a foreign window puts it through the framework procedure.
    CRecordingWnd adopted;
    ASSERT_TRUE(adopted.SubclassWindow(hForeign));
    ::SendMessageW(hForeign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"adopted"));
    EXPECT_EQ(adopted.messages.front(), static_cast<UINT>(WM_SETTEXT));
    EXPECT_EQ(adopted.UnsubclassWindow(), hForeign);
    ::DestroyWindow(hForeign);
    parent.DestroyWindow();
}

TEST(WindowTest, ExceptionsStopAtTheWindowProcedure)
{
    // An exception in WM_CREATE fails the creation, cleanly.
    CFailingWnd failing;
    EXPECT_FALSE(failing.CreateEx(0, PlainClass(), L"fails", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(failing.m_hWnd, nullptr);
    EXPECT_TRUE(failing.destroyedSeen);

    // In any other handler the message counts as handled with a zero result.
    CThrowingTimerWnd throwing;
    ASSERT_TRUE(throwing.CreateEx(0, PlainClass(), L"throws", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(throwing.SendMessage(WM_APP + 5), 0);
    EXPECT_EQ(throwing.SendMessage(WM_TIMER, 1), 0);
    EXPECT_TRUE(throwing.IsWindow());
    EXPECT_TRUE(throwing.DestroyWindow());
}

TEST(WindowTest, ProfileValuesRoundTripThroughTheRegistry)
{
    CWinApp app(L"Framework Profile Test");
    app.SetRegistryKey(L"Pelmo Tests");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests");

    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Missing", 42), 42u);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Missing", L"fallback"), CString(L"fallback"));

    EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"Count", -7));
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Folder", L"C:\\Recovered files"));
    BYTE blob[] = {0x00, 0x01, 0xFE, 0xFF, 0x80};
    EXPECT_TRUE(app.WriteProfileBinary(L"Layout", L"Bars", blob, sizeof(blob)));

    EXPECT_EQ(static_cast<int>(app.GetProfileInt(L"Settings", L"Count", 0)), -7);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Folder"), CString(L"C:\\Recovered files"));
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Layout", L"Bars", &data, &size));
    EXPECT_EQ(std::vector<BYTE>(data, data + size), std::vector<BYTE>(blob, blob + sizeof(blob)));
    delete[] data;

    // The values live where other programs expect them.
    DWORD value = 0, bytes = sizeof(value);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests\\Framework Profile Test\\Settings", L"Count",
                             RRF_RT_REG_DWORD, nullptr, &value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(static_cast<int>(value), -7);

    // Removing an entry and a section.
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Folder", nullptr));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Folder", L"gone"), CString(L"gone"));
    EXPECT_TRUE(app.WriteProfileString(L"Layout", nullptr, nullptr));
    EXPECT_FALSE(app.GetProfileBinary(L"Layout", L"Bars", &data, &size));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests");
}

TEST(WindowTest, StandInsForAbsentEnginesFailCleanly)
{
    EXPECT_FALSE(CDaoDatabase::IsEngineAvailable());
    CDaoDatabase database;
    SCODE scode = S_OK;
    try
    {
        database.Open(L"C:\\missing.mdb");
    }
    catch (CDaoException* e)
    {
        scode = e->m_scode;
        e->Delete();
    }
    EXPECT_EQ(scode, REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(database.IsOpen());

    // The browser view either hosts the control or fails and deletes itself.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    auto* html = new CHtmlView;
    if (html->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, AFX_IDW_PANE_FIRST))
    {
        EXPECT_TRUE(html->IsBrowserAvailable());
    }
    parent.DestroyWindow(); // takes a created view with it
}

TEST(WindowTest, EveryControlOfAProcessIsHosted)
{
    // The media player control that Wine installs: hosting is set up by the first
    // control and serves every later one, also after the first has gone.
    constexpr wchar_t kMediaPlayer[] = L"{6BF52A52-394A-11D3-B153-00C04F79FAA6}";
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        CWnd control;
        ASSERT_TRUE(control.CreateControl(kMediaPlayer, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &parent,
                                          100 + round));
        EXPECT_NE(control.GetControlUnknown(), nullptr);
        control.DestroyWindow();
    }
    parent.DestroyWindow();
}

TEST(WindowTest, NonClientHoverAndMenuCharacterHandlers)
{
    CNonClientWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), L"bar", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_NE(wnd.m_hWnd, nullptr); // default processing let creation go on
    wnd.seen.clear();
    wnd.SendMessage(WM_NCMBUTTONDOWN, HTCAPTION, MAKELPARAM(10, 10));
    wnd.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(wnd.SendMessage(WM_MENUCHAR, MAKEWPARAM(L'x', MF_POPUP), 0), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(wnd.seen, (std::vector<UINT>{WM_NCMBUTTONDOWN, WM_MOUSEHOVER, WM_MENUCHAR}));
    wnd.DestroyWindow();
}

TEST(WindowTest, ReflectedUpdateLetsAControlKeepItsOwnState)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CSelfUpdatingButton self;
    CWnd plain;
    ASSERT_TRUE(self.Create(L"BUTTON", L"self", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 301));
    ASSERT_TRUE(plain.Create(L"BUTTON", L"plain", WS_CHILD | BS_PUSHBUTTON, CRect(0, 30, 50, 50), &parent, 302));

    // Nobody handles either command: the plain button is disabled, the
    // self-updating one enables itself and is left alone by the routing.
    parent.UpdateDialogControls(&parent, TRUE);
    EXPECT_TRUE(self.IsWindowEnabled());
    CString text;
    self.GetWindowText(text);
    EXPECT_EQ(text, CString(L"updated"));
    EXPECT_FALSE(plain.IsWindowEnabled());
    parent.DestroyWindow();
}

TEST(WindowTest, ParentOwnerIsTheParentOfAChildAndTheOwnerOfAPopup)
{
    CWnd frame, child, popup;
    ASSERT_TRUE(frame.CreateEx(0, PlainClass(), L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, PlainClass(), L"floating", WS_POPUP, 0, 0, 50, 50, frame.m_hWnd,
                               nullptr));
    EXPECT_EQ(AfxGetParentOwner(child.m_hWnd), frame.m_hWnd);
    EXPECT_EQ(AfxGetParentOwner(popup.m_hWnd), frame.m_hWnd);
    EXPECT_EQ(AfxGetParentOwner(frame.m_hWnd), nullptr);
    popup.DestroyWindow();
    frame.DestroyWindow();
}

TEST(WindowTest, ColourMessageReachesItsOwnEntryBeforeTheFoldedOne)
{
    HDC hScreen = ::GetDC(nullptr);
    CColourByMessageWnd byMessage;
    ASSERT_TRUE(byMessage.CreateEx(0, PlainClass(), L"by message", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    CWnd label;
    ASSERT_TRUE(label.Create(L"STATIC", L"label", WS_CHILD, CRect(0, 0, 50, 20), &byMessage, 1));
    LRESULT brush = byMessage.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hScreen),
                                          reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_EQ(byMessage.staticColourCalls, 1);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)));

    // The family handler still sees every member, with its kind.
    CColourByFamilyWnd byFamily;
    ASSERT_TRUE(byFamily.CreateEx(0, PlainClass(), L"by family", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    byFamily.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hScreen), 0);
    EXPECT_EQ(byFamily.lastKind, static_cast<UINT>(CTLCOLOR_STATIC));
    byFamily.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hScreen), 0);
    EXPECT_EQ(byFamily.lastKind, static_cast<UINT>(CTLCOLOR_EDIT));
    ::ReleaseDC(nullptr, hScreen);
    byMessage.DestroyWindow();
    byFamily.DestroyWindow();
}

TEST(WindowTest, ListViewHandsOutARealListControl)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    auto* view = new CCountingListView; // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &parent,
                             AFX_IDW_PANE_FIRST));
    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(list.m_hWnd, view->m_hWnd);
    EXPECT_EQ(list.GetRuntimeClass(), RUNTIME_CLASS(CListCtrl));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    EXPECT_EQ(list.InsertItem(0, L"recovered.doc"), 0);
    EXPECT_EQ(list.GetItemCount(), 1);
    DRAWITEMSTRUCT item{};
    list.DrawItem(&item); // the control's own member, not the view's drawing
    EXPECT_EQ(view->draws, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(view->m_hWnd), view);
    parent.DestroyWindow();
}

TEST(WindowTest, DocumentNameInTheTitleFollowsTheFrameStyleAfterDerivedChanges)
{
    CDocument document;
    document.SetTitle(L"image.dd");
    auto* keeps = new CTitleFrame(&document, false); // frames delete themselves
    auto* drops = new CTitleFrame(&document, true);
    ASSERT_TRUE(keeps->Create(nullptr, L"Pelmo", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    ASSERT_TRUE(drops->Create(nullptr, L"Pelmo", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    keeps->OnUpdateFrameTitle(TRUE);
    drops->OnUpdateFrameTitle(TRUE);
    CString kept, dropped;
    keeps->GetWindowText(kept);
    drops->GetWindowText(dropped);
    EXPECT_EQ(kept, CString(L"Pelmo - image.dd"));
    EXPECT_EQ(dropped, CString(L"Pelmo"));
    keeps->DestroyWindow();
    drops->DestroyWindow();
}

TEST(WindowTest, ToolTipsShowTheTipOfTheControlUnderTheMouse)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                nullptr));
    CWnd label;
    ASSERT_TRUE(label.Create(L"STATIC", L"route", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &parent,
                             ID_GALLERY_ROUTE));
    parent.EnableToolTips(TRUE);

    // The loop sees the mouse over the label, then over the bare parent.
    auto mouseAt = [](CWnd& target, CPoint client) {
        MSG msg{target.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), ::GetTickCount(), client};
        target.ClientToScreen(&msg.pt);
        AfxPreTranslateMessage(&msg);
    };
    mouseAt(label, CPoint(20, 10));
    AFX_THREAD_STATE* state = AfxGetThreadState();
    ASSERT_NE(state->m_pToolTip, nullptr);
    ASSERT_NE(state->m_pToolTip->m_hWnd, nullptr);
    EXPECT_EQ(state->m_pToolTip->GetToolCount(), 1);
    EXPECT_EQ(state->m_nLastToolHit, static_cast<INT_PTR>(ID_GALLERY_ROUTE));
    mouseAt(parent, CPoint(250, 150));
    EXPECT_EQ(state->m_pToolTip->GetToolCount(), 0);

    // The tip's text is the second part of the control's string.
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = state->m_pToolTip->m_hWnd;
    request.hdr.idFrom = reinterpret_cast<UINT_PTR>(label.m_hWnd);
    request.hdr.code = TTN_GETDISPINFOW;
    request.uFlags = TTF_IDISHWND;
    parent.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, L"Route");
    parent.DestroyWindow();
}
