// What a view's printing steps share: the print dialog's answers, the page
// being printed and where it is drawn; and what the frame keeps while a
// print preview replaces its menu and bars.
#pragma once

#include "../core/CString.h"
#include "../core/Geometry.h"

#include <commdlg.h>

#include <vector>

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // The print dialog's record; hDC is the printer DC once it was chosen.
    PRINTDLGW m_pd;
    BOOL m_bDirect = FALSE;  // print on the default printer without asking
    BOOL m_bPreview = FALSE;
    // Cleared by OnPrepareDC when there are no more pages.
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw; // the printable area of the page, in logical units
    LPVOID m_lpUserData = nullptr;

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    // 0xFFFF while the number of pages is unknown.
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nFromPage : GetMinPage(); }
    UINT GetToPage() const { return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nToPage : GetMaxPage(); }
};

struct CPrintPreviewState
{
    HMENU hMenu = nullptr;          // the frame's menu, taken off during the preview
    std::vector<HWND> hiddenBars;   // the control bars the preview hid
    HWND hWndFocus = nullptr;
};
