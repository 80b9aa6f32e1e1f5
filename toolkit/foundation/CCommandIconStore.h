// CCommandIconStore: which command icon shows command id n at width w. One icon
// set per id, filled from image lists, bitmap resources (plain or 32-bit alpha)
// and toolbar resources; custom ids for icons the user adds; icon sets on the
// clipboard and in the persistent settings. One store lives for the whole
// process (GetCommandIconStore); owners may make their own.
#pragma once

#include "CCommandIconSet.h"
#include "core/IconKeyMap.h"

#include <vector>

class CCommandImageList;
class CKitPropExchange;
class COleDataObject;

enum CommandIconKind
{
    kIconNormal = 0,
    kIconDisabled = 1,
    kIconHot = 2,
    kIconPressed = 3,
};

using AlphaBlendFunc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

class CCommandIconStore : public CCmdTarget
{
public:
    // The first custom id handed out is this + 1.
    static constexpr UINT kFirstCustomIdBase = 0x10AAA;

    CCommandIconStore();
    ~CCommandIconStore() override;
    CCommandIconStore(const CCommandIconStore&) = delete;
    CCommandIconStore& operator=(const CCommandIconStore&) = delete;

    // From the id's set (nearest width, scaled when needed), else from an image
    // list that holds the id; width 0 asks for the narrowest icon.
    CCommandIcon* GetIcon(UINT nID, UINT nWidth);
    CCommandIconSet* FindIconSet(UINT nID);
    // The store copies the handles; the caller keeps its image.
    BOOL SetIcon(const CIconImage& image, UINT nID, int cx, int cy, int nKind = kIconNormal);
    // pIDs may be null (ids 0, 1, ...); nCount 0 without ids takes every image.
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pIDs, int nCount, int cx, int cy,
                               int nKind = kIconNormal);
    BOOL SetIconsFromBitmap(UINT nBitmapID, const UINT* pIDs, int nCount, int cx, int cy, int nKind = kIconNormal);
    BOOL SetIconsFromBitmapHandle(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, int nKind,
                                  BOOL bAlpha);
    // The icons of a toolbar resource from the bitmap resource (the same id by default).
    BOOL LoadToolBar(UINT nToolBarID, UINT nBitmapID, int nKind = kIconNormal);
    BOOL LoadToolBar(UINT nID, int nKind = kIconNormal) { return LoadToolBar(nID, nID, nKind); }
    UINT AddCustomIcon(const CIconImage& image);

    // The caller has opened and emptied the clipboard; the id has a set.
    void CopyIconSetToClipboard(UINT nID);
    // The new custom id, or 0.
    UINT PasteIconSet(COleDataObject* pDataObject);

    void RemoveAll();
    void RefreshIcons();

    // A loaded "CheckSum" other than ours raises CArchiveException (badClass).
    void ExchangeIconSet(UINT nID, CKitPropExchange* pPX);
    void SerializeIconSet(UINT nID, CArchive& ar);
    void ExchangeAll(CKitPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    BOOL IsAlphaBlendAvailable() const { return m_pfnAlphaBlend != nullptr; }
    AlphaBlendFunc GetAlphaBlend() const { return m_pfnAlphaBlend; }
    UINT GetNextCustomId() const { return m_nNextCustomId; }
    size_t GetSetCount() const { return m_sets.Count(); }
    void AddImageList(CCommandImageList* pImageList) { m_imageLists.push_back(pImageList); }

    // The transparent colour of 24-bit bitmaps; -1: the top-left pixel's.
    COLORREF m_clrMask = static_cast<COLORREF>(-1);
    // Icons draw mirrored.
    BOOL m_bRightToLeft = FALSE;

private:
    kit::IconKeyMap<CCommandIconSet*> m_sets;
    std::vector<CCommandImageList*> m_imageLists;
    UINT m_nNextCustomId = kFirstCustomIdBase;
    HMODULE m_hMsImg32 = nullptr;
    AlphaBlendFunc m_pfnAlphaBlend = nullptr;
};

// The process-wide store.
CCommandIconStore* AFXAPI GetCommandIconStore();

// "Vantor ToolBar Image" (icon-set data) and "Alpha Bitmap Image" (marker beside
// a CF_BITMAP copy of an alpha icon), registered at start-up.
CLIPFORMAT AFXAPI GetToolBarImageClipFormat();
CLIPFORMAT AFXAPI GetAlphaBitmapClipFormat();

// The non-zero command ids of an RT_TOOLBAR resource and its button size.
BOOL AFXAPI ReadToolBarResource(UINT nID, std::vector<UINT>& ids, int& nWidth, int& nHeight);
