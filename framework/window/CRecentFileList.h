// CRecentFileList: the most recently used files, newest first, kept in the
// application's profile and shown in menus under short display names.
#pragma once

#include "../core/Collections.h"
#include "../core/CString.h"

// The longest display name before a path is shortened with "...".
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList
{
public:
    // nStart: the first menu command id's offset; entries are stored in
    // lpszSection under names made from lpszEntryFormat ("File%d", from 1).
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    // An empty string where the list has no entry yet.
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the file first; the same file (any case) is not listed twice.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name to show for entry nIndex: the file name alone when the file
    // lies in lpszCurDir (its first nCurDir characters, with the trailing
    // backslash), otherwise the full path; a long path keeps its root and
    // file name around "..." and, with bAtLeastName, at least the whole file
    // name. FALSE for an empty entry or an index outside the list.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // From and to the application's profile.
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nSize;
    int m_nMaxDisplayLength;

protected:
    CStringArray m_arrNames;

private:
    CString EntryName(int nIndex) const; // the profile entry of an index
};
