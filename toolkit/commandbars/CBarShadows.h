// Drop shadows of open popup bars (and of the control a popup drops from):
// two borderless topmost windows per owner, one along its right edge and one
// along its bottom edge, drawn as a soft alpha gradient through
// UpdateLayeredWindow where the system has it, else as a flat 2-px band. The
// shadows follow their owner's visibility and die with its window.
#pragma once

#include "CSubclassHookSink.h"
#include "window/CWnd.h"

#include <vector>

class CKitCommandBar;
class CKitControl;
class CCommandBarDrawer;

class CBarShadowWnd : public CWnd, public CSubclassHookSink
{
public:
    enum Orientation
    {
        kRightShadow = 0,
        kBottomShadow = 1,
    };

    CBarShadowWnd(CKitCommandBar* pOwner, int nOrientation, BOOL bDrawerShadows);

    CKitCommandBar* GetOwner() const { return m_pOwner; }
    int GetOrientation() const { return m_nOrientation; }
    // Creates the window on first use and puts it at the rectangle without repainting.
    BOOL Place(const CRect& rcShadow);
    // The window's region leaves the screen rectangle free.
    void Exclude(const CRect& rcScreen);
    void Forget() { m_pOwner = nullptr; }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateLayeredImage(CSize size);

    int m_nOrientation;
    BOOL m_bDrawerShadows;
    CKitCommandBar* m_pOwner;
};

class CBarShadows
{
public:
    static CBarShadows& Instance();
    ~CBarShadows();
    CBarShadows(const CBarShadows&) = delete;
    CBarShadows& operator=(const CBarShadows&) = delete;

    // The shadows of a placed popup, leaving the exclusion rectangle (the
    // opening control, on the screen) free.
    void AddShadow(CKitCommandBar* pBar, const CRect& rcExclude);
    // The shadows around a control whose popup drops from a bar that is not
    // a popup; they belong to the control's popup bar.
    void AddControlShadow(CKitControl* pControl);
    // Before a popup moves or closes.
    void RemoveShadows(CKitCommandBar* pBar);
    // A shadow window ends with its owner's window.
    void OnShadowDestroyed(CBarShadowWnd* pShadow);

    BOOL HasLayeredShadows() const { return m_pfnUpdateLayeredWindow != nullptr; }
    int GetShadowWidth() const { return HasLayeredShadows() ? 4 : 2; }
    const std::vector<CBarShadowWnd*>& GetShadows() const { return m_shadows; }

    using UpdateLayeredWindowFunc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);
    UpdateLayeredWindowFunc GetUpdateLayeredWindow() const { return m_pfnUpdateLayeredWindow; }

private:
    CBarShadows();
    void CreateShadow(CKitCommandBar* pOwner, int nOrientation, const CRect& rcOwner, const CRect& rcExclude,
                      CCommandBarDrawer* pDrawer);
    void Destroy(CBarShadowWnd* pShadow);

    UpdateLayeredWindowFunc m_pfnUpdateLayeredWindow = nullptr;
    std::vector<CBarShadowWnd*> m_shadows;
};
