#include "ResourceTable.h"

#include <sstream>
#include <stdexcept>

namespace
{
std::vector<std::string> SplitCsvLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i)
    {
        char ch = line[i];
        if (quoted)
        {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"')
            {
                fields.back() += '"';
                ++i;
            }
            else if (ch == '"')
                quoted = false;
            else
                fields.back() += ch;
        }
        else if (ch == '"')
            quoted = true;
        else if (ch == ',')
            fields.emplace_back();
        else if (ch != '\r')
            fields.back() += ch;
    }
    if (quoted)
        throw std::runtime_error("unterminated quote: " + line);
    return fields;
}
} // namespace

std::vector<ResourceRow> ParseResourceTable(const std::string& text)
{
    std::vector<ResourceRow> rows;
    std::istringstream in(text);
    std::string line;
    bool header = true;
    while (std::getline(in, line))
    {
        if (header || line.empty() || line == "\r")
        {
            header = false;
            continue;
        }
        std::vector<std::string> f = SplitCsvLine(line);
        if (f.size() != 7)
            throw std::runtime_error("expected 7 fields: " + line);
        rows.push_back({std::stoi(f[0]), f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return rows;
}

PixelSize ParsePixelSize(const std::string& text)
{
    PixelSize size;
    size_t x = text.find('x');
    size_t slash = text.find('/');
    if (x == std::string::npos)
        throw std::runtime_error("not a size: " + text);
    size.width = std::stoi(text.substr(0, x));
    size.height = std::stoi(text.substr(x + 1, slash == std::string::npos ? std::string::npos : slash - x - 1));
    if (slash != std::string::npos)
        size.cells = std::stoi(text.substr(slash + 1));
    return size;
}

std::vector<int> ParseIconSizes(const std::string& text)
{
    std::vector<int> sizes;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, ';'))
        sizes.push_back(std::stoi(part));
    return sizes;
}
