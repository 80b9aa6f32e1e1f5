// The profile values the controls read back: a saved placement (any size) and
// a saved column-width string (any text). Whatever is found, a placement that
// is restored lies inside a work area with a positive size, and a width is
// never negative nor beyond the limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/ColumnLayout.h"
#include "core/PlacementRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const auto placement = kit::DecodePlacement(data, size))
    {
        const std::vector<kit::PlacementRect> areas = {{0, 0, 1024, 768}, {1024, -200, 2944, 880}};
        if (const auto safe = kit::ClampPlacement(*placement, areas))
        {
            const kit::PlacementRect& r = safe->normal;
            bool inside = false;
            for (const auto& area : areas)
                inside = inside || (r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom);
            if (!inside || r.Width() <= 0 || r.Height() <= 0 || safe->showCommand == kit::kShowMinimized)
                std::abort();
        }
    }
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i)
        text += static_cast<wchar_t>(data[i] % 16 == 0 ? L',' : data[i]);
    for (int index = -1; index < 6; ++index)
    {
        const int width = kit::ParseColumnWidthField(text, index, 4000);
        if (width < 0 || width > 4000)
            std::abort();
    }
    return 0;
}
