#include "CDBF_View.h"

#include "DbfTable.h"
#include "PreviewSession.h"
#include "ViewerText.h"
#include "ViewerWindows.h"

IMPLEMENT_DYNCREATE(CDBF_View, CView)

BEGIN_MESSAGE_MAP(CDBF_View, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

LPCTSTR ReasonOf(preview::DbfLoad load)
{
    switch (load)
    {
    case preview::DbfLoad::kCannotOpen: return L"The dBase table could not be opened.";
    case preview::DbfLoad::kTooManyFields: return L"The dBase table has more than 200 fields.";
    case preview::DbfLoad::kNoFields: return L"The dBase table has no field descriptors.";
    case preview::DbfLoad::kFieldsPastEnd: return L"The dBase table's field descriptors run past the end of the file.";
    case preview::DbfLoad::kRecordsPastEnd: return L"The dBase table's records start beyond the end of the file.";
    default: return L"";
    }
}

// Currency cells come as the decimal text before the four implied decimals; shown
// in the user's locale when that reads it as an amount.
CString CurrencyText(const CString& digits)
{
    COleCurrency currency;
    if (currency.ParseCurrency(digits))
        return currency.Format();
    return digits;
}

}  // namespace

int CDBF_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       CRect(0, 0, 0, 0), this, kListId))
        return -1;
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (CPreviewSession* pSession = FindPreviewSession(this))
        LoadTable(pSession->PreviewFilePath, m_list);
    return 0;
}

void CDBF_View::LoadTable(const CString& strPath, CListCtrl& list)
{
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return;
    pSession->PreviewOk = 1;
    preview::DbfTable table;
    const preview::DbfLoad load = preview::LoadDbfTable(ToPath(strPath), table);
    if (load != preview::DbfLoad::kOk)
    {
        pSession->ReportFailure(ReasonOf(load));
        return;
    }
    FillList(table, list);
}

void CDBF_View::FillList(const preview::DbfTable& table, CListCtrl& list)
{
    list.InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    for (size_t field = 0; field < table.fields.size(); ++field)
        list.InsertColumn(static_cast<int>(field) + 1, ToCString(table.fields[field].name), LVCFMT_LEFT, 100);

    list.SendMessage(WM_SETREDRAW, FALSE);
    for (size_t row = 0; row < table.rows.size(); ++row)
    {
        CString number;
        number.Format(L"%zu", row + 1);
        const int item = list.InsertItem(static_cast<int>(row), number);
        const auto& cells = table.rows[row];
        for (size_t field = 0; field < cells.size() && field < table.fields.size(); ++field)
        {
            CString text = ToCString(cells[field]);
            if (table.fields[field].type == 'Y')
                text = CurrencyText(text);
            list.SetItemText(item, static_cast<int>(field) + 1, text);
        }
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
    list.Invalidate();
}

void CDBF_View::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, &m_list);
}
