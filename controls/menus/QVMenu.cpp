// The menu's structure: records, loading from a menu resource, appending,
// resynchronising with the live menu, mnemonics and destruction.
#include "QVMenu.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

IMPLEMENT_DYNAMIC(QVMenu, CMenu)

CImageList SharedMenuImages;
std::vector<UINT> SharedMenuImageIds;
std::vector<HMENU> PopupMenuHandles;
int WindowsVersionCode = QVMenu::GetWindowsVersionCode();
int LookWhenThemed = 1;
int LookWhenUnthemed = 0;
int RaisedIcons = 1;
int HighlightDisabledClassic = 1;
int HighlightDisabledXp = 0;

namespace {

// Turns an item into a plain string item; its id or submenu stays.
void MakePlainItem(HMENU menu, UINT position, const wchar_t* text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text ? text : L"");
  info.dwItemData = 0;
  ::SetMenuItemInfoW(menu, position, TRUE, &info);
}

void RemoveHandle(std::vector<HMENU>& handles, HMENU menu) {
  handles.erase(std::remove(handles.begin(), handles.end(), menu), handles.end());
}

// The label (the text before the first tab) of a record's text.
std::wstring LabelOf(const wchar_t* text) {
  std::wstring whole = text ? text : L"";
  return whole.substr(0, whole.find(L'\t'));
}

}  // namespace

OwnerDrawnMenuItem::~OwnerDrawnMenuItem() {
  delete[] text;
  delete ownImages;
}

void OwnerDrawnMenuItem::SetText(const wchar_t* newText) {
  delete[] text;
  text = nullptr;
  if (!newText) return;
  const size_t length = wcslen(newText);
  text = new wchar_t[length + 1];
  wmemcpy(text, newText, length + 1);
}

QVMenu::QVMenu() = default;

QVMenu::~QVMenu() { DestroyMenu(); }

BOOL QVMenu::LoadMenu(UINT resourceId) { return LoadMenu(MAKEINTRESOURCEW(resourceId & 0xFFFF)); }

BOOL QVMenu::LoadMenu(LPCTSTR resourceName) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC resource = FindResourceW(module, resourceName, RT_MENU);
  if (!resource) {
    module = AfxGetInstanceHandle();
    resource = FindResourceW(module, resourceName, RT_MENU);
  }
  if (!resource) return FALSE;
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = SizeofResource(module, resource);
  if (!bytes || size < 4) return FALSE;
  DestroyMenu();
  if (!Attach(::CreateMenu())) return FALSE;

  // A standard menu template: version and header size, then the items. Every
  // read is checked against the resource's size.
  size_t pos = 4 + *reinterpret_cast<const WORD*>(bytes + 2);
  auto readWord = [&](WORD& value) {
    if (pos + 2 > size) return false;
    value = *reinterpret_cast<const WORD*>(bytes + pos);
    pos += 2;
    return true;
  };
  auto readText = [&](std::wstring& text) {
    text.clear();
    WORD c;
    while (readWord(c)) {
      if (c == 0) return true;
      text.push_back(static_cast<wchar_t>(c));
    }
    return false;
  };
  std::vector<QVMenu*> open{this};
  std::vector<bool> ended{false};
  while (!open.empty()) {
    WORD flags = 0, id = 0;
    std::wstring text;
    if (!readWord(flags)) break;
    const bool popup = (flags & MF_POPUP) != 0;
    if (!popup && !readWord(id)) break;
    if (!readText(text)) break;
    const bool last = (flags & MF_END) != 0;
    const UINT passed = flags & ~MF_END;
    if (popup) {
      if (last) ended.back() = true;
      auto* submenu = new QVMenu;
      submenu->checkImages_ = checkImages_;
      submenu->checkImagesShared_ = TRUE;
      submenu->selectedCheckId_ = selectedCheckId_;
      submenu->unselectedCheckId_ = unselectedCheckId_;
      submenu->Attach(::CreatePopupMenu());
      open.back()->AppendItem(text.c_str(), passed, reinterpret_cast<UINT_PTR>(submenu->m_hMenu), -1);
      open.push_back(submenu);
      ended.push_back(false);
      continue;
    }
    open.back()->AppendItem(text.c_str(), passed, id, -1);
    if (last) ended.back() = true;
    while (!open.empty() && ended.back()) {
      open.back()->AlignShortcuts();
      open.pop_back();
      ended.pop_back();
    }
  }

  // The top level is a menu bar: plain strings.
  for (size_t i = 0; i < records_.size(); ++i) {
    OwnerDrawnMenuItem* record = records_[i];
    record->flags = (record->flags & MF_POPUP) ? MF_BYPOSITION | MF_POPUP : MF_BYPOSITION;
    MakePlainItem(m_hMenu, static_cast<UINT>(i), record->text);
  }
  topLevelPlain_ = TRUE;
  return TRUE;
}

BOOL QVMenu::DestroyMenu() {
  RemoveHandle(PopupMenuHandles, m_hMenu);
  for (auto it = submenus_.rbegin(); it != submenus_.rend(); ++it) {
    RemoveHandle(PopupMenuHandles, *it);
    if (auto* submenu = DYNAMIC_DOWNCAST(QVMenu, CMenu::FromHandlePermanent(*it))) delete submenu;
  }
  submenus_.clear();
  for (OwnerDrawnMenuItem* record : records_) delete record;
  records_.clear();
  if (checkImages_ && !checkImagesShared_) delete checkImages_;
  checkImages_ = nullptr;
  return m_hMenu ? CMenu::DestroyMenu() : FALSE;
}

BOOL QVMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, int toolbarId) {
  if (id == 0) flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
  else flags |= MF_OWNERDRAW;
  if (flags & MF_POPUP) {
    PopupMenuHandles.push_back(reinterpret_cast<HMENU>(id));
    submenus_.push_back(reinterpret_cast<HMENU>(id));
  }
  auto* record = new OwnerDrawnMenuItem;
  record->flags = flags;
  record->id = id;
  record->SetText(text);
  records_.push_back(record);
  if (id != 0 && !(flags & MF_POPUP)) {
    const UINT command = static_cast<UINT>(id);
    if (toolbarId >= 0) {
      int image = 0;
      FindToolbarImage(command, toolbarId, image);
      CImageList list;
      if (list.Create(iconWidth_, iconHeight_, ILC_COLORDDB | ILC_MASK, 1, 1) &&
          AddBitmapToList(list, static_cast<UINT_PTR>(toolbarId))) {
        record->sharedImageIndex = StoreSharedImage(list, image, command);
      }
    } else {
      record->sharedImageIndex = FindSharedImage(command);
    }
  }
  const BOOL result = ::AppendMenuW(m_hMenu, flags, id, reinterpret_cast<LPCWSTR>(record));
  if (topLevelPlain_) RefreshTopLevel();
  return result;
}

OwnerDrawnMenuItem* QVMenu::ReplaceItemAt(UINT position, UINT flags, UINT_PTR id, const wchar_t* text) {
  auto* record = new OwnerDrawnMenuItem;
  record->flags = flags;
  record->id = id;
  record->SetText(text);
  if (flags & MF_OWNERDRAW) ::ModifyMenuW(m_hMenu, position, flags, id, reinterpret_cast<LPCWSTR>(record));
  else ::ModifyMenuW(m_hMenu, position, flags, id, text);
  return record;
}

BOOL QVMenu::GetItemText(UINT idOrPosition, CString& text, UINT flags) {
  if (flags & MF_BYPOSITION) {
    if (idOrPosition >= records_.size()) return FALSE;
    text = records_[idOrPosition]->GetText();
    return TRUE;
  }
  int position = -1;
  QVMenu* holder = FindCommand(idOrPosition, position);
  return holder ? holder->GetItemText(static_cast<UINT>(position), text, MF_BYPOSITION) : FALSE;
}

QVMenu* QVMenu::FindCommand(UINT commandId, int& position) {
  const int count = ::GetMenuItemCount(m_hMenu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
      if (auto* submenu = DYNAMIC_DOWNCAST(QVMenu, CMenu::FromHandlePermanent(sub))) {
        if (QVMenu* found = submenu->FindCommand(commandId, position)) return found;
      }
    } else if (::GetMenuItemID(m_hMenu, i) == commandId) {
      position = i;
      return this;
    }
  }
  position = -1;
  return nullptr;
}

OwnerDrawnMenuItem* QVMenu::TakeRecordForId(UINT_PTR id) {
  for (OwnerDrawnMenuItem* record : records_) {
    if (record->id == id && !record->mark) {
      record->mark = TRUE;
      return record;
    }
  }
  return nullptr;
}

void QVMenu::MarkAllRecords(BOOL value) {
  for (OwnerDrawnMenuItem* record : records_) record->mark = value;
}

void QVMenu::DeleteUnmarkedRecords() {
  for (OwnerDrawnMenuItem*& record : records_) {
    if (!record->mark) {
      delete record;
      record = nullptr;
    }
  }
  records_.erase(std::remove(records_.begin(), records_.end(), nullptr), records_.end());
}

void QVMenu::ResyncWithMenu() {
  MarkAllRecords(FALSE);
  std::vector<OwnerDrawnMenuItem*> rebuilt;
  const int count = ::GetMenuItemCount(m_hMenu);
  for (int position = 0; position < count; ++position) {
    const UINT state = ::GetMenuState(m_hMenu, position, MF_BYPOSITION);
    wchar_t buffer[257] = {};
    ::GetMenuStringW(m_hMenu, position, buffer, 256, MF_BYPOSITION);
    OwnerDrawnMenuItem* record = nullptr;
    if (HMENU sub = ::GetSubMenu(m_hMenu, position)) {
      record = TakeRecordForId(reinterpret_cast<UINT_PTR>(sub));
      if (record) {
        if (buffer[0]) record->SetText(buffer);
      } else {
        record = ReplaceItemAt(position, (state & 0xEF) | 0x510, reinterpret_cast<UINT_PTR>(sub), buffer);
      }
    } else if (state & MF_SEPARATOR) {
      record = TakeRecordForId(0);
      if (record) ::ModifyMenuW(m_hMenu, position, record->flags, 0, reinterpret_cast<LPCWSTR>(record));
      else record = ReplaceItemAt(position, state | 0x0D00, 0, L"");
    } else {
      const UINT id = ::GetMenuItemID(m_hMenu, position);
      const UINT flags = state | 0x0500;
      record = TakeRecordForId(id);
      if (record) {
        record->flags = flags;
        if (buffer[0]) record->SetText(buffer);
        ::ModifyMenuW(m_hMenu, position, flags, id, reinterpret_cast<LPCWSTR>(record));
      } else {
        record = ReplaceItemAt(position, flags, id, buffer);
      }
    }
    record->mark = TRUE;
    rebuilt.push_back(record);
  }
  // Records no longer in the menu go; the rest form the new list.
  for (OwnerDrawnMenuItem* record : records_) record->mark = FALSE;
  for (OwnerDrawnMenuItem* record : rebuilt) record->mark = TRUE;
  DeleteUnmarkedRecords();
  records_ = rebuilt;
}

void QVMenu::AlignShortcuts() {
  HWND window = AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : ::GetDesktopWindow();
  HDC dc = ::GetDC(window);
  HFONT font = CreateMenuFont();
  HGDIOBJ previous = ::SelectObject(dc, font);
  int widest = 0;
  for (OwnerDrawnMenuItem* record : records_) {
    const std::wstring label = LabelOf(record->text) + L" ";
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
  }
  for (OwnerDrawnMenuItem* record : records_) {
    if (!record->text || !wcschr(record->text, L'\t')) continue;
    const std::wstring whole = record->text;
    std::wstring label = LabelOf(record->text);
    for (;;) {
      SIZE extent{};
      ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
      if (extent.cx >= widest || label.size() > 1024) break;
      label += L' ';
    }
    record->SetText((label + whole.substr(whole.find(L'\t'))).c_str());
  }
  ::SelectObject(dc, previous);
  ::DeleteObject(font);
  ::ReleaseDC(window, dc);
}

int QVMenu::GetTopLevelOffset() {
  if (!topLevelPlain_) return 0;
  const int count = ::GetMenuItemCount(m_hMenu);
  for (int position = 0; position < count; ++position) {
    wchar_t buffer[257] = {};
    if (!::GetMenuStringW(m_hMenu, position, buffer, 256, MF_BYPOSITION) || !buffer[0]) continue;
    for (size_t i = 0; i < records_.size(); ++i) {
      if (records_[i]->text && wcscmp(records_[i]->text, buffer) == 0) {
        return position >= static_cast<int>(i) ? position - static_cast<int>(i) : 0;
      }
    }
  }
  return 0;
}

void QVMenu::RefreshTopLevel() {
  const int offset = GetTopLevelOffset();
  const int count = ::GetMenuItemCount(m_hMenu);
  for (size_t i = 0; offset + static_cast<int>(i) < count && i < records_.size(); ++i) {
    const UINT position = offset + static_cast<UINT>(i);
    if (::GetSubMenu(m_hMenu, position)) {
      records_[i]->flags = MF_BYPOSITION | MF_POPUP;
      MakePlainItem(m_hMenu, position, records_[i]->text);
    }
  }
}

LRESULT QVMenu::FindMnemonic(UINT character, UINT flags, CMenu* menu) {
  auto* own = DYNAMIC_DOWNCAST(QVMenu, menu);
  if (!own || !(flags & MF_POPUP)) return 0;
  const std::wstring key = std::wstring(L"&") + static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
  if (static_cast<size_t>(::GetMenuItemCount(own->m_hMenu)) != own->records_.size()) own->ResyncWithMenu();
  for (UINT position = 0; position < own->records_.size(); ++position) {
    CString text;
    if (!own->GetItemText(position, text, MF_BYPOSITION)) continue;
    std::wstring lower = static_cast<LPCWSTR>(text);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (lower.find(key) != std::wstring::npos) return (MNC_EXECUTE << 16) | position;
  }
  return 0;
}

BOOL QVMenu::IsOwnMenu(CMenu* menu) { return menu ? IsOwnMenuHandle(menu->GetSafeHmenu()) : FALSE; }

BOOL QVMenu::IsOwnMenuHandle(HMENU menu) {
  return menu && std::find(PopupMenuHandles.begin(), PopupMenuHandles.end(), menu) != PopupMenuHandles.end();
}
