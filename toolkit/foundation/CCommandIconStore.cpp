#include "CCommandIconStore.h"

#include "AlphaBitmaps.h"
#include "CCommandImageList.h"
#include "IconResources.h"
#include "core/IconSourceFormats.h"

#include <memory>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEW(241)
#endif

namespace {

const CLIPFORMAT s_cfToolBarImage = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Vantor ToolBar Image"));
const CLIPFORMAT s_cfAlphaBitmap = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Alpha Bitmap Image"));

// The process-wide store exists from start-up on, before the application object.
CCommandIconStore* const s_pProcessStore = GetCommandIconStore();

UINT IdAt(const UINT* pIDs, int i)
{
    return pIDs != nullptr ? pIDs[i] : static_cast<UINT>(i);
}

// Whether entry i of an id list is a separator that takes no picture: only when
// the ids and the pictures do not pair up one to one.
bool IsSkippedSeparator(const UINT* pIDs, int i, bool bSameCount)
{
    return pIDs != nullptr && !bSameCount && pIDs[i] == 0;
}

}  // namespace

CCommandIconStore* AFXAPI GetCommandIconStore()
{
    static CCommandIconStore store;
    return &store;
}

CLIPFORMAT AFXAPI GetToolBarImageClipFormat()
{
    return s_cfToolBarImage;
}

CLIPFORMAT AFXAPI GetAlphaBitmapClipFormat()
{
    return s_cfAlphaBitmap;
}

CCommandIconStore::CCommandIconStore()
{
    EnableAutomation();
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32 != nullptr)
    {
        m_pfnAlphaBlend =
            reinterpret_cast<AlphaBlendFunc>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
    }
}

CCommandIconStore::~CCommandIconStore()
{
    RemoveAll();
    if (m_hMsImg32 != nullptr)
        ::FreeLibrary(m_hMsImg32);
}

CCommandIcon* CCommandIconStore::GetIcon(UINT nID, UINT nWidth)
{
    if (CCommandIconSet* pSet = FindIconSet(nID))
        return pSet->GetIcon(nWidth, TRUE);
    for (CCommandImageList* pImageList : m_imageLists)
    {
        if (pImageList->ContainsId(nID))
            return pImageList->GetIcon(nID);
    }
    return nullptr;
}

CCommandIconSet* CCommandIconStore::FindIconSet(UINT nID)
{
    CCommandIconSet** ppSet = m_sets.Find(nID);
    return ppSet != nullptr ? *ppSet : nullptr;
}

BOOL CCommandIconStore::SetIcon(const CIconImage& image, UINT nID, int cx, int cy, int nKind)
{
    if (image.IsEmpty())
        return FALSE;
    if (cx == 0 && cy == 0)
    {
        const SIZE extent = image.GetExtent();
        cx = extent.cx;
        cy = extent.cy;
        if (cx == 0 && cy == 0)
            return FALSE;
    }
    const UINT nWidth = static_cast<UINT>(cx);
    if (CCommandIconSet* pSet = FindIconSet(nID))
    {
        switch (nKind)
        {
        case kIconDisabled: pSet->SetDisabledImage(image, nWidth); break;
        case kIconHot: pSet->SetHotImage(image, nWidth); break;
        case kIconPressed: pSet->SetPressedImage(image, nWidth); break;
        default: pSet->SetImage(image, nWidth); break;
        }
        return TRUE;
    }
    // A hot, pressed or disabled picture alone makes no set.
    if (nKind != kIconNormal)
        return FALSE;
    auto* pSet = new CCommandIconSet(nID, this);
    m_sets.Set(nID, pSet);
    pSet->SetImage(image, nWidth);
    return TRUE;
}

BOOL CCommandIconStore::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, int cx, int cy,
                                              int nKind)
{
    if (hImageList == nullptr)
        return FALSE;
    const int nImages = ::ImageList_GetImageCount(hImageList);
    if (nCount == 0 && pIDs == nullptr)
        nCount = nImages;
    if (cx == 0 && cy == 0 && nCount > 0)
    {
        IMAGEINFO info = {};
        if (::ImageList_GetImageInfo(hImageList, 0, &info))
        {
            cx = info.rcImage.right - info.rcImage.left;
            cy = info.rcImage.bottom - info.rcImage.top;
        }
    }
    const bool bSameCount = nCount == nImages;
    for (int i = 0, nImage = 0; i < nCount; ++i)
    {
        if (IsSkippedSeparator(pIDs, i, bSameCount))
            continue;
        HICON hIcon = ::ImageList_GetIcon(hImageList, nImage, ILD_NORMAL);
        if (hIcon == nullptr)
            return FALSE;
        SetIcon(CIconImage(hIcon), IdAt(pIDs, i), cx, cy, nKind);
        ::DestroyIcon(hIcon);
        ++nImage;
    }
    return TRUE;
}

BOOL CCommandIconStore::SetIconsFromBitmap(UINT nBitmapID, const UINT* pIDs, int nCount, int cx, int cy, int nKind)
{
    const BOOL bAlpha = IsAlphaBitmapResource(nBitmapID);
    HBITMAP hBitmap = bAlpha ? LoadAlphaBitmapResource(nBitmapID)
                             : ::LoadBitmapW(AfxFindResourceHandle(MAKEINTRESOURCEW(nBitmapID), RT_BITMAP),
                                             MAKEINTRESOURCEW(nBitmapID));
    if (hBitmap == nullptr)
        return FALSE;
    BITMAP bitmap = {};
    ::GetObjectW(hBitmap, sizeof(bitmap), &bitmap);
    if (cx == 0 && cy == 0 && nCount > 0)
    {
        cy = std::abs(bitmap.bmHeight);
        cx = bitmap.bmWidth / nCount;
    }
    if (nCount == 0 && cx > 0)
        nCount = bitmap.bmWidth / cx;
    const BOOL bResult = SetIconsFromBitmapHandle(hBitmap, pIDs, nCount, cx, cy, nKind, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CCommandIconStore::SetIconsFromBitmapHandle(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy,
                                                 int nKind, BOOL bAlpha)
{
    if (cx <= 0)
        return FALSE;
    if (!bAlpha)
    {
        HIMAGELIST hImageList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (hImageList == nullptr)
            return FALSE;
        const COLORREF clrMask = m_clrMask != static_cast<COLORREF>(-1) ? m_clrMask : GetBitmapPixel(hBitmap, 0, 0);
        ::ImageList_AddMasked(hImageList, hBitmap, clrMask);
        const BOOL bResult = SetIconsFromImageList(hImageList, pIDs, nCount, cx, cy, nKind);
        ::ImageList_Destroy(hImageList);
        return bResult;
    }
    BITMAP bitmap = {};
    if (!::GetObjectW(hBitmap, sizeof(bitmap), &bitmap) || bitmap.bmWidth % cx != 0)
        return FALSE;
    const int nPictures = bitmap.bmWidth / cx;
    std::vector<HBITMAP> pictures;
    if (!SplitAlphaBitmap(hBitmap, nPictures, pictures))
        return FALSE;
    const bool bSameCount = nCount == nPictures;
    for (int j = 0, i = 0; j < nCount && i < nPictures; ++j)
    {
        if (IsSkippedSeparator(pIDs, j, bSameCount))
            continue;
        SetIcon(CIconImage(pictures[i]), IdAt(pIDs, j), cx, cy, nKind);
        ++i;
    }
    for (HBITMAP hPicture : pictures)
        ::DeleteObject(hPicture);
    return TRUE;
}

BOOL CCommandIconStore::LoadToolBar(UINT nToolBarID, UINT nBitmapID, int nKind)
{
    std::vector<UINT> ids;
    int nWidth = 0, nHeight = 0;
    if (!ReadToolBarResource(nToolBarID, ids, nWidth, nHeight) || ids.empty())
        return FALSE;
    // The picture size comes from the bitmap: its height, and its width shared by the ids.
    return SetIconsFromBitmap(nBitmapID, ids.data(), static_cast<int>(ids.size()), 0, 0, nKind);
}

UINT CCommandIconStore::AddCustomIcon(const CIconImage& image)
{
    const UINT nID = ++m_nNextCustomId;
    auto* pSet = new CCommandIconSet(nID, this);
    m_sets.Set(nID, pSet);
    pSet->SetImage(image, static_cast<UINT>(image.GetExtent().cx));
    return nID;
}

void CCommandIconStore::RemoveAll()
{
    kit::IconKeyMap<CCommandIconSet*> sets;
    std::swap(sets, m_sets);
    sets.ForEach([](UINT, CCommandIconSet* pSet) { pSet->InternalRelease(); });
    for (CCommandImageList* pImageList : m_imageLists)
        delete pImageList;
    m_imageLists.clear();
}

void CCommandIconStore::RefreshIcons()
{
    m_sets.ForEach([](UINT, CCommandIconSet* pSet) { pSet->Refresh(); });
    for (CCommandImageList* pImageList : m_imageLists)
        pImageList->ReleaseIcons();
}

BOOL AFXAPI ReadToolBarResource(UINT nID, std::vector<UINT>& ids, int& nWidth, int& nHeight)
{
    const std::optional<kit::ToolBarResource> toolbar =
        kit::ReadToolBarResource(FindResourceBytes(MAKEINTRESOURCEW(nID), RT_TOOLBAR));
    if (!toolbar)
        return FALSE;
    ids.assign(toolbar->ids.begin(), toolbar->ids.end());
    nWidth = toolbar->width;
    nHeight = toolbar->height;
    return TRUE;
}
