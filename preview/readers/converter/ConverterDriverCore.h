#pragma once
// The portable side of the Office text-converter driver: its command line, the
// name lists and preference records a converter library hands back, the names of
// converter libraries, output paths and the texts of converter error codes. The
// libraries lie outside the program, so what they return is read within bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace preview::converter {

// Every class name and path of a run is limited to this many characters.
constexpr size_t kMaxName = 259;
// The blocks handed to a converter for its name lists and data.
constexpr size_t kBlockBytes = 1024;
inline constexpr std::string_view kRtfClass = "RTF";

struct ConverterOptions {
  bool list = false;
  bool format = false;
  int fileCount = 0;
  int verbosity = 0;
  std::string importClass;
  std::string exportClass;
  std::string inputFile;
  std::string outputFile;
};

enum class ParseResult { kRun, kHelp, kUsageError, kUnknownOption, kTooLong };

// Parses the entries after the program name. An unknown option letter is given
// back in `badLetter`.
ParseResult ParseConverterArguments(const std::vector<std::string>& entries, ConverterOptions& options,
                                    char& badLetter);

// The strings of a name list: NUL-terminated strings ended by an empty one, read
// no further than `size` bytes; a string that runs to the end of the block unended
// is not taken.
std::vector<std::string> ReadNameList(const char* block, size_t size);

struct ConverterPreference {
  uint8_t opcode = 0;
  std::vector<uint8_t> data;
};

// The records of a preference block: its 16-bit total size, then records of a
// size byte (counting itself and the opcode), an opcode and data. The walk stops
// at the end of the block or of the declared size, whichever comes first, and at
// a record whose size is below 2 (a size of 0 would never move on).
std::vector<ConverterPreference> ReadPreferences(const uint8_t* block, size_t size);

// Longer than 5 characters and ending in ".cnv" or ".wpc", ignoring case.
bool IsConverterLibraryName(std::string_view name);

// Equal ignoring ASCII case.
bool SameClass(std::string_view left, std::string_view right);

// A path beginning with "/" or "\", or with ":" as its second character, is kept;
// any other is put after the current directory and "\".
std::string ResolveOutputPath(const std::string& path, const std::string& currentDirectory);

// The driver's own text for a converter error code, with its "%s" slots; the
// second tells which of program, input and output names fill them.
struct ConverterErrorText {
  const char* format;
  enum Fill { kProgram, kProgramAndInput, kProgramAndOutput, kLibraryAndCode } fill;
};
ConverterErrorText ConverterErrorTextOf(int code);

}  // namespace preview::converter
