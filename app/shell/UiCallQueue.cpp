#include "UiCallQueue.h"

#include <utility>

namespace {

constexpr wchar_t kWindowClass[] = L"PelmoUiCallQueue";
constexpr UINT_PTR kDrainTimer = 1;
// Often enough that counters look live, seldom enough that input always gets through.
constexpr UINT kDrainIntervalMs = 30;

}  // namespace

// Wakes a waiting worker when its call has run, or when the call is dropped
// unrun because the queue closed: the last copy of the call going away signals.
struct UiCallQueue::Waiter {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;

  struct Signal {
    explicit Signal(std::shared_ptr<Waiter> w) : waiter(std::move(w)) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    std::shared_ptr<Waiter> waiter;
    ~Signal() {
      std::lock_guard<std::mutex> lock(waiter->mutex);
      waiter->finished = true;
      waiter->done.notify_all();
    }
  };
};

UINT UiCallQueue::DrainMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"PelmoEngineHostCalls");
  return message;
}

UiCallQueue::UiCallQueue() : uiThread_(::GetCurrentThreadId()) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &UiCallQueue::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassW(&windowClass);  // fails harmlessly when a second queue registers again
  window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UiCallQueue::~UiCallQueue() {
  Close();
  if (window_ != nullptr) ::DestroyWindow(window_);
}

LRESULT CALLBACK UiCallQueue::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* queue = reinterpret_cast<UiCallQueue*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == DrainMessage()) {
    if (queue != nullptr) {
      // Calls made from now on wait for the timer instead of posting.
      ::SetTimer(window, kDrainTimer, kDrainIntervalMs, nullptr);
      queue->Drain();
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kDrainTimer) {
    if (queue != nullptr) queue->OnDrainTimer();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool UiCallQueue::Enqueue(std::function<void()> call, bool waited) {
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    calls_.push_back(std::move(call));
    // A worker that waits for its call cannot flood the queue: it is served at once.
    post = !deliveryArmed_ || waited;
    deliveryArmed_ = true;
  }
  if (post) ::PostMessageW(window_, DrainMessage(), 0, 0);
  return true;
}

void UiCallQueue::OnDrainTimer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A quiet spell: the next call posts again. Decided under the lock, so a call
    // made meanwhile either is seen here or posts its own message.
    if (calls_.empty()) {
      deliveryArmed_ = false;
      ::KillTimer(window_, kDrainTimer);
      return;
    }
  }
  Drain();
}

void UiCallQueue::Post(std::function<void()> call) {
  if (OnUiThread()) {
    Drain();  // earlier calls of the workers first
    call();
    return;
  }
  Enqueue(std::move(call), false);
}

void UiCallQueue::Invoke(const std::function<void()>& call) {
  if (OnUiThread()) {
    Drain();
    call();
    return;
  }
  auto waiter = std::make_shared<Waiter>();
  auto signal = std::make_shared<Waiter::Signal>(waiter);
  if (!Enqueue([&call, signal] { call(); }, true)) return;
  signal.reset();  // from here on only the queued call holds it
  std::unique_lock<std::mutex> lock(waiter->mutex);
  waiter->done.wait(lock, [&] { return waiter->finished; });
}

void UiCallQueue::Drain() {
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (calls_.empty()) return;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    // A call may run a modal dialog whose loop drains the rest meanwhile.
    try {
      call();
    } catch (...) {
      // A report that failed is lost, never thrown through the message loop.
    }
  }
}

void UiCallQueue::Close() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(calls_);
  }
  // `dropped` goes away here, outside the lock, and wakes the waiting workers.
}
