// The task panel's drawing style: everything the panel shows (its background,
// group captions and client areas, items, scroll buttons, focus cue and drop
// marks) is painted here, and the panel asks the same object for the margins,
// spacing and measured heights of its layout. This base is style 0; the
// styles 1 to 12 derive from it (CTaskPanelDrawerStyleN).
#pragma once

#include "Framework.h"
#include "core/StyleColor.h"
#include "core/TaskPanelModel.h"

class CCommandIcon;
class CKitTaskPanel;
struct CTaskPanelScrollButton;

// The colours of one kind of group (ordinary or special).
struct TaskPanelGroupColors
{
    CStyleGradient captionGradient;
    CStyleGradient clientGradient;  // most styles fill the client with its second colour
    CStyleColor border;
    double captionGradientStart = 0;  // the solid share of the caption from the left
    CStyleColor captionText;
    CStyleColor captionHotText;
    CStyleColor text;
    CStyleColor link;
    CStyleColor linkHot;
    CStyleColor linkSelected;
};

class CTaskPanelDrawer
{
public:
    using PanelItem = kit::taskpanel::PanelItem;
    using Group = kit::taskpanel::Group;
    using GroupItem = kit::taskpanel::GroupItem;

    explicit CTaskPanelDrawer(CKitTaskPanel* pPanel);
    virtual ~CTaskPanelDrawer();
    CTaskPanelDrawer(const CTaskPanelDrawer&) = delete;
    CTaskPanelDrawer& operator=(const CTaskPanelDrawer&) = delete;

    virtual void FillBackground(CDC* pDC);
    virtual void DrawGroupClient(CDC* pDC, Group& group);
    // The caption height (measured also when bDraw is FALSE).
    virtual int DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw);
    // The item's rectangle when measuring; an empty one after drawing.
    virtual CRect DrawItem(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw);
    virtual void ReloadMetrics();
    virtual TaskPanelGroupColors& GetGroupColors(const Group& group);
    // The second client colour of the item's group (what a hosted window's
    // picture is painted over).
    COLORREF GetItemBackgroundColor(const GroupItem& item);
    virtual void DrawItemBackground(CDC* pDC, const GroupItem& item, CRect rect);
    virtual CRect GetItemOuterMargins(const GroupItem& item);
    virtual CRect GetItemInnerMargins(const GroupItem& item);
    virtual CRect GetGroupOuterMargins(const Group& group);
    virtual CRect GetItemIconPadding(const PanelItem& item);
    virtual CRect GetGroupInnerMargins(const Group& group);
    virtual CRect GetControlMargins();
    virtual int GetGroupSpacing();
    virtual void DrawScrollButton(CDC* pDC, const CTaskPanelScrollButton& button);
    virtual void FillGroupClientFace(CDC* pDC, Group& group, CRect rect);
    virtual void DrawGroupItems(CDC* pDC, Group& group, CRect rect);
    // The caption rectangle left for the icon and the text.
    virtual CRect DrawExpandButton(CDC* pDC, Group& group, CRect rect);
    virtual int GetExpandButtonWidth(const Group& group, CRect rect);
    virtual void DrawItemText(CDC* pDC, PanelItem& item, CRect rect, UINT nFormat);
    virtual void DrawItemImage(CDC* pDC, const PanelItem& item, int x, int y, CCommandIcon* pIcon, int cx, int cy);
    virtual CPoint GetItemContentOffset(const GroupItem& item);
    virtual void DrawDropMark(CDC* pDC, const PanelItem& item, CRect rect, BOOL bBelow);
    virtual void DrawFocusFrame(CDC* pDC, CRect rect);

    // Fonts and the caption height.
    void SetCaptionFont(const LOGFONT* pLogFont, BOOL bFromSystem);
    void SetItemFonts(const LOGFONT* pLogFont, BOOL bFromSystem);

    // Loads the visual style's expand-button bitmaps, or else recolours the
    // toolkit's own pictures into the caption colours.
    void LoadThemeBitmaps();
    // Replaces the icon with bitmap nBitmapID recoloured into crColor.
    static void RecolorIcon(HICON& hIcon, UINT nBitmapID, COLORREF crColor);

    CKitTaskPanel* GetPanel() const { return m_pPanel; }
    BOOL HasInvertedDropMarks() const { return m_bInvertedDropMarks; }
    BOOL HasCaptionScrollButtons() const { return m_bCaptionScrollButtons; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    HICON GetExpandIcon(BOOL bSpecial) const { return bSpecial ? m_hSpecialExpandIcon : m_hExpandIcon; }
    BOOL AreThemeBitmapsLoaded() const { return m_bThemeBitmapsLoaded; }
    CFont* GetItemFont() { return &m_itemFont; }
    CFont* GetCaptionFont() { return &m_captionFont; }

    BOOL m_bExplorerLookInClassic = TRUE;
    int m_nExpandButtonKind = 2;  // 0 none, 1 image, 2 chevron, 3 triangle
    BOOL m_bBoldCaptions = TRUE;
    CRect m_rcGroupOuterMargins{0, 0, 0, 0};
    CRect m_rcGroupInnerMargins{11, 8, 11, 8};
    CRect m_rcItemOuterMargins{0, 0, 0, 0};
    CRect m_rcItemInnerMargins{2, 2, 2, 2};
    CRect m_rcControlMargins{12, 12, 12, 12};
    int m_nGroupSpacing = 15;
    CRect m_rcImageItemOffset{6, 6, 6, 6};
    CRect m_rcItemIconPadding{0, 0, 0, 0};
    CRect m_rcGroupIconPadding{0, 0, 0, 0};
    int m_nHighlightStyle = 0;  // 0 edges, 1 flat, 2 flat after the Luna scheme
    BOOL m_bInvertedDropMarks = FALSE;
    BOOL m_bCaptionScrollButtons = FALSE;
    BOOL m_bEmbossedDisabledText = FALSE;
    BOOL m_bThemeBitmapsLoaded = FALSE;
    HICON m_hExpandIcon = nullptr;
    HICON m_hSpecialExpandIcon = nullptr;
    HBITMAP m_hExpandBitmaps[8] = {};
    CFont m_captionFont;
    CFont m_itemFont;
    CFont m_boldItemFont;
    CFont m_underlinedItemFont;
    CFont m_boldUnderlinedItemFont;
    CStyleGradient m_background;
    TaskPanelGroupColors m_normalColors;
    TaskPanelGroupColors m_specialColors;
    CStyleColor m_hotItemFill;
    CStyleColor m_selectedItemFill;
    CStyleColor m_hotPressedItemFill;
    CStyleGradient m_frame;
    BOOL m_bClosedClientBorder = FALSE;
    BOOL m_bRoundedLeftCorner = FALSE;
    BOOL m_bRoundedRightCorner = FALSE;
    int m_nCaptionHeight = 25;
    BOOL m_bCaptionFontFromSystem = TRUE;
    BOOL m_bItemFontsFromSystem = TRUE;
    UINT m_nItemTextFormat = DT_WORDBREAK | DT_NOPREFIX;
    UINT m_nCaptionTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

protected:
    using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

    // The panel's client rectangle from 0 down to the larger of its bottom
    // and the content height (the background scrolls with the groups).
    CRect GetBackgroundRect() const;
    // Colour-table slot or literal colour.
    static COLORREF Slot(int nIndex);
    // Whole special-group record made a copy of the ordinary one.
    void SpecialLikeOrdinary() { m_specialColors = m_normalColors; }
    // The height of a blank in the caption font, at least nMinimum.
    int MeasureCaptionFontHeight(int nAdd, int nMinimum);
    void DeleteThemeBitmaps();
    BOOL IsSpecial(const Group& group) const;

    // Captions of styles 0 to 2.
    CRect DrawExpandButtonImage(CDC* pDC, Group& group, CRect rect);
    void DrawExpandChevronButton(CDC* pDC, Group& group, CRect rect);
    void DrawExpandTriangle(CDC* pDC, CRect rect, BOOL bExpanded);
    static void DrawChevron(CDC* pDC, int x, int y, COLORREF color, BOOL bUp);
    // The group icon at the panel's group icon width; its size (0 without icon).
    CSize DrawGroupIcon(CDC* pDC, Group& group, CRect rect, BOOL bDraw);

    // Item layouts.
    CRect DrawItemImageText(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw);
    CRect DrawItemImageAboveText(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw);
    CRect DrawItemImageOnly(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw);
    CFont* SelectItemFont(const GroupItem& item);
    void FillAndFrame(CDC* pDC, CRect rect, COLORREF crFill);

    CKitTaskPanel* m_pPanel;
    HMODULE m_hMsImg32 = nullptr;
    AlphaBlendProc m_pfnAlphaBlend = nullptr;
};
