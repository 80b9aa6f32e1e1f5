#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"

namespace {

class EngineContextTest : public ::testing::Test {
 protected:
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx{host, opener};
};

TEST_F(EngineContextTest, StartsZeroedWithDetailsShown) {
  EXPECT_EQ(ctx.RecoveryMode, 0);
  EXPECT_EQ(ctx.SourceDevice.DiskHandle, nullptr);
  EXPECT_EQ(ctx.SourceDevice.VolumeHandle, nullptr);
  EXPECT_EQ(ctx.RecoverySettings.SectorsPerRead, 0);
  EXPECT_EQ(ctx.ScanControl.ShowDetails.load(), 1);
  EXPECT_EQ(ctx.ScanControl.StopOrDone.load(), 0);

  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  EXPECT_EQ(ctx.RecoverySettings.SectorsPerRead, 60);
  EXPECT_EQ(ctx.RecoverySettings.ExistingNamePolicy, 1);
  EXPECT_EQ(ctx.RecoverySettings.DeletedFilesPolicy, 1);
  EXPECT_EQ(ctx.RecoverySettings.BadSectorRetries, 3);
}

TEST_F(EngineContextTest, MessagesGoThroughTheRequestRecord) {
  engine::ReportMessage(ctx, u"Invalid File.", engine::kMessageError);
  EXPECT_EQ(ctx.MessageRequest.Text, u"Invalid File.");
  EXPECT_EQ(ctx.MessageRequest.Kind, engine::kMessageError);

  host.QuestionAnswers = {true, false};
  EXPECT_TRUE(engine::AskYesNo(ctx, u"Continue?"));
  EXPECT_FALSE(engine::AskYesNo(ctx, u"Continue?"));
  EXPECT_EQ(ctx.MessageRequest.Kind, engine::kMessageQuestion);
  EXPECT_EQ(host.Calls(), (std::vector<std::string>{"Message 2 Invalid File.", "Question 3 Continue?",
                                                     "Question 3 Continue?"}));
}

TEST_F(EngineContextTest, OutOfMemoryShowsTheMessageAndExitsWithZero) {
  // The host writes the message where the parent can see it before the process ends.
  struct StderrHost : testsupport::RecordingHost {
    void ShowMessage(const std::u16string& text, int32_t kind) override {
      fprintf(stderr, "kind %d: %s\n", kind, testsupport::ToUtf8(text).c_str());
    }
  };
  EXPECT_EXIT(
      {
        StderrHost dying;
        engine::EngineContext doomed(dying, opener);
        engine::ExitOutOfMemory(doomed);
      },
      ::testing::ExitedWithCode(0), "kind 2: Out of memory, close other applications and run again");
}

TEST_F(EngineContextTest, AllocationsAreZeroFilled) {
  auto* bytes = static_cast<unsigned char*>(engine::AllocateOrExit(ctx, 64));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0);
  std::free(bytes);
}

TEST_F(EngineContextTest, StopPollWaitsAtTheClosedGate) {
  ctx.ScanControl.Pause.Close();
  std::atomic<bool> passed{false};
  std::thread worker([&] {
    const bool stop = engine::StopRequested(ctx);
    passed = true;
    EXPECT_TRUE(stop);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(passed.load()) << "the worker went past a closed gate";
  // The user answered Yes: the flag is set before the gate opens.
  ctx.ScanControl.StopOrDone = 1;
  ctx.ScanControl.Pause.Open();
  worker.join();
  EXPECT_TRUE(passed.load());
}

}  // namespace
