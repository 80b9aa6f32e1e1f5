#include "ConsoleHost.h"

#include <cstdio>

namespace cli {

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate cannot be written as UTF-8
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
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
  std::fprintf(stderr, "message (%d): %s\n", static_cast<int>(kind), ToUtf8(text).c_str());
}

bool ConsoleHost::AskQuestion(const std::u16string& text, int32_t) {
  std::fprintf(stderr, "question: %s -> %s\n", ToUtf8(text).c_str(), AnswerYes ? "yes" : "no");
  return AnswerYes;
}

engine::TreeItem ConsoleHost::NextItem() {
  std::lock_guard lock(mutex_);
  return nextItem_++;
}

}  // namespace cli
