#include "CArchiveListCtrl.h"

#include "ResourceIds.h"

BEGIN_MESSAGE_MAP(CArchiveListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY(HDN_BEGINDRAG, 0, OnHeaderDrag)
    ON_NOTIFY(HDN_ENDDRAG, 0, OnHeaderDrag)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CArchiveListCtrl::~CArchiveListCtrl()
{
    if (m_hHeaderImages != nullptr)
        ::ImageList_Destroy(m_hHeaderImages);
}

void CArchiveListCtrl::SetupColumns(const CString& strExtension)
{
    if (strExtension == L".zip")
    {
        static const struct { LPCTSTR heading; int width; } kZipColumns[] = {
            {L"File Name", 200}, {L"Directory", 100}, {L"File Size", 100}, {L"Access Time", 150},
            {L"Creation Time", 150}, {L"modify Time", 150}, {L"Attribute", 200}};
        for (int i = 0; i < 7; ++i)
            InsertColumn(i, kZipColumns[i].heading, LVCFMT_LEFT, kZipColumns[i].width);
    }
    else if (strExtension == L".gz" || strExtension == L".cab" || strExtension == L".rar")
    {
        static const struct { LPCTSTR heading; int width; } kColumns[] = {
            {L"File Name", 200}, {L"Directory", 100}, {L"File Size", 100}, {L"Access Time", 150},
            {L"Attribute", 200}};
        for (int i = 0; i < 5; ++i)
            InsertColumn(i, kColumns[i].heading, LVCFMT_LEFT, kColumns[i].width);
    }
}

void CArchiveListCtrl::SetHeaderImages()
{
    if (m_hHeaderImages == nullptr)
    {
        m_hHeaderImages = ::ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 0, 7);
        // Of the column icons only the document page and the type icon exist.
        for (UINT id : {IDI_COLUMN_NAME, IDI_COLUMN_TYPE})
        {
            HICON hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                          16, 16, 0));
            if (hIcon != nullptr)
            {
                ::ImageList_AddIcon(m_hHeaderImages, hIcon);
                ::DestroyIcon(hIcon);
            }
        }
    }
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (hHeader == nullptr)
        return;
    ::SendMessageW(hHeader, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hHeaderImages));
    const int count = static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < 7 && i < count; ++i)
    {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(hHeader, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt |= HDF_IMAGE;
        item.iImage = 0;
        ::SendMessageW(hHeader, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void CArchiveListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    if (GetItemCount() == 0)
        return;
    UpdateWindow();
    *pResult = 0;
}

void CArchiveListCtrl::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CArchiveListCtrl::OnHeaderDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}
