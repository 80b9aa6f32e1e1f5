#include "ButtonImageClipboard.h"

#include "ButtonImageEditing.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CIconImage.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitControl.h"

#include <cstring>

namespace
{
constexpr int kCopiedIconSize = 16;

// The clipboard, open for the owner while the object lives.
class CClipboardLock
{
public:
    explicit CClipboardLock(CWnd* pOwner) : m_bOpen(::OpenClipboard(pOwner != nullptr ? pOwner->m_hWnd : nullptr)) {}
    ~CClipboardLock()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardLock(const CClipboardLock&) = delete;
    CClipboardLock& operator=(const CClipboardLock&) = delete;
    BOOL IsOpen() const { return m_bOpen; }

private:
    BOOL m_bOpen;
};

// An opaque 32-bit top-down DIB section of the size with the bitmap stretched into it.
HBITMAP ScaledOpaqueCopy(HBITMAP hSource, CSize size)
{
    BITMAP bm = {};
    if (::GetObjectW(hSource, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hCopy = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hCopy == nullptr)
        return nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HDC hDst = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, hSource);
    HGDIOBJ hOldDst = ::SelectObject(hDst, hCopy);
    ::SetStretchBltMode(hDst, COLORONCOLOR);
    ::StretchBlt(hDst, 0, 0, size.cx, size.cy, hSrc, 0, 0, bm.bmWidth, std::abs(bm.bmHeight), SRCCOPY);
    ::GdiFlush();
    auto* pPixels = static_cast<BYTE*>(pBits);
    for (int i = 0; i < size.cx * size.cy; ++i)
        pPixels[i * 4 + 3] = 0xFF;
    ::SelectObject(hSrc, hOldSrc);
    ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);
    ::ReleaseDC(nullptr, hScreen);
    return hCopy;
}
}  // namespace

BOOL CopyButtonImageToClipboard(CKitControl* pControl, CWnd* pOwner)
{
    CCommandIcon* pIcon = pControl != nullptr ? pControl->GetIcon(kCopiedIconSize) : nullptr;
    if (pIcon == nullptr || pIcon->GetImage().IsEmpty())
        return FALSE;
    // The picture drawn onto the button face, as pasting elsewhere shows it.
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kCopiedIconSize, kCopiedIconSize);
    ::ReleaseDC(nullptr, hScreen);
    if (hBitmap == nullptr)
        return FALSE;
    {
        CClientDC screen(nullptr);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.FillSolidRect(0, 0, kCopiedIconSize, kCopiedIconSize, ::GetSysColor(COLOR_3DFACE));
        pIcon->Draw(&dc, 0, 0, pIcon->GetImage(), kCopiedIconSize, kCopiedIconSize);
        ::SelectObject(dc.m_hDC, hOld);
    }
    CClipboardLock clipboard(pOwner);
    if (!clipboard.IsOpen())
    {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_BITMAP, hBitmap) == nullptr)
        ::DeleteObject(hBitmap);
    const int nIconId =
        pControl->m_nCustomIconId != 0 ? pControl->m_nCustomIconId : (pControl->m_nIconId > 0 ? pControl->m_nIconId : pControl->GetId());
    CKitCommandBar* pBar = pControl->GetParent();
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    CCommandIconStore* pStore = pCommandBars != nullptr ? pCommandBars->GetIconManager() : GetCommandIconStore();
    if (nIconId > 0)
        pStore->CopyIconSetToClipboard(static_cast<UINT>(nIconId));
    return TRUE;
}

BOOL CanPasteButtonImage()
{
    return ::IsClipboardFormatAvailable(CF_BITMAP);
}

BOOL PasteButtonImageFromClipboard(CKitControl* pControl, CWnd* pOwner)
{
    CKitCommandBar* pBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (pBar == nullptr || !CanPasteButtonImage())
        return FALSE;
    const CSize szIcon = pBar->GetIconSize();
    HBITMAP hCopy = nullptr;
    {
        CClipboardLock clipboard(pOwner);
        if (!clipboard.IsOpen())
            return FALSE;
        if (auto hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)))
            hCopy = ScaledOpaqueCopy(hBitmap, szIcon);
    }
    if (hCopy == nullptr)
        return FALSE;
    CIconImage image;
    image.SetBitmap(hCopy);
    return StoreControlCustomIcon(pControl, image, szIcon);
}
