// Off-screen device contexts that copy themselves back when they go out of
// scope, and a DC over a bitmap.
#pragma once

#include "Framework.h"
#include "core/StyleColor.h"

// A memory DC over the target's coordinates from 0,0 to the rectangle's
// bottom-right corner; the rectangle is copied back on destruction.
class CDoubleBufferDC : public CDC
{
public:
    CDoubleBufferDC(HDC hTarget, const RECT& rect);
    ~CDoubleBufferDC() override;
    CDoubleBufferDC(const CDoubleBufferDC&) = delete;
    CDoubleBufferDC& operator=(const CDoubleBufferDC&) = delete;

private:
    HDC m_hTarget;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A memory DC whose 0,0 is the rectangle's top-left corner (the source's
// clip box when the rectangle is empty), optionally filled with a gradient
// first; the whole bitmap goes back to the rectangle on destruction.
class CUiMemDC : public CDC
{
    DECLARE_DYNAMIC(CUiMemDC)
public:
    CUiMemDC(CDC* pSourceDC, const RECT& rect, const CStyleGradient& background = CStyleGradient(),
             BOOL bHorz = FALSE);
    ~CUiMemDC() override;
    CUiMemDC(const CUiMemDC&) = delete;
    CUiMemDC& operator=(const CUiMemDC&) = delete;

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rect; }

private:
    CDC* m_pSourceDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    BOOL m_bValid = FALSE;
};

// A DC compatible with the given DC (the screen when null) with the bitmap
// selected while the object lives.
class CBitmapDC : public CDC
{
public:
    CBitmapDC(CDC* pDC, CBitmap* pBitmap);
    CBitmapDC(HDC hDC, HBITMAP hBitmap);
    ~CBitmapDC() override;
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;

private:
    HGDIOBJ m_hOldBitmap = nullptr;
};

// Owns one bitmap handle set by the button controls.
class CBitmapHolder
{
public:
    CBitmapHolder() = default;
    ~CBitmapHolder() { SetBitmap(nullptr); }
    CBitmapHolder(const CBitmapHolder&) = delete;
    CBitmapHolder& operator=(const CBitmapHolder&) = delete;

    void SetBitmap(HBITMAP hBitmap)
    {
        if (m_hBitmap && m_hBitmap != hBitmap)
            ::DeleteObject(m_hBitmap);
        m_hBitmap = hBitmap;
    }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    // The colour of pixel (0, 0); CLR_INVALID when the handle is no bitmap.
    COLORREF GetMaskColor() const;
    // An icon of the bitmap with its mask colour transparent; null without a bitmap.
    HICON CreateIcon() const;

private:
    HBITMAP m_hBitmap = nullptr;
};

// Owns one icon handle.
class CIconHandle
{
public:
    CIconHandle() = default;
    ~CIconHandle() { SetHandle(nullptr); }
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;

    void SetHandle(HICON hIcon)
    {
        if (m_hIcon && m_hIcon != hIcon)
            ::DestroyIcon(m_hIcon);
        m_hIcon = hIcon;
    }
    HICON GetHandle() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};
