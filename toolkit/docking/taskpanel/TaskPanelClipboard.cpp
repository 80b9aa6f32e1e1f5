#include "TaskPanelClipboard.h"

#include <cstring>
#include <vector>

#include "CKitPropExchangeArchive.h"
#include "TaskPanelExchange.h"
#include "window/OleDataTransfer.h"

using kit::taskpanel::GroupItem;

namespace {

// Bytes the first `count` characters take in the code page, or -1.
int MultiByteLength(const std::u16string& text, int count, UINT nCodePage)
{
    if (count == 0)
        return 0;
    const int length = ::WideCharToMultiByte(nCodePage, 0, reinterpret_cast<LPCWCH>(text.data()), count, nullptr,
                                             0, nullptr, nullptr);
    return length > 0 ? length : -1;
}

}  // namespace

CLIPFORMAT TaskPanelItemFormat()
{
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"TaskPanelGroupItem"));
    return format;
}

HGLOBAL CopyItemToGlobalMemory(GroupItem& item)
{
    try
    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            CKitPropExchangeArchive px(ar);
            StoreGroupItemTo(item, &px);
            ar.Close();
        }
        return file.Detach();
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

std::unique_ptr<GroupItem> CreateItemFromFile(CFile* pFile)
{
    if (!pFile)
        return nullptr;
    try
    {
        CArchive ar(pFile, CArchive::load, 4096);
        CKitPropExchangeArchive px(ar);
        return LoadGroupItemFrom(&px);  // a throw frees the half-read item
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

std::unique_ptr<GroupItem> CreateItemFromOleData(COleDataObject* pDataObject)
{
    if (!pDataObject)
        return nullptr;
    std::unique_ptr<CFile> file(pDataObject->GetFileData(TaskPanelItemFormat()));
    return CreateItemFromFile(file.get());
}

HGLOBAL DragTextToMultiByte(const std::u16string& text, UINT nCodePage)
{
    // The block is sized in characters; a code page that needs more bytes per
    // character gets as many whole characters as fit.
    const int capacity = static_cast<int>(text.size());
    int count = capacity;
    int length = MultiByteLength(text, count, nCodePage);
    while (count > 0 && (length < 0 || length > capacity))
    {
        --count;
        if (count > 0 && IS_HIGH_SURROGATE(text[static_cast<size_t>(count) - 1]))
            --count;
        length = MultiByteLength(text, count, nCodePage);
    }
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(capacity) + 1);
    if (!hText)
        return nullptr;
    auto* pBytes = static_cast<char*>(::GlobalLock(hText));
    if (!pBytes)
    {
        ::GlobalFree(hText);
        return nullptr;
    }
    std::memset(pBytes, 0, static_cast<size_t>(capacity) + 1);
    if (count > 0 && length > 0)
        ::WideCharToMultiByte(nCodePage, 0, reinterpret_cast<LPCWCH>(text.data()), count, pBytes, length, nullptr,
                              nullptr);
    ::GlobalUnlock(hText);
    return hText;
}

BOOL PrepareDrag(GroupItem& item, COleDataSource& source, BOOL bWithText)
{
    HGLOBAL hItem = CopyItemToGlobalMemory(item);
    if (!hItem)
        return FALSE;
    source.CacheGlobalData(TaskPanelItemFormat(), hItem);
    if (bWithText && !item.dragText.empty())
    {
        if (HGLOBAL hText = DragTextToMultiByte(item.dragText))
            source.CacheGlobalData(CF_TEXT, hText);
    }
    return TRUE;
}
