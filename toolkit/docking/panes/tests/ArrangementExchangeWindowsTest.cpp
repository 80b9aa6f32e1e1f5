// The stored arrangement through the property exchange under Wine: in the
// registry (read back by a second process, which must lay the panes out in
// the same rectangles), in an archive, and damaged registry values that give
// the view-only arrangement.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ArrangementExchange.h"
#include "CKitPropExchangeArchive.h"
#include "CKitPropExchangeRegistry.h"
#include "SampleArrangement.h"
#include "SecondProcess.h"
#include "core/ArrangementLayout.h"

using namespace kit;
using namespace kit::docking;

namespace {

// Each test keeps its arrangement under a key of its own, so that tests run
// side by side in one Wine prefix do not meet.
std::wstring TestKey(const wchar_t* name)
{
    return std::wstring(L"Software\\PelmoTests\\DockingArrangement\\") + name;
}
constexpr KitRect kFrame{0, 0, 800, 600};
constexpr int kGap = 4;

// The rectangles of every node and the view, one line of text.
std::string DescribeLayout(StoredArrangement arrangement)
{
    const ArrangementPlacement placement = LayoutArrangement(arrangement, kFrame, kGap);
    std::string text;
    char part[64];
    for (const KitRect& r : placement.rects)
    {
        std::snprintf(part, sizeof(part), "(%d,%d,%d,%d)", r.left, r.top, r.right, r.bottom);
        text += part;
    }
    std::snprintf(part, sizeof(part), "view(%d,%d,%d,%d)", placement.view.left, placement.view.top,
                  placement.view.right, placement.view.bottom);
    return text + part;
}

// The arrangement after the user dragged the left bar and the bottom bar.
StoredArrangement ResizedSample()
{
    StoredArrangement a = SampleArrangement();
    ArrangementPlacement placement = LayoutArrangement(a, kFrame, kGap);
    DropBar(a, placement, placement.bars[0], 260, kGap, false);
    placement = LayoutArrangement(a, kFrame, kGap);
    DropBar(a, placement, placement.bars[1], 380, kGap, false);
    return a;
}

class RegistryRoot
{
public:
    explicit RegistryRoot(std::wstring key) : m_key(std::move(key))
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey,
                          nullptr);
    }
    ~RegistryRoot()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
    }
    HKEY Get() const { return m_hKey; }
    const std::wstring& Key() const { return m_key; }

private:
    std::wstring m_key;
    HKEY m_hKey = nullptr;
};

// Runs this program again to load the arrangement and report its layout.
std::string LayoutInSecondProcess(const std::wstring& key)
{
    wchar_t output[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, output);
    const std::wstring report = std::wstring(output) + L"pelmo-arrangement-report.txt";
    const std::string text = RunSelfForReport(L"--report-layout \"" + key + L"\"", report);
    ::DeleteFileW(report.c_str());
    return text;
}

int ReportLayout(const wchar_t* key, const wchar_t* reportPath)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 2;
    std::string text;
    {
        CKitPropExchangeRegistry px(TRUE, hKey, L"Layout");
        ArrangementError error = ArrangementError::None;
        text = DescribeLayout(LoadArrangementFrom(&px, &error));
        if (error != ArrangementError::None)
            text = std::string("refused: ") + ArrangementErrorName(error);
    }
    ::RegCloseKey(hKey);
    return WriteReport(reportPath, text) ? 0 : 3;
}

TEST(ArrangementInRegistry, SecondProcessLaysOutTheSameRectangles)
{
    RegistryRoot root(TestKey(L"SecondProcess"));
    const StoredArrangement resized = ResizedSample();
    {
        CKitPropExchangeRegistry px(FALSE, root.Get(), L"Layout");
        ASSERT_EQ(StoreArrangementTo(resized, &px), ArrangementError::None);
    }
    const std::string expected = DescribeLayout(resized);
    EXPECT_NE(expected, DescribeLayout(SampleArrangement())) << "the drags changed the layout";
    EXPECT_EQ(LayoutInSecondProcess(root.Key()), expected);
}

TEST(ArrangementInRegistry, DamagedValuesGiveTheViewAlone)
{
    struct Damage
    {
        const wchar_t* subKey;
        const wchar_t* name;
        DWORD value;
        ArrangementError expected;
    } const cases[] = {
        {L"Layout\\Pane-5", L"Pane-1", 99, ArrangementError::ChildMissing},
        {L"Layout\\Pane-4", L"Pane-2", 2, ArrangementError::Cycle},
        {L"Layout\\Pane-9", L"Direction", 7, ArrangementError::BadDirection},
        {L"Layout\\Summary", L"Client", 2, ArrangementError::BadClient},
    };
    for (const Damage& damage : cases)
    {
        RegistryRoot root(TestKey(L"Damaged"));
        {
            CKitPropExchangeRegistry px(FALSE, root.Get(), L"Layout");
            ASSERT_EQ(StoreArrangementTo(SampleArrangement(), &px), ArrangementError::None);
        }
        ASSERT_EQ(::RegSetKeyValueW(root.Get(), damage.subKey, damage.name, REG_DWORD, &damage.value, sizeof(DWORD)),
                  ERROR_SUCCESS);
        CKitPropExchangeRegistry px(TRUE, root.Get(), L"Layout");
        ArrangementError error = ArrangementError::None;
        EXPECT_EQ(LoadArrangementFrom(&px, &error), DefaultArrangement()) << damage.name;
        EXPECT_EQ(error, damage.expected) << ArrangementErrorName(error);
    }
}

TEST(ArrangementInArchive, RoundTripInOneStream)
{
    const StoredArrangement resized = ResizedSample();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        ASSERT_EQ(StoreArrangementTo(resized, &px), ArrangementError::None);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    ArrangementError error = ArrangementError::MissingSummary;
    EXPECT_EQ(LoadArrangementFrom(&px, &error), resized);
    EXPECT_EQ(error, ArrangementError::None) << ArrangementErrorName(error);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--report-layout")
        return ReportLayout(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
