#include "CBrowserImageCache.h"

#include <chrono>

namespace preview {

CBrowserImage::CBrowserImage(std::u16string url, bool backgroundOnly, bool mayFetch)
    : url_(std::move(url)), backgroundOnly_(backgroundOnly), mayFetch_(mayFetch) {}

int CBrowserImage::Decode(int wait, CBrowserImageCache& store) {
  if (bitmap_) return 1;
  while (!IsFinished()) {
    if (wait == 0) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (hasData_) bitmap_ = store.decoder_.Decode(data_);
  placeholder_ = !bitmap_;
  if (placeholder_) bitmap_ = store.GetPlaceholder();
  width_ = bitmap_ ? bitmap_->Width() : 0;
  height_ = bitmap_ ? bitmap_->Height() : 0;
  return 1;
}

void CBrowserImage::ReleaseBitmap() {
  bitmap_.reset();
  placeholder_ = false;
  width_ = 0;
  height_ = 0;
}

void CBrowserImage::FitSize(int& width, int& height) const {
  if (width != 0 && height == 0 && width_ != 0)
    height = static_cast<int>(static_cast<long long>(width) * height_ / width_);
  else if (height != 0 && width == 0 && height_ != 0)
    width = static_cast<int>(static_cast<long long>(height) * width_ / height_);
  if (width == 0) width = width_;
  if (height == 0) height = height_;
}

CBrowserImageCache::CBrowserImageCache(CMiniBrowserCallbacks* host, HtmlImageDecoder& decoder)
    : host_(host), decoder_(decoder) {}

CBrowserImageCache::~CBrowserImageCache() { Stop(); }

int CBrowserImageCache::Find(std::u16string_view url, bool backgroundOnly) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (std::size_t i = 0; i < images_.size(); ++i)
    if (images_[i]->url_ == url && images_[i]->backgroundOnly_ == backgroundOnly) return static_cast<int>(i);
  return -1;
}

int CBrowserImageCache::Add(std::u16string_view url, bool backgroundOnly, bool mayFetch) {
  std::lock_guard<std::mutex> lock(mutex_);
  images_.push_back(std::make_unique<CBrowserImage>(std::u16string(url), backgroundOnly, mayFetch));
  CBrowserImage* image = images_.back().get();
  if (stopping_) {
    image->finished_.store(true, std::memory_order_release);
    ++finishedCount_;
  } else {
    queue_.push_back(image);
    // Loaders end when the queue runs dry; ended ones are joined before new ones start.
    for (auto loader = loaders_.begin(); loader != loaders_.end();) {
      if (loader->ended->load(std::memory_order_acquire)) {
        loader->thread.join();
        loader = loaders_.erase(loader);
      } else {
        ++loader;
      }
    }
    if (loaders_.size() < static_cast<std::size_t>(kMaxImageDownloads)) {
      auto ended = std::make_shared<std::atomic<bool>>(false);
      loaders_.push_back(Loader{std::thread([this, ended] { LoaderLoop(*ended); }), ended});
    }
  }
  return static_cast<int>(images_.size() - 1);
}

int CBrowserImageCache::FindOrAddImage(std::u16string_view url, bool backgroundOnly, bool mayFetch) {
  const int index = Find(url, backgroundOnly);
  return index >= 0 ? index : Add(url, backgroundOnly, mayFetch);
}

CBrowserImage* CBrowserImageCache::GetImage(int index) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || static_cast<std::size_t>(index) >= images_.size()) return nullptr;
  return images_[static_cast<std::size_t>(index)].get();
}

int CBrowserImageCache::GetCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(images_.size());
}

int CBrowserImageCache::GetFinishedCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return finishedCount_;
}

std::shared_ptr<HtmlBitmap> CBrowserImageCache::GetPlaceholder() {
  if (!placeholder_) placeholder_ = decoder_.MakePlaceholder();
  return placeholder_;
}

void CBrowserImageCache::ReleaseBitmaps() {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) GetImage(i)->ReleaseBitmap();
}

void CBrowserImageCache::Stop() {
  std::vector<Loader> loaders;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    for (CBrowserImage* image : queue_) {
      image->finished_.store(true, std::memory_order_release);
      ++finishedCount_;
    }
    queue_.clear();
    loaders.swap(loaders_);
  }
  for (Loader& loader : loaders) loader.thread.join();
}

void CBrowserImageCache::LoaderLoop(std::atomic<bool>& ended) {
  for (;;) {
    CBrowserImage* image = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queue_.empty()) {
        // Marked under the lock, so Add sees either this loader ending or the new work taken.
        ended.store(true, std::memory_order_release);
        return;
      }
      image = queue_.front();
      queue_.pop_front();
    }
    Load(*image);
  }
}

void CBrowserImageCache::Load(CBrowserImage& image) {
  // A resource a recovered page may not reach is never asked for: it stays missing.
  if (host_ != nullptr && image.mayFetch_) {
    if (auto bytes = host_->FetchImage(image.url_)) {
      image.data_ = std::move(*bytes);
      image.hasData_ = true;
    }
  }
  int finished = 0, total = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    image.finished_.store(true, std::memory_order_release);
    finished = ++finishedCount_;
    total = static_cast<int>(images_.size());
  }
  if (host_ != nullptr) host_->OnImagesLoaded(finished, total);
}

}  // namespace preview
