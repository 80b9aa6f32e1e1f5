#include "CCommandBarSettings.h"

#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitPropExchange.h"
#include "CKitPropExchangeArchive.h"

#include <vector>

namespace
{

constexpr UINT kCurrentSchema = 16;

// A command set as one value where the exchange keeps binary values, else
// as a section of "Item%i" entries under the key.
void ExchangeCommandSet(CKitPropExchange* pPX, LPCTSTR pszKey, CCommandBarSettings::CommandSet& commands)
{
    if (!pPX->IsLoading() && pPX->CanOmitDefaults() && commands.empty())
        return;
    if (pPX->CanStoreBlobs())
    {
        std::vector<DWORD> ids(commands.begin(), commands.end());
        BYTE* pBuffer = pPX->IsLoading() ? nullptr : reinterpret_cast<BYTE*>(ids.data());
        DWORD nSize = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        if (!ExchangeBinary(pPX, pszKey, pBuffer, nSize) || !pPX->IsLoading())
            return;
        commands.clear();
        for (DWORD i = 0; pBuffer != nullptr && i + sizeof(DWORD) <= nSize; i += sizeof(DWORD))
        {
            DWORD nId = 0;
            memcpy(&nId, pBuffer + i, sizeof(nId));
            commands.insert(nId);
        }
        free(pBuffer);
        return;
    }
    CKitPropSectionRef section(pPX->OpenSection(pszKey));
    if (section.Get() == nullptr)
        return;
    CString strItem;
    if (pPX->IsLoading())
    {
        commands.clear();
        const DWORD nCount = section->LoadCount();
        for (DWORD i = 0; i < nCount; ++i)
        {
            strItem.Format(L"Item%u", i);
            int nId = 0;
            ExchangeLong(section.Get(), strItem, nId, 0);
            commands.insert(static_cast<UINT>(nId));
        }
        return;
    }
    section->StoreCount(static_cast<DWORD>(commands.size()));
    DWORD i = 0;
    for (UINT nCommand : commands)
    {
        strItem.Format(L"Item%u", i++);
        int nId = static_cast<int>(nCommand);
        ExchangeLong(section.Get(), strItem, nId, 0);
    }
}

void ExchangeSizeValue(CKitPropExchange* pPX, LPCTSTR pszKey, CSize& size, SIZE defaultSize)
{
    SIZE value = size;
    ExchangeSize(pPX, pszKey, value, defaultSize);
    size = value;
}

}  // namespace

void CCommandBarSettings::ExchangeSettings(CKitPropExchange* pPX, BOOL bOptionsOnly)
{
    int nSchema = static_cast<int>(kCurrentSchema);
    ExchangeLong(pPX, L"Schema", nSchema, static_cast<int>(kCurrentSchema));
    ExchangeBool(pPX, L"AlwaysShowFullMenus", m_bAlwaysShowFullMenus, TRUE);
    ExchangeBool(pPX, L"ShowFullAfterDelay", m_bShowFullAfterDelay, TRUE);
    ExchangeBool(pPX, L"ToolBarScreenTips", m_bToolBarScreenTips, TRUE);
    ExchangeBool(pPX, L"ToolBarAccelTips", m_bToolBarAccelTips, FALSE);
    ExchangeBool(pPX, L"LargeIcons", m_bLargeIcons, FALSE);
    if (nSchema > 7)
        ExchangeCommandSet(pPX, L"UsedCommands", m_usedCommands);
    if (nSchema > 7 || bOptionsOnly)
        ExchangeLong(pPX, L"Animation", m_nAnimationType, 0);
    if (bOptionsOnly)
        return;

    ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
    ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
    ExchangeSizeValue(pPX, L"IconsSize", m_szIcons, SIZE{0, 0});
    ExchangeSizeValue(pPX, L"LargeIconsSize", m_szLargeIcons, SIZE{0, 0});
    ExchangeCommandSet(pPX, L"HiddenCommands", m_hiddenCommands);
    BOOL* pIconOptions = GetCommandBarDrawer()->GetIconOptions();  // faded, disabled, shadow
    ExchangeBool(pPX, L"IconsWithShadow", pIconOptions[2], FALSE);
    ExchangeBool(pPX, L"UseDisabledIcons", pIconOptions[1], TRUE);
    ExchangeBool(pPX, L"UseFadedIcons", pIconOptions[0], TRUE);
    if (nSchema > 7)
    {
        ExchangeBool(pPX, L"SyncFloatingBars", m_bSyncFloatingBars, TRUE);
        ExchangeBool(pPX, L"ShowExpandButtonAlways", m_bShowExpandButtonAlways, TRUE);
        ExchangeBool(pPX, L"DblClickFloat", m_bDblClickFloat, FALSE);
        ExchangeBool(pPX, L"ShowTextBelowIcons", m_bShowTextBelowIcons, FALSE);
        ExchangeBool(pPX, L"AltDragCustomization", m_bAltDragCustomization, TRUE);
        ExchangeBool(pPX, L"AutoHideUnusedPopups", m_bAutoHideUnusedPopups, TRUE);
        ExchangeSizeValue(pPX, L"PopupIconsSize", m_szPopupIcons, SIZE{16, 16});
    }
    if (nSchema > 8)
    {
        ExchangeLong(pPX, L"KeyboardCuesUse", m_nKeyboardCuesUse, 1);
        ExchangeLong(pPX, L"KeyboardCuesShow", m_nKeyboardCuesShow, 0);
        if (pPX->IsLoading())
            ApplyKeyboardCues(m_nKeyboardCuesShow);
    }
}

void CCommandBarSettings::Serialize(CArchive& ar)
{
    CKitPropExchangeArchive exchange(ar);
    ExchangeSettings(&exchange, FALSE);
}

void CCommandBarSettings::ApplyKeyboardCues(int nMode)
{
    m_nKeyboardCuesShow = nMode;
    if (m_pOwner == nullptr)
        return;
    m_pOwner->SetKeyboardCuesState(FALSE, nMode != 1);
    BOOL bSystemCues = TRUE;
    if (nMode == 2 && ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues)
        m_pOwner->SetKeyboardCuesState(TRUE, FALSE);
}
