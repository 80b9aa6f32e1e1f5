#include "GdiObjects.h"

#include "../core/ModuleState.h"
#include "CDC.h"
#include "ThreadState.h"

#include <vector>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject* AFXAPI CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxGetThreadState()->GdiMap().FromHandle(hObject);
}

void AFXAPI CGdiObject::DeleteTempMap()
{
    AfxGetThreadState()->GdiMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    ASSERT(m_hObject == nullptr);
    if (hObject == nullptr)
        return FALSE;
    m_hObject = hObject;
    AfxGetThreadState()->GdiMap().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr)
        AfxGetThreadState()->GdiMap().RemoveHandle(hObject);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
    LOGFONTW logFont = *lpLogFont;
    POINT pt{0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
    ::DPtoLP(hDC, &pt, 1);
    POINT origin{0, 0};
    ::DPtoLP(hDC, &origin, 1);
    logFont.lfHeight = -std::abs(pt.y - origin.y);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC->m_hDC));
}

HBITMAP AFXAPI AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono)
{
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(hGlobal));
    if (header == nullptr || header->biBitCount > 8)
        return nullptr;

    // The classic button greys and their system colours (as RGBQUAD bytes).
    struct ColorMap { DWORD from; int sysColor; };
    static const ColorMap map[] = {
        {0x00000000, COLOR_BTNTEXT},   {0x00808080, COLOR_BTNSHADOW},
        {0x00C0C0C0, COLOR_BTNFACE},   {0x00FFFFFF, COLOR_BTNHIGHLIGHT},
    };
    int colorCount = header->biClrUsed ? static_cast<int>(header->biClrUsed) : 1 << header->biBitCount;
    size_t headerSize = header->biSize + colorCount * sizeof(RGBQUAD);
    std::vector<BYTE> info(reinterpret_cast<const BYTE*>(header), reinterpret_cast<const BYTE*>(header) + headerSize);
    auto* colors = reinterpret_cast<DWORD*>(info.data() + header->biSize);
    for (int i = 0; i < colorCount; ++i)
    {
        for (const ColorMap& entry : map)
        {
            if ((colors[i] & 0x00FFFFFF) == entry.from)
            {
                if (bMono && entry.sysColor != COLOR_BTNTEXT)
                    break;
                COLORREF c = ::GetSysColor(entry.sysColor);
                colors[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                break;
            }
        }
    }
    int width = header->biWidth;
    int height = std::abs(header->biHeight);
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    if (hBitmap != nullptr)
    {
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HGDIOBJ old = ::SelectObject(hMem, hBitmap);
        const BYTE* bits = reinterpret_cast<const BYTE*>(header) + headerSize;
        ::StretchDIBits(hMem, 0, 0, width, height, 0, 0, width, height, bits,
                        reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
        ::SelectObject(hMem, old);
        ::DeleteDC(hMem);
    }
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}
