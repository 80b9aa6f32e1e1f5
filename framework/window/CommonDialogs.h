// The system's file and colour dialogs behind the framework's interface.
#pragma once

#include "../core/CString.h"
#include "CDialog.h"

#include <commdlg.h>
#include <vector>

// A filter written with '|' between its parts ("Text (*.txt)|*.txt||") as the
// system's list of NUL-ended parts closed by an empty one. A filter with no '|'
// is taken as already in the system's form and copied through its closing pair.
std::vector<wchar_t> SystemFileFilter(LPCTSTR filter);

class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter uses '|' between parts and ends with "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;

    CString GetPathName() const { return m_szFileName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEW m_ofn{};
    BOOL m_bOpenFileDialog;

private:
    std::vector<wchar_t> m_filter;
    CString m_strDefExt;
    wchar_t m_szFileName[MAX_PATH * 4] = L"";
    wchar_t m_szFileTitle[MAX_PATH] = L"";
};

class CColorDialog : public CDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* AFXAPI GetSavedCustomColors();

    CHOOSECOLORW m_cc{};
};
