// A name paired with a system handle, closed when the holder goes.
#pragma once

#include "Framework.h"

class CHandleHolder {
 public:
  CHandleHolder() = default;
  virtual ~CHandleHolder() { Close(); }
  CHandleHolder(const CHandleHolder&) = delete;
  CHandleHolder& operator=(const CHandleHolder&) = delete;

  void Close() {
    if (m_handle && m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    m_handle = nullptr;
  }

  CString m_name;
  HANDLE m_handle = nullptr;
};
