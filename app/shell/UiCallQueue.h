// Carries calls from the engine's workers to the user-interface thread. Every call
// goes into one queue, in the order the workers made them; a message-only window of
// the user-interface thread drains it, so the calls run inside whatever message
// loop is running there (modal ones included).
//
// Posted messages are taken before input and paint, so a worker that reports
// without pause would keep the window from ever answering a click. Only the first
// call after a quiet spell posts a message; while calls keep coming the window
// drains them on a timer, which the system delivers only when no input or paint
// waits. A call the worker waits for (a question, an insertion that returns its
// item) is served at once: its worker makes no further call until it is answered.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class UiCallQueue {
 public:
  // Made on the user-interface thread: that thread runs the calls.
  UiCallQueue();
  ~UiCallQueue();
  UiCallQueue(const UiCallQueue&) = delete;
  UiCallQueue& operator=(const UiCallQueue&) = delete;

  bool OnUiThread() const { return ::GetCurrentThreadId() == uiThread_; }

  // Runs the call on the user-interface thread and returns at once; on that
  // thread itself the call runs now, so it stays in order with earlier ones.
  void Post(std::function<void()> call);
  // Runs the call on the user-interface thread and waits until it has run.
  void Invoke(const std::function<void()>& call);

  // Runs every queued call; the registered message does this. Also called by a
  // user-interface thread that waits for a worker, so the worker can finish.
  void Drain();

  // Once closed, calls of workers are dropped and waiting callers return: the
  // program is ending and the windows they would touch are going away.
  void Close();

  static UINT DrainMessage();

 private:
  struct Waiter;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Enqueue(std::function<void()> call, bool waited);
  // The timer drains while calls keep coming and stops at the first quiet tick.
  void OnDrainTimer();

  DWORD uiThread_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
  bool closed_ = false;
  // A drain message is posted or the timer runs: a new call needs no message.
  bool deliveryArmed_ = false;
};
