#include "PauseGate.h"

namespace engine {

void PauseGate::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
}

void PauseGate::Open() {
  {
    std::lock_guard lock(mutex_);
    closed_ = false;
  }
  opened_.notify_all();
}

bool PauseGate::IsClosed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

void PauseGate::WaitWhileClosed() {
  std::unique_lock lock(mutex_);
  opened_.wait(lock, [this] { return !closed_; });
}

}  // namespace engine
