// One tab of a tab strip: its caption, tooltip, colour, the window and the
// owner's object it stands for, and the place the layout gave it. Tabs are
// reference counted; a strip holds one reference for every tab it shows.
#pragma once

#include "Framework.h"

class CTabStrip;

class CKitTabManagerItem : public CCmdTarget
{
public:
    CKitTabManagerItem() = default;

    // A different caption relays the strip out.
    void SetCaption(LPCTSTR pszCaption);
    void SetColor(COLORREF crColor);
    // Through the strip, so that an owner can answer its own.
    CString GetCaption() const;
    COLORREF GetColor() const;
    void Remove();
    HWND GetAttachedWindow() const { return m_hWndAttached; }
    BOOL IsTabShown() const { return m_bShown; }
    BOOL IsTabEnabled() const { return m_bEnabled; }

    int m_nLength = 0;
    int m_nIdealLength = 0;
    int m_nImage = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bShown = TRUE;
    HWND m_hWndAttached = nullptr;
    DWORD_PTR m_dwData = 0;
    void* m_pObject = nullptr;  // the owner's object behind the tab, not owned
    CRect m_rect;
    CString m_strCaption;
    CString m_strTooltip;
    COLORREF m_crColor = 0;
    CTabStrip* m_pStrip = nullptr;
    int m_nRow = 0;
    BOOL m_bClosable = TRUE;
};
