// resource-table.csv as rows: the list of every resource the program loads,
// with the size and transparent colour each must have.
#pragma once

#include <string>
#include <vector>

struct ResourceRow
{
    int id = 0;
    std::string type;         // bitmap, icon, cursor, menu, toolbar, dialog, dlginit, string, version, manifest
    std::string name;
    std::string size;         // by type: "WxH", "WxH/cells", "16;32", a count, a version text
    std::string transparent;  // none, alpha, topleft, or a colour "RRGGBB"
    std::string role;
    std::string users;
};

// Parses the table's CSV text (header line first; fields may be quoted).
// Throws std::runtime_error on a malformed line.
std::vector<ResourceRow> ParseResourceTable(const std::string& text);

struct PixelSize
{
    int width = 0;
    int height = 0;
    int cells = 1;
};

// "WxH" or "WxH/cells".
PixelSize ParsePixelSize(const std::string& text);
// "16;32;48".
std::vector<int> ParseIconSizes(const std::string& text);
