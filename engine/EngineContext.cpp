#include "EngineContext.h"

#include <cstdlib>

namespace engine {

void ApplyDefaultRecoverySettings(RecoverySettingsRecord& settings) {
  settings.SectorsPerRead = 60;
  settings.ExistingNamePolicy = 1;
  settings.DeletedFilesPolicy = 1;
  settings.BadSectorRetries = 3;
}

bool StopRequested(EngineContext& ctx) {
  ctx.ScanControl.Pause.WaitWhileClosed();
  return ctx.ScanControl.StopOrDone.load() != 0;
}

void ReportMessage(EngineContext& ctx, const std::u16string& text, int32_t kind) {
  ctx.MessageRequest.Text = text;
  ctx.MessageRequest.Kind = kind;
  ctx.Host->ShowMessage(text, kind);
}

bool AskYesNo(EngineContext& ctx, const std::u16string& text) {
  ctx.MessageRequest.Text = text;
  ctx.MessageRequest.Kind = kMessageQuestion;
  return ctx.Host->AskQuestion(text, kMessageQuestion);
}

void ExitOutOfMemory(EngineContext& ctx) {
  try {
    ReportMessage(ctx, u"Out of memory, close other applications and run again", kMessageError);
  } catch (...) {
    // Even the message could not be built; the process still ends as promised.
  }
  std::_Exit(0);
}

void* AllocateOrExit(EngineContext& ctx, std::size_t bytes) {
  void* memory = std::calloc(1, bytes == 0 ? 1 : bytes);
  if (memory == nullptr) ExitOutOfMemory(ctx);
  return memory;
}

}  // namespace engine
