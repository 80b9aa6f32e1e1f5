// CEnhancedListBase: what the toolkit's report lists add to a list control,
// shared by CUiListCtrl and CUiListView as their second base: a flat sortable
// header, double-buffered painting, row and custom colours, a shaded sort
// column, auto-sized columns within limits, column widths kept in the user
// settings, row moving and extended-style helpers.
#pragma once

#include "CUiHeaderCtrl.h"

#include <vector>

struct CListRowColors
{
    int nRow = -1;
    COLORREF clrBack = CLR_NONE;
    COLORREF clrText = CLR_NONE;
};

class CEnhancedListBase
{
public:
    CEnhancedListBase();
    virtual ~CEnhancedListBase();
    CEnhancedListBase(const CEnhancedListBase&) = delete;
    CEnhancedListBase& operator=(const CEnhancedListBase&) = delete;

    virtual int SetSortImage(int nColumn, BOOL bAscending);
    virtual int GetSavedColumnWidth(int nColumn);
    virtual void RestoreColumnWidth(int nColumn);
    virtual int LoadColumnWidths();
    virtual void SaveColumnWidths();
    virtual void AutoSizeColumn(int nPosition = -1);
    virtual void AutoSaveColumns(LPCTSTR lpszSection = nullptr, LPCTSTR lpszEntry = nullptr, LPCTSTR lpszDefault = nullptr);
    virtual BOOL SubclassHeader(BOOL bBoldFont = FALSE);
    virtual BOOL SortList(int nColumn, BOOL bAscending);
    virtual void AddExtendedStyle(DWORD dwStyle);
    virtual DWORD GetExtendedStyle() const;
    virtual void SetNoColumnResize(BOOL bNoResize) { m_bNoColumnResize = bNoResize; }
    virtual int HitTestEx(CPoint point, int* pColumn) const;
    virtual int AddColumn(LPCTSTR lpszText, int nWidth = -1, int nFormat = LVCFMT_LEFT);
    virtual BOOL InsertColumns(int nCount, const int* pWidths, const LPCTSTR* pTexts);
    virtual BOOL InsertColumns(int nCount, const int* pWidths, const UINT* pStringIDs);
    virtual int GetColumnCount() const;
    virtual int CopyRow(int nFrom, int nTo);
    virtual BOOL MoveRow(int nFrom, int nTo);
    virtual void SetColors(COLORREF clrText, COLORREF clrBack);
    virtual void SetRowColorsFrom(const CListRowColors& colors);
    virtual void SetRowColors(int nRow, COLORREF clrText, COLORREF clrBack);
    virtual void RemoveAllRowColors() { m_rowColors.clear(); }
    virtual const CListRowColors* FindRowColors(int nRow) const;
    virtual BOOL ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd);
    virtual BOOL InitializeControl();
    virtual BOOL OnHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    void RefreshColors();
    CUiFlatHeaderCtrl& GetFlatHeader() { return m_header; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    void SetMinColumnWidth(int nWidth) { m_nMinColumnWidth = nWidth < 0 ? 0 : nWidth; }
    void SetShadeSortColumn(BOOL bShade) { m_bShadeSortColumn = bShade; }
    void EnableRowColors(BOOL bOn) { m_bRowColors = bOn; }
    void SetUseToolkitFont(BOOL bUse) { m_bUseToolkitFont = bUse; }

    BOOL m_bAutoSaveColumns = FALSE;

protected:
    // The list window the base serves; set by the deriving control.
    CWnd* m_pList = nullptr;

    BOOL IsReportView() const;
    // The header window of the list, or null.
    HWND GetHeaderWindow() const;
    // Double-buffered painting of the list (WM_PAINT).
    void PaintList();
    // Reflected NM_CUSTOMDRAW: the row, custom and sorted-column colours.
    BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);

private:
    int m_nMinColumnWidth = 0;
    int m_nMaxColumnWidth = 0;
    int m_nSortColumn = -1;
    BOOL m_bUseToolkitFont = FALSE;
    BOOL m_bCustomColors = FALSE;
    BOOL m_bRowColors = FALSE;
    BOOL m_bShadeSortColumn = FALSE;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bNoColumnResize = FALSE;
    CString m_strSection;
    CString m_strEntry;
    CString m_strDefault;
    COLORREF m_clrCustomText = CLR_NONE;
    COLORREF m_clrCustomBack = CLR_NONE;
    COLORREF m_clrSortText = 0;
    COLORREF m_clrSortBack = 0;
    std::vector<CListRowColors> m_rowColors;
    CUiFlatHeaderCtrl m_header;
};
