#include "CPSDViewView.h"

#include "PreviewSession.h"
#include "ViewerText.h"
#include "ViewerWindows.h"

IMPLEMENT_DYNCREATE(CPSDViewView, CView)

BEGIN_MESSAGE_MAP(CPSDViewView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

LPCTSTR ReasonOf(int result)
{
    switch (result)
    {
    case preview::kPsdCannotOpen: return L"The Photoshop document could not be opened.";
    case preview::kPsdBadHeader: return L"The file has no valid Photoshop header.";
    case preview::kPsdBadColourData: return L"The Photoshop document's colour data is damaged.";
    case preview::kPsdBadResources: return L"The Photoshop document's image resources are damaged.";
    case preview::kPsdBadImageData: return L"The Photoshop document's image data is damaged.";
    case preview::kPsdNoBitmap: return L"The Photoshop document's sample depth cannot be shown.";
    case preview::kPsdZipCompression:
    case preview::kPsdZipPredictionCompression: return L"The Photoshop document's image data is ZIP-compressed.";
    case preview::kPsdUnknownCompression: return L"The Photoshop document's image data uses an unknown compression.";
    default: return L"The Photoshop document holds no composite image that can be shown.";
    }
}

}  // namespace

CPSDViewView::~CPSDViewView()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

int CPSDViewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_frame.Create(L"", WS_CHILD | SS_BLACKFRAME | SS_CENTERIMAGE, client, this, kFrameId);
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession != nullptr)
    {
        LoadFile(pSession->PreviewFilePath);
        pSession->PreviewOk = 1;
        // A document that gives no picture is reported, not shown as an empty view.
        if (m_hBitmap == nullptr)
            pSession->ReportFailure(ReasonOf(m_nResult));
    }
    m_frame.ShowWindow(SW_SHOW);
    return 0;
}

int CPSDViewView::LoadFile(const CString& strPath)
{
    preview::CPsdDecoder decoder;
    m_nResult = decoder.Load(ToPath(strPath));
    if (m_nResult == preview::kPsdOk && decoder.HasPicture())
    {
        m_hBitmap = CreateBitmap(decoder);
        m_size = CSize(static_cast<int>(decoder.Width()), static_cast<int>(decoder.Height()));
    }
    // The decoded pixels go with the decoder: the bitmap holds them from here on.
    return 0;
}

HBITMAP CPSDViewView::CreateBitmap(const preview::CPsdDecoder& decoder)
{
    const uint32_t width = decoder.Width(), height = decoder.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = decoder.PixelsPerMetreX();
    info.bmiHeader.biYPelsPerMeter = decoder.PixelsPerMetreY();
    void* pBits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (hBitmap == nullptr || pBits == nullptr)
        return nullptr;
    // Rows are stored bottom-up, each padded to four bytes, pixels as blue, green, red.
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const auto& pixels = decoder.Pixels();
    auto* pBytes = static_cast<BYTE*>(pBits);
    for (uint32_t y = 0; y < height; ++y)
    {
        BYTE* pRow = pBytes + static_cast<size_t>(height - 1 - y) * stride;
        const preview::PsdRgb* pSource = pixels.data() + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x)
        {
            pRow[3 * x] = pSource[x].blue;
            pRow[3 * x + 1] = pSource[x].green;
            pRow[3 * x + 2] = pSource[x].red;
        }
    }
    return hBitmap;
}

void CPSDViewView::OnDraw(CDC* pDC)
{
    if (m_nResult != preview::kPsdOk || m_frame.GetSafeHwnd() == nullptr || m_hBitmap == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = memory.SelectObject(m_hBitmap);
    pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, m_size.cx, m_size.cy,
                    SRCCOPY);
    memory.SelectObject(hOld);
}

void CPSDViewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, &m_frame);
}

void CPSDViewView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}
