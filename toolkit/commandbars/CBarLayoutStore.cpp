#include "CBarLayoutStore.h"

#include "CBarTreeStore.h"
#include "CKitCommandBars.h"
#include "CKitDockBar.h"
#include "core/StoredBarLayout.h"
#include "window/CFrameWnd.h"
#include "window/CWinApp.h"

#include <cstdint>
#include <set>
#include <vector>

using namespace kit::commandbars;

namespace
{

constexpr int kDefaultMRUWidth = 32767;
constexpr int kDefaultClientSize = 200;

CString BarSection(LPCTSTR lpszProfile, int nIndex)
{
    CString strSection;
    strSection.Format(L"%s-Bar%d", lpszProfile, nIndex);
    return strSection;
}

CString DockBarSection(LPCTSTR lpszProfile, int nSide)
{
    CString strSection;
    strSection.Format(L"%s-DockBar%d", lpszProfile, nSide);
    return strSection;
}

CString SummarySection(LPCTSTR lpszProfile)
{
    CString strSection;
    strSection.Format(L"%s-Summary", lpszProfile);
    return strSection;
}

int ReadInt(CWinApp* pApp, const CString& strSection, LPCTSTR lpszEntry, int nDefault)
{
    return static_cast<int>(pApp->GetProfileInt(strSection, lpszEntry, nDefault));
}

LayoutSize ScreenSize()
{
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

BOOL CALLBACK CollectMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(hMonitor, &info))
        return TRUE;
    auto* pMonitors = reinterpret_cast<std::vector<LayoutRect>*>(lParam);
    const LayoutRect rc{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    // The primary monitor first: that is where lost bars come back.
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0)
        pMonitors->insert(pMonitors->begin(), rc);
    else
        pMonitors->push_back(rc);
    return TRUE;
}

std::vector<LayoutRect> MonitorWorkAreas()
{
    std::vector<LayoutRect> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace

CBarLayoutInfo CBarLayoutStore::CollectInfo(CKitCommandBar* pBar) const
{
    CBarLayoutInfo info;
    info.nBarId = static_cast<UINT>(pBar->GetBarId());
    info.pBar = pBar;
    info.bVisible = pBar->IsVisible();
    info.nMRUWidth = pBar->m_nFloatingWidth;
    info.bFloating = pBar->GetPosition() == kBarFloating;
    if (::IsWindow(pBar->m_hWnd))
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        if (pBar->m_pDockBar != nullptr && !info.bFloating)
            pBar->m_pDockBar->ScreenToClient(&rc);
        info.ptPosition = rc.TopLeft();
        if (info.bFloating)
            info.ptMRUFloat = rc.TopLeft();
    }
    info.bDialogBar = pBar->IsDialogBar();
    return info;
}

void CBarLayoutStore::WriteInfo(const CString& strSection, const CBarLayoutInfo& info) const
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(strSection, nullptr, nullptr);
    pApp->WriteProfileInt(strSection, L"BarID", static_cast<int>(info.nBarId));
    if (!info.bVisible)
        pApp->WriteProfileInt(strSection, L"Visible", 0);
    if (info.bFloating)
        pApp->WriteProfileInt(strSection, L"Floating", 1);
    if (info.ptPosition.x != -1)
        pApp->WriteProfileInt(strSection, L"XPos", info.ptPosition.x);
    if (info.ptPosition.y != -1)
        pApp->WriteProfileInt(strSection, L"YPos", info.ptPosition.y);
    if (info.nMRUWidth != kDefaultMRUWidth)
        pApp->WriteProfileInt(strSection, L"MRUWidth", info.nMRUWidth);
    pApp->WriteProfileInt(strSection, L"MRUDockID", static_cast<int>(info.nMRUDockId));
    pApp->WriteProfileInt(strSection, L"MRUDockLeftPos", info.rcMRUDock.left);
    pApp->WriteProfileInt(strSection, L"MRUDockTopPos", info.rcMRUDock.top);
    pApp->WriteProfileInt(strSection, L"MRUDockRightPos", info.rcMRUDock.right);
    pApp->WriteProfileInt(strSection, L"MRUDockBottomPos", info.rcMRUDock.bottom);
    pApp->WriteProfileInt(strSection, L"MRUFloatXPos", info.ptMRUFloat.x);
    pApp->WriteProfileInt(strSection, L"MRUFloatYPos", info.ptMRUFloat.y);
    pApp->WriteProfileInt(strSection, L"DialogBar", info.bDialogBar);
    if (info.bDialogBar)
    {
        pApp->WriteProfileInt(strSection, L"DialogBarDockingClientCx", info.szDockingClient.cx);
        pApp->WriteProfileInt(strSection, L"DialogBarDockingClientCy", info.szDockingClient.cy);
        pApp->WriteProfileInt(strSection, L"DialogBarFloatingClientCx", info.szFloatingClient.cx);
        pApp->WriteProfileInt(strSection, L"DialogBarFloatingClientCy", info.szFloatingClient.cy);
    }
}

void CBarLayoutStore::WriteDockBars(LPCTSTR lpszProfile) const
{
    CWinApp* pApp = AfxGetApp();
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        const CString strSection = DockBarSection(lpszProfile, nSide);
        pApp->WriteProfileString(strSection, nullptr, nullptr);
        CKitDockBar* pDockBar = m_pCommandBars->GetDockBar(nSide);
        if (pDockBar == nullptr)
            continue;
        const std::vector<DockBarId>& entries = pDockBar->GetRows().Entries();
        if (entries.size() <= 1)
            continue;
        int nWritten = 0;
        BOOL bLastWasBreak = FALSE;
        for (DockBarId entry : entries)
        {
            const UINT nId = entry == kRowBreak ? 0 : static_cast<UINT>(reinterpret_cast<CKitCommandBar*>(entry)->GetBarId());
            if (nId == 0 && bLastWasBreak)
                continue;
            bLastWasBreak = nId == 0;
            CString strEntry;
            strEntry.Format(L"Bar#%d", nWritten++);
            pApp->WriteProfileInt(strSection, strEntry, static_cast<int>(nId));
        }
        pApp->WriteProfileInt(strSection, L"Bars", nWritten);
    }
}

void CBarLayoutStore::Save(LPCTSTR lpszProfile)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_pCommandBars == nullptr)
        return;
    const int nCount = m_pCommandBars->GetCount();
    for (int i = 0; i < nCount; ++i)
        WriteInfo(BarSection(lpszProfile, i), CollectInfo(m_pCommandBars->GetAt(i)));
    const CString strSummary = SummarySection(lpszProfile);
    pApp->WriteProfileInt(strSummary, L"Bars", nCount);
    const LayoutSize screen = ScreenSize();
    pApp->WriteProfileInt(strSummary, L"ScreenCX", screen.cx);
    pApp->WriteProfileInt(strSummary, L"ScreenCY", screen.cy);
    WriteDockBars(lpszProfile);
    CWnd* pSite = m_pCommandBars->GetSite();
    HWND hStatusBar = pSite != nullptr ? ::GetDlgItem(pSite->m_hWnd, kStatusBarId) : nullptr;
    if (hStatusBar != nullptr && !::IsWindowVisible(hStatusBar))
        pApp->WriteProfileInt(lpszProfile, L"StatusBar", 0);
    else
        pApp->WriteProfileString(lpszProfile, L"StatusBar", nullptr);
    m_pCommandBars->GetSettings()->m_bChanged = FALSE;
}

void CBarLayoutStore::ReadDockBars(LPCTSTR lpszProfile) const
{
    CWinApp* pApp = AfxGetApp();
    std::set<std::uint32_t> placed;
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        CKitDockBar* pDockBar = m_pCommandBars->GetDockBar(nSide);
        const CString strSection = DockBarSection(lpszProfile, nSide);
        const int nEntries = ClampStoredCount(ReadInt(pApp, strSection, L"Bars", 0), kMaxStoredDockEntries);
        if (pDockBar == nullptr || nEntries <= 1)
            continue;
        std::vector<std::uint32_t> stored;
        for (int j = 0; j < nEntries; ++j)
        {
            CString strEntry;
            strEntry.Format(L"Bar#%d", j);
            stored.push_back(static_cast<std::uint32_t>(ReadInt(pApp, strSection, strEntry, 0)));
        }
        // Each row is rebuilt in order: its first bar opens a new row, the
        // others join it at their stored places along the row.
        CKitCommandBar* pRowFirst = nullptr;
        for (std::uint32_t nId : CleanDockEntries(stored, placed))
        {
            if (nId == 0)
            {
                pRowFirst = nullptr;
                continue;
            }
            CKitCommandBar* pBar = m_pCommandBars->FindBarById(static_cast<int>(nId));
            if (pBar == nullptr || !pBar->CreateBarWindow(pDockBar, FALSE))
                continue;
            if (pRowFirst == nullptr || !::IsWindow(pRowFirst->m_hWnd))
            {
                pDockBar->DockCommandBar(pBar);
                pRowFirst = pBar;
                if (CFrameWnd* pFrame = m_pCommandBars->GetSiteFrame())
                    pFrame->RecalcLayout();
                continue;
            }
            CRect rcRow;
            pRowFirst->GetWindowRect(&rcRow);
            CRect rcBar;
            pBar->GetWindowRect(&rcBar);
            rcBar.OffsetRect(rcRow.right - rcBar.left, rcRow.top - rcBar.top);
            pDockBar->DockCommandBar(pBar, &rcBar);
        }
    }
}

void CBarLayoutStore::ApplyInfo(const CBarLayoutInfo& info) const
{
    CKitCommandBar* pBar = info.pBar;
    if (info.bFloating)
    {
        if (!m_pCommandBars->FloatCommandBar(pBar))
            return;
    }
    else if (pBar->GetPosition() == kBarFloating)
    {
        // Stored as docked but floating now: back to the top.
        m_pCommandBars->DockCommandBar(pBar, nullptr, CKitCommandBars::kDockTop);
    }
    pBar->m_nFloatingWidth = info.nMRUWidth;
    if (info.bFloating && ::IsWindow(pBar->m_hWnd))
    {
        pBar->OnRecalcLayout();
        CRect rc;
        pBar->GetWindowRect(&rc);
        const LayoutRect placed = KeepOnAMonitor(
            {info.ptPosition.x, info.ptPosition.y, info.ptPosition.x + rc.Width(), info.ptPosition.y + rc.Height()},
            MonitorWorkAreas());
        pBar->SetWindowPos(nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else if (pBar->m_pDockBar != nullptr && info.ptPosition.x >= 0)
    {
        pBar->m_nDockLeft = pBar->m_pDockBar->IsHorizontal() ? info.ptPosition.x : info.ptPosition.y;
    }
    pBar->SetVisible(info.bVisible);
}

void CBarLayoutStore::Load(LPCTSTR lpszProfile)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_pCommandBars == nullptr)
        return;
    const CString strSummary = SummarySection(lpszProfile);
    const int nBars = ClampStoredCount(ReadInt(pApp, strSummary, L"Bars", 0), kMaxStoredBars);
    const LayoutSize saved{ReadInt(pApp, strSummary, L"ScreenCX", 0), ReadInt(pApp, strSummary, L"ScreenCY", 0)};
    const StoredLayoutScaler scaler(saved, ScreenSize(),
                                    {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)});
    std::vector<CBarLayoutInfo> infos;
    std::set<UINT> seen;
    for (int i = 0; i < nBars; ++i)
    {
        const CString strSection = BarSection(lpszProfile, i);
        CBarLayoutInfo info;
        info.nBarId = static_cast<UINT>(ReadInt(pApp, strSection, L"BarID", 0));
        info.bVisible = ReadInt(pApp, strSection, L"Visible", 1) != 0;
        info.bFloating = ReadInt(pApp, strSection, L"Floating", 0) != 0;
        const LayoutPoint position =
            scaler.ScalePoint({ReadInt(pApp, strSection, L"XPos", -1), ReadInt(pApp, strSection, L"YPos", -1)});
        info.ptPosition = CPoint(position.x, position.y);
        info.nMRUWidth = ClampStoredExtent(ReadInt(pApp, strSection, L"MRUWidth", kDefaultMRUWidth), kDefaultMRUWidth);
        info.nMRUDockId = static_cast<UINT>(ReadInt(pApp, strSection, L"MRUDockID", 0));
        const LayoutRect dock = scaler.ScaleRect(
            {ReadInt(pApp, strSection, L"MRUDockLeftPos", 0), ReadInt(pApp, strSection, L"MRUDockTopPos", 0),
             ReadInt(pApp, strSection, L"MRUDockRightPos", 0), ReadInt(pApp, strSection, L"MRUDockBottomPos", 0)});
        info.rcMRUDock = CRect(dock.left, dock.top, dock.right, dock.bottom);
        const LayoutPoint floatPos = scaler.ScalePoint(
            {ReadInt(pApp, strSection, L"MRUFloatXPos", 0), ReadInt(pApp, strSection, L"MRUFloatYPos", 0)});
        info.ptMRUFloat = CPoint(floatPos.x, floatPos.y);
        info.bDialogBar = ReadInt(pApp, strSection, L"DialogBar", 0) != 0;
        if (info.bDialogBar)
        {
            const auto size = [&](LPCTSTR lpszEntry) {
                return ClampStoredExtent(ReadInt(pApp, strSection, lpszEntry, kDefaultClientSize), kDefaultClientSize);
            };
            info.szDockingClient = CSize(size(L"DialogBarDockingClientCx"), size(L"DialogBarDockingClientCy"));
            info.szFloatingClient = CSize(size(L"DialogBarFloatingClientCx"), size(L"DialogBarFloatingClientCy"));
        }
        // A bar stored twice keeps its first entry.
        if (info.nBarId == 0 || !seen.insert(info.nBarId).second)
            continue;
        info.pBar = m_pCommandBars->FindBarById(static_cast<int>(info.nBarId));
        if (info.pBar != nullptr)
            infos.push_back(info);
    }
    ReadDockBars(lpszProfile);
    if (ReadInt(pApp, lpszProfile, L"StatusBar", 1) == 0)
    {
        if (CFrameWnd* pFrame = m_pCommandBars->GetSiteFrame())
            if (CControlBar* pStatusBar = pFrame->GetControlBar(kStatusBarId))
                pFrame->ShowControlBar(pStatusBar, FALSE, FALSE);
    }
    for (const CBarLayoutInfo& info : infos)
        ApplyInfo(info);
    m_pCommandBars->RelayoutFrame(FALSE);
    m_pCommandBars->GetSettings()->m_bChanged = FALSE;
}

void CKitCommandBars::SaveLayout(LPCTSTR lpszProfile, BOOL bChangedOnly)
{
    CBarLayoutStore(this).Save(lpszProfile);
    CBarTreeStore(this).Save(lpszProfile, bChangedOnly);
}

void CKitCommandBars::LoadLayout(LPCTSTR lpszProfile, BOOL bSilent)
{
    // The contents first: a toolbar the user made must exist before the
    // layout can place it.
    CBarTreeStore(this).Load(lpszProfile, bSilent);
    CBarLayoutStore(this).Load(lpszProfile);
}
