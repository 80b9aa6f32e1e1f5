#include "CTextView.h"

#include "PreviewSession.h"

#include <olectl.h>

IMPLEMENT_DYNCREATE(CTextView, CView)

BEGIN_MESSAGE_MAP(CTextView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CTextView::~CTextView()
{
    if (m_pPicture != nullptr)
        m_pPicture->Release();
}

int CTextView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession != nullptr && LoadPicture(pSession->PreviewFilePath) == 0)
        pSession->ReportFailure(L"The picture could not be loaded.");
    return 0;
}

int CTextView::HimetricToPixels(int himetric, int pixelsPerInch)
{
    // 2540 HIMETRIC units are one inch; 64 bits so that no size can overflow.
    return static_cast<int>((static_cast<int64_t>(pixelsPerInch) * himetric + 1270) / 2540);
}

int CTextView::LoadPicture(const CString& strPath)
{
    IPicture* pPicture = nullptr;
    // OleLoadPicturePath takes a non-const path; it does not write to it.
    CString path = strPath;
    if (FAILED(::OleLoadPicturePath(const_cast<LPOLESTR>(path.GetString()), nullptr, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&pPicture))) ||
        pPicture == nullptr)
        return 0;
    if (m_pPicture != nullptr)
        m_pPicture->Release();
    m_pPicture = pPicture;
    m_pPicture->get_Width(&m_nHimetricWidth);
    m_pPicture->get_Height(&m_nHimetricHeight);
    HDC screen = ::GetDC(nullptr);
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    m_nPixelWidth = HimetricToPixels(m_nHimetricWidth, dpiX);
    m_nPixelHeight = HimetricToPixels(m_nHimetricHeight, dpiY);
    return 1;
}

void CTextView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pDC->IsPrinting())
        return;
    // Screen pixels keep their physical size on paper.
    HDC display = ::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    const int screenX = ::GetDeviceCaps(display, LOGPIXELSX), screenY = ::GetDeviceCaps(display, LOGPIXELSY);
    ::DeleteDC(display);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(screenX, screenY);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
}

void CTextView::OnDraw(CDC* pDC)
{
    if (m_pPicture == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    // Used as right and bottom: the picture spans 200 pixels in from each side, 10 from top and bottom.
    CRect target(client.left + 200, client.top + 10, client.right - 200, client.bottom - 10);

    OLE_HANDLE hPalette = 0;
    HPALETTE hOldPalette = nullptr;
    if (SUCCEEDED(m_pPicture->get_hPal(&hPalette)) && hPalette != 0)
    {
        hOldPalette = ::SelectPalette(pDC->GetSafeHdc(), reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(hPalette)),
                                      FALSE);
        ::RealizePalette(pDC->GetSafeHdc());
    }
    DWORD attributes = 0;
    if (FAILED(m_pPicture->get_Attributes(&attributes)) || (attributes & PICTURE_TRANSPARENT) != 0)
    {
        DrawTransparent(pDC, target);
    }
    else
    {
        m_pPicture->Render(pDC->GetSafeHdc(), 0, 0, m_nPixelWidth, m_nPixelHeight, 0, m_nHimetricHeight,
                           m_nHimetricWidth, -m_nHimetricHeight, &client);
    }
    if (hOldPalette != nullptr)
        ::SelectPalette(pDC->GetSafeHdc(), hOldPalette, FALSE);
}

void CTextView::DrawTransparent(CDC* pDC, const CRect& target)
{
    if (m_nPixelWidth <= 0 || m_nPixelHeight <= 0 || target.Width() <= 0 || target.Height() <= 0)
        return;
    HDC hDC = pDC->GetSafeHdc();
    HDC hMemory = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, m_nPixelWidth, m_nPixelHeight);
    if (hMemory == nullptr || hBitmap == nullptr)
    {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        if (hMemory != nullptr)
            ::DeleteDC(hMemory);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    // The picture's transparent parts show the view's own white.
    const RECT whole{0, 0, m_nPixelWidth, m_nPixelHeight};
    ::FillRect(hMemory, &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    m_pPicture->Render(hMemory, 0, 0, m_nPixelWidth, m_nPixelHeight, 0, m_nHimetricHeight, m_nHimetricWidth,
                       -m_nHimetricHeight, &target);
    ::SetStretchBltMode(hDC, HALFTONE);
    ::StretchBlt(hDC, target.left, target.top, target.Width(), target.Height(), hMemory, 0, 0, m_nPixelWidth,
                 m_nPixelHeight, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
}
