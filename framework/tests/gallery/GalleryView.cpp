#include "GalleryView.h"

#include "GalleryIds.h"
#include "GalleryJournal.h"

IMPLEMENT_DYNCREATE(CGalleryView, CView)

BEGIN_MESSAGE_MAP(CGalleryList, CListCtrl)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CGalleryTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CGalleryView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_COMMAND_EX(ID_GALLERY_ROUTE, OnRoute)
    ON_COMMAND(ID_GALLERY_COUNT, OnCount)
    ON_UPDATE_COMMAND_UI(ID_GALLERY_PASSON, OnUpdatePassOn)
    ON_COMMAND(ID_GALLERY_WORKER, OnWorker)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_GALLERY_LIST, OnListItemChanged)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_GALLERY_TREE, OnTreeSelChanged)
    ON_MESSAGE(WM_GALLERY_WORKER_DONE, OnWorkerDone)
END_MESSAGE_MAP()

void CGalleryView::OnUpdatePassOn(CCmdUI* pCmdUI)
{
    GalleryJournal().push_back(L"view update");
    pCmdUI->ContinueRouting();
}

BOOL CGalleryList::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    ++m_nOwnItemChanges;
    *pResult = 0;
    return FALSE; // the parent may act on it too
}

void CGalleryTree::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    ++m_nOwnSelectionChanges;
    *pResult = 0;
}

int CGalleryView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CRect empty(0, 0, 0, 0);
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, empty, this,
                       IDC_GALLERY_LIST))
        return -1;
    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                           TVS_SHOWSELALWAYS,
                       empty, this, IDC_GALLERY_TREE))
        return -1;
    return 0;
}

void CGalleryView::OnInitialUpdate()
{
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0))
    {
    }
    m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 140);
    m_list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80);
    static const wchar_t* const names[] = {L"report.docx", L"photo.jpg", L"notes.txt", L"archive.zip"};
    static const wchar_t* const sizes[] = {L"24 KB", L"2.1 MB", L"3 KB", L"18 MB"};
    for (int i = 0; i < 4; ++i)
    {
        m_list.InsertItem(i, names[i]);
        m_list.SetItemText(i, 1, sizes[i]);
    }
    m_tree.DeleteAllItems();
    HTREEITEM hDrive = m_tree.InsertItem(L"Drive C:");
    HTREEITEM hUsers = m_tree.InsertItem(L"Users", hDrive);
    m_tree.InsertItem(L"Documents", hUsers);
    m_tree.InsertItem(L"Pictures", hUsers);
    m_tree.InsertItem(L"Lost files", hDrive);
    m_tree.Expand(hDrive, TVE_EXPAND);
    m_tree.Expand(hUsers, TVE_EXPAND);
}

void CGalleryView::OnSize(UINT, int cx, int cy)
{
    if (m_tree.m_hWnd == nullptr)
        return;
    int split = cx / 3;
    m_tree.MoveWindow(0, 0, split, cy);
    m_list.MoveWindow(split, 0, cx - split, cy);
}

void CGalleryView::OnDraw(CDC*)
{
    // The children cover the view.
}

void CGalleryView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_CONTEXT))
        return;
    if (point.x == -1 && point.y == -1)
    {
        point = CPoint(10, 10);
        ClientToScreen(&point);
    }
    // The frame owns the popup so its items are updated by the command route.
    menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y,
                                       AfxGetMainWnd() != nullptr ? AfxGetMainWnd() : GetParentFrame());
}

BOOL CGalleryView::OnRoute(UINT)
{
    GalleryJournal().push_back(L"view");
    return FALSE;
}

void CGalleryView::OnCount()
{
    ++m_nCount;
}

namespace
{
struct WorkerRequest
{
    HWND hWndReport;
    int n;
};

// Sums 1..n away from the user-interface thread and reports by message;
// it never touches a window object.
UINT SumWorker(LPVOID pParam)
{
    auto* request = static_cast<WorkerRequest*>(pParam);
    long long sum = 0;
    for (int i = 1; i <= request->n; ++i)
        sum += i;
    ::PostMessageW(request->hWndReport, WM_GALLERY_WORKER_DONE, static_cast<WPARAM>(::GetCurrentThreadId()),
                   static_cast<LPARAM>(sum));
    delete request;
    return 0;
}
} // namespace

void CGalleryView::OnWorker()
{
    m_workerResult = -1;
    CWinThread* pThread = AfxBeginThread(SumWorker, new WorkerRequest{m_hWnd, 1000}, THREAD_PRIORITY_NORMAL, 0,
                                         CREATE_SUSPENDED);
    if (pThread == nullptr)
    {
        m_workerResult = -2;
        return;
    }
    // Kept so the thread's end can be waited for.
    pThread->m_bAutoDelete = FALSE;
    m_pWorker.reset(pThread);
    pThread->ResumeThread();
}

LRESULT CGalleryView::OnWorkerDone(WPARAM wParam, LPARAM lParam)
{
    m_workerThreadId = static_cast<DWORD>(wParam);
    m_workerResult = lParam;
    return 0;
}

void CGalleryView::OnListItemChanged(NMHDR*, LRESULT*)
{
    ++m_nParentItemChanges;
}

void CGalleryView::OnTreeSelChanged(NMHDR*, LRESULT*)
{
    ++m_nParentTreeChanges;
}
