#include "CommonDialogs.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

std::vector<wchar_t> SystemFileFilter(LPCTSTR filter)
{
    std::vector<wchar_t> list;
    if (filter == nullptr)
        return list;
    if (wcschr(filter, L'|') != nullptr)
    {
        for (const wchar_t* p = filter; *p != L'\0'; ++p)
            list.push_back(*p == L'|' ? L'\0' : *p);
    }
    else
    {
        // Already NUL-separated: its parts up to the empty one that closes them.
        for (const wchar_t* p = filter; *p != L'\0'; p += wcslen(p) + 1)
            list.insert(list.end(), p, p + wcslen(p) + 1);
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = static_cast<DWORD>(std::size(m_szFileName));
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    if (lpszDefExt != nullptr)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        lstrcpynW(m_szFileName, lpszFileName, static_cast<int>(std::size(m_szFileName)));
    if (lpszFilter != nullptr)
    {
        m_filter = SystemFileFilter(lpszFilter);
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

COLORREF* AFXAPI CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {};
    return custom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = clrInit;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}
