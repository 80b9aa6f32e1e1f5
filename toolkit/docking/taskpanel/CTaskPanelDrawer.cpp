#include "CTaskPanelDrawer.h"

#include <algorithm>

#include "CColorTable.h"
#include "CKitTaskPanel.h"
#include "core/DrawerColors.h"

using kit::taskpanel::ApplyDefaultRect;
using kit::taskpanel::MixColors;

namespace {

kit::KitRect ToKit(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
CRect FromKit(const kit::KitRect& rect) { return CRect(rect.left, rect.top, rect.right, rect.bottom); }

CRect ResolveSides(const kit::KitRect& value, const CRect& defaults)
{
    return FromKit(ApplyDefaultRect(value, ToKit(defaults)));
}

}  // namespace

CTaskPanelDrawer::CTaskPanelDrawer(CKitTaskPanel* pPanel) : m_pPanel(pPanel)
{
    m_hMsImg32 = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImg32)
        m_pfnAlphaBlend = reinterpret_cast<AlphaBlendProc>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
}

CTaskPanelDrawer::~CTaskPanelDrawer()
{
    if (m_hMsImg32)
        ::FreeLibrary(m_hMsImg32);
    if (m_hExpandIcon)
        ::DestroyIcon(m_hExpandIcon);
    if (m_hSpecialExpandIcon)
        ::DestroyIcon(m_hSpecialExpandIcon);
    DeleteThemeBitmaps();
}

COLORREF CTaskPanelDrawer::Slot(int nIndex)
{
    return GetColorTable()->GetColor(static_cast<kit::ColorRef>(nIndex));
}

void CTaskPanelDrawer::DeleteThemeBitmaps()
{
    for (HBITMAP& hBitmap : m_hExpandBitmaps)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        hBitmap = nullptr;
    }
}

BOOL CTaskPanelDrawer::IsSpecial(const Group& group) const { return group.special; }

TaskPanelGroupColors& CTaskPanelDrawer::GetGroupColors(const Group& group)
{
    return group.special ? m_specialColors : m_normalColors;
}

COLORREF CTaskPanelDrawer::GetItemBackgroundColor(const GroupItem& item)
{
    const Group* pGroup = m_pPanel ? m_pPanel->GetItemGroup(&item) : nullptr;
    const TaskPanelGroupColors& colors = pGroup ? GetGroupColors(*pGroup) : m_normalColors;
    return colors.clientGradient.dark.GetValue();
}

void CTaskPanelDrawer::SetCaptionFont(const LOGFONT* pLogFont, BOOL bFromSystem)
{
    m_bCaptionFontFromSystem = bFromSystem;
    if (!pLogFont)
        return;
    m_captionFont.DeleteObject();
    m_captionFont.CreateFontIndirect(pLogFont);
    m_nCaptionHeight = MeasureCaptionFontHeight(0, 25);
}

int CTaskPanelDrawer::MeasureCaptionFontHeight(int nAdd, int nMinimum)
{
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&m_captionFont);
    const int height = dc.GetTextExtent(CString(L" ")).cy + nAdd;
    dc.SelectObject(pOld);
    return std::max(height, nMinimum);
}

void CTaskPanelDrawer::SetItemFonts(const LOGFONT* pLogFont, BOOL bFromSystem)
{
    m_bItemFontsFromSystem = bFromSystem;
    if (!pLogFont)
        return;
    LOGFONT lf = *pLogFont;
    const auto make = [&lf](CFont& font, LONG weight, BYTE underline) {
        font.DeleteObject();
        lf.lfWeight = weight;
        lf.lfUnderline = underline;
        font.CreateFontIndirect(&lf);
    };
    make(m_itemFont, FW_NORMAL, FALSE);
    make(m_underlinedItemFont, FW_NORMAL, TRUE);
    make(m_boldItemFont, FW_BOLD, FALSE);
    make(m_boldUnderlinedItemFont, FW_BOLD, TRUE);
}

void CTaskPanelDrawer::ReloadMetrics()
{
    RefreshColorTable();
    LOGFONT lf{};
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (m_bItemFontsFromSystem)
        SetItemFonts(&lf, TRUE);
    if (m_bCaptionFontFromSystem)
    {
        LOGFONT caption = lf;
        caption.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
        caption.lfUnderline = FALSE;
        SetCaptionFont(&caption, TRUE);
    }

    m_normalColors.captionGradientStart = 0;
    m_specialColors.captionGradientStart = 0;
    m_bClosedClientBorder = FALSE;
    m_bRoundedLeftCorner = FALSE;
    m_bRoundedRightCorner = FALSE;
    m_nExpandButtonKind = 2;

    m_background.SetStandardValue(Slot(5));
    m_specialColors.captionGradient.SetStandardValue(Slot(2));
    m_specialColors.border.SetStandardValue(Slot(2));
    m_specialColors.captionText.SetStandardValue(Slot(9));
    m_specialColors.captionHotText.SetStandardValue(Slot(9));
    m_specialColors.clientGradient.SetStandardValue(Slot(5));
    m_normalColors.captionGradient.SetStandardValue(Slot(15));
    m_normalColors.border.SetStandardValue(Slot(15));
    m_normalColors.captionText.SetStandardValue(Slot(18));
    m_normalColors.captionHotText.SetStandardValue(Slot(18));
    m_normalColors.clientGradient.SetStandardValue(Slot(5));
    for (TaskPanelGroupColors* pColors : {&m_normalColors, &m_specialColors})
    {
        pColors->text.SetStandardValue(Slot(18));
        pColors->link.SetStandardValue(Slot(18));
        pColors->linkHot.SetStandardValue(Slot(13));
        pColors->linkSelected.SetStandardValue(Slot(18));
    }

    if (m_nHighlightStyle == 0)
    {
        m_hotItemFill.SetStandardValue(Slot(15));
        m_frame.SetStandardValue(RGB(0x80, 0x80, 0x80), RGB(0xC6, 0xC6, 0xC6));
        return;
    }
    m_hotItemFill.SetStandardValue(Slot(31));
    m_selectedItemFill.SetStandardValue(Slot(36));
    m_hotPressedItemFill.SetStandardValue(Slot(33));
    m_frame.SetStandardValue(Slot(32));
    const int scheme = GetLunaScheme();
    if (m_nHighlightStyle == 2 && scheme != kit::kSchemeNone)
    {
        m_hotItemFill.SetStandardValue(0xC2EEFF);
        m_hotPressedItemFill.SetStandardValue(0x3E80FE);
        m_selectedItemFill.SetStandardValue(0x6FC0FF);
        m_frame.SetStandardValue(scheme == kit::kSchemeOlive    ? 0x385D3F
                                 : scheme == kit::kSchemeSilver ? 0x6F4B4B
                                                                : 0x800000);
    }
}

CRect CTaskPanelDrawer::GetItemOuterMargins(const GroupItem& item) { return ResolveSides(item.margins, m_rcItemOuterMargins); }

CRect CTaskPanelDrawer::GetItemInnerMargins(const GroupItem&) { return m_rcItemInnerMargins; }

CRect CTaskPanelDrawer::GetGroupOuterMargins(const Group& group)
{
    return ResolveSides(group.outerMargins, m_rcGroupOuterMargins);
}

CRect CTaskPanelDrawer::GetGroupInnerMargins(const Group& group)
{
    return ResolveSides(group.innerMargins, m_rcGroupInnerMargins);
}

CRect CTaskPanelDrawer::GetItemIconPadding(const PanelItem& item)
{
    return ResolveSides(item.iconPadding, item.IsGroup() ? m_rcGroupIconPadding : m_rcItemIconPadding);
}

CRect CTaskPanelDrawer::GetControlMargins()
{
    return m_pPanel ? ResolveSides(ToKit(m_pPanel->GetMargins()), m_rcControlMargins) : m_rcControlMargins;
}

int CTaskPanelDrawer::GetGroupSpacing()
{
    if (!m_pPanel || m_pPanel->GetGroupSpacingSetting() == kit::taskpanel::kDefaultSide)
        return m_nGroupSpacing;
    return m_pPanel->GetGroupSpacingSetting();
}

CPoint CTaskPanelDrawer::GetItemContentOffset(const GroupItem& item)
{
    return m_nHighlightStyle == 0 && m_pPanel && m_pPanel->IsItemSelected(item) ? CPoint(1, 1) : CPoint(0, 0);
}
