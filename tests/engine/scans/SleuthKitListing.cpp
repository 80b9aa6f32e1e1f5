#include "SleuthKitListing.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace testsupport {

std::map<std::string, OracleEntry> SleuthKitListing(const std::string& imagePath) {
  const std::string command = "fls -r -p -l '" + imagePath + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::map<std::string, OracleEntry> entries;
  std::vector<char> line(8192);
  while (fgets(line.data(), static_cast<int>(line.size()), pipe.get()) != nullptr) {
    std::string text(line.data());
    if (!text.empty() && text.back() == '\n') text.pop_back();
    // "r/r * 43533:<TAB>path<TAB>mtime<TAB>atime<TAB>ctime<TAB>crtime<TAB>size<TAB>uid<TAB>gid"
    std::vector<std::string> fields;
    std::stringstream split(text);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() < 7) continue;
    const std::string& kind = fields[0];
    if (kind.rfind("r/r", 0) != 0 && kind.rfind("d/d", 0) != 0) continue;
    if (fields[1].find("(Volume Label Entry)") != std::string::npos) continue;
    OracleEntry entry;
    entry.IsFolder = kind.rfind("d/d", 0) == 0;
    entry.Deleted = kind.find(" * ") != std::string::npos;
    entry.Size = std::stoull(fields[6]);
    entries[fields[1]] = entry;
  }
  return entries;
}

}  // namespace testsupport
