#include "CDaoTreeView.h"

#include "CMDBListView.h"
#include "PreviewDatabase.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CDaoTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CDaoTreeView, CTreeView)
    ON_WM_CREATE()
    ON_WM_SYSCOLORCHANGE()
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, OnBeginDrag)
END_MESSAGE_MAP()

namespace {

bool SystemByAttributes(const PreviewDatabaseObject& object)
{
    return (object.attributes & CDaoTreeView::kSystemAttributes) != 0;
}

bool SystemQuery(const PreviewDatabaseObject& object)
{
    return object.type == CDaoTreeView::kSystemQueryType;
}

}  // namespace

CDaoTreeView::CDaoTreeView() : m_nClipboardFormat(::RegisterClipboardFormatW(L"DaoView")) {}

CDaoTreeView::~CDaoTreeView()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
}

BOOL CDaoTreeView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES;
    return CTreeView::PreCreateWindow(cs);
}

int CDaoTreeView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CTreeView::OnCreate(lpcs) == -1)
        return -1;
    m_hImages = ::ImageList_LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_ACCESS_TREE), 16, 0,
                                       RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (m_hImages != nullptr)
    {
        ::ImageList_SetBkColor(m_hImages, ::GetSysColor(COLOR_WINDOW));
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_hImages));
    }
    return 0;
}

void CDaoTreeView::OnSysColorChange()
{
    Default();
    if (m_hImages != nullptr)
        ::ImageList_SetBkColor(m_hImages, ::GetSysColor(COLOR_WINDOW));
}

HTREEITEM CDaoTreeView::AddChild(HTREEITEM hParent, const CString& text, int image)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent != nullptr ? hParent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPWSTR>(text.GetString());
    insert.item.iImage = insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CDaoTreeView::AddSection(HTREEITEM hParent, int image, const std::vector<PreviewDatabaseObject>& objects,
                              bool (*isSystem)(const PreviewDatabaseObject&))
{
    for (const PreviewDatabaseObject& object : objects)
    {
        if (!isSystem(object))
            AddChild(hParent, object.name, image);
    }
}

void CDaoTreeView::FillDatabaseTree()
{
    m_bFilling = TRUE;
    SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    UpdateWindow();
    m_hDatabase = AddChild(nullptr, L"Access DataBase", kDatabase);
    m_hTables = AddChild(m_hDatabase, L"Tables", kTables);
    m_hRelations = AddChild(m_hDatabase, L"Relations", kRelations);
    m_hQueries = AddChild(m_hDatabase, L"QueryDefs", kQueries);
    if (m_pDatabase != nullptr)
    {
        // A database error ends only its own section.
        auto section = [this](auto read, HTREEITEM hParent, int image, bool (*isSystem)(const PreviewDatabaseObject&)) {
            try
            {
                AddSection(hParent, image, read(), isSystem);
            }
            catch (CException* e)
            {
                e->Delete();
            }
        };
        section([this] { return m_pDatabase->GetTableDefs(); }, m_hTables, kTable, &SystemByAttributes);
        section([this] { return m_pDatabase->GetQueryDefs(); }, m_hQueries, kQuery, &SystemQuery);
        section([this] { return m_pDatabase->GetRelations(); }, m_hRelations, kRelation, &SystemByAttributes);
    }
    SendMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_hDatabase));
    m_bFilling = FALSE;
    UpdateWindow();
}

void CDaoTreeView::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling)
        return;
    const auto* pTree = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    m_hCurrent = pTree->itemNew.hItem;
    if (m_pRecordList == nullptr)
        return;
    m_pRecordList->SendMessage(WM_SETREDRAW, FALSE);
    wchar_t text[260] = {};
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_TEXT;
    item.hItem = m_hCurrent;
    item.pszText = text;
    item.cchTextMax = 260;
    if (m_hCurrent != nullptr && SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) &&
        item.iImage == kTable)
        m_pRecordList->OpenTable(text);
    m_pRecordList->SendMessage(WM_SETREDRAW, TRUE);
    m_pRecordList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDaoTreeView::OnRightClick(NMHDR*, LRESULT* pResult)
{
    POINT point{};
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    TVHITTESTINFO hit{};
    hit.pt = point;
    m_hCurrent = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    *pResult = 0;
}
