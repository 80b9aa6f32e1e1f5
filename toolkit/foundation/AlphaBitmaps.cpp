#include "AlphaBitmaps.h"

#include "CCommandIconStore.h"
#include "IconResources.h"
#include "core/IconSourceFormats.h"
#include "core/PixelEffects.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

// Pictures in memory are the program's own, yet a bitmap from a resource or a
// paste could claim any size; nothing larger than this is read.
constexpr uint64_t kMaxPixelBytes = 256ull * 1024 * 1024;
constexpr std::streamsize kMaxIconFileBytes = 16 * 1024 * 1024;

class CScreenDC
{
public:
    CScreenDC() : m_hDC(::GetDC(nullptr)) {}
    ~CScreenDC() { ::ReleaseDC(nullptr, m_hDC); }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

HBITMAP CreateAlphaDib(const kit::AlphaPixels& picture)
{
    return CreateDibFromBits(picture.header.data(), picture.header.size(), picture.pixels.data(),
                             picture.pixels.size());
}

// The header GetDIBits reports for the bitmap, in a 52-byte buffer; FALSE when
// the bitmap cannot be queried or is larger than anything this program draws.
BOOL QueryDibHeader(HDC hDC, HBITMAP hBitmap, DibBits& bits)
{
    std::memset(bits.header, 0, sizeof(bits.header));
    BITMAPINFOHEADER& header = bits.Info()->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    if (hBitmap == nullptr || !::GetDIBits(hDC, hBitmap, 0, 0, nullptr, bits.Info(), DIB_RGB_COLORS))
        return FALSE;
    const uint64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    return header.biWidth > 0 && rows > 0 && static_cast<uint64_t>(header.biWidth) * rows * 4 <= kMaxPixelBytes;
}

// The rows at the header's depth into a buffer of width × height × 4 bytes.
BOOL ReadRows(HDC hDC, HBITMAP hBitmap, DibBits& bits)
{
    BITMAPINFOHEADER& header = bits.Info()->bmiHeader;
    const int rows = std::abs(header.biHeight);
    bits.pixels.assign(static_cast<size_t>(header.biWidth) * rows * 4, 0);
    header.biSizeImage = 0;
    return ::GetDIBits(hDC, hBitmap, 0, rows, bits.pixels.data(), bits.Info(), DIB_RGB_COLORS) == rows;
}

// 32-bit top-down pixels of a bitmap of the given size.
BOOL ReadTopDown32(HDC hDC, HBITMAP hBitmap, int nWidth, int nHeight, std::vector<BYTE>& pixels)
{
    BITMAPINFO info = TopDown32BitmapInfo(nWidth, nHeight);
    pixels.assign(static_cast<size_t>(nWidth) * nHeight * 4, 0);
    return ::GetDIBits(hDC, hBitmap, 0, nHeight, pixels.data(), &info, DIB_RGB_COLORS) == nHeight;
}

}  // namespace

BITMAPINFO AFXAPI TopDown32BitmapInfo(int nWidth, int nHeight)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP AFXAPI CreateDibFromBits(const BYTE* pHeader, size_t nHeaderBytes, const BYTE* pPixels, size_t nPixelBytes)
{
    const std::optional<kit::DibShape> shape = kit::ReadDibShape({pHeader, nHeaderBytes});
    if (!shape)
        return nullptr;
    // The header in a buffer with room for the masks or palette that follow it.
    BYTE header[kit::kBitmapRecordHeaderBytes] = {};
    std::memcpy(header, pHeader, std::min(nHeaderBytes, sizeof(header)));
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS, &pBits,
                                         nullptr, 0);
    if (hBitmap == nullptr || pBits == nullptr)
        return hBitmap;
    const size_t nCopy = static_cast<size_t>(std::min<uint64_t>(nPixelBytes, kit::DibPixelBytes(*shape)));
    if (nCopy != 0)
        std::memcpy(pBits, pPixels, nCopy);
    ::GdiFlush();
    return hBitmap;
}

std::optional<kit::BitmapRecord> AFXAPI ReadBitmapRecord(HBITMAP hBitmap)
{
    CScreenDC screen;
    DibBits bits;
    if (!QueryDibHeader(screen, hBitmap, bits))
        return std::nullopt;
    BITMAPINFOHEADER& header = bits.Info()->bmiHeader;
    // Depths whose palette or masks do not fit the record's 12 bytes are kept as 32 bits.
    if (header.biBitCount != 1 && header.biBitCount != 24 && header.biBitCount != 32)
        header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biClrUsed = header.biClrImportant = 0;
    if (!ReadRows(screen, hBitmap, bits))
        return std::nullopt;
    kit::BitmapRecord record;
    std::memcpy(record.header.data(), bits.header, record.header.size());
    const std::optional<kit::DibShape> shape = kit::ReadDibShape(record.header);
    if (!shape)
        return std::nullopt;
    record.shape = *shape;
    record.pixels = std::move(bits.pixels);
    return record;
}

BOOL AFXAPI IsAlphaBitmapFile(LPCTSTR pszPath)
{
    std::ifstream file(pszPath, std::ios::binary);
    uint8_t start[54] = {};
    return file.read(reinterpret_cast<char*>(start), sizeof(start)) && kit::IsAlphaBitmapFileStart(start);
}

HBITMAP AFXAPI LoadAlphaBitmapResource(UINT nID)
{
    const std::optional<kit::AlphaPixels> picture =
        kit::DecodeAlphaBitmapResource(FindResourceBytes(MAKEINTRESOURCEW(nID), RT_BITMAP));
    return picture ? CreateAlphaDib(*picture) : nullptr;
}

BOOL AFXAPI IsAlphaBitmapResource(UINT nID)
{
    return kit::IsAlphaBitmapHeader(FindResourceBytes(MAKEINTRESOURCEW(nID), RT_BITMAP));
}

HBITMAP AFXAPI LoadAlphaIconFile(LPCTSTR pszPath, int nWidth)
{
    std::ifstream file(pszPath, std::ios::binary | std::ios::ate);
    const std::streamsize size = file ? static_cast<std::streamsize>(file.tellg()) : -1;
    if (size <= 0 || size > kMaxIconFileBytes)
        return nullptr;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return nullptr;
    const std::optional<kit::AlphaPixels> picture = kit::FindAlphaIconInFile(bytes, nWidth);
    return picture ? CreateAlphaDib(*picture) : nullptr;
}

BOOL AFXAPI GetBitmapBits32(HBITMAP hBitmap, DibBits& bits)
{
    CScreenDC screen;
    if (!QueryDibHeader(screen, hBitmap, bits) || bits.Header().biBitCount != 32)
        return FALSE;
    bits.Info()->bmiHeader.biCompression = BI_RGB;
    return ReadRows(screen, hBitmap, bits);
}

HBITMAP AFXAPI CopyAlphaBitmap(HBITMAP hBitmap)
{
    DibBits bits;
    if (!GetBitmapBits32(hBitmap, bits))
        return nullptr;
    return CreateDibFromBits(bits.header, sizeof(bits.header), bits.pixels.data(), bits.pixels.size());
}

HBITMAP AFXAPI PreMultiplyAlphaBitmap(HBITMAP hBitmap)
{
    DibBits bits;
    if (!GetBitmapBits32(hBitmap, bits))
        return nullptr;
    kit::PreMultiplyPixels(bits.pixels);
    return CreateDibFromBits(bits.header, sizeof(bits.header), bits.pixels.data(), bits.pixels.size());
}

SIZE AFXAPI GetIconSize(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return {0, 0};
    BITMAP mask = {};
    const BOOL bHaveMask = ::GetObjectW(info.hbmMask, sizeof(mask), &mask) != 0;
    const BOOL bMonochrome = info.hbmColor == nullptr;
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (!bHaveMask)
        return {0, 0};
    // A monochrome icon stacks its AND and XOR masks in one bitmap.
    return {mask.bmWidth, bMonochrome ? mask.bmHeight / 2 : mask.bmHeight};
}

HICON AFXAPI ScaleIcon(HICON hIcon, SIZE szOld, int nNewWidth)
{
    if (nNewWidth == 0 || szOld.cx == 0 || szOld.cy == 0)
        return nullptr;
    if (nNewWidth == szOld.cx)
        return ::CopyIcon(hIcon);
    HIMAGELIST hList = ::ImageList_Create(nNewWidth, ::MulDiv(szOld.cy, nNewWidth, szOld.cx), ILC_COLOR32 | ILC_MASK,
                                          1, 1);
    if (hList == nullptr)
        return nullptr;
    HICON hScaled = ::ImageList_ReplaceIcon(hList, -1, hIcon) == 0 ? ::ImageList_GetIcon(hList, 0, ILD_NORMAL) : nullptr;
    ::ImageList_Destroy(hList);
    return hScaled;
}

void AFXAPI DrawAlphaBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int nSrcWidth, int nSrcHeight)
{
    const auto pfnAlphaBlend = GetCommandIconStore()->GetAlphaBlend();
    if (pfnAlphaBlend == nullptr || hBitmap == nullptr)
        return;
    if (nSrcWidth == 0 && nSrcHeight == 0)
    {
        nSrcWidth = cx;
        nSrcHeight = cy;
    }
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    pfnAlphaBlend(hDC, x, y, cx, cy, hMemDC, 0, 0, nSrcWidth, nSrcHeight, blend);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}

COLORREF AFXAPI LightenColor(COLORREF clr, double dFactor)
{
    return kit::LightenColor(clr, dFactor);
}

BOOL AFXAPI SplitAlphaBitmap(HBITMAP hBitmap, int nCount, std::vector<HBITMAP>& bitmaps)
{
    bitmaps.clear();
    DibBits bits;
    if (nCount <= 0 || !GetBitmapBits32(hBitmap, bits))
        return FALSE;
    const BITMAPINFOHEADER& source = bits.Header();
    const int rows = std::abs(source.biHeight);
    const auto parts = kit::SplitPixelRows(bits.pixels, source.biWidth, rows, nCount);
    if (parts.empty())
        return FALSE;
    DibBits part;
    std::memcpy(part.header, bits.header, sizeof(part.header));
    part.Info()->bmiHeader.biWidth = source.biWidth / nCount;
    part.Info()->bmiHeader.biSizeImage = static_cast<DWORD>(parts[0].size());
    for (const std::vector<uint8_t>& pixels : parts)
    {
        HBITMAP hPart = CreateDibFromBits(part.header, sizeof(part.header), pixels.data(), pixels.size());
        if (hPart == nullptr)
        {
            for (HBITMAP hMade : bitmaps)
                ::DeleteObject(hMade);
            bitmaps.clear();
            return FALSE;
        }
        bitmaps.push_back(hPart);
    }
    return TRUE;
}

COLORREF AFXAPI GetBitmapPixel(HBITMAP hBitmap, int x, int y)
{
    HDC hMemDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const COLORREF clr = ::GetPixel(hMemDC, x, y);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return clr;
}

HBITMAP AFXAPI AlphaBitmapToMasked24(HBITMAP hBitmap, COLORREF clrMask)
{
    DibBits bits;
    if (!GetBitmapBits32(hBitmap, bits))
        return nullptr;
    const BITMAPINFOHEADER& source = bits.Header();
    const std::vector<uint8_t> rows =
        kit::AlphaToMasked24(bits.pixels, source.biWidth, std::abs(source.biHeight), clrMask);
    DibBits masked;
    std::memcpy(masked.header, bits.header, sizeof(masked.header));
    masked.Info()->bmiHeader.biBitCount = 24;
    masked.Info()->bmiHeader.biSizeImage = static_cast<DWORD>(rows.size());
    return CreateDibFromBits(masked.header, sizeof(masked.header), rows.data(), rows.size());
}

BOOL AFXAPI IsComCtl6()
{
    HMODULE hComCtl = ::GetModuleHandleW(L"comctl32.dll");
    if (hComCtl == nullptr)
        return FALSE;
    using DllGetVersionFunc = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto pfnGetVersion = reinterpret_cast<DllGetVersionFunc>(
        reinterpret_cast<void*>(::GetProcAddress(hComCtl, "DllGetVersion")));
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof(version);
    return pfnGetVersion != nullptr && SUCCEEDED(pfnGetVersion(&version)) && version.dwMajorVersion > 5;
}

CIconPixels::CIconPixels(HICON hIcon)
{
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &m_info))
        return;
    BITMAP colour = {};
    if (m_info.hbmColor == nullptr || !::GetObjectW(m_info.hbmColor, sizeof(colour), &colour))
        return;
    m_nWidth = colour.bmWidth;
    m_nHeight = colour.bmHeight;
    CScreenDC screen;
    m_bValid = m_nWidth > 0 && m_nHeight > 0 &&
               static_cast<uint64_t>(m_nWidth) * static_cast<uint64_t>(m_nHeight) * 4 <= kMaxPixelBytes &&
               ReadTopDown32(screen, m_info.hbmColor, m_nWidth, m_nHeight, m_colour) &&
               ReadTopDown32(screen, m_info.hbmMask, m_nWidth, m_nHeight, m_mask);
}

CIconPixels::~CIconPixels()
{
    if (m_info.hbmColor != nullptr)
        ::DeleteObject(m_info.hbmColor);
    if (m_info.hbmMask != nullptr)
        ::DeleteObject(m_info.hbmMask);
}

HICON CIconPixels::CreateIcon()
{
    if (!m_bValid)
        return nullptr;
    BITMAPINFO info = TopDown32BitmapInfo(m_nWidth, m_nHeight);
    CScreenDC screen;
    if (::SetDIBits(screen, m_info.hbmColor, 0, m_nHeight, m_colour.data(), &info, DIB_RGB_COLORS) != m_nHeight)
        return nullptr;
    ICONINFO made = m_info;
    made.fIcon = TRUE;
    return ::CreateIconIndirect(&made);
}
