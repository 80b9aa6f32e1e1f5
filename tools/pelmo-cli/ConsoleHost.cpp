#include "ConsoleHost.h"

#include <cstdio>

#include "PosixOutputFileSystem.h"
#include "Utf8Text.h"

namespace cli {

std::string ToUtf8(const std::u16string& text) { return engine::Utf16ToUtf8(text); }

std::string ForConsole(const std::u16string& text) {
  std::string shown = platform::ToPosixPath(text);
  for (size_t at = 0; (at = shown.find("\r\n", at)) != std::string::npos;) shown.erase(at, 1);
  return shown;
}

void ConsoleHost::DriveTreeAddPartition(const std::string& parentPath, const std::string& text) {
  std::lock_guard lock(mutex_);
  partitionLines_.push_back(parentPath + "\t" + text);
}

void ConsoleHost::FileTypeTreeAddSignature(const engine::SignatureRecord& record) {
  std::lock_guard lock(mutex_);
  signatureRecords_.push_back(record);
}

void ConsoleHost::ShowMessage(const std::u16string& text, int32_t kind) {
  std::fprintf(stderr, "message (%d): %s\n", static_cast<int>(kind), ForConsole(text).c_str());
}

bool ConsoleHost::AskQuestion(const std::u16string& text, int32_t) {
  std::fprintf(stderr, "question: %s -> %s\n", ForConsole(text).c_str(), AnswerYes ? "yes" : "no");
  return AnswerYes;
}

}  // namespace cli
