// Documents that hold OLE objects, their items, and the Edit menu entry
// that offers a selected item's verbs.
#pragma once

#include "CDocument.h"

#include <ole2.h>

class CMenu;
class CView;
class COleDocument;

// What a client item holds.
#define OT_UNKNOWN 0
#define OT_LINK 1
#define OT_EMBEDDED 2
#define OT_STATIC 3

class COleClientItem : public CCmdTarget
{
    DECLARE_DYNAMIC(COleClientItem)
public:
    // Joins the document's items when one is given.
    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    ~COleClientItem() override;

    UINT GetType() const { return m_nItemType; }
    COleDocument* GetDocument() const { return m_pDocument; }

    // The object (a reference the item owns) and what it is.
    LPOLEOBJECT m_lpObject = nullptr;
    UINT m_nItemType = OT_UNKNOWN;

private:
    friend class COleDocument;
    COleDocument* m_pDocument = nullptr;
};

class COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument() = default;
    ~COleDocument() override; // deletes the items still held

    void AddItem(COleClientItem* pItem);
    void RemoveItem(COleClientItem* pItem);
    POSITION GetStartPosition() const { return m_items.GetHeadPosition(); }
    COleClientItem* GetNextClientItem(POSITION& pos) const
    {
        return static_cast<COleClientItem*>(m_items.GetNext(pos));
    }
    // The one item the view shows selected (CView::IsSelected); NULL when
    // none or several are.
    COleClientItem* GetPrimarySelectedItem(CView* pView);

private:
    CPtrList m_items;
};

// Puts the item's verbs into pMenu at position iMenuItem, with command ids
// from nIDVerbMin (to nIDVerbMax when not 0): one verb as an item, several
// as a popup; and a Convert entry with nIDConvert when that is not 0.
// Without an item or object, a greyed "&Object" item stands there.
void AFXAPI AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                              UINT nIDVerbMax = 0, UINT nIDConvert = 0);
