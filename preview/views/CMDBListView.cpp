#include "CMDBListView.h"

#include "PreviewDatabase.h"
#include "VariantText.h"
#include "ViewerWindows.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMDBListView, CView)

BEGIN_MESSAGE_MAP(CMDBListView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CMDBListView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pList = std::make_unique<CStatusListCtrl>();
    if (!m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                         CRect(0, 0, 0, 0), this, kListId))
        return -1;
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ClearList();
    return 0;
}

void CMDBListView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, m_pList.get());
}

void CMDBListView::ClearList()
{
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return;
    m_pList->DeleteAllItems();
    HWND hHeader = reinterpret_cast<HWND>(m_pList->SendMessage(LVM_GETHEADER));
    const int columns = hHeader != nullptr ? static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < columns; ++i)
        m_pList->DeleteColumn(0);
}

CString CMDBListView::SelectAllFrom(const CString& table)
{
    CString escaped;
    for (int i = 0; i < table.GetLength(); ++i)
    {
        escaped += table[i];
        if (table[i] == L']')
            escaped += L']';
    }
    return L"Select * From [" + escaped + L"]";
}

void CMDBListView::OpenTable(const CString& table)
{
    ClearList();
    if (m_pDatabase == nullptr || m_pList == nullptr)
        return;
    m_pList->InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    int fieldCount = 0;
    try
    {
        const std::vector<CString> fields = m_pDatabase->GetFieldNames(table);
        for (size_t i = 0; i < fields.size(); ++i)
            m_pList->InsertColumn(static_cast<int>(i) + 1, fields[i], LVCFMT_LEFT, 100);
        fieldCount = static_cast<int>(fields.size());
    }
    catch (CException* e)
    {
        e->Delete();
        fieldCount = 0;
    }
    try
    {
        std::unique_ptr<IPreviewRecordset> records = m_pDatabase->OpenRecordset(SelectAllFrom(table));
        int shown = 0, total = 0;
        for (; !records->IsEOF(); records->MoveNext(), ++total)
        {
            if (total >= kMaxRecords)
                continue;  // counted only
            CString number;
            number.Format(L"%d", total);
            const int row = m_pList->InsertItem(total, number);
            ++shown;
            CString text = L"NULL";
            const int columns = std::min<int>(fieldCount, records->GetFieldCount());
            for (int j = 0; j < columns; ++j)
            {
                // A value that cannot be read shows the one read before it in the record.
                try
                {
                    text = FormatVariant(records->GetFieldValue(j));
                }
                catch (CException* e)
                {
                    e->Delete();
                }
                m_pList->SetItemText(row, j + 1, text);
            }
        }
        m_strStatus.Format(L"Loaded %d of %d total records", shown, total);
        UpdateWindow();
        if (total >= kMaxRecords)
            ::MessageBoxW(GetSafeHwnd(), m_strStatus, AfxGetAppName(), MB_OK);
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetMessageText(m_strStatus);
    }
    catch (CException* e)
    {
        // The rows read so far stay.
        e->Delete();
    }
}
