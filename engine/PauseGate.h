#pragma once
// Holds a worker while the user interface asks whether to stop it. The user-interface
// thread closes the gate before its question and opens it after; the worker passes
// through the gate at every poll and report and waits while it is closed.

#include <condition_variable>
#include <mutex>

namespace engine {

class PauseGate {
 public:
  void Close();
  void Open();
  bool IsClosed() const;
  // Returns at once when the gate is open; otherwise waits until it opens.
  void WaitWhileClosed();

 private:
  mutable std::mutex mutex_;
  std::condition_variable opened_;
  bool closed_ = false;
};

}  // namespace engine
