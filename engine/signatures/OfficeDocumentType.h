#pragma once
// Tells Word, Excel, PowerPoint and Publisher files apart when they share the
// compound-file signature. Reads the application name of the summary information
// and, when it names none of the three, the names of the document's streams.
// Works on a copy in memory: nothing is written, least of all to a folder that may
// lie on the volume being recovered.

#include <cstdint>
#include <span>
#include <string>

namespace engine {

struct EngineContext;
class CompoundFile;

// The bytes copied from a hit for the check: 16 chunks of 128 sectors (1 MB).
inline constexpr uint32_t kOfficeCheckChunks = 16;
inline constexpr uint32_t kOfficeCheckChunkSectors = 128;

// The application name (property 18) of the "\005SummaryInformation" stream;
// empty when the file has none or it cannot be read.
std::string ReadSummaryAppName(const CompoundFile& file);

// ".ppt", ".xls", ".doc" or ".pub" for the bytes of a file: by the application
// name ("PowerPoint", "Excel", "Word"), else by the streams ("PowerPoint Document";
// "Workbook" or "Book"; "WordDocument"; the Publisher storage "Quill"), else ".pub".
std::u16string ClassifyOfficeDocument(std::span<const uint8_t> bytes);

// The same for the file that begins at `sector` of the source, from a 1 MB copy.
std::u16string DetectOfficeType(EngineContext& ctx, uint64_t sector);

}  // namespace engine
