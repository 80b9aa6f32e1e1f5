// CImageList: a common-controls image list.
#pragma once

#include "../core/CObject.h"
#include "../core/Geometry.h"

#include <commctrl.h>

class CBitmap;
class CDC;

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return this == nullptr ? nullptr : m_hImageList; }

    static CImageList* AFXAPI FromHandle(HIMAGELIST hImageList);
    static CImageList* AFXAPI FromHandlePermanent(HIMAGELIST hImageList);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(CImageList* pImageList) { return Attach(ImageList_Duplicate(pImageList->m_hImageList)); }
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) != -1; }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
    {
        pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
        pimldp->himl = m_hImageList;
        return ImageList_DrawIndirect(pimldp);
    }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
    BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static void AFXAPI EndDrag() { ImageList_EndDrag(); }
    static BOOL AFXAPI DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL AFXAPI DragEnter(HWND hWndLock, CPoint point) { return ImageList_DragEnter(hWndLock, point.x, point.y); }
    static BOOL AFXAPI DragLeave(HWND hWndLock) { return ImageList_DragLeave(hWndLock); }
    static BOOL AFXAPI DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
};
