// The controls in the stored bar tree: each control's keys and the controls
// collection with its original set. Loading trusts nothing: a control of a
// kind the program does not know, whose type does not fit its class or
// whose command id is out of range is read (so the stream stays in step)
// and then refused.
#include "BarTreeExchange.h"
#include "CCommandIconStore.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CKitControlEdit.h"
#include "special/CKitControlCustom.h"
#include "CKitControls.h"

using namespace bartree;

IMPLEMENT_SERIAL(CKitControl, CCmdTarget, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlButton, CKitControl, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlLabel, CKitControl, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlPopup, CKitControl, VERSIONABLE_SCHEMA | 16)

namespace
{

// The icon store a custom icon is filed in: the one of the bars being
// stored or loaded, else the process's.
CCommandIconStore* IconStoreOf(CKitPropExchange* pPX)
{
    const CBarTreeOptions* pOptions = OptionsOf(pPX);
    if (pOptions != nullptr && pOptions->pCommandBars != nullptr)
        return pOptions->pCommandBars->GetIconManager();
    return GetCommandIconStore();
}

// A document-template id set. This program keeps none, so storing writes an
// empty set and loading reads one past; in a stream the set is the count and
// one 4-byte key and 4-byte flag per id.
void ExchangeTemplateSet(CKitPropExchange* pPX, LPCTSTR pszName)
{
    if (pPX->IsStoring() && pPX->CanOmitDefaults())
        return;
    if (!pPX->CanStoreBlobs())
    {
        CKitPropSectionRef section(pPX->OpenSection(pszName));
        if (section.Get() == nullptr)
            return;
        long nCount = 0;
        ExchangeLong(section.Get(), L"Count", nCount, 0);
        return;
    }
    CArchive* pArchive = pPX->OpenArchive(pszName);
    if (pArchive == nullptr)
        return;
    try
    {
        if (pArchive->IsStoring())
        {
            pArchive->WriteCount(0);
        }
        else
        {
            const DWORD_PTR nCount = pArchive->ReadCount();
            pArchive->RequireBytes(static_cast<ULONGLONG>(nCount) * 8);
            for (DWORD_PTR i = 0; i < nCount; ++i)
            {
                DWORD dwKey = 0;
                DWORD dwFlag = 0;
                *pArchive >> dwKey >> dwFlag;
            }
        }
    }
    catch (...)
    {
        pPX->CloseArchive(pszName, pArchive);
        throw;
    }
    pPX->CloseArchive(pszName, pArchive);
}

// Whether the stored type fits the class the control was made from.
BOOL IsTypeOfItsClass(CKitControl* pControl)
{
    const int nType = pControl->GetType();
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitControlComboBox)))
        return nType == kControlComboBox;
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitControlEdit)))
        return nType == kControlEdit;
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitControlPopup)))
        return pControl->IsPopupControl();
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitControlLabel)))
        return nType == kControlLabel;
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitControlCustom)))
        return nType == kControlCustom;
    // Buttons, and plain controls of the two kinds that need nothing more.
    return nType == kControlButton || (nType == kControlLabel && !pControl->IsKindOf(RUNTIME_CLASS(CKitControlButton)));
}

BOOL IsStoredIdSound(int nId)
{
    return nId >= 0 && nId <= kMaxCommandId && !(nId >= kFirstBarOwnId && nId <= kLastBarOwnId);
}

}  // namespace

void CKitControl::ExchangeProperties(CKitPropExchange* pPX)
{
    const UINT nSchema = pPX->m_nSchema;
    ExchangeLong(pPX, L"Type", m_nType, kControlButton);
    ExchangeLong(pPX, L"Id", m_nId, -1);
    ExchangeLong(pPX, L"IconId", m_nIconId, 0);
    ExchangeBool(pPX, L"BeginGroup", m_bBeginGroup, FALSE);
    ExchangeDword(pPX, L"Tag", m_dwTag, 0);
    ExchangeDword(pPX, L"Flags", m_dwFlags, 0);
    ExchangeDword(pPX, L"HideFlags", m_dwHideFlags, 0);
    ExchangeString(pPX, L"Caption", m_strCaption, L"");
    ExchangeString(pPX, L"ShortcutText", m_strShortcutText, L"");
    ExchangeString(pPX, L"TooltipText", m_strTooltip, L"");
    ExchangeString(pPX, L"DescriptionText", m_strDescription, L"");
    ExchangeString(pPX, L"Parameter", m_strParameter, L"");
    ExchangeLong(pPX, L"CustomIconId", m_nCustomIconId, 0);
    ExchangeString(pPX, L"CustomCaption", m_strCustomCaption, L"");
    if (nSchema > 1)
        ExchangeString(pPX, L"Category", m_strCategory, L"");
    if (m_nCustomIconId > 0)
    {
        CKitPropSectionRef section(pPX->OpenSection(L"CustomIcon"));
        if (section.Get() != nullptr)
        {
            if (m_nCustomIconId <= kMaxCustomIconId)
            {
                IconStoreOf(pPX)->ExchangeIconSet(static_cast<UINT>(m_nCustomIconId), section.Get());
            }
            else
            {
                // An id no icon store hands out: read past its icons and drop it.
                auto* pScratch = new CCommandIconStore;
                try
                {
                    pScratch->ExchangeIconSet(static_cast<UINT>(m_nCustomIconId), section.Get());
                }
                catch (...)
                {
                    pScratch->InternalRelease();
                    throw;
                }
                pScratch->InternalRelease();
                m_nCustomIconId = 0;
            }
        }
    }
    if (m_nCustomIconId < 0)
        m_nCustomIconId = 0;
    if (nSchema > 3)
    {
        ExchangeTemplateSet(pPX, L"DocTemplatesExcluded");
        ExchangeTemplateSet(pPX, L"DocTemplatesAssigned");
        ExchangeBool(pPX, L"DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        ExchangeBool(pPX, L"CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7)
        ExchangeLong(pPX, L"CustomStyle", m_nCustomStyle, 0);
    if (pPX->IsLoading())
    {
        m_nCustomStyle = Clamp(m_nCustomStyle, 0, 3);
        m_bTemporary = FALSE;
    }
}

void CKitControlButton::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControl::ExchangeProperties(pPX);
    ExchangeLong(pPX, L"Style", m_nStyle, 0);
    if (pPX->IsLoading())
        m_nStyle = Clamp(m_nStyle, 0, 3);
}

void CKitControlPopup::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControl::ExchangeProperties(pPX);
    int nBarId = 0;
    if (pPX->IsStoring())
        nBarId = m_pCommandBar != nullptr ? m_pCommandBar->GetBarId() : 0;
    ExchangeLong(pPX, L"CommandBarId", nBarId, 0);
    if (pPX->IsLoading())
        m_nCommandBarId = nBarId;
    if (pPX->m_nSchema > 4)
        ExchangeLong(pPX, L"Style", m_nStyle, 0);
    if (pPX->IsLoading())
        m_nStyle = Clamp(m_nStyle, 0, 3);
}

void CKitControls::ExchangeControls(CKitPropExchange* pPX)
{
    const CBarTreeOptions* pOptions = OptionsOf(pPX);
    CCheckedSections sections(pPX, L"Control");
    if (pPX->IsStoring())
    {
        std::vector<CKitControl*> stored;
        for (CKitControl* pControl : m_controls)
            if (!pControl->IsTemporary())
                stored.push_back(pControl);
        UINT nPosition = sections.Begin(static_cast<DWORD>(stored.size()), kMaxStoredControls);
        for (CKitControl* pControl : stored)
        {
            CKitPropSectionRef section(sections.Next(nPosition));
            CObject* pObject = pControl;
            if (!section->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitControl)))
                AfxThrowArchiveException(CArchiveException::badClass);
            pControl->ExchangeProperties(section.Get());
        }
        BOOL bOriginals = m_pOriginalControls != nullptr && (pOptions == nullptr || pOptions->bSaveOriginals);
        ExchangeBool(pPX, L"OriginalControls", bOriginals, FALSE);
        if (bOriginals)
        {
            CKitPropSectionRef section(pPX->OpenSection(L"OriginalControls"));
            if (section.Get() != nullptr)
                m_pOriginalControls->ExchangeControls(section.Get());
        }
        BOOL bCustomized = FALSE;
        ExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
        return;
    }

    RemoveAll();
    m_nRefusedOnLoad = 0;
    for (UINT nPosition = sections.Begin(0, kMaxStoredControls); nPosition != 0;)
    {
        CKitPropSectionRef section(sections.Next(nPosition));
        CObject* pObject = nullptr;
        if (!section->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitControl)))
            AfxThrowArchiveException(CArchiveException::badClass);
        auto* pControl = static_cast<CKitControl*>(pObject);
        try
        {
            pControl->ExchangeProperties(section.Get());
        }
        catch (...)
        {
            pControl->InternalRelease();
            throw;
        }
        if (!IsTypeOfItsClass(pControl) || !IsStoredIdSound(pControl->GetId()))
        {
            ++m_nRefusedOnLoad;
            pControl->InternalRelease();
            continue;
        }
        Insert(pControl, -1);
    }
    RefreshIndexes();
    if (pPX->m_nSchema <= 2)
        return;
    BOOL bOriginals = FALSE;
    ExchangeBool(pPX, L"OriginalControls", bOriginals, FALSE);
    if (bOriginals)
    {
        CKitPropSectionRef section(pPX->OpenSection(L"OriginalControls"));
        if (section.Get() == nullptr)
            ThrowDamaged();
        auto* pOriginal = new CKitControls;
        pOriginal->m_pCommandBars = GetCommandBars();
        try
        {
            pOriginal->ExchangeControls(section.Get());
        }
        catch (...)
        {
            pOriginal->InternalRelease();
            throw;
        }
        ClearOriginalControls();
        m_pOriginalControls = pOriginal;
    }
    BOOL bCustomized = FALSE;
    ExchangeBool(pPX, L"CustomizedControls", bCustomized, FALSE);
    if (bCustomized)
    {
        // Older data kept a third set here; it is read past and dropped.
        CKitPropSectionRef section(pPX->OpenSection(L"CustomizedControls"));
        if (section.Get() == nullptr)
            ThrowDamaged();
        auto* pDropped = new CKitControls;
        try
        {
            pDropped->ExchangeControls(section.Get());
        }
        catch (...)
        {
            pDropped->InternalRelease();
            throw;
        }
        pDropped->InternalRelease();
    }
}
