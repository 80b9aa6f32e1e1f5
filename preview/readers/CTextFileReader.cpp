#include "CTextFileReader.h"

#include <exception>

#include "AnsiText.h"

namespace preview {

namespace {
constexpr char16_t kReplacement = u'\xFFFD';
}

CTextFileReader::CTextFileReader(const std::filesystem::path& path)
    : file_(std::make_unique<ReaderFile>(path)) {
  firstLine_ = true;
  endOfFile_ = !IsOpen();
  DetectEncoding();
}

CTextFileReader::~CTextFileReader() { Close(); }

void CTextFileReader::Close() { file_.reset(); }

void CTextFileReader::DetectEncoding() {
  if (!IsOpen()) return;
  const uint8_t first = ReadByte();
  const uint8_t second = ReadByte();
  if (first == 0xFF && second == 0xFE) {
    encoding_ = kUtf16LittleEndian;
  } else if (first == 0xFE && second == 0xFF) {
    encoding_ = kUtf16BigEndian;
  } else if (first == 0xEF && second == 0xBB && ReadByte() == 0xBF) {
    encoding_ = kUtf8;
  } else {
    encoding_ = kAnsi;
    Rewind();
  }
}

uint8_t CTextFileReader::ReadByte() {
  if (hasPushedBack_) {
    hasPushedBack_ = false;
    return static_cast<uint8_t>(pushedBack_);
  }
  if (!IsOpen()) {
    endOfFile_ = true;
    return 0;
  }
  if (bufferPosition_ == -1 || bufferPosition_ == kBufferSize - 1) {
    bufferFill_ = static_cast<int32_t>(file_->Read(buffer_, kBufferSize));
    if (bufferFill_ == 0) {
      endOfFile_ = true;
      return 0;
    }
    bufferPosition_ = 0;
  } else if (++bufferPosition_ >= bufferFill_) {
    endOfFile_ = true;
    return 0;
  }
  return buffer_[bufferPosition_];
}

char16_t CTextFileReader::ReadChar() {
  if (hasPushedBack_) {
    hasPushedBack_ = false;
    return pushedBack_;
  }
  if (encoding_ == kUtf8) {
    const uint8_t lead = ReadByte();
    int ones = 0;
    while (ones < 8 && (lead & (0x80 >> ones)) != 0) ++ones;
    if (ones == 0) return lead;
    if (ones == 2) {
      const uint8_t second = ReadByte();
      return static_cast<char16_t>(((lead & 0x1F) << 6) | (second & 0x3F));
    }
    if (ones == 3) {
      const uint8_t second = ReadByte();
      const uint8_t third = ReadByte();
      return static_cast<char16_t>(((lead & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F));
    }
    return kReplacement;
  }
  const uint8_t first = ReadByte();
  const uint8_t second = ReadByte();
  if (encoding_ == kUtf16BigEndian) return static_cast<char16_t>((first << 8) | second);
  return static_cast<char16_t>((second << 8) | first);
}

void CTextFileReader::Rewind() {
  hasPushedBack_ = false;
  if (IsOpen()) file_->Seek(0);
  bufferPosition_ = -1;
  firstLine_ = true;
  endOfFile_ = !IsOpen();
}

int64_t CTextFileReader::GetLength() const {
  if (!IsOpen()) return 0;
  const auto bytes = static_cast<int64_t>(file_->Length());
  return (encoding_ == kUtf16BigEndian || encoding_ == kUtf16LittleEndian) ? bytes / 2 : bytes;
}

template <typename Line, typename ReadUnit>
bool CTextFileReader::ReadLineWith(Line& line, ReadUnit readUnit) {
  if (endOfFile_) return false;
  auto unit = readUnit();
  if (firstLine_) {
    firstLine_ = false;
  } else if (unit == '\r') {
    // The break that ended the previous line was pushed back: skip one CR, LF or CR LF.
    unit = readUnit();
    if (unit == '\n') unit = readUnit();
  } else if (unit == '\n') {
    unit = readUnit();
  }
  line.clear();
  while (unit != '\r' && unit != '\n' && !endOfFile_) {
    line.push_back(unit);
    unit = readUnit();
  }
  hasPushedBack_ = true;
  pushedBack_ = static_cast<char16_t>(static_cast<std::make_unsigned_t<decltype(unit)>>(unit));
  return true;
}

bool CTextFileReader::ReadAnsiLine(std::string& line) {
  return ReadLineWith(line, [this] { return static_cast<char>(ReadByte()); });
}

bool CTextFileReader::ReadWideLine(std::u16string& line) {
  if (!ReadLineWith(line, [this] { return ReadChar(); })) return false;
  // A NUL unit would end the text where it is shown; keep what follows it.
  for (char16_t& unit : line) {
    if (unit == 0) unit = kReplacement;
  }
  return true;
}

bool CTextFileReader::ReadLine(std::u16string& line) {
  if (endOfFile_) return false;
  if (encoding_ != kAnsi) return ReadWideLine(line);
  std::string bytes;
  if (!ReadAnsiLine(bytes)) return false;
  line = AnsiToWide(bytes, codePage_);
  return true;
}

bool CTextFileReader::ReadAll(std::u16string& out, const std::u16string& separator) {
  if (!IsOpen()) return false;
  out.clear();
  // Sized once by the file so that the text is normally copied once; a length the
  // memory cannot hold just lets the text grow as it is read.
  try {
    out.reserve(static_cast<size_t>(GetLength()) + 2);
  } catch (const std::exception&) {
  }
  std::u16string line;
  bool first = true;
  while (!endOfFile_) {
    if (!ReadLine(line)) break;
    if (!first) out += separator;
    first = false;
    out += line;
  }
  return true;
}

}  // namespace preview
