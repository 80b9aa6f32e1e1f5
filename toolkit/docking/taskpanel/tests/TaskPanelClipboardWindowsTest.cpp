// One task-panel item through a global block and an OLE data object, with
// blocks that another program could have put there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "CKitPropExchangeArchive.h"
#include "SamplePanelGroup.h"
#include "TaskPanelClipboard.h"
#include "TaskPanelExchange.h"
#include "window/OleDataTransfer.h"

using namespace kit::taskpanel;

namespace {

std::unique_ptr<GroupItem> ReadBlock(HGLOBAL hBlock)
{
    CSharedFile file;
    file.SetHandle(hBlock, FALSE);
    return CreateItemFromFile(&file);
}

// A block of the given bytes.
HGLOBAL BlockOf(const std::string& bytes)
{
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    std::memcpy(::GlobalLock(hBlock), bytes.data(), bytes.size());
    ::GlobalUnlock(hBlock);
    return hBlock;
}

std::string BytesOf(HGLOBAL hBlock, size_t size)
{
    const auto* pBytes = static_cast<const char*>(::GlobalLock(hBlock));
    std::string bytes(pBytes, size);
    ::GlobalUnlock(hBlock);
    return bytes;
}

// What the writer puts into an archive, without the block's spare room.
std::string ArchiveBytes(const std::function<void(CKitPropExchangeArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        write(px);
        ar.Close();
    }
    const size_t size = static_cast<size_t>(file.GetLength());
    std::string bytes(size, '\0');
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(size));
    return bytes;
}

TEST(TaskPanelClipboard, ItemTravelsThroughAGlobalBlock)
{
    Group sample;
    FillSample(sample);
    HGLOBAL hBlock = CopyItemToGlobalMemory(*sample.items.GetAt(1));
    ASSERT_NE(hBlock, nullptr);
    std::unique_ptr<GroupItem> item = ReadBlock(hBlock);
    ASSERT_TRUE(item);
    ExpectSameItem(*item, *sample.items.GetAt(1));
    ::GlobalFree(hBlock);
}

TEST(TaskPanelClipboard, ForeignAndDamagedBlocksGiveNoItem)
{
    Group sample;
    FillSample(sample);
    const std::string whole = ArchiveBytes([&](CKitPropExchangeArchive& px) {
        StoreGroupItemTo(*sample.items.GetAt(0), &px);
    });
    const std::string group = ArchiveBytes([](CKitPropExchangeArchive& px) {
        CString strClass = L"CKitTaskPanelGroup";
        ExchangeString(&px, L"Class", strClass);
    });
    const struct
    {
        const char* name;
        std::string bytes;
    } damages[] = {
        {"empty", ""},
        {"cut inside the class", whole.substr(0, 5)},
        {"cut inside the keys", whole.substr(0, whole.size() / 2)},
        {"a string longer than the block", std::string("\xFF\xFE\xFF\xFF\xFF\xFF\x7F", 7)},
        {"not an archive", std::string(64, '\x5A')},
        {"a group's class", group},
    };
    for (const auto& damage : damages)
    {
        HGLOBAL hBlock = BlockOf(damage.bytes);
        EXPECT_EQ(ReadBlock(hBlock), nullptr) << damage.name;
        ::GlobalFree(hBlock);
    }
    EXPECT_EQ(CreateItemFromFile(nullptr), nullptr);
}

TEST(TaskPanelClipboard, DragOffersTheItemAndItsTextOnlyWhenThereIsText)
{
    Group sample;
    FillSample(sample);
    auto* source = new COleDataSource;  // lives by its reference count
    ASSERT_TRUE(PrepareDrag(*sample.items.GetAt(2), *source, TRUE));
    COleDataObject data;
    data.Attach(static_cast<IDataObject*>(source), TRUE);
    EXPECT_TRUE(data.IsDataAvailable(TaskPanelItemFormat()));
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    std::unique_ptr<GroupItem> item = CreateItemFromOleData(&data);
    ASSERT_TRUE(item);
    ExpectSameItem(*item, *sample.items.GetAt(2));

    auto* withoutText = new COleDataSource;
    sample.items.GetAt(0)->dragText.clear();
    ASSERT_TRUE(PrepareDrag(*sample.items.GetAt(0), *withoutText, TRUE));
    COleDataObject plain;
    plain.Attach(static_cast<IDataObject*>(withoutText), TRUE);
    EXPECT_TRUE(plain.IsDataAvailable(TaskPanelItemFormat()));
    EXPECT_FALSE(plain.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(CreateItemFromOleData(nullptr), nullptr);
}

TEST(TaskPanelClipboard, DragTextFitsItsBlockWithWholeCharacters)
{
    const struct
    {
        const char* name;
        std::u16string text;
        UINT codePage;
        std::string expected;
    } cases[] = {
        {"one byte each", u"a\u00E9b", 1252, "a\xE9" "b"},
        {"wider characters are cut at the end", u"a\u00E9\u20AC", CP_UTF8, "a\xC3\xA9"},
        {"a surrogate pair is never split", u"\U0001F600", CP_UTF8, ""},
        {"empty", u"", CP_UTF8, ""},
    };
    for (const auto& c : cases)
    {
        HGLOBAL hText = DragTextToMultiByte(c.text, c.codePage);
        ASSERT_NE(hText, nullptr) << c.name;
        ASSERT_GE(::GlobalSize(hText), c.text.size() + 1) << c.name;
        const std::string bytes = BytesOf(hText, c.text.size() + 1);
        EXPECT_EQ(std::string(bytes.c_str()), c.expected) << c.name;
        EXPECT_EQ(bytes.back(), '\0') << c.name;
        ::GlobalFree(hText);
    }
}

}  // namespace
