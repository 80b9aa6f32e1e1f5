// Icon sets in the persistent settings and on the clipboard, through the
// property exchange: "CheckSum", then the numbered "Icon" sections with their
// "Width" and "Data" (the icon's archive bytes).
#include "CCommandIconStore.h"

#include "CKitPropExchangeArchive.h"
#include "CPropSectionEnum.h"
#include "core/IconArchiveFormat.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const wchar_t kCheckSum[] = L"CKitImageManagerIcons";
constexpr long kDefaultIconWidth = 16;
constexpr int kNewIconHeight = 15;
constexpr int kArchiveBufferSize = 4096;
constexpr UINT kMemFileGrowBy = 1024;

struct ReleaseIcon
{
    void operator()(CCommandIcon* pIcon) const { pIcon->InternalRelease(); }
};

}  // namespace

void CCommandIconStore::ExchangeIconSet(UINT nID, CKitPropExchange* pPX)
{
    // Later custom ids must not collide with loaded ones.
    if (nID > m_nNextCustomId)
        m_nNextCustomId = nID;
    CString checkSum = kCheckSum;
    ExchangeString(pPX, L"CheckSum", checkSum, kCheckSum);
    CPropSectionEnum icons(pPX, L"Icon");

    if (pPX->IsLoading())
    {
        if (checkSum != kCheckSum)
            AfxThrowArchiveException(CArchiveException::badClass);
        CCommandIconSet* pSet = FindIconSet(nID);
        if (pSet != nullptr)
        {
            pSet->RemoveAll();
        }
        else
        {
            pSet = new CCommandIconSet(nID, this);
            m_sets.Set(nID, pSet);
        }
        for (UINT nPosition = icons.Begin(0, TRUE); nPosition != 0;)
        {
            CKitPropSectionRef section(icons.GetNext(nPosition));
            long nWidth = kDefaultIconWidth;
            ExchangeLong(section.Get(), L"Width", nWidth);
            std::unique_ptr<CCommandIcon, ReleaseIcon> pIcon(
                new CCommandIcon(nID, static_cast<int>(nWidth), kNewIconHeight, pSet));
            ExchangeObject(section.Get(), L"Data", pIcon.get());
            // The data is read either way, so a stream stays in step; an icon of
            // a width no picture has is not filed.
            if (nWidth >= 1 && nWidth <= kit::kMaxStoredBitmapSide)
                pSet->FileIcon(static_cast<UINT>(nWidth), pIcon.release());
        }
        return;
    }

    CCommandIconSet* pSet = FindIconSet(nID);
    if (pSet == nullptr)
        return;
    DWORD nStored = 0;
    pSet->ForEachIcon([&nStored](UINT, CCommandIcon* pIcon) { nStored += pIcon->IsScaled() ? 0 : 1; });
    UINT nPosition = icons.Begin(nStored, TRUE);
    pSet->ForEachIcon([&](UINT nWidth, CCommandIcon* pIcon) {
        if (pIcon->IsScaled() || nPosition == 0)
            return;
        CKitPropSectionRef section(icons.GetNext(nPosition));
        long nStoredWidth = static_cast<long>(nWidth);
        ExchangeLong(section.Get(), L"Width", nStoredWidth);
        ExchangeObject(section.Get(), L"Data", pIcon);
    });
}

void CCommandIconStore::ExchangeAll(CKitPropExchange* pPX)
{
    CPropSectionEnum sets(pPX, L"IconSet");
    UINT nPosition = sets.Begin(static_cast<DWORD>(m_sets.Count()), TRUE);
    if (pPX->IsLoading())
    {
        RemoveAll();
        while (nPosition != 0)
        {
            CKitPropSectionRef section(sets.GetNext(nPosition));
            long nID = 0;
            ExchangeLong(section.Get(), L"ID", nID);
            ExchangeIconSet(static_cast<UINT>(nID), section.Get());
        }
        return;
    }
    std::vector<UINT> ids;
    m_sets.ForEach([&ids](UINT nID, CCommandIconSet*) { ids.push_back(nID); });
    for (UINT nID : ids)
    {
        if (nPosition == 0)
            break;
        CKitPropSectionRef section(sets.GetNext(nPosition));
        long nStoredID = static_cast<long>(nID);
        ExchangeLong(section.Get(), L"ID", nStoredID);
        ExchangeIconSet(nID, section.Get());
    }
}

void CCommandIconStore::Serialize(CArchive& ar)
{
    CKitPropExchangeArchive exchange(ar);
    ExchangeAll(&exchange);
}

void CCommandIconStore::SerializeIconSet(UINT nID, CArchive& ar)
{
    CKitPropExchangeArchive exchange(ar);
    ExchangeIconSet(nID, &exchange);
}

void CCommandIconStore::CopyIconSetToClipboard(UINT nID)
{
    CMemFile file(kMemFileGrowBy);
    {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        SerializeIconSet(nID, ar);
        ar.Close();
    }
    const SIZE_T nLength = static_cast<SIZE_T>(file.GetLength());
    BYTE* pBytes = file.Detach();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nLength);
    if (void* pData = hData != nullptr ? ::GlobalLock(hData) : nullptr)
    {
        std::memcpy(pData, pBytes, nLength);
        ::GlobalUnlock(hData);
        if (::SetClipboardData(GetToolBarImageClipFormat(), hData) == nullptr)
            ::GlobalFree(hData);
    }
    else if (hData != nullptr)
    {
        ::GlobalFree(hData);
    }
    std::free(pBytes);
}

UINT CCommandIconStore::PasteIconSet(COleDataObject* pDataObject)
{
    HGLOBAL hData = pDataObject->GetGlobalData(GetToolBarImageClipFormat());
    if (hData == nullptr)
        return 0;
    UINT nID = ++m_nNextCustomId;
    {
        CSharedFile file;
        file.SetHandle(hData, FALSE);
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        try
        {
            SerializeIconSet(nID, ar);
        }
        catch (CException* e)
        {
            if (!e->IsKindOf(RUNTIME_CLASS(CArchiveException)) && !e->IsKindOf(RUNTIME_CLASS(COleException)))
            {
                ar.Abort();
                file.Detach();
                ::GlobalFree(hData);
                throw;
            }
            e->Delete();
            nID = 0;
        }
        ar.Abort();
        file.Detach();
    }
    ::GlobalFree(hData);
    return nID;
}
