// Connects a markup drawer's links to a window: hover and link messages sent to
// the notification window, the link cursor, and opening "href" targets.
#pragma once

#include <windows.h>

#include "MarkupDrawer.h"

class CMarkupWindowLink : public markup::MarkupLinkSink {
 public:
  CMarkupWindowLink();
  ~CMarkupWindowLink() override;
  CMarkupWindowLink(const CMarkupWindowLink&) = delete;
  CMarkupWindowLink& operator=(const CMarkupWindowLink&) = delete;

  // With NULL the target and its message ids are cleared; returns the hover message id.
  UINT SetNotifyWindow(HWND window, UINT hoverMessage, LPARAM hoverParam);
  void SetLinkMessage(UINT message, LPARAM param);
  // NULL loads the default link cursor again. A cursor given here stays the caller's.
  void SetHandCursor(HCURSOR cursor);

  void OnHotLinkChanged(int linkNumber) override;
  void OnLinkMessage(const std::u16string& target) override;
  void OpenUrl(const std::u16string& target) override;
  bool ShowLinkCursor() override;

 private:
  void LoadHandCursor();
  void ReleaseCursor();

  HWND window_ = nullptr;
  UINT hoverMessage_ = 0;
  LPARAM hoverParam_ = 0;
  UINT linkMessage_ = 0;
  LPARAM linkParam_ = 0;
  HCURSOR cursor_ = nullptr;
  bool ownsCursor_ = false;  // only a cursor this object made is destroyed
};
