#include "CCommandIcon.h"

#include "AlphaBitmaps.h"
#include "CCommandIconSet.h"
#include "CCommandIconStore.h"
#include "CCommandImageList.h"

CCommandIcon::CCommandIcon(UINT nID, int nWidth, int nHeight, CCommandIconSet* pOwnerSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pOwnerSet(pOwnerSet)
{
}

CCommandIcon::CCommandIcon(UINT nID, int nWidth, int nHeight, CCommandImageList* pImageList)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pImageList(pImageList)
{
}

CCommandIconStore* CCommandIcon::GetStore() const
{
    return m_pOwnerSet != nullptr ? m_pOwnerSet->GetStore() : GetCommandIconStore();
}

void CCommandIcon::TakeNormalImage(const CIconImage& image)
{
    // Copied before anything is cleared: the image may be one of this icon's own.
    CIconImage copy;
    copy.CopyFrom(image);
    ClearImages(TRUE);
    m_normal.Swap(copy);
    const SIZE extent = m_normal.GetExtent();
    m_nWidth = extent.cx;
    m_nHeight = extent.cy;
    m_bScaled = FALSE;
}

BOOL CCommandIcon::SetImage(const CIconImage& image)
{
    TakeNormalImage(image);
    if (m_pOwnerSet != nullptr)
        m_pOwnerSet->Refresh();
    return TRUE;
}

void CCommandIcon::SetHotImage(const CIconImage& image)
{
    CIconImage copy;
    copy.CopyFrom(image);
    ClearDerivedImages();
    m_hot.Swap(copy);
}

void CCommandIcon::SetPressedImage(const CIconImage& image)
{
    CIconImage copy;
    copy.CopyFrom(image);
    ClearDerivedImages();
    m_pressed.Swap(copy);
}

void CCommandIcon::SetDisabledImage(const CIconImage& image)
{
    CIconImage copy;
    copy.CopyFrom(image);
    ClearDerivedImages();
    m_disabled.Swap(copy);
}

void CCommandIcon::ClearDerivedImages()
{
    m_faded.Clear();
    m_shadow.Clear();
    m_autoDisabled.Clear();
}

void CCommandIcon::ClearImages(BOOL bWithNormal)
{
    ClearDerivedImages();
    m_hot.Clear();
    m_pressed.Clear();
    m_disabled.Clear();
    if (bWithNormal)
        m_normal.Clear();
}

CIconImage& CCommandIcon::GetDisabledImage(BOOL bCreate)
{
    if (!m_disabled.IsEmpty())
        return m_disabled;
    if (m_autoDisabled.IsEmpty() && bCreate)
        CreateDisabledImage();
    return m_autoDisabled;
}

CCommandIcon* CCommandIcon::CreateScaledCopy(int nNewWidth)
{
    if (m_normal.GetIcon() == nullptr || nNewWidth <= 0)
        return nullptr;
    const SIZE extent = GetExtent();
    if (extent.cx <= 0 || extent.cy <= 0)
        return nullptr;
    // Held while the copy is made, so nothing the copy triggers can free this icon.
    InternalAddRef();
    auto* pCopy = new CCommandIcon(m_nID, nNewWidth, ::MulDiv(extent.cy, nNewWidth, extent.cx), m_pOwnerSet);
    auto scaleInto = [&](const CIconImage& source, void (CCommandIcon::*setImage)(const CIconImage&)) {
        HICON hScaled = source.GetIcon() != nullptr ? ScaleIcon(source.GetIcon(), extent, nNewWidth) : nullptr;
        if (hScaled == nullptr)
            return;
        (pCopy->*setImage)(CIconImage(hScaled));
        ::DestroyIcon(hScaled);
    };
    // The copy is filed by the caller; no set refresh runs while it is made.
    scaleInto(m_normal, &CCommandIcon::TakeNormalImage);
    scaleInto(m_disabled, &CCommandIcon::SetDisabledImage);
    scaleInto(m_hot, &CCommandIcon::SetHotImage);
    scaleInto(m_pressed, &CCommandIcon::SetPressedImage);
    InternalRelease();
    return pCopy;
}

void CCommandIcon::Draw(CDC* pDC, int x, int y, CIconImage& image, int cx, int cy)
{
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
    if (m_pImageList != nullptr)
    {
        m_pImageList->Draw(pDC, x, y, this, cx, cy);
        return;
    }
    HDC hDC = pDC->GetSafeHdc();
    if (image.GetIcon() != nullptr)
    {
        if (GetStore()->m_bRightToLeft)
            ::DrawIconEx(hDC, x + cx, y, image.GetIcon(), -cx, cy, 0, nullptr, DI_NORMAL);
        else
            ::DrawIconEx(hDC, x, y, image.GetIcon(), cx, cy, 0, nullptr, DI_NORMAL);
    }
    else if (image.IsAlpha() && image.PrepareAlphaCache())
    {
        DrawAlphaBitmap(hDC, image.GetPremultipliedBitmap(), x, y, cx, cy, m_nWidth, m_nHeight);
    }
}

void CCommandIcon::DrawMono(CDC* pDC, int x, int y, CIconImage& image, COLORREF clr)
{
    if (image.IsAlpha() || image.GetIcon() == nullptr)
        return;
    HDC hDC = pDC->GetSafeHdc();
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    if (!GetStore()->m_bRightToLeft)
    {
        ::DrawStateW(hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(image.GetIcon()), 0, x, y, m_nWidth, m_nHeight,
                     DST_ICON | DSS_MONO);
    }
    else
    {
        // Mirrored: the icon drawn onto white first, then that bitmap as the silhouette.
        HDC hMemDC = ::CreateCompatibleDC(hDC);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, m_nWidth, m_nHeight);
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        const RECT rc = {0, 0, m_nWidth, m_nHeight};
        ::FillRect(hMemDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::DrawIconEx(hMemDC, m_nWidth, 0, image.GetIcon(), -m_nWidth, m_nHeight, 0, nullptr, DI_NORMAL);
        ::SelectObject(hMemDC, hOld);
        ::DrawStateW(hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, m_nWidth, m_nHeight,
                     DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMemDC);
    }
    ::DeleteObject(hBrush);
}
