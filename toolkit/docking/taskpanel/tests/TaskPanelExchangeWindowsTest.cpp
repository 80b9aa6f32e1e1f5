// A task-panel group through the property exchange: an archive in memory and
// a registry key, whole and damaged.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "CKitPropExchangeArchive.h"
#include "CKitPropExchangeRegistry.h"
#include "SamplePanelGroup.h"
#include "TaskPanelExchange.h"

using namespace kit::taskpanel;

namespace {

void ExpectSameGroup(const Group& loaded, const Group& sample, int itemCount)
{
    EXPECT_EQ(loaded.caption, sample.caption);
    EXPECT_EQ(loaded.special, sample.special);
    EXPECT_EQ(loaded.innerMargins, sample.innerMargins);
    EXPECT_EQ(loaded.outerMargins, sample.outerMargins);
    EXPECT_EQ(loaded.iconSize, sample.iconSize);
    ASSERT_EQ(loaded.items.GetCount(), itemCount);
    for (int i = 0; i < itemCount; ++i)
        ExpectSameItem(*loaded.items.GetAt(i), *sample.items.GetAt(i));
}

// The group stored through an archive into a memory file.
void StoreToArchive(Group& group, CMemFile& file)
{
    CArchive ar(&file, CArchive::store);
    CKitPropExchangeArchive px(ar);
    ASSERT_TRUE(StoreGroupTo(group, &px));
    ar.Close();
}

PanelLoadError LoadFromArchive(Group* group, CMemFile& file)
{
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    return LoadGroupFrom(group, &px);
}

TEST(TaskPanelGroupInArchive, RoundTripInOneStream)
{
    Group sample;
    FillSample(sample);
    CMemFile file;
    StoreToArchive(sample, file);
    Group loaded;
    EXPECT_EQ(LoadFromArchive(&loaded, file), PanelLoadError::None);
    ExpectSameGroup(loaded, sample, 3);
}

TEST(TaskPanelGroupInArchive, StreamCutShortKeepsTheItemsBeforeTheCut)
{
    Group sample;
    FillSample(sample);
    CMemFile file;
    StoreToArchive(sample, file);
    file.SetLength(file.GetLength() - 8);  // inside the last item
    Group loaded;
    EXPECT_EQ(LoadFromArchive(&loaded, file), PanelLoadError::CountBeyondData);
    ExpectSameGroup(loaded, sample, 2);

    CMemFile empty;
    Group nothing;
    EXPECT_EQ(LoadFromArchive(&nothing, empty), PanelLoadError::CountBeyondData);
    EXPECT_EQ(LoadFromArchive(nullptr, file), PanelLoadError::NoPanel);
}

class RegistryRoot
{
public:
    RegistryRoot()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
    }
    ~RegistryRoot()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }
    HKEY Get() const { return m_hKey; }

private:
    static constexpr const wchar_t* kKey = L"Software\\PelmoTests\\TaskPanelGroup";
    HKEY m_hKey = nullptr;
};

TEST(TaskPanelGroupInRegistry, RoundTripAndACountBeyondTheSections)
{
    RegistryRoot root;
    Group sample;
    FillSample(sample);
    {
        CKitPropExchangeRegistry px(FALSE, root.Get(), L"Group");
        ASSERT_TRUE(StoreGroupTo(sample, &px));
    }
    {
        CKitPropExchangeRegistry px(TRUE, root.Get(), L"Group");
        Group loaded;
        EXPECT_EQ(LoadGroupFrom(&loaded, &px), PanelLoadError::None);
        ExpectSameGroup(loaded, sample, 3);
        EXPECT_EQ(LoadGroupFrom(nullptr, &px), PanelLoadError::NoPanel);
        EXPECT_FALSE(StoreGroupTo(sample, &px));  // a loading exchange stores nothing
    }
    const DWORD count = 9;
    ASSERT_EQ(::RegSetKeyValueW(root.Get(), L"Group\\Items", L"Count", REG_DWORD, &count, sizeof(count)),
              ERROR_SUCCESS);
    CKitPropExchangeRegistry px(TRUE, root.Get(), L"Group");
    Group loaded;
    EXPECT_EQ(LoadGroupFrom(&loaded, &px), PanelLoadError::CountBeyondData);
    ExpectSameGroup(loaded, sample, 3);
}

}  // namespace
