// The HTML views on a real display: a recovered page with text, a table, a local
// picture, a remote picture, a link and a form, shown by the own renderer in the
// custom viewer; hit testing over the link, a click that navigates, pixels sampled,
// and screenshots written beside the test results.
// Winsock 2 before the framework pulls in <windows.h>.
#include <winsock2.h>

#include "Framework.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CCustomHTMLViewer.h"
#include "CHtml_View.h"
#include "BrowserWndProc.h"
#include "CHtmlResourceLoader.h"
#include "PreviewGallery.h"
#include "PreviewSession.h"
#include "WindowCapture.h"

namespace {

class CTestPreviewDocument : public CDocument, public IPreviewSessionOwner
{
public:
    // The test owns its documents; closing the last view must not delete them.
    CTestPreviewDocument() { m_bAutoDelete = FALSE; }
    CPreviewSession& GetPreviewSession() override { return m_session; }
    CPreviewSession m_session;
};

std::wstring Folder()
{
    wchar_t path[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, path);
    return path;
}

void WriteBytes(const std::wstring& path, const void* bytes, std::size_t size)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr);
    ::CloseHandle(file);
}

void WriteText(const std::wstring& path, const std::string& text) { WriteBytes(path, text.data(), text.size()); }

// A 24-bit picture of one colour.
void WriteBmp(const std::wstring& path, int width, int height, COLORREF colour)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* p = &pixels[static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    std::vector<unsigned char> bytes(sizeof(file) + sizeof(info));
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    WriteBytes(path, bytes.data(), bytes.size());
}

void Pump(DWORD milliseconds)
{
    const DWORD end = ::GetTickCount() + milliseconds;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::wstring StatusText(HWND status)
{
    wchar_t text[512] = {};
    ::SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

// Waits while the condition is false, pumping messages; true when it became true.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 10000)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50)
    {
        if (condition())
            return true;
        Pump(50);
    }
    return condition();
}

const preview::BrowserElement* FindRun(const preview::BrowserElementList& list, std::u16string_view text)
{
    for (const auto& e : list)
    {
        if (e->kind == preview::kElementText && e->text == text)
            return e.get();
        if (const preview::BrowserElement* inner = FindRun(e->children, text))
            return inner;
    }
    return nullptr;
}

const preview::BrowserElement* FindKind(const preview::BrowserElementList& list, int kind, int n = 0)
{
    for (const auto& e : list)
        if (e->kind == kind && n-- == 0)
            return e.get();
    return nullptr;
}

COLORREF PixelAt(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

bool AnyPixelOf(HWND window, const preview::BrowserElement& e, COLORREF colour)
{
    HDC dc = ::GetDC(window);
    bool found = false;
    for (int y = e.y; y < e.y + e.height && !found; ++y)
        for (int x = e.x; x < e.x + e.width && !found; ++x)
            found = ::GetPixel(dc, x, y) == colour;
    ::ReleaseDC(window, dc);
    return found;
}

class HtmlViewerWindowsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        ::OleInitialize(nullptr);
        // The real pointer stays off the page: only the test's own messages move over it.
        ::SetCursorPos(1270, 1010);
        s_folder = Folder();
        WriteBmp(s_folder + L"\\pic.bmp", 40, 30, RGB(255, 0, 0));
        WriteText(s_folder + L"\\page.html",
                  "<html><head><title>Recovered page</title><script>alert(1)</script></head>\n"
                  "<body bgcolor=#FFFFFF>\n<h1>Holiday notes</h1>\n"
                  "<p>Some <b>bold</b> text and a <a href=\"second.html\">second page</a>.\n"
                  "<table border=1 bgcolor=#00FF00 cellpadding=4><tr><td>Cell one<td>Cell two"
                  "<tr><td colspan=2>Wide cell</table>\n"
                  "<img src=\"pic.bmp\"> <img src=\"http://192.0.2.1/track.gif\">\n"
                  "<form action=\"find\" method=get>Search <input name=q value=\"abc\"> "
                  "<input type=checkbox name=c value=on> <input type=submit value=Go></form>\n"
                  "<ul><li>first<li>second</ul></body></html>\n");
        WriteText(s_folder + L"\\second.html", "<title>Second page</title><font color=red>Arrived</font>");

        s_parent = new CWnd;
        ASSERT_TRUE(s_parent->CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                                       L"HTML preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 520, nullptr,
                                       nullptr));
        s_document = new CTestPreviewDocument;
        s_document->m_session.PreviewFilePath = (s_folder + L"\\page.html").c_str();
        CCreateContext context;
        context.m_pCurrentDoc = s_document;
        s_viewer = new CCustomHTMLViewer;
        CRect client;
        s_parent->GetClientRect(&client);
        ASSERT_TRUE(s_viewer->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, s_parent, 0xE900, &context));
        s_viewer->SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
        Pump(200);
    }

    static void TearDownTestSuite()
    {
        if (s_parent != nullptr)
            s_parent->DestroyWindow();
        delete s_parent;
        delete s_document;
        s_parent = nullptr;
        s_document = nullptr;
    }

    static preview::CMiniBrowser& Browser() { return *s_viewer->GetBrowser(); }
    static HWND Canvas() { return ::GetWindow(s_viewer->GetSafeHwnd(), GW_CHILD); }

    static std::wstring s_folder;
    static CWnd* s_parent;
    static CTestPreviewDocument* s_document;
    static CCustomHTMLViewer* s_viewer;
};

std::wstring HtmlViewerWindowsTest::s_folder;
CWnd* HtmlViewerWindowsTest::s_parent = nullptr;
CTestPreviewDocument* HtmlViewerWindowsTest::s_document = nullptr;
CCustomHTMLViewer* HtmlViewerWindowsTest::s_viewer = nullptr;

TEST_F(HtmlViewerWindowsTest, ShowsTheRecoveredPageWithItsPictureTableLinkAndForm)
{
    ASSERT_NE(s_viewer->GetBrowser(), nullptr);
    HWND status = ::FindWindowExW(s_viewer->GetSafeHwnd(), nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(TextOf(s_viewer->GetSafeHwnd()), L"Recovered page");
    EXPECT_TRUE(WaitFor([&] { return StatusText(status).rfind(L"Ready, items:", 0) == 0; })) << StatusText(status);
    EXPECT_NE(StatusText(status).find(L"images:2, links:"), std::wstring::npos) << StatusText(status);

    // The status bar is 20 pixels at the bottom; the canvas takes the rest.
    CRect viewClient, statusRect;
    s_viewer->GetClientRect(&viewClient);
    ::GetWindowRect(status, &statusRect);
    EXPECT_EQ(statusRect.Height(), 20);

    HWND canvas = Canvas();
    ::InvalidateRect(canvas, nullptr, FALSE);
    ::UpdateWindow(canvas);
    Pump(100);
    const preview::BrowserElementList& elements = Browser().Document().Elements();
    const preview::BrowserElement* cell = FindRun(elements, u"Cell");
    const preview::BrowserElement* picture = FindKind(elements, preview::kElementImage, 0);
    const preview::BrowserElement* remote = FindKind(elements, preview::kElementImage, 1);
    const preview::BrowserElement* link = FindRun(elements, u"second");
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(remote, nullptr);
    ASSERT_NE(link, nullptr);

    // Sampled pixels: the table's green beside its text, the local picture's red, the
    // link's blue text, and the white placeholder of the picture that was never fetched.
    EXPECT_EQ(PixelAt(canvas, cell->x - 2, cell->y + cell->height / 2), RGB(0, 255, 0));
    EXPECT_EQ(picture->width, 40);
    EXPECT_EQ(PixelAt(canvas, picture->x + 20, picture->y + 15), RGB(255, 0, 0));
    EXPECT_TRUE(AnyPixelOf(canvas, *link, RGB(0, 0, 255)));
    EXPECT_EQ(remote->width, preview::kPlaceholderWidth);
    preview::CBrowserImage* remoteImage = Browser().Document().Images().GetImage(remote->image);
    ASSERT_NE(remoteImage, nullptr);
    EXPECT_FALSE(remoteImage->MayFetch());
    EXPECT_TRUE(remoteImage->IsPlaceholder());

    // The form's fields are real controls on the canvas, placed on their fields.
    HWND edit = ::FindWindowExW(canvas, nullptr, L"edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), L"abc");
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(Browser().Controls().GetCount(), 3);
    EXPECT_EQ(Browser().Forms().GetCount(), 1);

    // The page text is written beside the program.
    wchar_t program[MAX_PATH];
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring dump(program);
    dump.replace(dump.rfind(L'.'), std::wstring::npos, L".txt");
    EXPECT_NE(::GetFileAttributesW(dump.c_str()), INVALID_FILE_ATTRIBUTES);

    Pump(100);  // lets the display catch up with the window

    CaptureWindowToBmp(s_parent->GetSafeHwnd(), L"html-preview.bmp");

    // A page that fits has no scroll bars; a pane too short for it scrolls 30 pixels a
    // wheel notch, and grown again it loses its bar and returns to the top.
    EXPECT_EQ(::SendMessageW(canvas, preview::SHM_GETVRANGE, 0, 0), 0);
    s_viewer->MoveWindow(0, 0, viewClient.Width(), 150);
    Pump(50);
    EXPECT_GT(::SendMessageW(canvas, preview::SHM_GETVRANGE, 0, 0), 0);
    EXPECT_TRUE(::GetWindowLongW(canvas, GWL_STYLE) & WS_VSCROLL);
    ::SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(::SendMessageW(canvas, preview::SHM_GETVPOS, 0, 0), 30);
    s_viewer->MoveWindow(0, 0, viewClient.Width(), viewClient.Height());
    Pump(50);
    EXPECT_EQ(::SendMessageW(canvas, preview::SHM_GETVRANGE, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(canvas, preview::SHM_GETVPOS, 0, 0), 0);
}

TEST_F(HtmlViewerWindowsTest, HitTestingFindsTheLinkAndAClickNavigates)
{
    HWND canvas = Canvas();
    HWND status = ::FindWindowExW(s_viewer->GetSafeHwnd(), nullptr, STATUSCLASSNAMEW, nullptr);
    const preview::BrowserElement* link = FindRun(Browser().Document().Elements(), u"second");
    ASSERT_NE(link, nullptr);
    const LPARAM onLink = MAKELPARAM(link->x + 3, link->y + link->height / 2);
    ::SendMessageW(canvas, WM_MOUSEMOVE, 0, onLink);
    EXPECT_EQ(StatusText(status), L"file://" + s_folder + L"\\second.html");
    EXPECT_EQ(Browser().Document().HoveredLink(), link->link);
    ::UpdateWindow(canvas);
    EXPECT_TRUE(AnyPixelOf(canvas, *link, RGB(255, 0, 0)));  // the hovered link turns red
    ::SendMessageW(canvas, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(Browser().Document().HoveredLink(), -1);

    // Dragging from the first words down to the table selects the lines in between.
    const preview::BrowserElement* some = FindRun(Browser().Document().Elements(), u"Some");
    const preview::BrowserElement* bold = FindRun(Browser().Document().Elements(), u"bold");
    ASSERT_NE(some, nullptr);
    ASSERT_NE(bold, nullptr);
    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(some->x + 1, some->y + 1));
    EXPECT_EQ(::GetCapture(), canvas);
    ::SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(some->x + 1, some->y + some->height + 20));
    ::SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(some->x + 1, some->y + some->height + 20));
    EXPECT_NE(::GetCapture(), canvas);
    EXPECT_TRUE(some->selected);
    EXPECT_TRUE(bold->selected);
    ::UpdateWindow(canvas);
    EXPECT_TRUE(AnyPixelOf(canvas, *bold, RGB(0, 0, 0x80)));  // navy behind white text
    Pump(100);  // lets the display catch up with the window
    CaptureWindowToBmp(s_parent->GetSafeHwnd(), L"html-preview-selection.bmp");

    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, onLink);
    ::SendMessageW(canvas, WM_LBUTTONUP, 0, onLink);
    Pump(200);
    EXPECT_EQ(TextOf(s_viewer->GetSafeHwnd()), L"Second page");
    EXPECT_EQ(Browser().History().GetCount(), 2);
    EXPECT_EQ(Browser().CurrentUrl(), L"file://" + s_folder + L"\\second.html");
    EXPECT_EQ(Browser().Controls().GetCount(), 0);  // the first page's fields are gone
    const preview::BrowserElement* arrived = FindRun(Browser().Document().Elements(), u"Arrived");
    ASSERT_NE(arrived, nullptr);
    ::UpdateWindow(canvas);
    EXPECT_TRUE(AnyPixelOf(canvas, *arrived, RGB(255, 0, 0)));
    EXPECT_EQ(StatusText(status).rfind(L"Ready, items:", 0), 0u) << StatusText(status);
    Pump(100);  // lets the display catch up with the window
    CaptureWindowToBmp(s_parent->GetSafeHwnd(), L"html-preview-navigated.bmp");
}

TEST_F(HtmlViewerWindowsTest, FormsAreSubmittedWithTheirEncodedFields)
{
    EXPECT_EQ(preview::CMiniBrowser::UrlEncode(L"a b&c"), L"a+b%26c");
    EXPECT_EQ(preview::CMiniBrowser::UrlEncode(L"\x20ac"), L"%20ac");

    const std::wstring page = L"file://" + s_folder + L"\\page.html";
    Browser().OnLinkClicked(std::u16string(page.begin(), page.end()));
    HWND canvas = Canvas();
    HWND edit = ::FindWindowExW(canvas, nullptr, L"edit", nullptr);
    HWND box = ::FindWindowExW(canvas, nullptr, L"button", L"on");
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(box, nullptr);
    ::SetWindowTextW(edit, L"a b&c");
    ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    // A GET form navigates to its action with the query; the push button is left out.
    Browser().SubmitForm(0);
    EXPECT_EQ(Browser().CurrentUrl(), L"file://" + s_folder + L"\\find?q=a+b%26c&c=on");

    // A link to a picture shows it alone on a yellow page.
    const std::wstring picture = L"file://" + s_folder + L"\\photo.PNG";
    const int rows = Browser().History().GetCount();
    Browser().OnLinkClicked(std::u16string(picture.begin(), picture.end()));
    ASSERT_EQ(Browser().History().GetCount(), rows + 1);
    EXPECT_EQ(std::u16string(Browser().History().GetRow(rows).Get(1)).rfind(u"<body bgcolor=ffff00><img src=\"", 0), 0u);
    ::UpdateWindow(canvas);
    CRect client;
    ::GetClientRect(canvas, &client);
    EXPECT_EQ(PixelAt(canvas, client.right - 5, client.bottom - 5), RGB(255, 255, 0));
}

TEST_F(HtmlViewerWindowsTest, WithoutTheBrowserControlHtmlFilesUseTheOwnRenderer)
{
    WriteText(s_folder + L"\\old.htm", "<title>Old page</title>text");
    CTestPreviewDocument document;
    document.m_session.PreviewFilePath = (s_folder + L"\\old.htm").c_str();
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"htm", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    auto* view = new CHtml_View;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 160), &parent, 0xE900, &context));
    if (!view->IsBrowserAvailable())
    {
        ASSERT_NE(view->GetOwnRenderer(), nullptr);
        EXPECT_EQ(TextOf(view->GetSafeHwnd()), L"Old page");
        EXPECT_EQ(document.m_session.PreviewOk, 1);
    }

    WriteText(s_folder + L"\\archive.mht", "MIME-Version: 1.0");
    CTestPreviewDocument mht;
    mht.m_session.PreviewFilePath = (s_folder + L"\\archive.mht").c_str();
    context.m_pCurrentDoc = &mht;
    auto* mhtView = new CHtml_View;
    ASSERT_TRUE(mhtView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 280, 160), &parent, 0xE901, &context));
    if (!mhtView->IsBrowserAvailable())
    {
        EXPECT_EQ(mhtView->GetOwnRenderer(), nullptr);
        EXPECT_EQ(mht.m_session.PreviewOk, 0);
        EXPECT_EQ(mht.m_session.ComponentMissing, 1);
    }
    parent.DestroyWindow();

    // The default loader serves only the program's resources, and the program has none.
    EXPECT_FALSE(preview::DefaultHtmlResourceLoader().FetchPage(u"res://page.html").has_value());
    EXPECT_FALSE(preview::DefaultHtmlResourceLoader().FetchImage(u"file://C:\\x.gif").has_value());
}

TEST_F(HtmlViewerWindowsTest, ARecoveredPageWithRemoteResourcesLoadsNothingFromTheNetwork)
{
    // A server of our own on the loopback address: the page's picture, background
    // and table background point at it, and not one connection may arrive; a second
    // picture lies on a network share and is not fetched either.
    WSADATA wsa{};
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    SOCKET server = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(server, INVALID_SOCKET);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    int length = sizeof(address);
    ASSERT_EQ(::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ASSERT_EQ(::listen(server, 4), 0);
    const std::string host = "127.0.0.1:" + std::to_string(::ntohs(address.sin_port));
    WriteText(s_folder + L"\\remote.html",
              "<title>Remote parts</title><body background=\"http://" + host + "/bg.gif\">"
              "<img src=\"http://" + host + "/a.gif\"> <img src=\"file://\\\\127.0.0.1\\share\\b.png\">"
              "<table background=\"http://" + host + "/c.jpg\"><tr><td>cell</table>"
              "<a href=\"http://" + host + "/page.html\">away</a></body>");

    CTestPreviewDocument document;
    document.m_session.PreviewFilePath = (s_folder + L"\\remote.html").c_str();
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"remote", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                nullptr));
    auto* viewer = new CCustomHTMLViewer;
    ASSERT_TRUE(viewer->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 380, 260), &parent, 0xE900,
                               &context));
    HWND status = ::FindWindowExW(viewer->GetSafeHwnd(), nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(WaitFor([&] { return StatusText(status).rfind(L"Ready, items:", 0) == 0; })) << StatusText(status);
    Pump(500);  // time a loader would have had to connect

    preview::CMiniBrowser& browser = *viewer->GetBrowser();
    int images = 0;
    for (const auto& e : browser.Document().Elements())
        if (e->kind == preview::kElementImage)
        {
            ++images;
            preview::CBrowserImage* image = browser.Document().Images().GetImage(e->image);
            ASSERT_NE(image, nullptr);
            const std::u16string& url = image->GetUrl();
            EXPECT_FALSE(image->MayFetch()) << std::string(url.begin(), url.end());
            EXPECT_TRUE(image->IsPlaceholder());
        }
    EXPECT_EQ(images, 2);
    fd_set pending;
    FD_ZERO(&pending);
    FD_SET(server, &pending);
    timeval none{0, 0};
    EXPECT_EQ(::select(0, &pending, nullptr, nullptr, &none), 0) << "a connection reached the server";
    parent.DestroyWindow();
    ::closesocket(server);
    ::WSACleanup();
}

TEST_F(HtmlViewerWindowsTest, ThePreviewPaneShowsHtmlPagesInTheOwnRenderer)
{
    CPreviewGallery gallery;
    ASSERT_TRUE(gallery.Create(CRect(700, 20, 1240, 460)));
    gallery.Show(s_folder + L"\\page.html");
    Pump(300);
    CMainPreviewView* host = gallery.GetHost();
    auto* viewer = dynamic_cast<CCustomHTMLViewer*>(host->GetViewer(preview::PreviewSlot::kCustomHtml));
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(host->GetViewer(preview::PreviewSlot::kNoPreview), nullptr);
    EXPECT_EQ(gallery.GetSession().PreviewOk, 1);
    EXPECT_EQ(TextOf(viewer->GetSafeHwnd()), L"Recovered page");
    ASSERT_NE(viewer->GetBrowser(), nullptr);
    EXPECT_NE(FindRun(viewer->GetBrowser()->Document().Elements(), u"Holiday"), nullptr);
    Pump(100);  // lets the display catch up with the window
    CaptureWindowToBmp(gallery.GetFrame()->GetSafeHwnd(), L"html-preview-pane.bmp");

    // A page in the browser group is shown by the own renderer here; a web archive
    // needs the control and gets the no-preview view with the reason.
    WriteText(s_folder + L"\\old.htm", "<title>Old page</title>text");
    gallery.Show(s_folder + L"\\old.htm");
    Pump(200);
    auto* browserView = dynamic_cast<CHtml_View*>(host->GetViewer(preview::PreviewSlot::kHtml));
    ASSERT_NE(browserView, nullptr);
    const bool browserControl = browserView->IsBrowserAvailable() != FALSE;
    if (!browserControl)
        EXPECT_NE(browserView->GetOwnRenderer(), nullptr);
    WriteText(s_folder + L"\\archive.mht", "MIME-Version: 1.0");
    gallery.Show(s_folder + L"\\archive.mht");
    Pump(200);
    if (!browserControl)
        EXPECT_NE(host->GetViewer(preview::PreviewSlot::kNoPreview), nullptr);
}

// A web server of our own on the loopback address, one request a connection: "/loop"
// answers with a redirect to itself, anything else with a small page. It keeps each
// request's head for the test to read.
class LoopbackServer {
 public:
  LoopbackServer() {
    WSADATA wsa{};
    ::WSAStartup(MAKEWORD(2, 2), &wsa);
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0 || ::listen(socket_, 8) != 0)
      return;
    port_ = ::ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::closesocket(socket_);
    ::WSACleanup();
  }
  std::wstring Url(const char* path) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(port_) + path;
    return std::wstring(url.begin(), url.end());
  }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    while (!stop_) {
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(socket_, &ready);
      timeval wait{0, 50000};
      if (::select(0, &ready, nullptr, nullptr, &wait) != 1) continue;
      SOCKET client = ::accept(socket_, nullptr, nullptr);
      if (client == INVALID_SOCKET) continue;
      std::string head;
      char buffer[1024];
      DWORD timeout = 2000;
      ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
      while (head.find("\r\n\r\n") == std::string::npos && head.size() < 8192) {
        const int got = ::recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) break;
        head.append(buffer, static_cast<std::size_t>(got));
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(head);
      }
      const std::string body = "<title>Web page</title>Served";
      const std::string reply =
          head.rfind("GET /loop", 0) == 0
              ? "HTTP/1.0 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"
              : "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                    "\r\nConnection: close\r\n\r\n" + body;
      ::send(client, reply.data(), static_cast<int>(reply.size()), 0);
      ::shutdown(client, SD_SEND);
      ::closesocket(client);
    }
  }

  SOCKET socket_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

bool HasReferer(const std::string& head) {
  std::string lower(head);
  for (char& c : lower) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  return lower.find("\r\nreferer:") != std::string::npos;
}

TEST_F(HtmlViewerWindowsTest, WebPagesAreFetchedWithoutAFileRefererAndRedirectsAreBounded)
{
    LoopbackServer server;
    ASSERT_FALSE(server.Url("").empty());
    // From the recovered file to the web: the server learns nothing of the file.
    const std::wstring page = L"file://" + s_folder + L"\\page.html";
    Browser().OnLinkClicked(std::u16string(page.begin(), page.end()));
    const std::wstring web = server.Url("/page.html");
    Browser().OnLinkClicked(std::u16string(web.begin(), web.end()));
    Pump(100);
    EXPECT_EQ(TextOf(s_viewer->GetSafeHwnd()), L"Web page");
    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /page.html ", 0), 0u) << requests[0];
    EXPECT_FALSE(HasReferer(requests[0])) << requests[0];

    // A redirect that leads to itself is followed a bounded number of times, then given up.
    const std::wstring loop = server.Url("/loop");
    Browser().OnLinkClicked(std::u16string(loop.begin(), loop.end()));
    Pump(100);
    requests = server.Requests();
    EXPECT_EQ(requests.size(), 1u + preview::kMaxRedirects + 1);
    // From a web page, the next server is told where the user came from.
    ASSERT_GE(requests.size(), 2u);
    EXPECT_TRUE(HasReferer(requests[1])) << requests[1];
    EXPECT_EQ(TextOf(s_viewer->GetSafeHwnd()), L"Web page");  // the page shown stays
}

} // namespace
