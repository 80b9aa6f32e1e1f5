// The toolkit's own tip windows, which understand the tooltip messages the
// screen-tip context sends: a plain tip (kind 2) and one with a gradient
// background (kind 4). They read width, margins and colours from their
// context and show a tool 500 ms after the cursor reaches it, at once when
// another tip hid less than 200 ms before.
#pragma once

#include "Framework.h"

#include <vector>

class CScreenTipContext;

class CScreenTipWnd : public CWnd
{
public:
    struct Tool
    {
        CString text;
        BOOL bTextByCallback = FALSE;
        UINT uFlags = 0;
        CRect rect;
        HINSTANCE hinst = nullptr;
        HWND hWnd = nullptr;
        UINT_PTR uId = static_cast<UINT_PTR>(-1);

        bool IsNone() const { return hWnd == nullptr && uId == static_cast<UINT_PTR>(-1); }
        bool Is(HWND hOther, UINT_PTR uOther) const { return hWnd == hOther && uId == uOther; }
    };

    explicit CScreenTipWnd(CScreenTipContext* pContext);
    ~CScreenTipWnd() override;

    using CWnd::Create;
    BOOL Create(CWnd* pParent, DWORD dwStyle);

    const Tool& GetShownTool() const { return m_shown; }
    const Tool& GetPendingTool() const { return m_pending; }
    size_t GetToolCount() const { return m_tools.size(); }

    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr DWORD kInitialDelay = 500;
    static constexpr DWORD kReshowWindow = 200;

protected:
    virtual CSize CalcTipSize(const Tool& tool);
    virtual void DrawTipText(CDC* pDC, const CString& strText, CRect rect);
    virtual void DrawTipBackground(CDC* pDC, CRect rect);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CString GetToolText(const Tool& tool);
    CScreenTipContext* m_pContext;
    CFont m_font;
    CString m_strTitle;

private:
    void AddTool(const TOOLINFOW& info);
    void DeleteTool(const TOOLINFOW& info);
    void Activate(BOOL bActivate);
    void RelayEvent(const MSG& msg);
    const Tool* HitTest(POINT ptScreen) const;
    void OnShowTimer();
    void ShowTool(const Tool* pTool);
    void Hide();
    void KillShowTimer();
    void Paint();
    static LRESULT CALLBACK TipMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    std::vector<Tool> m_tools;
    BOOL m_bActive = FALSE;
    Tool m_shown;
    Tool m_clicked;
    Tool m_pending;
    UINT_PTR m_nTimer = 0;
    DWORD m_dwLastChange = 0;
    HWND m_hWndOwner = nullptr;
};

// Kind 4: a two-colour gradient background framed in the scheme's colour.
class CScreenTipGradientWnd : public CScreenTipWnd
{
public:
    using CScreenTipWnd::CScreenTipWnd;

protected:
    void DrawTipBackground(CDC* pDC, CRect rect) override;
};
