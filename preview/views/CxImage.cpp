#include "CxImage.h"

#include "ImageFormat.h"
#include "RasterImage.h"
#include "ReaderFile.h"

#include <wincodec.h>

namespace {

// Releases a COM interface pointer when it goes.
template <typename T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (m_p != nullptr)
            m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

}  // namespace

CxImage::CxImage(LPCWSTR fileName, int imageType)
{
    Load(fileName, imageType);
}

void CxImage::Destroy()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = m_height = 0;
    m_lacksDecoder = false;
}

bool CxImage::Load(LPCWSTR fileName, int imageType)
{
    Destroy();
    if (fileName == nullptr || imageType == preview::kImageUnknown)
        return false;
    // PCX, WBMP and the any-maps are the program's own; the imaging component finds
    // the other formats by the file's content.
    if (imageType == preview::kImagePcx || imageType == preview::kImageWbmp || imageType == preview::kImagePnm)
        return DecodeOwnFormat(fileName, imageType);
    if (DecodeWithWic(fileName))
        return true;
    // Windows always decodes its core formats, so there a failure is the file's; the
    // others need a codec that may not be installed.
    const bool coreFormat = imageType == preview::kImageBmp || imageType == preview::kImageGif ||
                            imageType == preview::kImageJpeg || imageType == preview::kImagePng ||
                            imageType == preview::kImageIco || imageType == preview::kImageTiff;
    m_lacksDecoder = m_lacksDecoder && !coreFormat;
    return false;
}

bool CxImage::DecodeOwnFormat(LPCWSTR fileName, int imageType)
{
    std::vector<uint8_t> bytes;
    // Pixels, planes and a palette: no more than four bytes a pixel at the cap.
    if (!preview::ReadFileBytes(std::filesystem::path(fileName), kMaxPixels * 4, bytes))
        return false;
    preview::RasterImage image;
    preview::RasterResult result = preview::RasterResult::kBadSignature;
    if (imageType == preview::kImagePcx)
        result = preview::DecodePcx(bytes.data(), bytes.size(), image);
    else if (imageType == preview::kImageWbmp)
        result = preview::DecodeWbmp(bytes.data(), bytes.size(), image);
    else
        result = preview::DecodePnm(bytes.data(), bytes.size(), image);
    if (result != preview::RasterResult::kOk)
        return false;
    m_pixels = std::move(image.pixels);
    m_width = image.width;
    m_height = image.height;
    return true;
}

bool CxImage::DecodeWithWic(LPCWSTR fileName)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    const HRESULT opened = factory->CreateDecoderFromFilename(fileName, nullptr, GENERIC_READ,
                                                              WICDecodeMetadataCacheOnDemand, &decoder);
    if (FAILED(opened))
    {
        m_lacksDecoder = opened == WINCODEC_ERR_COMPONENTNOTFOUND;
        return false;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        static_cast<uint64_t>(width) * height > kMaxPixels)
        return false;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return false;
    // Premultiplied pixels laid over white: each channel gains what the alpha leaves.
    for (uint32_t& pixel : pixels)
    {
        const uint32_t uncovered = 255 - (pixel >> 24);
        const uint32_t blue = (pixel & 0xFF) + uncovered, green = ((pixel >> 8) & 0xFF) + uncovered,
                       red = ((pixel >> 16) & 0xFF) + uncovered;
        pixel = (blue > 255 ? 255 : blue) | (green > 255 ? 255 : green) << 8 | (red > 255 ? 255 : red) << 16;
    }
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
    return true;
}

COLORREF CxImage::GetPixelColor(uint32_t x, uint32_t y) const
{
    if (x >= m_width || y >= m_height)
        return 0;
    const uint32_t pixel = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

long CxImage::Stretch(HDC hDC, long x, long y, long cx, long cy, DWORD rop) const
{
    if (!IsValid() || hDC == nullptr)
        return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(m_width);
    info.bmiHeader.biHeight = -static_cast<LONG>(m_height);  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int oldMode = ::SetStretchBltMode(hDC, HALFTONE);
    ::SetBrushOrgEx(hDC, 0, 0, nullptr);
    const int lines = ::StretchDIBits(hDC, x, y, cx, cy, 0, 0, static_cast<int>(m_width),
                                      static_cast<int>(m_height), m_pixels.data(), &info, DIB_RGB_COLORS, rop);
    ::SetStretchBltMode(hDC, oldMode);
    return lines;
}
