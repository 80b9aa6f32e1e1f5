// The window half of the foundation under Wine: visual styles bound at run
// time (absent, and through a stand-in library), the colour table and shared
// metrics over the system, pixel blending, gradient fills into memory, the
// subclass table, the keyboard tracker and the splitter tracker.
#include "CAccessibleBase.h"
#include "CColorTable.h"
#include "CDrawTools.h"
#include "CPopupMouseTracker.h"
#include "CSharedMetrics.h"
#include "CSplitterTracker.h"
#include "CSubclassHookTable.h"
#include "CToolkitResources.h"
#include "CVisualStyleData.h"
#include "DeviceContexts.h"
#include "PlatformQueries.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
class DibCanvas
{
public:
    DibCanvas(int width, int height) : m_width(width)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
        m_dc.CreateCompatibleDC(nullptr);
        m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
    }
    ~DibCanvas()
    {
        ::SelectObject(m_dc.m_hDC, m_hOld);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }
    CDC* DC() { return &m_dc; }
    DWORD& Pixel(int x, int y)
    {
        ::GdiFlush();
        return m_pBits[y * m_width + x];
    }
    COLORREF Color(int x, int y)
    {
        const DWORD bgra = Pixel(x, y);
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }

private:
    int m_width;
    DWORD* m_pBits = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    CDC m_dc;
};

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace

TEST(VisualStyleTest, WithoutTheLibraryEverythingFailsQuietly)
{
    CVisualStyleLibrary& library = CVisualStyleLibrary::Instance();
    HMODULE previous = library.ReplaceModuleForTesting(nullptr);
    CVisualStyleData styles;
    EXPECT_FALSE(styles.Open(nullptr, L"TREEVIEW"));
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(styles.DrawBackground(nullptr, 1, 1, &rect, nullptr), E_FAIL);
    WCHAR file[MAX_PATH] = {};
    WCHAR color[MAX_PATH] = {};
    EXPECT_EQ(styles.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, nullptr, 0), E_FAIL);
    EXPECT_FALSE(IsVisualStyleActive());
    EXPECT_FALSE(styles.IsAppThemed());
    EXPECT_EQ(DetectLunaScheme(), 0);
    library.ReplaceModuleForTesting(previous);
    // Wine has no active theme: the colour table takes the system road.
    EXPECT_EQ(DetectLunaScheme(), 0);
}

TEST(VisualStyleTest, StandInLunaThemeReachesTheColourTable)
{
    HMODULE hStandIn = ::LoadLibraryW(L"uxtheme_standin.dll");
    ASSERT_NE(hStandIn, nullptr);
    CVisualStyleLibrary& library = CVisualStyleLibrary::Instance();
    HMODULE previous = library.ReplaceModuleForTesting(hStandIn);
    const DWORD previousVersion = library.GetComCtlVersion();

    EXPECT_EQ(DetectLunaScheme(), kit::kSchemeBlue);
    library.SetComCtlVersionForTesting(0x50052); // 5.82: no visual styles
    EXPECT_FALSE(IsVisualStyleActive());
    library.SetComCtlVersionForTesting(0x60000);
    EXPECT_TRUE(IsVisualStyleActive());

    CColorTable* pTable = GetColorTable();
    pTable->RefreshColors();
    EXPECT_EQ(pTable->GetLunaScheme(), kit::kSchemeBlue);
    EXPECT_EQ(pTable->gradients[0].light.GetValue(), RGB(89, 135, 214));
    EXPECT_EQ(pTable->GetLunaColor(30), RGB(158, 190, 245));
    EXPECT_EQ(pTable->GetColor(54), RGB(0, 45, 150));
    EXPECT_EQ(pTable->GetColor(57), RGB(127, 157, 185)); // the tree view's border
    using OpenHandlesFn = int(WINAPI*)();
    auto openHandles = reinterpret_cast<OpenHandlesFn>(reinterpret_cast<void*>(::GetProcAddress(hStandIn, "StandInOpenHandles")));
    ASSERT_NE(openHandles, nullptr);
    EXPECT_EQ(openHandles(), 0); // every handle opened was closed

    library.ReplaceModuleForTesting(previous);
    library.SetComCtlVersionForTesting(previousVersion);
    pTable->RefreshColors();
    EXPECT_EQ(pTable->GetLunaScheme(), kit::kSchemeNone);
    // Wine's own UxTheme opens the tree view's data even without an active theme.
    EXPECT_NE(pTable->GetColor(57), RGB(127, 157, 185));
    ::FreeLibrary(hStandIn);
}

TEST(ColorTableWindowsTest, SystemColoursThroughTheCallbackAndSharedMetrics)
{
    CColorTable* pTable = GetColorTable();
    pTable->sysColorCallback = [](int nIndex) -> COLORREF {
        return nIndex == COLOR_BTNFACE ? RGB(0, 0, 0) : ::GetSysColor(nIndex);
    };
    pTable->RefreshColors();
    EXPECT_EQ(pTable->GetColor(49), RGB(127, 127, 127));
    EXPECT_EQ(pTable->GetColor(48), RGB(35, 35, 35));
    pTable->sysColorCallback = nullptr;
    pTable->RefreshColors();
    EXPECT_EQ(pTable->GetColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));

    CSharedMetrics* pMetrics = GetSharedMetrics();
    // The inactive caption's gradient colour is the system's, not black.
    EXPECT_EQ(pMetrics->m_clrGradientInactiveCaption, ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    EXPECT_EQ(pMetrics->m_clrDerived[0], pTable->GetColor(30));
    // The program has none of the toolkit cursors; the system ones load all the same.
    EXPECT_EQ(pMetrics->m_hCursor9011, nullptr);
    EXPECT_NE(pMetrics->m_hHandCursor, nullptr);
    EXPECT_NE(pMetrics->m_hSizeAllCursor, nullptr);
    for (CFont* pFont : {&pMetrics->m_fontNormal, &pMetrics->m_fontBold, &pMetrics->m_fontVert,
                         &pMetrics->m_fontMarlett, &pMetrics->m_fontStatus, &pMetrics->m_fontSmallCaption})
        EXPECT_NE(pFont->GetSafeHandle(), nullptr);
    LOGFONTW glyphs{};
    pMetrics->m_fontMarlett.GetLogFont(&glyphs);
    EXPECT_STREQ(glyphs.lfFaceName, L"Marlett");
    EXPECT_TRUE(FontExists(L"Marlett"));
    EXPECT_FALSE(FontExists(L"No Such Face 12345"));
    EXPECT_FALSE(GetDefaultFontFace(FALSE).IsEmpty());
    EXPECT_NE(GetKitNotificationSinkMessage(), 0u);
}

TEST(ColorTableWindowsTest, RefreshesAreThrottledOnceTheMainWindowExists)
{
    CColorTable* pTable = GetColorTable();
    int nReads = 0;
    static int* s_pReads = nullptr;
    s_pReads = &nReads;
    pTable->sysColorCallback = [](int nIndex) -> COLORREF {
        if (nIndex == COLOR_WINDOW)
            ++*s_pReads;
        return ::GetSysColor(nIndex);
    };
    // Before the main window exists every refresh runs.
    ::Sleep(600);
    RefreshColorTable();
    RefreshColorTable();
    EXPECT_EQ(nReads, 2);

    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.CreateEx(0, PlainClass(), L"main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    CWinThread thread;
    thread.m_pMainWnd = &mainWnd;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWinThread* pPrevious = pState->m_pThread;
    pState->m_pThread = &thread;
    RefreshColorTable();
    RefreshColorTable(); // within 500 ms of the first: skipped
    EXPECT_EQ(nReads, 3);
    ::Sleep(600);
    RefreshColorTable();
    EXPECT_EQ(nReads, 4);
    pState->m_pThread = pPrevious;
    thread.m_pMainWnd = nullptr;
    pTable->sysColorCallback = nullptr;
    pTable->RefreshColors();
    mainWnd.DestroyWindow();
}

TEST(DrawToolsTest, GradientEndsOnBothRoadsAndSolidFills)
{
    for (BOOL bOwnStrips : {FALSE, TRUE}) {
        CDrawTools::ForceOwnGradientStrips(bOwnStrips);
        DibCanvas canvas(100, 20);
        const CRect rect(0, 0, 100, 20);
        CDrawTools::GradientFill(canvas.DC(), &rect, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
        EXPECT_TRUE(Near(canvas.Color(0, 10), RGB(255, 0, 0), 3)) << bOwnStrips;
        EXPECT_TRUE(Near(canvas.Color(99, 10), RGB(0, 0, 255), 3)) << bOwnStrips;
        EXPECT_TRUE(Near(canvas.Color(50, 10), RGB(127, 0, 127), 4)) << bOwnStrips;

        // Factor 0.75: the middle colour, 75 % light, sits at the split.
        CStyleGradient gradient(RGB(255, 255, 255), RGB(0, 0, 0), 0.75f);
        CDrawTools::FillStyleGradient(canvas.DC(), &rect, gradient, TRUE);
        EXPECT_TRUE(Near(canvas.Color(50, 5), RGB(191, 191, 191), 4)) << bOwnStrips;
        EXPECT_TRUE(Near(canvas.Color(0, 5), RGB(255, 255, 255), 3)) << bOwnStrips;

        // A clip left of the rectangle draws nothing.
        canvas.DC()->FillSolidRect(&rect, RGB(1, 2, 3));
        const CRect clip(-50, 0, 0, 20);
        CDrawTools::GradientFillClipped(canvas.DC(), &rect, RGB(255, 0, 0), RGB(0, 0, 255), TRUE, &clip);
        EXPECT_EQ(canvas.Color(0, 0), RGB(1, 2, 3));
    }
    CDrawTools::ForceOwnGradientStrips(FALSE);

    DibCanvas canvas(10, 10);
    const CRect rect(0, 0, 10, 10);
    CDrawTools::GradientFill(canvas.DC(), &rect, RGB(9, 8, 7), RGB(9, 8, 7), FALSE);
    EXPECT_EQ(canvas.Color(9, 9), RGB(9, 8, 7));
}

TEST(DrawToolsTest, PixelPairsKeepAlphaAndAnOddCountLeavesTheLastPixel)
{
    DibCanvas canvas(4, 1);
    canvas.Pixel(0, 0) = 0x80FF0000; // alpha 0x80, red 255
    canvas.Pixel(1, 0) = 0x800000FF; // blue 255
    canvas.Pixel(2, 0) = 0x80102030;
    canvas.Pixel(3, 0) = 0x80000000;
    const POINT points[3] = {{0, 0}, {1, 0}, {2, 0}};
    CDrawTools::BlendPixelPairs(canvas.DC(), points, 3);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x807F007Fu);
    EXPECT_EQ(canvas.Pixel(2, 0), 0x80102030u);
}

TEST(DrawToolsTest, MemoryDcOverAnEmptyRectangleUsesTheClipBox)
{
    DibCanvas canvas(40, 30);
    canvas.DC()->IntersectClipRect(10, 5, 30, 25);
    {
        CUiMemDC memory(canvas.DC(), CRect(0, 0, 0, 0), CStyleGradient(RGB(0, 128, 0)));
        ASSERT_TRUE(memory.IsValid());
        EXPECT_EQ(memory.GetRect(), CRect(10, 5, 30, 25));
    }
    EXPECT_EQ(canvas.Color(10, 5), RGB(0, 128, 0));
    EXPECT_EQ(canvas.Color(29, 24), RGB(0, 128, 0));
    EXPECT_EQ(canvas.Color(9, 5), RGB(0, 0, 0));
}

namespace {

class RecordingSink : public CSubclassHookSink
{
public:
    std::function<int(UINT, WPARAM&, LRESULT&)> react;
    std::vector<UINT> seen;
    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        seen.push_back(nMessage);
        return react ? react(nMessage, wParam, lResult) : kNotHandled;
    }
};

constexpr UINT WM_PROBE = WM_APP + 7;

}  // namespace

TEST(SubclassHookTableTest, SinksSeeChangeAndConsumeMessagesLatestFirst)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, PlainClass(), L"sinks", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    const auto original = ::GetWindowLongPtrW(window.m_hWnd, GWLP_WNDPROC);
    CSubclassHookTable& table = CSubclassHookTable::Instance();
    RecordingSink first;
    RecordingSink second;
    ASSERT_TRUE(table.AddSink(window.m_hWnd, &first));
    ASSERT_TRUE(table.AddSink(window.m_hWnd, &second));
    EXPECT_NE(::GetWindowLongPtrW(window.m_hWnd, GWLP_WNDPROC), original);

    // The latest sink answers first and consumes.
    second.react = [](UINT nMessage, WPARAM&, LRESULT& lResult) {
        if (nMessage != WM_PROBE)
            return 0;
        lResult = 42;
        return 1;
    };
    EXPECT_EQ(window.SendMessage(WM_PROBE), 42);
    EXPECT_TRUE(first.seen.empty() || first.seen.back() != WM_PROBE);

    // A sink that removes the other sink during the walk: the removed one is not asked.
    second.react = [&](UINT nMessage, WPARAM&, LRESULT&) {
        if (nMessage == WM_PROBE)
            table.RemoveSink(window.m_hWnd, &first);
        return 0;
    };
    first.seen.clear();
    window.SendMessage(WM_PROBE);
    EXPECT_TRUE(first.seen.empty());

    // Removing the last sink puts the window procedure back.
    table.RemoveSink(window.m_hWnd, &second);
    EXPECT_EQ(::GetWindowLongPtrW(window.m_hWnd, GWLP_WNDPROC), original);
    EXPECT_EQ(table.Lookup(window.m_hWnd), nullptr);

    // Destroying a subclassed window removes its record.
    table.AddSink(window.m_hWnd, &first);
    HWND hWnd = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_EQ(table.Lookup(hWnd), nullptr);
}

TEST(PopupKeyboardTrackerTest, HooksOnlyWhileSinksAreRegistered)
{
    CPopupKeyboardTracker* pTracker = CPopupKeyboardTracker::GetThreadTracker();
    EXPECT_FALSE(pTracker->IsHooked());
    RecordingSink early;
    RecordingSink late;
    pTracker->AddSink(&early);
    pTracker->AddSink(&late);
    EXPECT_TRUE(pTracker->IsHooked());

    late.react = [](UINT, WPARAM&, LRESULT&) { return 2; };
    EXPECT_FALSE(pTracker->ProcessKeyMessage(WM_KEYDOWN, VK_DOWN, 0));
    EXPECT_TRUE(early.seen.empty());
    // A sink removing itself and the other during the walk ends it safely.
    late.react = [&](UINT, WPARAM&, LRESULT&) {
        pTracker->RemoveSink(&late);
        pTracker->RemoveSink(&early);
        return 0;
    };
    EXPECT_TRUE(pTracker->ProcessKeyMessage(WM_KEYDOWN, VK_DOWN, 0));
    EXPECT_TRUE(early.seen.empty());
    EXPECT_FALSE(pTracker->IsHooked());
}

TEST(SplitterTrackerTest, MovesWithinLimitsAndEscCancels)
{
    CWnd window;
    // Hidden: the drag is driven by posted messages and must not take the
    // activation from windows of other tests.
    ASSERT_TRUE(window.CreateEx(0, PlainClass(), L"splitter", WS_POPUP, 100, 100, 300, 200, nullptr, nullptr));
    const RECT limits{150, 0, 250, 1000};
    RECT tracker{180, 100, 184, 300};
    // The tracker starts one pixel left of the start point; the mouse goes to
    // screen x 220, then to 300 (beyond the right limit), and is released.
    window.SetCapture();
    window.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(120, 50));
    window.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 50));
    window.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 50));
    CSplitterTracker splitter;
    EXPECT_TRUE(splitter.Track(&window, limits, tracker, POINT{181, 150}, TRUE));
    EXPECT_EQ(tracker.left, 250); // held at the right limit
    EXPECT_EQ(tracker.right - tracker.left, 4);
    EXPECT_EQ(tracker.top, 100);

    RECT cancelled{180, 100, 184, 300};
    window.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(110, 50));
    window.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(splitter.Track(&window, limits, cancelled, POINT{181, 150}, TRUE));
    EXPECT_EQ(cancelled.left, 209);
    EXPECT_EQ(::GetCapture(), nullptr);
    window.DestroyWindow();
}

namespace {

// A window that is accessible through the mix-in; only its name is its own.
class CAccessibleTestWnd : public CWnd, public CAccessibleBase
{
public:
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override
    {
        if (GetChildIdFromVariant(varChild) != CHILDID_SELF)
            return E_INVALIDARG;
        *pszName = ::SysAllocString(L"Colour slots");
        return S_OK;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        if (message == WM_GETOBJECT && AnswerGetObject(this, wParam, lParam, &lResult))
            return lResult;
        if (message == WM_GETOBJECT)
            ++m_nOtherObjectRequests;
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    int m_nOtherObjectRequests = 0;
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CAccessibleTestWnd, CWnd)
    INTERFACE_PART(CAccessibleTestWnd, kIidAccessible, Accessible)
END_INTERFACE_MAP()

}  // namespace

TEST(AccessibleBaseTest, ClientsReachTheMixInThroughGetObject)
{
    ::OleInitialize(nullptr);
    {
        CAccessibleTestWnd window;
        ASSERT_TRUE(window.CreateEx(0, PlainClass(), L"accessible", WS_POPUP, 0, 0, 80, 40, nullptr, nullptr));
        IAccessible* pAccessible = nullptr;
        ASSERT_EQ(CAccessibleBase::ObjectFromWindow(window.m_hWnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                    reinterpret_cast<void**>(&pAccessible)),
                  S_OK);
        ASSERT_NE(pAccessible, nullptr);
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
        EXPECT_STREQ(name, L"Colour slots");
        ::SysFreeString(name);
        long children = 0;
        EXPECT_EQ(pAccessible->get_accChildCount(&children), E_NOTIMPL);
        VARIANT focus;
        ::VariantInit(&focus);
        EXPECT_EQ(pAccessible->get_accFocus(&focus), S_FALSE);
        EXPECT_EQ(pAccessible->get_accSelection(&focus), S_FALSE);
        pAccessible->Release();
        EXPECT_EQ(window.m_dwRef, 1u);

        // Other object ids take the default window procedure.
        window.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW));
        EXPECT_EQ(window.m_nOtherObjectRequests, 1);
        CAccessibleBase::NotifyEvent(EVENT_OBJECT_NAMECHANGE, window.m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        window.DestroyWindow();
    }
    ::OleUninitialize();
}

TEST(AccessibleBaseTest, ChildIdsFromVariants)
{
    VARIANT i2;
    i2.vt = VT_I2;
    i2.iVal = 3;
    VARIANT reference;
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &i2;
    EXPECT_EQ(CAccessibleBase::GetChildIdFromVariant(reference), 3);
    LONG value = 7;
    VARIANT byRef;
    byRef.vt = VT_BYREF | VT_I4;
    byRef.plVal = &value;
    EXPECT_EQ(CAccessibleBase::GetChildIdFromVariant(byRef), 7);
    byRef.plVal = nullptr;
    EXPECT_EQ(CAccessibleBase::GetChildIdFromVariant(byRef), -1);
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    EXPECT_EQ(CAccessibleBase::GetChildIdFromVariant(text), -1);
    VARIANT loop;
    loop.vt = VT_BYREF | VT_VARIANT;
    loop.pvarVal = &loop;
    EXPECT_EQ(CAccessibleBase::GetChildIdFromVariant(loop), -1);
}
