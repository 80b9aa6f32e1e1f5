// A menu whose items draw themselves, with images from toolbar resources kept
// once for the whole process, in a classic look with three-dimensional edges
// or an XP look with a shaded icon column. Built item by item or from a menu
// resource, which it parses itself so that every item of every level becomes
// owner-drawn; the top level of a menu built from a resource stays plain text.
#pragma once

#include <vector>

#include "Framework.h"

struct OwnerDrawnMenuItem {
  wchar_t* text = nullptr;  // label, and for a shortcut a tab and its text
  int imageIndex = -1;
  int sharedImageIndex = -1;
  int ownImageMarker = -1;
  UINT flags = 0;
  UINT_PTR id = 0;  // command id, submenu handle, or 0 for a separator
  BOOL mark = FALSE;
  CImageList* ownImages = nullptr;

  OwnerDrawnMenuItem() = default;
  ~OwnerDrawnMenuItem();
  OwnerDrawnMenuItem(const OwnerDrawnMenuItem&) = delete;
  OwnerDrawnMenuItem& operator=(const OwnerDrawnMenuItem&) = delete;
  void SetText(const wchar_t* newText);
  CString GetText() const { return CString(text ? text : L""); }
};

// Process-wide state of every QVMenu.
extern CImageList SharedMenuImages;
extern std::vector<UINT> SharedMenuImageIds;
extern std::vector<HMENU> PopupMenuHandles;
extern int WindowsVersionCode;
extern int LookWhenThemed;
extern int LookWhenUnthemed;
extern int RaisedIcons;
extern int HighlightDisabledClassic;
extern int HighlightDisabledXp;

class QVMenu : public CMenu {
  DECLARE_DYNAMIC(QVMenu)
 public:
  QVMenu();
  ~QVMenu() override;

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;
  virtual BOOL LoadMenu(UINT resourceId);
  virtual BOOL LoadMenu(LPCTSTR resourceName);
  virtual BOOL DestroyMenu();

  BOOL AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, int toolbarId);
  OwnerDrawnMenuItem* ReplaceItemAt(UINT position, UINT flags, UINT_PTR id, const wchar_t* text);
  BOOL GetItemText(UINT idOrPosition, CString& text, UINT flags);
  QVMenu* FindCommand(UINT commandId, int& position);
  void ResyncWithMenu();
  void AlignShortcuts();
  int GetTopLevelOffset();
  void RefreshTopLevel();
  OwnerDrawnMenuItem* TakeRecordForId(UINT_PTR id);
  void MarkAllRecords(BOOL value);
  void DeleteUnmarkedRecords();

  static LRESULT FindMnemonic(UINT character, UINT flags, CMenu* menu);
  static BOOL IsOwnMenu(CMenu* menu);
  static BOOL IsOwnMenuHandle(HMENU menu);
  static COLORREF BlendTowardWhite(COLORREF colour, double fraction);
  static int GetWindowsVersionCode();
  static BOOL HasModernShell();
  static BOOL IsXpThemed();
  static BOOL IsXpLook();
  static BOOL IsClassicThemeSelected();
  static int DibColorCount(const BITMAPINFOHEADER& header);
  static HBITMAP LoadSysColorBitmap16(UINT resourceId);

  BOOL FindToolbarImage(UINT commandId, int toolbarId, int& image);
  BOOL AddBitmapToList(CImageList& list, UINT_PTR resource);
  int StoreSharedImage(CImageList& list, int index, UINT commandId);
  static int FindSharedImage(UINT commandId);
  static BOOL HasRaisedImages(int sharedIndex);
  BOOL RenderImageToBitmap(CDC* dc, CImageList& list, int index, CBitmap& bitmap);
  static void MakeFadedBitmap(CBitmap& bitmap);
  static void MakeShadowBitmap(CBitmap& bitmap);
  static void PaintEmbossed(CDC* dc, int x, int y, int width, int height, CBitmap& bitmap, int sourceX,
                            int sourceY, COLORREF background);
  static void PaintEmbossedDib(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                               int sourceY, COLORREF background);
  static void PaintClassicCheck(CDC* dc, const CRect& box, BOOL selected, BOOL radio);
  static void PaintXpCheck(CDC* dc, const CRect& box, BOOL radio, COLORREF highlight);
  static void PaintCheckMark(CDC* dc, int x, int y, COLORREF colour);
  static void PaintRadioMark(CDC* dc, int x, int y, COLORREF colour);

  int IconWidth() const { return iconWidth_; }
  int IconHeight() const { return iconHeight_; }
  size_t RecordCount() const { return records_.size(); }
  const OwnerDrawnMenuItem* Record(size_t index) const { return records_[index]; }

 private:
  enum class ImageCase { check, disabled, selected, image, plain };
  ImageCase ClassifyItem(const OwnerDrawnMenuItem& record, UINT state, bool hasImage, bool& useCheckList) const;
  bool ItemImage(const OwnerDrawnMenuItem& record, CImageList*& list, int& index) const;
  void DrawClassicItem(LPDRAWITEMSTRUCT item);
  void DrawXpItem(LPDRAWITEMSTRUCT item);
  void DrawItemText(CDC* dc, const OwnerDrawnMenuItem& record, CRect textRect, COLORREF colour) const;
  BOOL CheckedBitmapIsRadio(LPDRAWITEMSTRUCT item) const;

  std::vector<OwnerDrawnMenuItem*> records_;
  std::vector<HMENU> submenus_;
  int iconWidth_ = 16;
  int iconHeight_ = 15;
  COLORREF maskColour_ = 0x00C0C0C0;
  BOOL useMaskColour_ = FALSE;
  BOOL embossDib_ = FALSE;
  CImageList* checkImages_ = nullptr;
  BOOL checkImagesShared_ = FALSE;
  int selectedCheckId_ = -1;
  int unselectedCheckId_ = -1;
  BOOL imagesAreIcons_ = FALSE;
  BOOL topLevelPlain_ = FALSE;
};

// The system menu font (from the non-client metrics); the caller deletes it.
HFONT CreateMenuFont();
