#include "UiCallQueue.h"

#include <utility>

namespace {

constexpr wchar_t kWindowClass[] = L"PelmoUiCallQueue";

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
  if (message == DrainMessage()) {
    if (auto* queue = reinterpret_cast<UiCallQueue*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) queue->Drain();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool UiCallQueue::Enqueue(std::function<void()> call) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    calls_.push_back(std::move(call));
  }
  ::PostMessageW(window_, DrainMessage(), 0, 0);
  return true;
}

void UiCallQueue::Post(std::function<void()> call) {
  if (OnUiThread()) {
    Drain();  // earlier calls of the workers first
    call();
    return;
  }
  Enqueue(std::move(call));
}

void UiCallQueue::Invoke(const std::function<void()>& call) {
  if (OnUiThread()) {
    Drain();
    call();
    return;
  }
  auto waiter = std::make_shared<Waiter>();
  auto signal = std::make_shared<Waiter::Signal>(waiter);
  if (!Enqueue([&call, signal] { call(); })) return;
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
