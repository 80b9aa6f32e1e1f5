#include "ConverterDriverCore.h"

namespace preview::converter {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && SameClass(text.substr(text.size() - ending.size()), ending);
}

}  // namespace

bool SameClass(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (size_t i = 0; i < left.size(); ++i) {
    if (Lower(left[i]) != Lower(right[i])) return false;
  }
  return true;
}

ParseResult ParseConverterArguments(const std::vector<std::string>& entries, ConverterOptions& options,
                                    char& badLetter) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& entry = entries[i];
    if (entry.empty() || entry[0] != '-') {
      if (entry.size() > kMaxName) return ParseResult::kTooLong;
      if (options.fileCount == 0) {
        options.inputFile = entry;
      } else if (options.fileCount == 1) {
        options.outputFile = entry;
      } else {
        return ParseResult::kUsageError;
      }
      ++options.fileCount;
      continue;
    }
    for (size_t letter = 1; letter < entry.size(); ++letter) {
      const char option = entry[letter];
      const bool takesValue = option == 'f' || option == 'i' || option == 'x';
      if (takesValue && (letter + 1 != entry.size() || i + 1 >= entries.size())) return ParseResult::kUsageError;
      switch (option) {
        case 'f':
        case 'i':
        case 'x': {
          const std::string& value = entries[++i];
          if (value.size() > kMaxName) return ParseResult::kTooLong;
          if (option == 'f') {
            options.format = true;
            options.inputFile = value;
            ++options.fileCount;
          } else {
            (option == 'i' ? options.importClass : options.exportClass) = value;
          }
          break;
        }
        case 'h':
          return ParseResult::kHelp;
        case 'l':
          options.list = true;
          break;
        case 'v':
          ++options.verbosity;
          break;
        default:
          badLetter = option;
          return ParseResult::kUnknownOption;
      }
    }
  }
  return ParseResult::kRun;
}

std::vector<std::string> ReadNameList(const char* block, size_t size) {
  std::vector<std::string> names;
  size_t position = 0;
  while (block != nullptr && position < size && block[position] != '\0') {
    size_t end = position;
    while (end < size && block[end] != '\0') ++end;
    if (end == size) break;  // unended: not a name
    names.emplace_back(block + position, end - position);
    position = end + 1;
  }
  return names;
}

std::vector<ConverterPreference> ReadPreferences(const uint8_t* block, size_t size) {
  std::vector<ConverterPreference> preferences;
  if (block == nullptr || size < 2) return preferences;
  const size_t declared = static_cast<size_t>(block[0]) | static_cast<size_t>(block[1]) << 8;
  const size_t end = declared < size ? declared : size;
  size_t position = 2;
  while (position + 2 <= end) {
    const size_t recordSize = block[position];
    if (recordSize < 2 || position + recordSize > end) break;
    ConverterPreference preference;
    preference.opcode = block[position + 1];
    preference.data.assign(block + position + 2, block + position + recordSize);
    preferences.push_back(std::move(preference));
    position += recordSize;
  }
  return preferences;
}

bool IsConverterLibraryName(std::string_view name) {
  return name.size() > 5 && (EndsWithIgnoringCase(name, ".cnv") || EndsWithIgnoringCase(name, ".wpc"));
}

std::string ResolveOutputPath(const std::string& path, const std::string& currentDirectory) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return path;
  if (path.size() > 1 && path[1] == ':') return path;
  return currentDirectory + "\\" + path;
}

ConverterErrorText ConverterErrorTextOf(int code) {
  using F = ConverterErrorText;
  switch (code) {
    case -1: return {"%s: error: converter could not open '%s'\n", F::kProgramAndInput};
    case -2: return {"%s: error: read error\n", F::kProgram};
    case -4: return {"%s: error: write error\n", F::kProgram};
    case -5: return {"%s: error: %s: invalid input file\n", F::kProgramAndInput};
    case -8: return {"%s: error: converter ran out of memory\n", F::kProgram};
    case -13: return {"%s: error: converter cannot create '%s'\n", F::kProgramAndOutput};
    case -14: return {"%s: error: converter did not recognise input file '%s'\n", F::kProgramAndInput};
    default: return {"%s: error: converter returned error %x\n", F::kLibraryAndCode};
  }
}

}  // namespace preview::converter
