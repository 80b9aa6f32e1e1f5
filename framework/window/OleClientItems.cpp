#include "OleClientItems.h"

#include "CMenu.h"
#include "CView.h"

#include <oledlg.h>

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
{
    if (pContainerDoc != nullptr)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveItem(this);
    if (m_lpObject != nullptr)
        m_lpObject->Release();
}

COleDocument::~COleDocument()
{
    while (!m_items.IsEmpty())
        delete static_cast<COleClientItem*>(m_items.GetHead()); // leaves the list itself
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (pItem->m_pDocument != nullptr)
        pItem->m_pDocument->RemoveItem(pItem);
    m_items.AddTail(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    if (POSITION pos = m_items.Find(pItem))
        m_items.RemoveAt(pos);
    pItem->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetPrimarySelectedItem(CView* pView)
{
    COleClientItem* pSelected = nullptr;
    for (POSITION pos = GetStartPosition(); pos != nullptr;)
    {
        COleClientItem* pItem = GetNextClientItem(pos);
        if (pView != nullptr && pView->IsSelected(pItem))
        {
            if (pSelected != nullptr)
                return nullptr; // more than one
            pSelected = pItem;
        }
    }
    return pSelected;
}

void AFXAPI AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                              UINT nIDVerbMax, UINT nIDConvert)
{
    HMENU hMenu = pMenu->GetSafeHmenu();
    LPOLEOBJECT lpObject = pClient != nullptr ? pClient->m_lpObject : nullptr;
    if (lpObject != nullptr)
    {
        HMENU hVerbs = nullptr;
        // The system builds the entry from the object's own verbs and name.
        if (::OleUIAddVerbMenuW(lpObject, nullptr, hMenu, iMenuItem, nIDVerbMin, nIDVerbMax, nIDConvert != 0,
                                nIDConvert, &hVerbs))
            return;
    }
    ::DeleteMenu(hMenu, iMenuItem, MF_BYPOSITION);
    ::InsertMenuW(hMenu, iMenuItem, MF_BYPOSITION | MF_STRING | MF_GRAYED, nIDVerbMin, L"&Object");
}
