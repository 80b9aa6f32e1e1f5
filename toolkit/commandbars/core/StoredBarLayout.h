// The arithmetic of a bar layout read back from the profile. The values
// come from the registry, where anything may stand: another screen's
// positions, counts beyond reason, a zero screen size, an entry twice, a bar
// off every monitor. These rules turn them into a layout that can be shown.
#pragma once

#include "ControlLayout.h"
#include "PopupPlacement.h"

#include <cstdint>
#include <set>
#include <span>
#include <vector>

namespace kit::commandbars {

// No frame holds more bars or dock entries than these; a larger stored count
// is damage.
constexpr int kMaxStoredBars = 256;
constexpr int kMaxStoredDockEntries = 512;
// Stored widths and client sizes beyond this are damage too.
constexpr int kMaxStoredExtent = 32767;

int ClampStoredCount(int count, int maximum);
int ClampStoredExtent(int extent, int fallback);

// Scales positions saved on one screen to the current one and keeps them
// where an icon-sized corner stays visible.
class StoredLayoutScaler
{
public:
    // A saved size of 0 (or below) cannot be scaled from: positions are
    // then only limited.
    StoredLayoutScaler(LayoutSize saved, LayoutSize current, LayoutSize icon);

    bool Rescales() const { return m_rescale; }
    LayoutPoint ScalePoint(LayoutPoint point) const;
    // Moves the rectangle so that its top-left corner is scaled; its size stays.
    LayoutRect ScaleRect(LayoutRect rect) const;

private:
    LayoutPoint Limit(LayoutPoint point) const;

    LayoutSize m_saved;
    LayoutSize m_current;
    LayoutPoint m_largest;
    bool m_rescale = false;
};

// The entries of one dock bar (bar ids, 0 for a row break) without the bars
// already placed elsewhere (`placed` collects every id kept) and without
// repeated row breaks.
std::vector<std::uint32_t> CleanDockEntries(std::span<const std::uint32_t> entries, std::set<std::uint32_t>& placed);

// A floating bar's rectangle moved onto the first monitor (the primary one)
// when it touches none of them; unchanged otherwise.
LayoutRect KeepOnAMonitor(LayoutRect rect, std::span<const LayoutRect> monitors);

}  // namespace kit::commandbars
