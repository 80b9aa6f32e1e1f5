#include "CSavedWindowPlacement.h"

#include "CUserSettingsStore.h"
#include "core/PlacementRecord.h"

#include <memory>
#include <vector>

namespace {

constexpr LPCTSTR kDefaultSection = L"Settings";
constexpr LPCTSTR kDefaultEntry = L"Window Position";

kit::PlacementRect ToKit(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

kit::PlacementFields ToKit(const WINDOWPLACEMENT& wp)
{
    kit::PlacementFields f;
    f.length = wp.length;
    f.flags = wp.flags;
    f.showCommand = wp.showCmd;
    f.minX = wp.ptMinPosition.x;
    f.minY = wp.ptMinPosition.y;
    f.maxX = wp.ptMaxPosition.x;
    f.maxY = wp.ptMaxPosition.y;
    f.normal = ToKit(wp.rcNormalPosition);
    return f;
}

void FromKit(const kit::PlacementFields& f, WINDOWPLACEMENT& wp)
{
    wp.length = sizeof(WINDOWPLACEMENT);
    wp.flags = f.flags;
    wp.showCmd = f.showCommand;
    wp.ptMinPosition = {f.minX, f.minY};
    wp.ptMaxPosition = {f.maxX, f.maxY};
    wp.rcNormalPosition = {f.normal.left, f.normal.top, f.normal.right, f.normal.bottom};
}

BOOL CALLBACK CollectWorkArea(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(hMonitor, &info))
        reinterpret_cast<std::vector<RECT>*>(lParam)->push_back(info.rcWork);
    return TRUE;
}

// The work areas of every monitor in the coordinates of a placement's normal
// rectangle (workspace coordinates: the primary work area's top-left is 0,0).
std::vector<kit::PlacementRect> WorkspaceWorkAreas()
{
    std::vector<RECT> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    RECT primary{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    if (areas.empty())
        areas.push_back(primary);
    std::vector<kit::PlacementRect> result;
    for (RECT area : areas)
    {
        ::OffsetRect(&area, -primary.left, -primary.top);
        result.push_back(ToKit(area));
    }
    return result;
}

} // namespace

CSavedWindowPlacement::CSavedWindowPlacement()
{
    m_placement = WINDOWPLACEMENT{};
    m_placement.length = sizeof(WINDOWPLACEMENT);
    m_placement.showCmd = SW_SHOW;
}

BOOL CSavedWindowPlacement::StorePlacement(CWnd* pWnd, LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_placement.length = sizeof(WINDOWPLACEMENT);
    if (!::GetWindowPlacement(pWnd->GetSafeHwnd(), &m_placement))
        return FALSE;
    m_placement.showCmd = kit::ShowCommandToStore(m_placement.showCmd);
    const auto bytes = kit::EncodePlacement(ToKit(m_placement));
    CUserSettingsStore store;
    return store.WriteBinary(lpszSection != nullptr ? lpszSection : kDefaultSection,
                             lpszEntry != nullptr ? lpszEntry : kDefaultEntry, bytes.data(),
                             static_cast<UINT>(bytes.size())) == 1;
}

BOOL CSavedWindowPlacement::LoadPlacement(LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
    CUserSettingsStore store;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    const BOOL bRead = store.GetBinary(lpszSection != nullptr ? lpszSection : kDefaultSection,
                                       lpszEntry != nullptr ? lpszEntry : kDefaultEntry, &pData, &nBytes);
    std::unique_ptr<BYTE[]> data(pData);
    if (!bRead)
        return FALSE;
    const auto fields = kit::DecodePlacement(data.get(), nBytes);
    if (!fields)
        return FALSE;
    FromKit(*fields, m_placement);
    return TRUE;
}

BOOL CSavedWindowPlacement::RestorePlacement(CWnd* pWnd, LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || !LoadPlacement(lpszEntry, lpszSection))
        return FALSE;
    const auto safe = kit::ClampPlacement(ToKit(m_placement), WorkspaceWorkAreas());
    if (!safe)
        return FALSE;
    WINDOWPLACEMENT placement{};
    FromKit(*safe, placement);
    return ::SetWindowPlacement(pWnd->GetSafeHwnd(), &placement);
}
