#include "DeviceContexts.h"

#include "CDrawTools.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CUiMemDC, CDC)

CDoubleBufferDC::CDoubleBufferDC(HDC hTarget, const RECT& rect) : m_hTarget(hTarget), m_rect(rect)
{
    if (!Attach(::CreateCompatibleDC(hTarget)))
        return;
    // The bitmap covers the target from 0,0 so that drawing keeps its coordinates.
    if (!m_bitmap.Attach(::CreateCompatibleBitmap(hTarget, rect.right, rect.bottom)))
        return;
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
}

CDoubleBufferDC::~CDoubleBufferDC()
{
    if (m_hDC && m_hOldBitmap) {
        ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}

CUiMemDC::CUiMemDC(CDC* pSourceDC, const RECT& rect, const CStyleGradient& background, BOOL bHorz)
    : m_pSourceDC(pSourceDC), m_rect(rect)
{
    if (m_rect.IsRectEmpty())
        pSourceDC->GetClipBox(&m_rect);
    if (!CreateCompatibleDC(pSourceDC))
        return;
    ::SetMapMode(m_hDC, ::GetMapMode(pSourceDC->m_hAttribDC ? pSourceDC->m_hAttribDC : pSourceDC->m_hDC));
    if (!m_bitmap.CreateCompatibleBitmap(pSourceDC, m_rect.Width(), m_rect.Height())) {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    m_bValid = TRUE;
    if (background.dark.IsSet()) {
        const CRect fill(0, 0, m_rect.Width(), m_rect.Height());
        CDrawTools::FillStyleGradient(this, &fill, background, bHorz);
    }
}

CUiMemDC::~CUiMemDC()
{
    if (!m_bValid)
        return;
    ::BitBlt(m_pSourceDC->GetSafeHdc(), m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, 0, 0,
             SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}

CBitmapDC::CBitmapDC(CDC* pDC, CBitmap* pBitmap) : CBitmapDC(pDC->GetSafeHdc(), static_cast<HBITMAP>(pBitmap->GetSafeHandle()))
{
}

CBitmapDC::CBitmapDC(HDC hDC, HBITMAP hBitmap)
{
    if (Attach(::CreateCompatibleDC(hDC)) && hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CBitmapDC::~CBitmapDC()
{
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}

COLORREF CBitmapHolder::GetMaskColor() const
{
    if (!m_hBitmap || ::GetObjectType(m_hBitmap) != OBJ_BITMAP)
        return CLR_INVALID;
    CBitmapDC dc(static_cast<HDC>(nullptr), m_hBitmap);
    return dc.GetPixel(0, 0);
}

HICON CBitmapHolder::CreateIcon() const
{
    BITMAP info{};
    if (!m_hBitmap || !::GetObjectW(m_hBitmap, sizeof(info), &info) || info.bmWidth == 0 || info.bmHeight == 0)
        return nullptr;
    HIMAGELIST hImages = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (!hImages)
        return nullptr;
    HICON hIcon = nullptr;
    if (ImageList_AddMasked(hImages, m_hBitmap, GetMaskColor()) >= 0)
        hIcon = ImageList_GetIcon(hImages, 0, ILD_NORMAL);
    ImageList_Destroy(hImages);
    return hIcon;
}
