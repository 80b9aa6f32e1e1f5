// The preview pane in its gallery frame on a real display, showing files made at
// test time: a viewer per kind, the large-file and no-preview views, and damaged
// files of each kind, which give the no-preview view with their reason. Windows
// are found by class and id, pixels sampled on the screen, and a screenshot of
// each preview written beside the results.
#include "CAdobeReaderView.h"
#include "CAviView.h"
#include "CColorTable.h"
#include "CCorrupted_NoPreview_View.h"
#include "CDBF_View.h"
#include "CDaoTreeView.h"
#include "CMDBListView.h"
#include "CMDB_View.h"
#include "CDFXView.h"
#include "CCustomHTMLViewer.h"
#include "CHtml_View.h"
#include "CImage_View.h"
#include "CLargeFileView.h"
#include "CMyListCtrl.h"
#include "CMyMedia.h"
#include "CPSDViewView.h"
#include "CTextView.h"
#include "CThumbView.h"
#include "PreviewGallery.h"
#include "RarTestWriter.h"
#include "ResourceIds.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using preview::PreviewSlot;

namespace
{

class PreviewGalleryTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ::CoInitialize(nullptr);
        s_pGallery = new CPreviewGallery;
        ASSERT_TRUE(s_pGallery->Create(CRect(20, 20, 820, 560)));
        // Other programs may share the display: the frame stays above them while sampled.
        ::SetWindowPos(s_pGallery->GetFrame()->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();
    }
    static void TearDownTestSuite()
    {
        delete s_pGallery;
        s_pGallery = nullptr;
        ::CoUninitialize();
    }
    static void Pump()
    {
        for (int i = 0; i < 10; ++i)
        {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::Sleep(10);
        }
    }
    static std::wstring File(const wchar_t* name)
    {
        return (std::filesystem::absolute(L"files") / name).wstring();
    }
    // Shows the file, lets it paint, and writes the screenshot.
    static void Show(const wchar_t* name, const wchar_t* screenshot = nullptr)
    {
        ::SetForegroundWindow(s_pGallery->GetFrame()->GetSafeHwnd());
        s_pGallery->Show(File(name));
        Pump();
        if (screenshot != nullptr)
        {
            EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), screenshot));
        }
    }
    static CMainPreviewView& Host() { return *s_pGallery->GetHost(); }
    template <class View>
    static View* Viewer(PreviewSlot slot)
    {
        return dynamic_cast<View*>(Host().GetViewer(slot));
    }
    static CCorrupted_NoPreview_View* NoPreview() { return Viewer<CCorrupted_NoPreview_View>(PreviewSlot::kNoPreview); }
    static COLORREF ScreenPixel(CWnd* pWnd, int x, int y)
    {
        POINT point{x, y};
        ::ClientToScreen(pWnd->GetSafeHwnd(), &point);
        HDC screen = ::GetDC(nullptr);
        const COLORREF color = ::GetPixel(screen, point.x, point.y);
        ::ReleaseDC(nullptr, screen);
        return color;
    }
    // Whether any pixel of the window on the screen has the colour: one copy of the
    // screen into memory, searched there.
    static bool ShowsColour(CWnd* pWnd, COLORREF color)
    {
        CRect client;
        pWnd->GetClientRect(&client);
        POINT origin{0, 0};
        ::ClientToScreen(pWnd->GetSafeHwnd(), &origin);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = client.Width();
        info.bmiHeader.biHeight = -client.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bool found = false;
        if (bitmap != nullptr && bits != nullptr)
        {
            HGDIOBJ old = ::SelectObject(memory, bitmap);
            ::BitBlt(memory, 0, 0, client.Width(), client.Height(), screen, origin.x, origin.y, SRCCOPY);
            ::GdiFlush();
            const auto* pixels = static_cast<const uint32_t*>(bits);
            const uint32_t wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
            for (size_t i = 0, n = static_cast<size_t>(client.Width()) * client.Height(); i < n && !found; ++i)
                found = (pixels[i] & 0xFFFFFF) == wanted;
            ::SelectObject(memory, old);
            ::DeleteObject(bitmap);
        }
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
        return found;
    }
    static CString ListText(HWND hList, int item, int column)
    {
        wchar_t text[256] = {};
        LVITEMW lvItem{};
        lvItem.iSubItem = column;
        lvItem.pszText = text;
        lvItem.cchTextMax = 256;
        ::SendMessageW(hList, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvItem));
        return text;
    }
    static int ColumnCount(HWND hList)
    {
        HWND hHeader = reinterpret_cast<HWND>(::SendMessageW(hList, LVM_GETHEADER, 0, 0));
        return static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    }
    static CString ColumnHeading(HWND hList, int column)
    {
        wchar_t text[64] = {};
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_TEXT;
        lvColumn.pszText = text;
        lvColumn.cchTextMax = 64;
        ::SendMessageW(hList, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&lvColumn));
        return text;
    }
    static int ItemCount(HWND hList) { return static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0)); }
    // The viewers live below the band's upper 35 pixels, over the rest of the pane.
    static void ExpectPlacedBelowTheBand(CWnd* pViewer)
    {
        CRect pane, viewer;
        Host().GetClientRect(&pane);
        pViewer->GetWindowRect(&viewer);
        Host().ScreenToClient(&viewer);
        EXPECT_EQ(viewer.top, CMainPreviewView::kViewerTop);
        EXPECT_EQ(viewer.Width(), pane.Width());
        EXPECT_EQ(viewer.bottom, pane.bottom);
    }

    static CPreviewGallery* s_pGallery;
};

CPreviewGallery* PreviewGalleryTest::s_pGallery = nullptr;

// A database of our own behind the Access preview's interface: a customer table,
// a system table, a query, a system query and a relation; the last record's
// second field cannot be read.
class CStandInDatabase : public IPreviewDatabase
{
public:
    std::vector<CString>* queriesRun = nullptr;

    std::vector<PreviewDatabaseObject> GetTableDefs() override
    {
        return {{L"MSysObjects", static_cast<long>(0x80000002), 0}, {L"Customers", 0, 0}, {L"Odd]Name", 0, 0}};
    }
    std::vector<PreviewDatabaseObject> GetQueryDefs() override
    {
        return {{L"~sq_hidden", 0, 5}, {L"Big spenders", 0, 0}};
    }
    std::vector<PreviewDatabaseObject> GetRelations() override
    {
        AfxThrowDaoException(3000, E_FAIL);  // a section that fails ends only itself
    }
    std::vector<CString> GetFieldNames(const CString&) override { return {L"Name", L"Paid", L"Since", L"Flag"}; }
    std::unique_ptr<IPreviewRecordset> OpenRecordset(const CString& sql) override
    {
        if (queriesRun != nullptr)
            queriesRun->push_back(sql);
        return std::make_unique<Records>();
    }

private:
    class Records : public IPreviewRecordset
    {
    public:
        BOOL IsEOF() override { return m_row >= 3; }
        void MoveNext() override { ++m_row; }
        short GetFieldCount() override { return 4; }
        COleVariant GetFieldValue(int index) override
        {
            if (m_row == 2 && index == 1)
                AfxThrowDaoException(3021, E_FAIL);
            COleVariant value;
            switch (index)
            {
            case 0: return COleVariant(m_row == 0 ? L"Ada" : L"Brian");
            case 1: value.vt = VT_I4; value.lVal = 100 * (m_row + 1); return value;
            case 2: value.vt = VT_UI1; value.bVal = 10; return value;
            default: value.vt = VT_BOOL; value.boolVal = m_row == 0 ? VARIANT_TRUE : VARIANT_FALSE; return value;
            }
        }

    private:
        int m_row = 0;
    };
};

TEST_F(PreviewGalleryTest, ThePaneStartsWithThePreviewNotSupportedPicture)
{
    // The pane's own first file is a placeholder of no previewable kind.
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_EQ(NoPreview()->GetDlgCtrlID(), static_cast<int>(CMainPreviewView::kViewerId));
    EXPECT_EQ(s_pGallery->GetSession().PreviewView, &Host());
}

TEST_F(PreviewGalleryTest, TextFileIsShownReadOnlyInItsEncoding)
{
    Show(L"notes.txt", L"preview-text.bmp");
    auto* pView = Viewer<CAdobeReaderView>(PreviewSlot::kDocument);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    EXPECT_EQ(s_pGallery->GetSession().PreviewOk, 1);
    CWnd* pEdit = pView->GetDlgItem(CAdobeReaderView::kRichEditId);
    ASSERT_NE(pEdit, nullptr);
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_STREQ(text.GetString(), L"Gr\u00fc\u00dfe aus der Vorschau\r\nline two\r\n");
    EXPECT_TRUE(pEdit->GetStyle() & ES_READONLY);
    ExpectPlacedBelowTheBand(pView);
    // Below the band's drawn part the pane is its light blue only where no viewer covers it.
    EXPECT_EQ(ScreenPixel(&Host(), 300, CMainPreviewView::kViewerTop - 1), GetColorTable()->GetColor(13));
}

TEST_F(PreviewGalleryTest, RtfDocumentIsStreamedIn)
{
    Show(L"letter.rtf");
    auto* pView = Viewer<CAdobeReaderView>(PreviewSlot::kDocument);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    CString text;
    pView->GetDlgItem(CAdobeReaderView::kRichEditId)->GetWindowText(text);
    EXPECT_STREQ(text.GetString(), L"Hello bold world");
}

TEST_F(PreviewGalleryTest, WordDocumentWithoutWordGoesThroughTheTextConverters)
{
    // Word cannot be driven here: the view takes the converters of WORDCNV_DIR.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"WORDCNV_DIR", L"" PREVIEW_CONVERTER_DIR));
    Show(L"report.doc", L"preview-word-converted.bmp");
    ::SetEnvironmentVariableW(L"WORDCNV_DIR", nullptr);
    auto* pView = Viewer<CAdobeReaderView>(PreviewSlot::kDocument);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    CString text;
    pView->GetDlgItem(CAdobeReaderView::kRichEditId)->GetWindowText(text);
    EXPECT_STREQ(text.GetString(), L"not a real Word document");
    // The temporary RTF copy is gone once the preview is built.
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder) / L"New.rtf"));
}

TEST_F(PreviewGalleryTest, DbaseTableFillsOneColumnPerField)
{
    Show(L"people.dbf", L"preview-dbase.bmp");
    auto* pView = Viewer<CDBF_View>(PreviewSlot::kDbf);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    HWND hList = pView->GetList().GetSafeHwnd();
    ASSERT_EQ(::GetDlgCtrlID(hList), static_cast<int>(CDBF_View::kListId));
    ASSERT_EQ(ColumnCount(hList), 7);
    EXPECT_STREQ(ColumnHeading(hList, 0).GetString(), L"Index");
    EXPECT_STREQ(ColumnHeading(hList, 1).GetString(), L"NAME");
    ASSERT_EQ(ItemCount(hList), 3);
    EXPECT_STREQ(ListText(hList, 0, 0).GetString(), L"1");
    EXPECT_STREQ(ListText(hList, 0, 1).GetString(), L"Alice     ");
    EXPECT_STREQ(ListText(hList, 0, 2).GetString(), L"12.500000");
    EXPECT_STREQ(ListText(hList, 0, 3).GetString(), L"1980/01/02");
    EXPECT_STREQ(ListText(hList, 0, 4).GetString(), L"TRUE");
    EXPECT_STREQ(ListText(hList, 2, 0).GetString(), L"3");
    EXPECT_STREQ(ListText(hList, 0, 6).GetString(), L"Memo");
}

TEST_F(PreviewGalleryTest, PhotoshopImageIsStretchedOverTheView)
{
    Show(L"picture.psd", L"preview-photoshop.bmp");
    auto* pView = Viewer<CPSDViewView>(PreviewSlot::kPsd);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    EXPECT_EQ(pView->GetResult(), 0);
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(ScreenPixel(pView, client.Width() / 4, client.Height() / 2), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(pView, client.Width() * 3 / 4, client.Height() / 2), RGB(0, 0, 255));
}

TEST_F(PreviewGalleryTest, ZipArchiveListsItsMembers)
{
    Show(L"bundle.zip", L"preview-zip.bmp");
    auto* pView = Viewer<CMyListCtrl>(PreviewSlot::kArchive);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    HWND hList = pView->GetList()->GetSafeHwnd();
    ASSERT_EQ(ColumnCount(hList), 7);
    EXPECT_STREQ(ColumnHeading(hList, 5).GetString(), L"modify Time");
    ASSERT_EQ(ItemCount(hList), 2);
    EXPECT_STREQ(ListText(hList, 0, 0).GetString(), L"readme.txt");
    EXPECT_STREQ(ListText(hList, 0, 1).GetString(), L"No");
    EXPECT_STREQ(ListText(hList, 1, 0).GetString(), L"docs/guide.txt");
    EXPECT_STREQ(ListText(hList, 1, 1).GetString(), L"Yes");
    // The compressed size: 10,000 zero bytes deflate to far fewer.
    EXPECT_LT(_wtoi(ListText(hList, 1, 2)), 1000);
    EXPECT_FALSE(ListText(hList, 1, 5).IsEmpty());
}

TEST_F(PreviewGalleryTest, CabinetListsItsMembersLastFirst)
{
    Show(L"files.cab");
    auto* pView = Viewer<CMyListCtrl>(PreviewSlot::kArchive);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    HWND hList = pView->GetList()->GetSafeHwnd();
    ASSERT_EQ(ColumnCount(hList), 5);
    ASSERT_EQ(ItemCount(hList), 2);
    EXPECT_STREQ(ListText(hList, 0, 0).GetString(), L"b.txt");
    EXPECT_STREQ(ListText(hList, 0, 2).GetString(), L"7");
    EXPECT_STREQ(ListText(hList, 1, 0).GetString(), L"a.txt");
    EXPECT_STREQ(ListText(hList, 1, 4).GetString(), L"-a--");
}

TEST_F(PreviewGalleryTest, RarArchiveIsListedThroughUnrar)
{
    rartest::Member folder = rartest::File("photos", 0, 0);
    folder.Directory = true;
    folder.Attributes = 0x10;
    rartest::Member member = rartest::File("photos\\beach.jpg", 10, 123456);
    member.DosTime = (46u << 25) | (7u << 21) | (14u << 16) | (9u << 11) | (30u << 5);  // 14 Jul 2026 09:30
    member.Attributes = 0x21;
    const rartest::Bytes archive = rartest::Rar4Archive({folder, member});
    FILE* out = _wfopen(File(L"holiday.rar").c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    fwrite(archive.data(), 1, archive.size(), out);
    fclose(out);

    Show(L"holiday.rar", L"preview-rar.bmp");
    auto* pView = Viewer<CMyListCtrl>(PreviewSlot::kArchive);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    HWND hList = pView->GetList()->GetSafeHwnd();
    ASSERT_EQ(ItemCount(hList), 2);
    EXPECT_STREQ(ListText(hList, 1, 0).GetString(), L"photos\\beach.jpg");
    EXPECT_STREQ(ListText(hList, 1, 2).GetString(), L"123456");
    EXPECT_STREQ(ListText(hList, 1, 3).GetString(), L"14 Jul 2026, 09:30:00");
    EXPECT_STREQ(ListText(hList, 1, 4).GetString(), L"ra--");
}

TEST_F(PreviewGalleryTest, ImageIsDecodedOnceAndDrawnTwoHundredPixelsWide)
{
    Show(L"photo.png", L"preview-image.bmp");
    auto* pView = Viewer<CImage_View>(PreviewSlot::kImage);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
    ASSERT_TRUE(pView->GetImage().IsValid());
    EXPECT_EQ(pView->GetImage().GetWidth(), 100u);
    CRect client;
    pView->GetClientRect(&client);
    // Twice as wide as high: 200 x 150 at top 35.
    const CRect picture = CImage_View::PictureRect(client.Width(), 100, 50);
    EXPECT_EQ(picture.top, 35);
    EXPECT_EQ(picture.Height(), 150);
    EXPECT_EQ(ScreenPixel(pView, picture.CenterPoint().x, picture.CenterPoint().y), RGB(0, 0xC0, 0));
}

TEST_F(PreviewGalleryTest, DrawingIsFittedZoomedByTheWheelAndDraggedByTheMouse)
{
    Show(L"plan.dxf", L"preview-dxf.bmp");
    auto* pView = Viewer<CDFXView>(PreviewSlot::kDxf);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    CDxfLibrary& library = pView->GetLibrary();
    ASSERT_TRUE(library.HasDrawing());
    CDxfCanvas& canvas = pView->GetCanvas();
    CRect client;
    canvas.GetClientRect(&client);
    // The 100 x 100 square fills the canvas's height, centred: its left edge is a black line.
    preview::DxfViewProperties view{};
    ASSERT_TRUE(library.GetViewProperties(view));
    const double scale = view.PixelsPerUnit;
    EXPECT_NEAR(scale, client.Height() / 100.0, 1e-9);
    const int leftEdge = static_cast<int>((0 - view.OriginX) * scale);
    EXPECT_EQ(ScreenPixel(&canvas, leftEdge, client.Height() / 2), RGB(0, 0, 0));
    EXPECT_EQ(ScreenPixel(&canvas, leftEdge + 5, client.Height() / 2), RGB(255, 255, 255));

    // Three steps of the wheel up: 1.5 cubed, the centre staying where it is.
    const CPoint centre = client.CenterPoint();
    for (int i = 0; i < 3; ++i)
        pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(centre.x, centre.y));
    EXPECT_NEAR(library.GetZoom(), 3.375, 1e-12);
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_NEAR(library.GetZoom(), 2.25, 1e-12);

    // Dragging 10 pixels to the right moves the origin 10 pixels' worth of units left.
    ASSERT_TRUE(library.GetViewProperties(view));
    const double before = view.OriginX;
    canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(110, 100));
    canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(110, 100));
    ASSERT_TRUE(library.GetViewProperties(view));
    EXPECT_NEAR(before - view.OriginX, 10 / (view.PixelsPerUnit * view.ZoomLevel), 1e-9);
    Pump();
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), L"preview-dxf-zoomed.bmp"));
}

TEST_F(PreviewGalleryTest, DrawingWithoutHeaderOrLibraryIsNotShown)
{
    Show(L"noheader.dxf");
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_CORRUPTED));
    EXPECT_GE(NoPreview()->GetReason().Find(L"header"), 0);

    // Without the library the drawing has no preview here; the file is not to blame.
    Show(L"thing.xyz");
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::filesystem::path library = std::filesystem::path(exe).parent_path() / L"DXF.dll";
    const std::filesystem::path parked = library.wstring() + L".parked";
    std::filesystem::rename(library, parked);
    Show(L"plan.dxf");
    std::filesystem::rename(parked, library);
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_GE(NoPreview()->GetReason().Find(L"DXF.dll"), 0);
}

TEST_F(PreviewGalleryTest, ImageFormatsOfTheImagingComponentAreDecoded)
{
    // PCX and the any-maps (binary and text) come from the view's own readers.
    for (const wchar_t* name : {L"photo.jpg", L"photo.bmp", L"photo.tif", L"photo.pcx", L"photo.ppm", L"photo.pnm",
                                L"plain.ppm"})
    {
        SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
        Show(name);
        auto* pView = Viewer<CImage_View>(PreviewSlot::kImage);
        ASSERT_NE(pView, nullptr);
        EXPECT_EQ(NoPreview(), nullptr);
        ASSERT_TRUE(pView->GetImage().IsValid());
        const COLORREF centre = pView->GetImage().GetPixelColor(50, 25);
        // JPEG is lossy: near the green it was made from.
        EXPECT_NEAR(GetGValue(centre), 0xC0, 6);
        EXPECT_LE(GetRValue(centre), 6);
    }
}

TEST_F(PreviewGalleryTest, GreyMapIsDecodedAndJpeg2000WithoutADecoderIsNotSupported)
{
    Show(L"photo.pgm", L"preview-pnm.bmp");
    auto* pView = Viewer<CImage_View>(PreviewSlot::kImage);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    ASSERT_TRUE(pView->GetImage().IsValid());
    const COLORREF grey = pView->GetImage().GetPixelColor(50, 25);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_GT(GetGValue(grey), 0x40);  // the green's brightness, not black
    // Nothing is wrong with the file: this machine has no decoder for it.
    Show(L"photo.jp2", L"preview-jpeg2000.bmp");
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_GE(NoPreview()->GetReason().Find(L"no decoder"), 0) << NoPreview()->GetReason().GetString();
}

TEST_F(PreviewGalleryTest, IconIsStretchedBetweenTheMargins)
{
    Show(L"badge.ico", L"preview-icon.bmp");
    auto* pView = Viewer<CTextView>(PreviewSlot::kPicture);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    EXPECT_EQ(pView->GetPixelSize(), CSize(32, 32));
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(ScreenPixel(pView, client.Width() / 2, client.Height() / 2), RGB(0xFF, 0x80, 0));
    EXPECT_EQ(ScreenPixel(pView, 100, client.Height() / 2), RGB(255, 255, 255));
    EXPECT_EQ(CTextView::HimetricToPixels(2540, 96), 96);
    EXPECT_EQ(CTextView::HimetricToPixels(1, 96), 0);
}

TEST_F(PreviewGalleryTest, MetafileIsShownByThePictureView)
{
    // An enhanced metafile drawn here: a blue square on its own.
    const std::wstring path = File(L"shape.emf");
    HDC hMeta = ::CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
    ASSERT_NE(hMeta, nullptr);
    const RECT square{0, 0, 100, 100};
    HBRUSH hBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(hMeta, &square, hBlue);
    ::DeleteObject(hBlue);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));

    Show(L"shape.emf", L"preview-metafile.bmp");
    auto* pView = Viewer<CTextView>(PreviewSlot::kPicture);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    EXPECT_GT(pView->GetPixelSize().cx, 0);
}

TEST_F(PreviewGalleryTest, WindowsMetafileIsShownByThePictureView)
{
    // A placeable Windows metafile drawn here: a blue 100 x 100 square at 96 units an inch.
    HDC hMeta = ::CreateMetaFileW(nullptr);
    ASSERT_NE(hMeta, nullptr);
    ::SetWindowOrgEx(hMeta, 0, 0, nullptr);
    ::SetWindowExtEx(hMeta, 100, 100, nullptr);
    HBRUSH hBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ hOldBrush = ::SelectObject(hMeta, hBlue);
    ::SelectObject(hMeta, ::GetStockObject(NULL_PEN));
    ::Rectangle(hMeta, 0, 0, 101, 101);
    ::SelectObject(hMeta, hOldBrush);
    HMETAFILE hMetafile = ::CloseMetaFile(hMeta);
    ::DeleteObject(hBlue);
    ASSERT_NE(hMetafile, nullptr);
    std::vector<BYTE> records(::GetMetaFileBitsEx(hMetafile, 0, nullptr));
    ::GetMetaFileBitsEx(hMetafile, static_cast<UINT>(records.size()), records.data());
    ::DeleteMetaFile(hMetafile);
    const uint16_t words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 96, 0, 0};
    uint16_t checksum = 0;
    for (uint16_t word : words)
        checksum ^= word;
    FILE* out = _wfopen(File(L"shape.wmf").c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    fwrite(words, sizeof(words), 1, out);
    fwrite(&checksum, sizeof(checksum), 1, out);
    fwrite(records.data(), 1, records.size(), out);
    fclose(out);

    // The extension table leaves .wmf out; the picture view shows it when asked.
    Show(L"thing.xyz");
    Host().ClosePreviewWindows();
    Host().CreatePictureView(File(L"shape.wmf").c_str());
    Pump();
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), L"preview-wmf.bmp"));
    auto* pView = Viewer<CTextView>(PreviewSlot::kPicture);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    EXPECT_GT(pView->GetPixelSize().cx, 0);
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(ScreenPixel(pView, client.Width() / 2, client.Height() / 2), RGB(0, 0, 255));
}

TEST_F(PreviewGalleryTest, WirelessBitmapIsDecodedByTheOwnReader)
{
    // Not in the extension table either; the image view reads it by its own reader.
    Show(L"thing.xyz");
    Host().ClosePreviewWindows();
    Host().CreateImageView(File(L"mark.wbmp").c_str());
    Pump();
    auto* pView = Viewer<CImage_View>(PreviewSlot::kImage);
    ASSERT_NE(pView, nullptr);
    ASSERT_TRUE(pView->GetImage().IsValid());
    EXPECT_EQ(pView->GetImage().GetWidth(), 16u);
    EXPECT_EQ(pView->GetImage().GetHeight(), 8u);
    // Rows are counted from the top: the black band, then white.
    EXPECT_EQ(pView->GetImage().GetPixelColor(3, 1), RGB(0, 0, 0));
    EXPECT_EQ(pView->GetImage().GetPixelColor(3, 6), RGB(255, 255, 255));
}

TEST_F(PreviewGalleryTest, GifGoesToTheBrowserGroupAndIsShownByTheOwnRenderer)
{
    Show(L"photo.gif");
    auto* pView = Viewer<CHtml_View>(PreviewSlot::kHtml);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    // The browser control is used wherever it can draw; here its HTML engine is
    // absent, so the own renderer shows the picture.
    ASSERT_EQ(pView->IsBrowserAvailable() != FALSE, CHtmlView::IsBrowserEngineAvailable());
    ASSERT_FALSE(CHtmlView::IsBrowserEngineAvailable()) << "this test expects Wine without its HTML engine";
    preview::CMiniBrowser* pBrowser = pView->GetOwnRenderer();
    HWND hCanvas = ::FindWindowExW(pView->GetSafeHwnd(), nullptr, L"#32770", nullptr);
    ASSERT_NE(pBrowser, nullptr);
    ASSERT_NE(hCanvas, nullptr);
    // The picture alone on a yellow page, decoded by a loader: waited for, bounded.
    bool shown = false;
    for (int i = 0; i < 100 && !shown; ++i)
    {
        Pump();
        for (const auto& element : pBrowser->Document().Elements())
        {
            if (element->kind != preview::kElementImage || element->width != 100)
                continue;
            ::UpdateWindow(hCanvas);
            POINT centre{element->x + 50, element->y + 25};
            ::ClientToScreen(hCanvas, &centre);
            HDC screen = ::GetDC(nullptr);
            shown = ::GetPixel(screen, centre.x, centre.y) == RGB(0, 0xC0, 0);
            ::ReleaseDC(nullptr, screen);
        }
    }
    EXPECT_TRUE(shown);
    CRect canvas;
    ::GetClientRect(hCanvas, &canvas);
    POINT corner{canvas.right - 5, canvas.bottom - 5};
    ::ClientToScreen(hCanvas, &corner);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetPixel(screen, corner.x, corner.y), RGB(255, 255, 0));
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), L"preview-gif.bmp"));
}

TEST_F(PreviewGalleryTest, TwoFilesOfOneKindInARowGetTheSameView)
{
    // Hosted controls are set up once for the process: the second file of a kind
    // is shown like the first, never blank or "corrupted" after it.
    struct Case { const wchar_t* file; PreviewSlot slot; };
    const Case cases[] = {{L"page.htm", PreviewSlot::kHtml}, {L"photo.gif", PreviewSlot::kHtml},
                          {L"photo.ppm", PreviewSlot::kImage}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)));
        for (int time = 0; time < 2; ++time)
        {
            Show(c.file, std::wstring(c.file) == L"page.htm" && time == 1 ? L"preview-second-html.bmp" : nullptr);
            EXPECT_NE(Host().GetViewer(c.slot), nullptr);
            EXPECT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
            if (auto* pHtml = Viewer<CHtml_View>(PreviewSlot::kHtml))
            {
                EXPECT_EQ(pHtml->IsBrowserAvailable() != FALSE, CHtmlView::IsBrowserEngineAvailable());
                if (!pHtml->IsBrowserAvailable())
                {
                    EXPECT_NE(pHtml->GetOwnRenderer(), nullptr);
                }
            }
        }
    }
}

TEST_F(PreviewGalleryTest, SlidePicturesBecomeNumberedThumbnailsAndAreDeleted)
{
    // PowerPoint is not here: a presentation has no preview, the file is not to blame.
    Show(L"slides.ppt");
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_GE(NoPreview()->GetReason().Find(L"PowerPoint"), 0);

    // What PowerPoint's export leaves: one picture per slide in a folder.
    const std::filesystem::path folder = std::filesystem::absolute(L"files") / L"ssss";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(File(L"photo.png"), folder / L"Slide2.PNG");
    std::filesystem::copy_file(File(L"photo.bmp"), folder / L"Slide1.bmp");
    std::filesystem::copy_file(File(L"notes.txt"), folder / L"notes.txt");
    Host().ClosePreviewWindows();
    Host().CreateThumbView(folder.wstring().c_str());
    Pump();
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), L"preview-thumbnails.bmp"));
    auto* pView = Viewer<CThumbView>(PreviewSlot::kThumb);
    ASSERT_NE(pView, nullptr);
    HWND hList = pView->GetSafeHwnd();
    ASSERT_EQ(ItemCount(hList), 2);
    EXPECT_STREQ(ListText(hList, 0, 0).GetString(), L"1");
    EXPECT_STREQ(ListText(hList, 1, 0).GetString(), L"2");
    EXPECT_EQ(::ImageList_GetImageCount(pView->GetImages()), 2);
    // The export folder is gone with everything in it, pictures or not.
    EXPECT_FALSE(std::filesystem::exists(folder / L"slide1.bmp"));
    EXPECT_FALSE(std::filesystem::exists(folder / L"notes.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder));
    std::filesystem::remove_all(folder);
    // A 2:1 picture fills the width, centred; a 1:1 one the height.
    EXPECT_EQ(CThumbView::ThumbRect(100, 50), CRect(0, 20, 160, 100));
    EXPECT_EQ(CThumbView::ThumbRect(10, 10), CRect(20, 0, 140, 120));
    EXPECT_EQ(CThumbView::ThumbRect(4, 3), CRect(0, 0, 160, 120));
}

TEST_F(PreviewGalleryTest, AccessDatabaseShowsItsTreeAndTheRecordsOfTheChosenTable)
{
    std::vector<CString> queries;
    s_pGallery->GetSession().OpenDatabase = [&queries](const CString&, CString&, bool&) {
        auto database = std::make_unique<CStandInDatabase>();
        database->queriesRun = &queries;
        return std::unique_ptr<IPreviewDatabase>(std::move(database));
    };
    Show(L"sales.mdb");
    s_pGallery->GetSession().OpenDatabase = nullptr;
    auto* pView = Viewer<CMDB_View>(PreviewSlot::kMdb);
    ASSERT_NE(pView, nullptr);
    ASSERT_EQ(NoPreview(), nullptr) << NoPreview()->GetReason().GetString();
    CDaoTreeView* pTree = pView->GetTree();
    HWND hTree = pTree->GetSafeHwnd();
    auto childTexts = [hTree](HTREEITEM hParent) {
        std::vector<std::wstring> texts;
        for (auto hItem = reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                     reinterpret_cast<LPARAM>(hParent)));
             hItem != nullptr; hItem = reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                                  reinterpret_cast<LPARAM>(hItem))))
        {
            wchar_t text[64] = {};
            TVITEMW item{};
            item.mask = TVIF_TEXT;
            item.hItem = hItem;
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            texts.push_back(text);
        }
        return texts;
    };
    // System tables and system queries are left out; the relations failed alone.
    EXPECT_EQ(childTexts(pTree->GetTablesItem()), (std::vector<std::wstring>{L"Customers", L"Odd]Name"}));
    EXPECT_EQ(childTexts(pTree->GetQueriesItem()), (std::vector<std::wstring>{L"Big spenders"}));
    EXPECT_TRUE(childTexts(pTree->GetRelationsItem()).empty());

    // Choosing a table, as a click does, fills the record list.
    const auto hCustomers = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(pTree->GetTablesItem())));
    ::SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hCustomers));
    Pump();
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->GetFrame()->GetSafeHwnd(), L"preview-access.bmp"));
    HWND hList = pView->GetRecordList()->GetList()->GetSafeHwnd();
    ASSERT_EQ(ColumnCount(hList), 5);
    EXPECT_STREQ(ColumnHeading(hList, 1).GetString(), L"Name");
    ASSERT_EQ(ItemCount(hList), 3);
    EXPECT_STREQ(ListText(hList, 0, 0).GetString(), L"0");
    EXPECT_STREQ(ListText(hList, 0, 2).GetString(), L"100");
    EXPECT_STREQ(ListText(hList, 0, 3).GetString(), L"0x0A");
    EXPECT_STREQ(ListText(hList, 0, 4).GetString(), L"TRUE");
    // The value that could not be read shows the one read before it.
    EXPECT_STREQ(ListText(hList, 2, 2).GetString(), L"Brian");
    EXPECT_STREQ(pView->GetRecordList()->GetStatusText().GetString(), L"Loaded 3 of 3 total records");
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_STREQ(queries[0].GetString(), L"Select * From [Customers]");
    EXPECT_STREQ(CMDBListView::SelectAllFrom(L"Odd]Name").GetString(), L"Select * From [Odd]]Name]");
    // Choosing "Tables" leaves the list as it is.
    ::SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(pTree->GetTablesItem()));
    EXPECT_EQ(ItemCount(hList), 3);
}

TEST_F(PreviewGalleryTest, FileAboveTheLimitGetsTheLargeFileView)
{
    Show(L"huge.bin", L"preview-large.bmp");
    EXPECT_NE(Viewer<CLargeFileView>(PreviewSlot::kLargeFile), nullptr);
    EXPECT_EQ(NoPreview(), nullptr);
}

TEST_F(PreviewGalleryTest, UnknownKindGetsPreviewNotSupported)
{
    Show(L"thing.xyz", L"preview-unknown.bmp");
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_TRUE(NoPreview()->GetReason().IsEmpty());
    EXPECT_EQ(s_pGallery->GetSession().LastPreviewable, 0);
}

TEST_F(PreviewGalleryTest, MissingComponentsGivePreviewNotSupportedWithTheReason)
{
    struct Case { const wchar_t* file; PreviewSlot failedSlot; const wchar_t* reasonPart; };
    const Case cases[] = {
        {L"manual.pdf", PreviewSlot::kNoPreview, L"PDF viewer control"},  // the viewer refuses to exist
        {L"report.doc", PreviewSlot::kDocument, L"Word"},
    };
    std::vector<CString> errors;
    s_pGallery->GetSession().ShowError = [&errors](const CString& text) { errors.push_back(text); };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)));
        errors.clear();
        Show(c.file, c.failedSlot == PreviewSlot::kDocument ? L"preview-no-word.bmp" : nullptr);
        // Without its control a PDF file says "Unable to open." before the no-preview view.
        if (c.failedSlot == PreviewSlot::kNoPreview)
            EXPECT_EQ(errors, std::vector<CString>{L"Unable to open."});
        else
            EXPECT_TRUE(errors.empty());
        ASSERT_NE(NoPreview(), nullptr);
        EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
        EXPECT_GE(NoPreview()->GetReason().Find(c.reasonPart), 0);
        EXPECT_NE(Host().GetViewer(c.failedSlot), nullptr);
    }
    s_pGallery->GetSession().ShowError = nullptr;
    // A kind whose viewer this program does not have.
    Show(L"thing.xyz");
    Show(L"sales.mdb");
    ASSERT_NE(NoPreview(), nullptr);
    EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED));
    EXPECT_GE(NoPreview()->GetReason().Find(L"DAO"), 0);
    // Wine's media player control is hosted: a valid sound gets the player, never
    // the corrupted picture, however many came before it.
    for (int time = 0; time < 2; ++time)
    {
        Show(L"sound.wav", time == 1 ? L"preview-player.bmp" : nullptr);
        CView* pMedia = Host().GetViewer(PreviewSlot::kMedia);
        ASSERT_NE(pMedia, nullptr);
        EXPECT_NE(::GetDlgItem(pMedia->GetSafeHwnd(), CMyMedia::kPlayerId), nullptr) << "the player is not hosted";
        if (NoPreview() != nullptr)
        {
            EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_UNSUPPORTED))
                << NoPreview()->GetReason().GetString();
        }
    }
}

TEST_F(PreviewGalleryTest, FilmGetsAnMciWindowThatNeverStopsTheProgram)
{
    Show(L"clip.avi");
    auto* pView = Viewer<CAviView>(PreviewSlot::kAvi);
    ASSERT_NE(pView, nullptr);
    ASSERT_NE(pView->GetPlayer(), nullptr);
    EXPECT_EQ(::GetParent(pView->GetPlayer()), pView->GetSafeHwnd());
    // No error box of the MCI window waits for the user. Only this program's own
    // windows count: others may share the display.
    bool box = false;
    for (HWND hWnd = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); hWnd != nullptr;
         hWnd = ::FindWindowExW(nullptr, hWnd, L"#32770", nullptr))
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(hWnd, &process);
        box = box || (process == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd));
    }
    EXPECT_FALSE(box);
}

TEST_F(PreviewGalleryTest, DamagedFilesGiveTheCorruptedPictureWithTheirReason)
{
    struct Case { const wchar_t* file; PreviewSlot viewerSlot; const wchar_t* reasonPart; };
    const Case cases[] = {
        {L"broken.dbf", PreviewSlot::kDbf, L"no field descriptors"},
        {L"broken.psd", PreviewSlot::kPsd, L"Photoshop header"},
        {L"broken.zip", PreviewSlot::kArchive, L"ZIP archive"},
        {L"broken.png", PreviewSlot::kImage, L"could not be decoded"},
        {L"broken.cab", PreviewSlot::kArchive, L"cabinet"},
        {L"broken.ico", PreviewSlot::kPicture, L"picture"},
        {L"broken.pcx", PreviewSlot::kImage, L"could not be decoded"},
        {L"missing.c", PreviewSlot::kDocument, L"could not be opened"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)));
        Show(c.file, std::wstring(c.file) == L"broken.zip" ? L"preview-damaged-zip.bmp" : nullptr);
        ASSERT_NE(NoPreview(), nullptr);
        EXPECT_EQ(NoPreview()->GetBitmapId(), static_cast<UINT>(IDB_PREVIEW_CORRUPTED));
        EXPECT_GE(NoPreview()->GetReason().Find(c.reasonPart), 0) << NoPreview()->GetReason().GetString();
        // The failed viewer stays in its slot, covered, until the next file.
        CView* pFailed = Host().GetViewer(c.viewerSlot);
        ASSERT_NE(pFailed, nullptr);
        HWND hAbove = ::GetWindow(pFailed->GetSafeHwnd(), GW_HWNDPREV);
        EXPECT_EQ(hAbove, NoPreview()->GetSafeHwnd());
    }
}

TEST_F(PreviewGalleryTest, PlainTextThatCannotBeOpenedGetsTheNoPreviewViewWithItsReason)
{
    // Like source text: no empty read-only box without a word of why.
    for (const wchar_t* name : {L"missing.txt", L"missing.ini", L"missing.c"})
    {
        SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
        Show(name);
        EXPECT_NE(Viewer<CAdobeReaderView>(PreviewSlot::kDocument), nullptr);
        ASSERT_NE(NoPreview(), nullptr);
        EXPECT_GE(NoPreview()->GetReason().Find(L"could not be opened"), 0) << NoPreview()->GetReason().GetString();
        EXPECT_EQ(s_pGallery->GetSession().PreviewOk, 0);
    }
}

TEST_F(PreviewGalleryTest, EachPreviewClosesTheViewersOfTheLastOne)
{
    Show(L"broken.dbf");
    const HWND hFailed = Host().GetViewer(PreviewSlot::kDbf)->GetSafeHwnd();
    const HWND hCover = NoPreview()->GetSafeHwnd();
    Show(L"notes.txt");
    EXPECT_FALSE(::IsWindow(hFailed));
    EXPECT_FALSE(::IsWindow(hCover));
    EXPECT_EQ(Host().GetViewer(PreviewSlot::kDbf), nullptr);
    int viewers = 0;
    for (HWND hChild = ::GetWindow(Host().GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ++viewers;
    EXPECT_EQ(viewers, 1);
}

TEST_F(PreviewGalleryTest, ResizingThePaneMovesEveryViewerBelowTheBand)
{
    Show(L"broken.psd");
    CFrameWnd* pFrame = s_pGallery->GetFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ExpectPlacedBelowTheBand(Host().GetViewer(PreviewSlot::kPsd));
    ExpectPlacedBelowTheBand(NoPreview());
    pFrame->SetWindowPos(nullptr, 0, 0, 800, 540, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
}

}  // namespace
