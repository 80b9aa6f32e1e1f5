// Command icons, icon sets and the icon store on real GDI pictures: derived
// images, scaling, the stored form, filling from bitmaps and toolbar resources,
// the clipboard and the persistent settings.
#include <gtest/gtest.h>

#include "AlphaBitmaps.h"
#include "CCommandIconStore.h"
#include "CKitPropExchangeRegistry.h"
#include "IconTestPictures.h"
#include "resources/IconTestResources.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// An icon owned by the test.
class CTestIcon
{
public:
    CTestIcon(int w, int h, COLORREF clr, BYTE alpha = 0) : m_hIcon(MakeTestIcon(w, h, clr, alpha)) {}
    ~CTestIcon() { ::DestroyIcon(m_hIcon); }
    CIconImage Image() const { return CIconImage(m_hIcon); }
    HICON m_hIcon;
};

BOOL IconIsAlive(HICON hIcon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return FALSE;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return TRUE;
}

// The blue, green, red, alpha of the first pixel.
std::vector<BYTE> FirstPixel(const std::vector<BYTE>& pixels)
{
    return pixels.size() < 4 ? std::vector<BYTE>() : std::vector<BYTE>(pixels.begin(), pixels.begin() + 4);
}

}  // namespace

TEST(IconImage, CopiesReferToTheHandlesAndNeverDeleteThemTwice)
{
    CIconImage owner;
    owner.SetIcon(MakeTestIcon(16, 16, kRed));
    HICON hIcon = owner.GetIcon();
    {
        CIconImage copy(owner);
        CIconImage assigned;
        assigned.SetIcon(MakeTestIcon(8, 8, kBlue));  // owned, released by the assignment
        assigned = owner;
        EXPECT_FALSE(copy.IsOwner());
        EXPECT_FALSE(assigned.IsOwner());
        EXPECT_EQ(assigned.GetIcon(), hIcon);
    }
    EXPECT_TRUE(IconIsAlive(hIcon));
    CIconImage deep;
    deep.CopyFrom(owner);
    EXPECT_NE(deep.GetIcon(), hIcon);
    owner.Clear();
    EXPECT_TRUE(IconIsAlive(deep.GetIcon()));
    EXPECT_EQ(deep.GetExtent().cx, 16);
}

TEST(CommandIcon, StateImagesFallBackAndDerivedImagesFollowChanges)
{
    CTestIcon red(16, 16, kRed), blue(16, 16, kBlue);
    CCommandIcon icon(1, 16, 15, static_cast<CCommandIconSet*>(nullptr));
    ASSERT_TRUE(icon.SetImage(red.Image()));
    EXPECT_EQ(icon.GetHeight(), 16);
    EXPECT_EQ(&icon.GetPressedImage(), &icon.GetImage());
    HICON hShadow = icon.GetShadowImage().GetIcon();
    ASSERT_NE(hShadow, nullptr);
    EXPECT_FALSE(icon.GetFadedImage().IsEmpty());
    icon.SetHotImage(blue.Image());
    EXPECT_EQ(&icon.GetPressedImage(), &icon.GetHotImage());
    EXPECT_NE(&icon.GetHotImage(), &icon.GetImage());
    EXPECT_TRUE(icon.GetFadedImage().GetIcon() != nullptr);
    EXPECT_NE(icon.GetShadowImage().GetIcon(), nullptr);

    // Grey disabled form of pure red: √0.299 × 255 in all three channels.
    ASSERT_FALSE(icon.HasDisabledImage());
    const std::vector<BYTE> grey = FirstPixel(ReadIconPixels(icon.GetDisabledImage(TRUE).GetIcon()));
    EXPECT_EQ(grey, (std::vector<BYTE>{139, 139, 139, 0}));
    EXPECT_TRUE(icon.HasDisabledImage());
    // Faded: each colour channel lightened by 0.3 towards white.
    const std::vector<BYTE> faded = FirstPixel(ReadIconPixels(icon.GetFadedImage().GetIcon()));
    EXPECT_EQ(faded, (std::vector<BYTE>{76, 76, 255, 0}));
}

TEST(CommandIcon, DerivedImagesOfAlphaPicturesKeepTheirAlpha)
{
    // A 32-bit icon with half-transparent pixels: the faded image must not lose its alpha.
    CTestIcon translucent(16, 16, RGB(0, 100, 200), 128);
    CCommandIcon icon(1, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    icon.SetImage(translucent.Image());
    const std::vector<BYTE> faded = FirstPixel(ReadIconPixels(icon.GetFadedImage().GetIcon()));
    ASSERT_EQ(faded.size(), 4u);
    EXPECT_EQ(faded[3], 128);
    EXPECT_EQ(faded[0], static_cast<BYTE>(0.7 * 200 + 76.5));

    HBITMAP hAlpha = MakeTestAlphaBitmap(16, 16, RGB(255, 128, 0), 128);
    CCommandIcon alpha(2, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    alpha.SetImage(CIconImage(hAlpha));
    ::DeleteObject(hAlpha);
    ASSERT_TRUE(alpha.IsAlpha());
    EXPECT_EQ(FirstPixel(ReadPixels(alpha.GetFadedImage().GetBitmap())),
              (std::vector<BYTE>{76, 166, 255, 128}));
    ASSERT_TRUE(alpha.GetImage().PrepareAlphaCache());
    EXPECT_EQ(FirstPixel(ReadPixels(alpha.GetImage().GetPremultipliedBitmap())),
              (std::vector<BYTE>{0, 64, 128, 128}));
    EXPECT_EQ(alpha.CreateScaledCopy(24), nullptr);  // alpha pictures are never scaled
}

TEST(CommandIcon, ScaledCopyKeepsProportionsAndIsNotFiledAnywhere)
{
    CTestIcon red(16, 16, kRed), blue(16, 16, kBlue);
    CCommandIcon icon(7, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    icon.SetImage(red.Image());
    icon.SetHotImage(blue.Image());
    CCommandIcon* pCopy = icon.CreateScaledCopy(24);
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetID(), 7u);
    EXPECT_EQ(pCopy->GetExtent().cx, 24);
    EXPECT_EQ(pCopy->GetExtent().cy, 24);
    EXPECT_EQ(pCopy->GetHotImage().GetExtent().cx, 24);
    pCopy->InternalRelease();
}

TEST(CommandIconStore, NearestWidthsAreScaledOnceAndDroppedWhenTheSetChanges)
{
    CCommandIconStore store;
    CTestIcon small(16, 16, kRed), large(32, 32, kBlue);
    ASSERT_TRUE(store.SetIcon(large.Image(), 50, 0, 0));
    ASSERT_TRUE(store.SetIcon(small.Image(), 50, 0, 0));
    CCommandIcon* p24 = store.GetIcon(50, 24);
    ASSERT_NE(p24, nullptr);
    EXPECT_TRUE(p24->IsScaled());
    EXPECT_EQ(p24->GetExtent().cx, 24);
    EXPECT_EQ(FirstPixel(ReadIconPixels(p24->GetImage().GetIcon()))[2], 255);  // made from the red 16
    EXPECT_EQ(store.GetIcon(50, 24), p24);
    // A copy made from a scaled copy leaves the first one alive and filed.
    CCommandIcon* p26 = store.GetIcon(50, 26);
    ASSERT_NE(p26, nullptr);
    EXPECT_EQ(store.GetIcon(50, 24), p24);
    EXPECT_EQ(store.GetIcon(50, 0)->GetWidth(), 16);

    // A new normal image drops the scaled copies.
    store.FindIconSet(50)->GetIcon(16, FALSE)->SetImage(small.Image());
    EXPECT_EQ(store.FindIconSet(50)->GetIcon(24, FALSE), nullptr);
    EXPECT_EQ(store.FindIconSet(50)->GetCount(), 2u);

    // A hot picture alone makes no set.
    EXPECT_FALSE(store.SetIcon(small.Image(), 51, 16, 16, kIconHot));
    EXPECT_EQ(store.FindIconSet(51), nullptr);
}

TEST(CommandIconStore, ToolbarAndBitmapResourcesSkipSeparators)
{
    CCommandIconStore store;
    ASSERT_TRUE(store.LoadToolBar(IDB_TEST_TOOLBAR));
    EXPECT_EQ(store.GetSetCount(), 6u);
    for (UINT nID : {100u, 101u, 102u, 103u, 104u, 105u})
    {
        CCommandIcon* pIcon = store.GetIcon(nID, 16);
        ASSERT_NE(pIcon, nullptr) << nID;
        EXPECT_FALSE(pIcon->IsScaled());
        EXPECT_EQ(pIcon->GetExtent().cx, 16);
    }
    EXPECT_EQ(store.FindIconSet(0), nullptr);

    CCommandIconStore byIds;
    const UINT ids[8] = {100, 101, 0, 102, 103, 0, 104, 105};
    ASSERT_TRUE(byIds.SetIconsFromBitmap(IDB_TEST_TOOLBAR, ids, 8, 16, 15));
    EXPECT_EQ(byIds.GetSetCount(), 6u);
    // The third picture (blue square) went to id 102, not to the separator.
    const std::vector<BYTE> pixels = ReadIconPixels(byIds.GetIcon(102, 16)->GetImage().GetIcon());
    const size_t centre = (7 * 16 + 8) * 4;
    ASSERT_GT(pixels.size(), centre + 2);
    EXPECT_EQ(pixels[centre], 200);  // blue byte

    CCommandIconStore alpha;
    const UINT alphaIds[4] = {1, 2, 3, 4};
    EXPECT_FALSE(alpha.SetIconsFromBitmap(IDB_TEST_ALPHA_100, alphaIds, 4, 16, 16));
    ASSERT_TRUE(alpha.SetIconsFromBitmap(IDB_TEST_ALPHA_STRIP, alphaIds, 4, 16, 16));
    EXPECT_EQ(alpha.GetSetCount(), 4u);
    EXPECT_TRUE(alpha.GetIcon(4, 16)->IsAlpha());
    // The nearest of alpha icons comes unscaled.
    EXPECT_EQ(alpha.GetIcon(4, 32)->GetWidth(), 16);

    CIconImage image;
    ASSERT_TRUE(image.LoadIconResource(IDI_TEST_ALPHA, 16, 16, TRUE));
    EXPECT_TRUE(image.IsAlpha());
    EXPECT_EQ(image.GetExtent().cy, 16);
}

TEST(CommandIconStore, StoredFormRoundTripsEveryImage)
{
    CTestIcon red(16, 16, kRed), blue(16, 16, kBlue);
    HBITMAP hAlpha = MakeTestAlphaBitmap(16, 16, RGB(10, 20, 30), 200);
    CCommandIcon icon(9, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    icon.SetImage(red.Image());
    icon.SetHotImage(CIconImage(hAlpha));
    icon.SetPressedImage(blue.Image());
    ::DeleteObject(hAlpha);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CCommandIcon loaded(9, 16, 15, static_cast<CCommandIconSet*>(nullptr));
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.GetHeight(), 16);
    ASSERT_NE(loaded.GetImage().GetIcon(), nullptr);
    EXPECT_EQ(FirstPixel(ReadIconPixels(loaded.GetImage().GetIcon()))[2], 255);
    ASSERT_TRUE(loaded.GetHotImage().IsAlpha());
    EXPECT_EQ(FirstPixel(ReadPixels(loaded.GetHotImage().GetBitmap())), (std::vector<BYTE>{30, 20, 10, 200}));
    EXPECT_NE(loaded.GetPressedImage().GetIcon(), nullptr);
    EXPECT_TRUE(loaded.GetDisabledImage(FALSE).IsEmpty());
}

class CommandIconClipboard : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
    static void TearDownTestSuite() { ::OleUninitialize(); }

    static void PutOnClipboard(const std::vector<BYTE>& bytes)
    {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        std::memcpy(::GlobalLock(hData), bytes.data(), bytes.size());
        ::GlobalUnlock(hData);
        ::SetClipboardData(GetToolBarImageClipFormat(), hData);
        ::CloseClipboard();
    }
    static UINT Paste(CCommandIconStore& store)
    {
        COleDataObject data;
        EXPECT_TRUE(data.AttachClipboard());
        return store.PasteIconSet(&data);
    }
};

TEST_F(CommandIconClipboard, IconSetsCopyAndPasteUnderANewCustomId)
{
    CCommandIconStore store;
    CTestIcon red(16, 16, kRed), large(32, 32, kBlue);
    store.SetIcon(red.Image(), 70, 0, 0);
    store.SetIcon(large.Image(), 70, 0, 0);
    store.GetIcon(70, 24);  // a scaled copy, which is never copied
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    store.CopyIconSetToClipboard(70);
    ::CloseClipboard();

    const UINT nID = Paste(store);
    EXPECT_EQ(nID, CCommandIconStore::kFirstCustomIdBase + 1);
    CCommandIconSet* pSet = store.FindIconSet(nID);
    ASSERT_NE(pSet, nullptr);
    EXPECT_EQ(pSet->GetCount(), 2u);
    ASSERT_NE(pSet->GetIcon(32, FALSE), nullptr);
    EXPECT_EQ(pSet->GetIcon(32, FALSE)->GetExtent().cx, 32);
    EXPECT_EQ(FirstPixel(ReadIconPixels(pSet->GetIcon(16, FALSE)->GetImage().GetIcon()))[2], 255);
}

TEST_F(CommandIconClipboard, DamagedClipboardDataIsRefusedCleanly)
{
    // The UTF-16 string "CKitImageManagerIcons" as the framework archive writes it.
    std::vector<BYTE> checkSum = {0xFF, 0xFE, 0xFF, 21};
    for (wchar_t ch : std::wstring(L"CKitImageManagerIcons"))
        checkSum.insert(checkSum.end(), {static_cast<BYTE>(ch), 0});

    std::vector<BYTE> wrongCheckSum = checkSum;
    wrongCheckSum[4] = 'X';
    wrongCheckSum.insert(wrongCheckSum.end(), {0, 0});
    std::vector<BYTE> cutShort = checkSum;
    cutShort.insert(cutShort.end(), {1, 0, 16, 0, 0, 0, 16, 0});  // one icon, width 16, then a cut height
    std::vector<BYTE> hugeCount = checkSum;
    hugeCount.insert(hugeCount.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    std::vector<BYTE> hugeBitmap = checkSum;
    hugeBitmap.insert(hugeBitmap.end(), {1, 0, 16, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0, 52, 0});
    BYTE header[52] = {40, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 32, 0};  // 65536 × 65536 × 32
    hugeBitmap.insert(hugeBitmap.end(), header, header + sizeof(header));
    hugeBitmap.insert(hugeBitmap.end(), {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40});

    CCommandIconStore store;
    CTestIcon red(16, 16, kRed);
    store.SetIcon(red.Image(), 80, 0, 0);
    // A foreign check sum, a count beyond the data and no count at all: no paste.
    for (const std::vector<BYTE>* pBytes : {&wrongCheckSum, &hugeCount, &checkSum})
    {
        PutOnClipboard(*pBytes);
        EXPECT_EQ(Paste(store), 0u) << pBytes->size();
    }
    EXPECT_EQ(store.FindIconSet(CCommandIconStore::kFirstCustomIdBase + 1), nullptr);
    // Icon data cut short or claiming a picture beyond the data: the icon is
    // filed under its width without pictures, as a stored icon whose data is unreadable.
    for (const std::vector<BYTE>* pBytes : {&cutShort, &hugeBitmap})
    {
        PutOnClipboard(*pBytes);
        const UINT nID = Paste(store);
        ASSERT_NE(nID, 0u);
        CCommandIcon* pIcon = store.GetIcon(nID, 16);
        ASSERT_NE(pIcon, nullptr);
        EXPECT_TRUE(pIcon->GetImage().IsEmpty());
        EXPECT_EQ(pIcon->GetHeight(), 15);
    }
    // Every paste used its id.
    EXPECT_EQ(store.GetNextCustomId(), CCommandIconStore::kFirstCustomIdBase + 5);
    EXPECT_NE(store.FindIconSet(80), nullptr);
}

TEST(CommandIconStore, SetsPersistInTheRegistryAndMoveTheCustomIds)
{
    HKEY hRoot = nullptr;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests\\IconStore");
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests\\IconStore", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &hRoot, nullptr),
              ERROR_SUCCESS);
    CTestIcon red(16, 16, kRed), blue(24, 24, kBlue);
    {
        CCommandIconStore store;
        store.SetIcon(red.Image(), 0x10B00, 0, 0);
        store.SetIcon(blue.Image(), 0x10B00, 0, 0);
        store.SetIcon(red.Image(), 12, 0, 0);
        CKitPropExchangeRegistry px(FALSE, hRoot, L"Icons");
        store.ExchangeAll(&px);
    }
    DWORD nType = 0;
    EXPECT_EQ(::RegGetValueW(hRoot, L"Icons\\IconSet0\\Icon0", L"Data", RRF_RT_ANY, &nType, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(nType, static_cast<DWORD>(REG_BINARY));

    CCommandIconStore loaded;
    CKitPropExchangeRegistry px(TRUE, hRoot, L"Icons");
    loaded.ExchangeAll(&px);
    EXPECT_EQ(loaded.GetSetCount(), 2u);
    ASSERT_NE(loaded.FindIconSet(0x10B00), nullptr);
    EXPECT_EQ(loaded.FindIconSet(0x10B00)->GetIcon(24, FALSE)->GetExtent().cx, 24);
    EXPECT_EQ(loaded.AddCustomIcon(red.Image()), 0x10B01u);
    ::RegCloseKey(hRoot);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelmo Tests\\IconStore");
}
