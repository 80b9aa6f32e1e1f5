#include "EditorPictureFiles.h"

#include "AlphaBitmaps.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdlib>

CEditorImage PictureFromBitmap(HBITMAP hBitmap, int cx, int cy, BOOL bAlpha, COLORREF clrTransparent)
{
    CEditorImage image;
    if (!image.Create(cx, cy))
        return image;
    BITMAP info = {};
    if (!::GetObjectW(hBitmap, sizeof(info), &info))
        return image;
    if (bAlpha && info.bmBitsPixel == 32)
    {
        // The alpha byte survives only a whole-buffer read.
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        if (info.bmWidth == cx && std::abs(info.bmHeight) == cy)
        {
            HDC hDC = ::CreateCompatibleDC(nullptr);
            const int nRows = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(cy), image.GetBits(), &bmi, DIB_RGB_COLORS);
            ::DeleteDC(hDC);
            if (nRows == cy)
            {
                image.SetAlpha(TRUE);
                for (int y = 0; y < cy; ++y)
                    for (int x = 0; x < cx; ++x)
                        if (image.GetPixelAlpha(x, y) == 0 && image.GetPixel(x, y) == RGB(0, 0, 0))
                            image.SetPixel(x, y, CEditorImage::kKeyColor, 0);
                return image;
            }
        }
    }
    {
        CEditorImageDC target(image);
        HDC hSource = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hSource, hBitmap);
        ::SetStretchBltMode(target.GetSafeHdc(), COLORONCOLOR);
        ::StretchBlt(target.GetSafeHdc(), 0, 0, cx, cy, hSource, 0, 0, info.bmWidth, std::abs(info.bmHeight), SRCCOPY);
        ::SelectObject(hSource, hOld);
        ::DeleteDC(hSource);
    }
    if (clrTransparent != static_cast<COLORREF>(-1))
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                if (image.GetPixel(x, y) == clrTransparent)
                    image.SetPixel(x, y, CEditorImage::kKeyColor, 0);
    return image;
}

CEditorImage LoadEditorPictureFile(LPCTSTR pszPath, int cx, int cy)
{
    CEditorImage imported;
    if (pszPath == nullptr || cx <= 0 || cy <= 0)
        return imported;
    const CString strPath(pszPath);
    const int nDot = strPath.ReverseFind(L'.');
    const int nSlash = std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    CString strExt = nDot > nSlash ? strPath.Mid(nDot) : CString();
    strExt.MakeLower();
    if (strExt == L".ico")
    {
        if (HBITMAP hAlpha = LoadAlphaIconFile(pszPath, cx))
        {
            imported = PictureFromBitmap(hAlpha, cx, cy, TRUE, static_cast<COLORREF>(-1));
            ::DeleteObject(hAlpha);
        }
        else if (auto hIcon = static_cast<HICON>(::LoadImageW(nullptr, pszPath, IMAGE_ICON, cx, cy, LR_LOADFROMFILE)))
        {
            if (imported.Create(cx, cy))
            {
                CEditorImageDC dc(imported);
                ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
            }
            ::DestroyIcon(hIcon);
        }
        return imported;
    }
    if (strExt == L".bmp")
    {
        if (auto hBitmap = static_cast<HBITMAP>(
                ::LoadImageW(nullptr, pszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)))
        {
            imported = PictureFromBitmap(hBitmap, cx, cy, IsAlphaBitmapFile(pszPath), static_cast<COLORREF>(-1));
            ::DeleteObject(hBitmap);
        }
        return imported;
    }
    // Metafiles, GIF and JPEG through OLE picture loading, scaled to the picture.
    IPicture* pPicture = nullptr;
    if (FAILED(::OleLoadPicturePath(const_cast<LPOLESTR>(pszPath), nullptr, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&pPicture))) ||
        pPicture == nullptr)
        return imported;
    OLE_XSIZE_HIMETRIC nWidth = 0;
    OLE_YSIZE_HIMETRIC nHeight = 0;
    pPicture->get_Width(&nWidth);
    pPicture->get_Height(&nHeight);
    if (imported.Create(cx, cy))
    {
        CEditorImageDC dc(imported);
        pPicture->Render(dc.GetSafeHdc(), 0, 0, cx, cy, 0, nHeight, nWidth, -nHeight, nullptr);
    }
    pPicture->Release();
    return imported;
}
