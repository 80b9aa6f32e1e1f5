#include "CMyListCtrl.h"

#include "ArchiveRowText.h"
#include "CUnrarLibrary.h"
#include "CZipAccess.h"
#include "CabinetListing.h"
#include "PreviewSession.h"
#include "ViewerText.h"
#include "ViewerWindows.h"

IMPLEMENT_DYNCREATE(CMyListCtrl, CView)

BEGIN_MESSAGE_MAP(CMyListCtrl, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMyListCtrl::CMyListCtrl() = default;

CMyListCtrl::~CMyListCtrl()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
}

CString CMyListCtrl::PreviewPath()
{
    CPreviewSession* pSession = FindPreviewSession(this);
    return pSession != nullptr ? pSession->PreviewFilePath : CString();
}

void CMyListCtrl::ReportFailure(LPCTSTR reason)
{
    if (CPreviewSession* pSession = FindPreviewSession(this))
        pSession->ReportFailure(reason);
}

int CMyListCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pList = std::make_unique<CArchiveListCtrl>();
    if (!m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS,
                         CRect(40, 200, 100, 200), this, kListId))
        return -1;
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_hImages = ::ImageList_Create(20, 20, ILC_COLOR16 | ILC_MASK, 4, 1);
    // The shell's list is shared (LVS_SHAREIMAGELISTS): the control must not destroy it.
    m_pList->SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_sysImages.GetImageList(TRUE)));

    const CString path = PreviewPath();
    const CString extension = PreviewPathExtension(path);
    m_pList->SetupColumns(extension);
    m_pList->SetHeaderImages();

    wchar_t directory[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH, directory);
    m_strCurrentDirectory = directory;

    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 0;
    if (extension == L".zip")
        pSession->PreviewOk = ListZip(path);
    else if (extension == L".cab")
        pSession->PreviewOk = ListCab();
    else if (extension == L".rar")
        pSession->PreviewOk = ListRar();
    return 0;
}

int CMyListCtrl::InsertMemberRow(int row, const CString& strName)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<LPWSTR>(strName.GetString());
    item.iImage = m_sysImages.GetIconIndex(strName, TRUE);
    return m_pList->InsertItem(&item);
}

int CMyListCtrl::ListZip(const CString& strPath)
{
    const std::filesystem::path path = ToPath(strPath);
    preview::ZipHandle* handle = preview::CZipAccess::OpenArchive(&path, 0, preview::kZipSourceFileName);
    if (handle == nullptr)
    {
        // An archive that cannot be opened is reported rather than shown as an empty list.
        ReportFailure(L"The ZIP archive could not be opened: its directory is missing or damaged.");
        return 0;
    }
    preview::ZipItemInfo count;
    preview::CZipAccess::GetItemInfo(handle, -1, count);
    m_pList->SendMessage(WM_SETREDRAW, FALSE);
    for (int32_t i = 0; i < count.index; ++i)
    {
        preview::ZipItemInfo info;
        if (preview::CZipAccess::GetItemInfo(handle, i, info) != preview::kZipOk)
            continue;  // never a row with another entry's values
        const CString name = ToCString(info.name);
        const int row = InsertMemberRow(m_pList->GetItemCount(), name);
        m_pList->SetItemText(row, 1, name.Find(L'/') >= 0 ? L"Yes" : L"No");
        CString size;
        size.Format(L"%ld", static_cast<long>(info.compressedSize));
        m_pList->SetItemText(row, 2, size);
        m_pList->SetItemText(row, 3, ArchiveTimeText(info.creationTime));
        m_pList->SetItemText(row, 4, ArchiveTimeText(info.creationTime));
        m_pList->SetItemText(row, 5, ArchiveTimeText(info.modificationTime));
        m_pList->SetItemText(row, 6, ArchiveAttributeText(info.attributes));
    }
    m_pList->SendMessage(WM_SETREDRAW, TRUE);
    m_pList->Invalidate();
    preview::CZipAccess::CloseArchive(handle);
    return 1;
}

int CMyListCtrl::ListCab()
{
    m_pList->DeleteAllItems();
    const CString path = PreviewPath();
    std::vector<CCabEntry> entries;
    if (path.IsEmpty() || !ListCabinet(std::wstring(path.GetString()), entries))
    {
        ReportFailure(L"The cabinet could not be read.");
        return 0;
    }
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const CCabEntry& entry = entries[i];
        const int row = InsertMemberRow(static_cast<int>(i), entry.name.c_str());
        m_pList->SetItemText(row, 1, entry.folder.c_str());
        CString size;
        size.Format(L"%d", entry.size);
        m_pList->SetItemText(row, 2, size);
        m_pList->SetItemText(row, 3, ArchiveDosTimeText(entry.dosDateTime));
        m_pList->SetItemText(row, 4, ArchiveAttributeText(entry.attributes));
    }
    return 1;
}

int CMyListCtrl::ListRar()
{
    CUnrarLibrary library;
    const CString path = PreviewPath();
    if (!library.IsLoaded())
    {
        if (CPreviewSession* pSession = FindPreviewSession(this))
            pSession->ReportMissingComponent(L"RAR archives are listed through unrar.dll, which is not installed.");
        return 0;
    }
    if (!library.ListEntries(std::wstring(path.GetString())))
    {
        ReportFailure(L"The RAR archive could not be read.");
        return 0;
    }
    m_pList->DeleteAllItems();
    const auto& entries = library.GetEntries();
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const RarEntry& entry = entries[i];
        const int row = InsertMemberRow(static_cast<int>(i), entry.name.c_str());
        CString flags;
        flags.Format(L"%llu", static_cast<unsigned long long>(entry.flags));
        m_pList->SetItemText(row, 1, flags == L"32992" ? L"Yes" : flags == L"32960" ? L"No" : L"");
        CString size;
        size.Format(L"%llu", static_cast<unsigned long long>(entry.unpackedSize));
        m_pList->SetItemText(row, 2, size);
        m_pList->SetItemText(row, 3, ArchiveDosTimeText(entry.dosDateTime));
        m_pList->SetItemText(row, 4, ArchiveAttributeText(entry.attributes));
    }
    return 1;
}

void CMyListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, m_pList.get());
}
