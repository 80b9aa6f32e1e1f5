#pragma once
// Reads a text file line by line as UTF-16 whatever its encoding: a UTF-16 mark
// (either byte order) or a UTF-8 mark is recognised, any other file is read as
// bytes of the ANSI code page. Lines end at CR, LF or CR LF.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "ReaderFile.h"

namespace preview {

class CTextFileReader {
 public:
  enum Encoding : int32_t { kAnsi = 0, kUtf16BigEndian = 1, kUtf16LittleEndian = 2, kUtf8 = 3 };

  explicit CTextFileReader(const std::filesystem::path& path);
  virtual ~CTextFileReader();
  CTextFileReader(const CTextFileReader&) = delete;
  CTextFileReader& operator=(const CTextFileReader&) = delete;

  bool IsOpen() const { return file_ != nullptr && file_->IsOpen(); }
  bool IsEof() const { return endOfFile_; }
  int32_t GetEncoding() const { return encoding_; }

  void DetectEncoding();
  uint8_t ReadByte();
  char16_t ReadChar();
  void Rewind();
  // The length in characters: bytes, halved for UTF-16.
  int64_t GetLength() const;

  bool ReadAnsiLine(std::string& line);
  bool ReadWideLine(std::u16string& line);
  bool ReadLine(std::u16string& line);
  // The whole file, its lines joined by the separator.
  bool ReadAll(std::u16string& out, const std::u16string& separator);

  virtual void Close();

 private:
  static constexpr int32_t kBufferSize = 1024;

  template <typename Line, typename ReadUnit>
  bool ReadLineWith(Line& line, ReadUnit readUnit);

  int32_t encoding_ = kAnsi;
  std::unique_ptr<ReaderFile> file_;
  bool endOfFile_ = true;
  uint8_t buffer_[kBufferSize] = {};
  int32_t bufferPosition_ = -1;
  int32_t bufferFill_ = 0;
  unsigned codePage_ = 0;
  bool hasPushedBack_ = false;
  bool firstLine_ = true;
  char16_t pushedBack_ = 0;
};

}  // namespace preview
