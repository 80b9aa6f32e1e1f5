// The hand-over of the engine's reports to the user-interface thread: order, waiting
// requests, and a closed queue that frees waiting workers.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "UiCallQueue.h"

namespace {

// Runs the thread's messages until `done` holds (the user-interface thread's loop).
void PumpUntil(const std::atomic<bool>& done) {
  MSG message;
  while (!done) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(UiCallQueueTest, ReportsOfAWorkerRunOnTheUiThreadInTheirOrder) {
  UiCallQueue queue;
  const DWORD uiThread = ::GetCurrentThreadId();
  std::vector<int> seen;
  std::atomic<bool> done{false};
  bool allOnUiThread = true;
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i)
      queue.Post([&, i] {
        seen.push_back(i);
        allOnUiThread &= ::GetCurrentThreadId() == uiThread;
      });
    int answer = 0;
    queue.Invoke([&] { answer = 42; });  // comes after every post
    EXPECT_EQ(answer, 42);
    done = true;
  });
  PumpUntil(done);
  worker.join();
  ASSERT_EQ(seen.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(seen[i], i);
  EXPECT_TRUE(allOnUiThread);
}

// Posted messages are taken before input and paint: a worker that reports without
// pause must not keep one posted per report, or the window never answers a click.
TEST(UiCallQueueTest, AWorkerReportingWithoutPausePostsFewMessages) {
  UiCallQueue queue;
  constexpr int kCalls = 10000;
  int ran = 0;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < kCalls; ++i) queue.Post([&] { ++ran; });
    queue.Invoke([] {});
    done = true;
  });
  int posted = 0;
  MSG message;
  while (!done) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == UiCallQueue::DrainMessage()) ++posted;
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  worker.join();
  EXPECT_EQ(ran, kCalls);
  EXPECT_LT(posted, kCalls / 10) << "one posted message per report floods the window's queue";
}

TEST(UiCallQueueTest, OnTheUiThreadACallRunsAtOnceAfterTheQueuedOnes) {
  UiCallQueue queue;
  std::vector<int> seen;
  std::thread worker([&] { queue.Post([&] { seen.push_back(1); }); });
  worker.join();
  queue.Invoke([&] { seen.push_back(2); });
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST(UiCallQueueTest, ClosingFreesAWaitingWorkerAndDropsLaterCalls) {
  UiCallQueue queue;
  std::atomic<bool> waiting{false};
  std::atomic<bool> ran{false};
  std::thread worker([&] {
    waiting = true;
    queue.Invoke([&] { ran = true; });  // nobody drains: only Close ends the wait
    queue.Post([&] { ran = true; });
  });
  while (!waiting) ::Sleep(1);
  ::Sleep(50);
  queue.Close();
  worker.join();
  queue.Drain();
  EXPECT_FALSE(ran);
}

}  // namespace
