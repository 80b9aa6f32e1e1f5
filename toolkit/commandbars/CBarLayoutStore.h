// Where every bar of a frame was, kept in the application's profile under
// one profile name: a section per bar ("<profile>-Bar<i>"), a summary, a
// section per dock bar with its rows, and whether the status bar was hidden.
// Reading back trusts nothing: counts are clamped, positions from another
// screen are scaled (never by a zero size), duplicate dock entries are
// dropped and floating bars off every monitor come back onto one.
#pragma once

#include "window/CWnd.h"

class CKitCommandBar;
class CKitCommandBars;

// One bar of the stored layout.
struct CBarLayoutInfo
{
    UINT nBarId = 0;
    BOOL bVisible = FALSE;
    BOOL bFloating = FALSE;
    CPoint ptPosition{-1, -1};
    int nMRUWidth = 32767;
    UINT nMRUDockId = 0;
    CRect rcMRUDock{0, 0, 0, 0};
    CPoint ptMRUFloat{0, 0};
    CKitCommandBar* pBar = nullptr;
    BOOL bDialogBar = FALSE;
    CSize szDockingClient{200, 200};
    CSize szFloatingClient{200, 200};
};

class CBarLayoutStore
{
public:
    // The child id of the frame's status bar.
    static constexpr UINT kStatusBarId = 0xE801;

    explicit CBarLayoutStore(CKitCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

    void Save(LPCTSTR lpszProfile);
    void Load(LPCTSTR lpszProfile);

private:
    CBarLayoutInfo CollectInfo(CKitCommandBar* pBar) const;
    void WriteInfo(const CString& strSection, const CBarLayoutInfo& info) const;
    void WriteDockBars(LPCTSTR lpszProfile) const;
    void ReadDockBars(LPCTSTR lpszProfile) const;
    void ApplyInfo(const CBarLayoutInfo& info) const;

    CKitCommandBars* m_pCommandBars;
};
