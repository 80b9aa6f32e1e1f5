#pragma once
// The engine host of the command-line driver: no windows, so reports are dropped
// except messages (to stderr); questions are answered from fixed choices, and the
// signature records the database loader hands over are kept for File Trace.

#include <mutex>
#include <string>
#include <vector>

#include "QuietHost.h"

namespace cli {

std::string ToUtf8(const std::u16string& text);

// The engine's paths and texts as this POSIX tool shows them: '/' between the
// parts of a path, and one '\n' for a line end.
std::string ForConsole(const std::u16string& text);

class ConsoleHost final : public toolsupport::QuietHost {
 public:
  // Answer to every Yes/No question (continue after a failed write: yes).
  bool AnswerYes = true;
  // "Please Select": 1 searches for lost partitions even when a table exists.
  int32_t PartitionSearchChoice = 1;

  const std::vector<engine::SignatureRecord>& SignatureRecords() const { return signatureRecords_; }
  const std::vector<std::string>& PartitionLines() const { return partitionLines_; }

  void DriveTreeAddPartition(const std::string& parentPath, const std::string& text) override;
  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override;
  void ShowMessage(const std::u16string& text, int32_t kind) override;
  bool AskQuestion(const std::u16string& text, int32_t kind) override;
  std::optional<int32_t> AskPartitionSearchChoice() override { return PartitionSearchChoice; }

 private:
  std::mutex mutex_;
  std::vector<engine::SignatureRecord> signatureRecords_;
  std::vector<std::string> partitionLines_;
};

}  // namespace cli
