#include "CRecentFileList.h"

#include "CWinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize > 0 ? nSize : 0), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames.SetSize(m_nSize);
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (m_nSize == 0 || lpszPathName == nullptr || *lpszPathName == L'\0')
        return;
    CString path(lpszPathName);
    // The entry moves up from where it was (or from the last place).
    int from = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i)
    {
        if (m_arrNames[i].CompareNoCase(path) == 0)
        {
            from = i;
            break;
        }
    }
    for (int i = from; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

namespace
{
// Characters of the root: "C:\" or "\\server\share\"; 0 for a relative path.
int RootLength(const CString& path)
{
    if (path.GetLength() >= 3 && path[1] == L':' && path[2] == L'\\')
        return 3;
    if (path.Left(2) == CString(L"\\\\"))
    {
        int server = path.Find(L'\\', 2);
        int share = server < 0 ? -1 : path.Find(L'\\', server + 1);
        return share < 0 ? 0 : share + 1;
    }
    return 0;
}

CString Abbreviate(const CString& path, int maxLength, BOOL bAtLeastName)
{
    if (maxLength <= 0 || path.GetLength() <= maxLength)
        return path;
    const int nameStart = path.ReverseFind(L'\\') + 1;
    const CString name = path.Mid(nameStart);
    const int rootLength = RootLength(path);
    // Leave out leading folders until root + "...\" + the rest fits.
    for (int cut = path.Find(L'\\', rootLength); cut >= 0 && cut < nameStart; cut = path.Find(L'\\', cut + 1))
    {
        CString candidate = path.Left(rootLength) + L"..." + path.Mid(cut);
        if (candidate.GetLength() <= maxLength)
            return candidate;
    }
    return bAtLeastName ? name : name.Left(maxLength);
}
} // namespace

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    CString path = m_arrNames[nIndex];
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir)
    {
        CString folder = path.Left(nCurDir);
        CString rest = path.Mid(nCurDir);
        if (folder.CompareNoCase(CString(lpszCurDir).Left(nCurDir)) == 0 && rest.Find(L'\\') < 0)
            path = rest;
    }
    strName = Abbreviate(path, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString entry;
    entry.Format(m_strEntryFormat, nIndex + 1);
    return entry;
}

void CRecentFileList::ReadList()
{
    if (CWinApp* pApp = AfxGetApp())
        for (int i = 0; i < m_nSize; ++i)
            m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(i));
}

void CRecentFileList::WriteList()
{
    // Empty entries are removed, so the stored list never has holes.
    if (CWinApp* pApp = AfxGetApp())
        for (int i = 0; i < m_nSize; ++i)
            pApp->WriteProfileString(m_strSectionName, EntryName(i),
                                     m_arrNames[i].IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_arrNames[i]));
}
