#pragma once
// The renderer's image store: one image per (address, background-only) of every page
// shown in a browser window. Bytes are fetched by a small pool of loader threads
// (never more than kMaxImageDownloads at once) through the host; decoding waits for
// the first use, on the user-interface thread. An image that cannot be had shows a
// 60 by 40 white placeholder. The store outlives page loads, so an image is fetched
// once per window.

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BrowserElement.h"
#include "CMiniBrowserCallbacks.h"

namespace preview {

constexpr int kMaxImageDownloads = 11;
constexpr int kPlaceholderWidth = 60;
constexpr int kPlaceholderHeight = 40;

// A decoded picture as the painter draws it; the window layer's decoder makes them.
class HtmlBitmap {
 public:
  virtual ~HtmlBitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

class HtmlImageDecoder {
 public:
  virtual ~HtmlImageDecoder() = default;
  // The picture in `bytes`, or null when they are no picture this system can read.
  virtual std::shared_ptr<HtmlBitmap> Decode(const std::vector<std::uint8_t>& bytes) = 0;
  // A white 60 by 40 picture, made once per store.
  virtual std::shared_ptr<HtmlBitmap> MakePlaceholder() = 0;
};

class CBrowserImageCache;

class CBrowserImage {
 public:
  CBrowserImage(std::u16string url, bool backgroundOnly, bool mayFetch);

  // 1 when the image has a picture (decoded or the placeholder); 0 while its download
  // runs and `wait` is 0. User-interface thread only.
  int Decode(int wait, CBrowserImageCache& store);
  // Drops the picture; the bytes stay, so the next decode starts again from them.
  void ReleaseBitmap();
  // Completes a requested size from the image's own (0 by 0 until decoded).
  void FitSize(int& width, int& height) const;

  const std::u16string& GetUrl() const { return url_; }
  bool IsFinished() const { return finished_.load(std::memory_order_acquire); }
  bool IsBackgroundOnly() const { return backgroundOnly_; }
  bool MayFetch() const { return mayFetch_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  const HtmlBitmap* GetBitmap() const { return bitmap_.get(); }
  bool IsPlaceholder() const { return placeholder_; }

 private:
  friend class CBrowserImageCache;

  const std::u16string url_;
  const bool backgroundOnly_;
  const bool mayFetch_;
  // Written by the loader before `finished_` is set; read after it is seen set.
  std::vector<std::uint8_t> data_;
  bool hasData_ = false;
  std::atomic<bool> finished_{false};
  std::shared_ptr<HtmlBitmap> bitmap_;
  bool placeholder_ = false;
  int width_ = 0, height_ = 0;
};

class CBrowserImageCache : public HtmlImageRegistry {
 public:
  // `host` may be null: images are then never fetched and show the placeholder.
  CBrowserImageCache(CMiniBrowserCallbacks* host, HtmlImageDecoder& decoder);
  ~CBrowserImageCache() override;
  CBrowserImageCache(const CBrowserImageCache&) = delete;
  CBrowserImageCache& operator=(const CBrowserImageCache&) = delete;

  // Index of the first image with this exact address and flag, or -1.
  int Find(std::u16string_view url, bool backgroundOnly) const;
  // Appends an image and queues its download (a `mayFetch` false image is never fetched).
  int Add(std::u16string_view url, bool backgroundOnly, bool mayFetch);
  int FindOrAddImage(std::u16string_view url, bool backgroundOnly, bool mayFetch) override;

  CBrowserImage* GetImage(int index);
  int GetCount() const;
  // Images whose loading has ended (fetched, failed, or never to be fetched).
  int GetFinishedCount() const;
  std::shared_ptr<HtmlBitmap> GetPlaceholder();
  // Drops every decoded picture (a new page decodes again on demand).
  void ReleaseBitmaps();
  // Ends the loaders: queued downloads are dropped, running ones are waited for.
  void Stop();

 private:
  friend class CBrowserImage;
  struct Loader {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
  };
  void LoaderLoop(std::atomic<bool>& ended);
  void Load(CBrowserImage& image);

  CMiniBrowserCallbacks* const host_;
  HtmlImageDecoder& decoder_;
  std::shared_ptr<HtmlBitmap> placeholder_;

  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<CBrowserImage>> images_;  // indices are stable: only appended
  std::deque<CBrowserImage*> queue_;
  std::vector<Loader> loaders_;
  int finishedCount_ = 0;
  bool stopping_ = false;
};

}  // namespace preview
