// Screen tips without tools registered in advance: the owner hands every
// message of its window to FilterMouseMessage; the context asks the owner's
// OnToolHitTest for the tool under the cursor, registers exactly that tool
// with its one tooltip window, relays the mouse to it, and cancels the tip
// on clicks and keys.
#pragma once

#include "Framework.h"

// Answered with 1 by a child whose tips are its parent's (the command bars' edit).
constexpr UINT WM_TIP_USE_PARENT = 0x2A48;

// The two texts an extended TOOLINFO's lParam points to: body first, then title.
struct CScreenTipTexts
{
    LPWSTR lpszBody = nullptr;
    LPWSTR lpszTitle = nullptr;
};

// The common tooltip control, with TTM_WINDOWFROMPOINT answering a child
// that asks for it (WM_TIP_USE_PARENT) with the child's parent.
class CScreenTipCtrl : public CToolTipCtrl
{
public:
    BOOL CreateTip(CWnd* pParentWnd, DWORD dwStyle);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL m_bActive = TRUE;
};

class CScreenTipContext : public CCmdTarget
{
public:
    enum TipKind
    {
        kCommonTip = 0,
        kBalloonTip = 1,
        kOwnTip = 2,
        kOwnRichTip = 3,
        kOwnGradientTip = 4,
    };

    CScreenTipContext();
    ~CScreenTipContext() override;

    void FilterMouseMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);
    void CancelTips();
    void ModifyTipStyle(DWORD dwRemove, DWORD dwAdd);
    // Another kind of tip window; the next tracking message makes it.
    void SetKind(int nKind);
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    CWnd* GetTipWindow() const { return m_pTipWnd; }
    DWORD GetTipStyle() const { return m_dwTipStyle; }

    // Makes the tooltip window of the kind on the parent; an object without
    // a window handle means failure.
    virtual CWnd* CreateTipWindow(CWnd* pParent);

    BOOL m_bExtendedToolInfo = FALSE;
    int m_nKind = kCommonTip;
    DWORD m_dwComCtlVersion = 0;
    int m_nTitleIcon = 1;
    int m_nMaxTipWidth = 0;
    DWORD m_dwTipStyle = TTS_NOPREFIX;
    CRect m_rcMargins{0, 0, 0, 0};
    int m_nInitialDelay = -1;
    int m_nReshowDelay = -1;
    int m_nAutoPopDelay = -1;
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);

private:
    void Filter(CWnd* pOwner, MSG& msg);
    void PrepareTipWindow();
    void ForgetLastTool();
    void RelayToTip(const MSG& msg);
    void DeleteTipWindow();
    void ActivateTip(BOOL bActivate);
    static void FreeHitTestTexts(TOOLINFOW& info, CScreenTipTexts& texts);

    CWnd* m_pTipWnd = nullptr;
    TOOLINFOW m_lastTool{};
    BOOL m_bTipActive = FALSE;
};

// For owners inside OnToolHitTest: window, rectangle, id and a heap copy of
// the text; with the extended size and both title and body, heap copies of
// those too. The context frees the copies.
void AFXAPI FillToolInfo(TOOLINFOW* pTI, HWND hWnd, const RECT& rect, UINT_PTR nID, LPCWSTR lpszText,
                         LPCWSTR lpszTitle = nullptr, LPCWSTR lpszBody = nullptr);
