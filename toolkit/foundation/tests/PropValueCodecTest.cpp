// The value rules of the property exchange over registry and archive stores in
// memory: round trips of every type, defaults, and damaged stored values.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "core/PropValueCodec.h"

using namespace kit;

namespace {

class MemoryValueStore : public RegistryValueStore
{
public:
    std::optional<RegistryValue> Query(const std::u16string& name) override
    {
        auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional<RegistryValue>(it->second);
    }
    bool Set(const std::u16string& name, uint32_t type, std::span<const uint8_t> bytes) override
    {
        values[name] = {type, {bytes.begin(), bytes.end()}};
        return true;
    }
    bool Remove(const std::u16string& name) override { return values.erase(name) != 0; }

    void SetText(const std::u16string& name, std::u16string_view text)
    {
        std::vector<uint8_t> bytes;
        for (char16_t ch : text)
        {
            bytes.push_back(static_cast<uint8_t>(ch));
            bytes.push_back(static_cast<uint8_t>(ch >> 8));
        }
        bytes.insert(bytes.end(), {0, 0});
        Set(name, kRegSz, bytes);
    }

    std::map<std::u16string, RegistryValue> values;
};

const ExchangeFlags kStoring{false, true, true, false};
const ExchangeFlags kLoading{true, true, true, false};

}  // namespace

TEST(PropValueCodec, RegistryRoundTripsEveryKeptType)
{
    MemoryValueStore store;
    int16_t shortValue = -2;
    int32_t longValue = -123456;
    float floatValue = 1.5f;
    double doubleValue = -2.25;
    int32_t boolValue = 1;
    uint8_t byteValue = 200;
    std::u16string text = u"Standard";
    int32_t rect[4] = {1, 2, 3, 4};
    int32_t size[2] = {-5, 6};
    struct Case
    {
        const char16_t* name;
        uint16_t type;
        void* value;
    } cases[] = {{u"S", kPropShort, &shortValue}, {u"L", kPropLong, &longValue}, {u"F", kPropFloat, &floatValue},
                 {u"D", kPropDouble, &doubleValue}, {u"B", kPropBool, &boolValue}, {u"Y", kPropByte, &byteValue},
                 {u"T", kPropString, &text}, {u"R", kPropRect, rect}, {u"Z", kPropSize, size}};
    for (const Case& c : cases)
        ASSERT_TRUE(ExchangeRegistryValue(&store, kStoring, c.name, c.type, c.value, nullptr)) << c.type;

    EXPECT_EQ(store.values[u"R"].type, kRegSz);
    EXPECT_EQ(RegistryText(store.values[u"R"]), u"1, 2, 3, 4");
    EXPECT_EQ(store.values[u"S"].type, kRegDword);
    EXPECT_EQ(store.values[u"S"].bytes, (std::vector<uint8_t>{0xFE, 0xFF, 0, 0}));  // zero-extended

    int16_t shortBack = 0;
    int32_t longBack = 0, boolBack = 0, rectBack[4] = {}, sizeBack[2] = {};
    float floatBack = 0;
    double doubleBack = 0;
    uint8_t byteBack = 0;
    std::u16string textBack;
    void* backs[] = {&shortBack, &longBack, &floatBack, &doubleBack, &boolBack, &byteBack, &textBack, rectBack, sizeBack};
    for (size_t i = 0; i < std::size(cases); ++i)
        ASSERT_TRUE(ExchangeRegistryValue(&store, kLoading, cases[i].name, cases[i].type, backs[i], nullptr));
    EXPECT_EQ(shortBack, -2);
    EXPECT_EQ(longBack, -123456);
    EXPECT_EQ(floatBack, 1.5f);
    EXPECT_EQ(doubleBack, -2.25);
    EXPECT_EQ(boolBack, 1);
    EXPECT_EQ(byteBack, 200);
    EXPECT_EQ(textBack, u"Standard");
    EXPECT_EQ(std::memcmp(rectBack, rect, sizeof(rect)), 0);
    EXPECT_EQ(std::memcmp(sizeBack, size, sizeof(size)), 0);
}

TEST(PropValueCodec, ValueEqualToDefaultIsRemovedAndLoadsAsDefault)
{
    MemoryValueStore store;
    int32_t value = 7, fallback = 7;
    store.values[u"Count"] = {kRegDword, {1, 0, 0, 0}};
    EXPECT_TRUE(ExchangeRegistryValue(&store, kStoring, u"Count", kPropLong, &value, &fallback));
    EXPECT_EQ(store.values.count(u"Count"), 0u);

    value = 0;
    EXPECT_TRUE(ExchangeRegistryValue(&store, kLoading, u"Count", kPropLong, &value, &fallback));
    EXPECT_EQ(value, 7);

    // Without a default a missing value leaves the variable alone and fails.
    value = 3;
    EXPECT_FALSE(ExchangeRegistryValue(&store, kLoading, u"Count", kPropLong, &value, nullptr));
    EXPECT_EQ(value, 3);

    // A value equal to its default is still written when defaults are not used on store.
    ExchangeFlags writeAll = kStoring;
    writeAll.useDefaultOnStore = false;
    value = 7;
    EXPECT_TRUE(ExchangeRegistryValue(&store, writeAll, u"Count", kPropLong, &value, &fallback));
    EXPECT_EQ(store.values.count(u"Count"), 1u);
}

TEST(PropValueCodec, KeyThatCannotBeOpenedLoadsDefaultsAndRefusesStores)
{
    int32_t value = 1;
    const int32_t fallback = 5;
    EXPECT_TRUE(ExchangeRegistryValue(nullptr, kLoading, u"Count", kPropLong, &value, &fallback));
    EXPECT_EQ(value, 5);
    EXPECT_FALSE(ExchangeRegistryValue(nullptr, kLoading, u"Count", kPropLong, &value, nullptr));
    EXPECT_FALSE(ExchangeRegistryValue(nullptr, kStoring, u"Count", kPropLong, &value, &fallback));
}

TEST(PropValueCodec, DamagedOrForeignRegistryValuesGiveTheDefault)
{
    MemoryValueStore store;
    store.values[u"Wide"] = {kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}};  // oversized
    store.values[u"Short"] = {kRegDword, {1, 0}};                    // cut short
    store.values[u"Text"] = {kRegSz, {'1', 0, 0, 0}};                // wrong kind
    store.values[u"Big"] = {kRegDword, {0x00, 0x00, 0x01, 0x00}};     // 65536 for a 16-bit value
    store.values[u"Float"] = {kRegBinary, {0, 0}};                   // shorter than a float
    const int32_t fallback = 42;
    for (const char16_t* name : {u"Wide", u"Short", u"Text", u"Missing"})
    {
        int32_t value = 0;
        EXPECT_TRUE(ExchangeRegistryValue(&store, kLoading, name, kPropLong, &value, &fallback));
        EXPECT_EQ(value, 42) << std::string(name, name + 4);
    }
    int16_t shortValue = 0, shortDefault = 9;
    EXPECT_TRUE(ExchangeRegistryValue(&store, kLoading, u"Big", kPropShort, &shortValue, &shortDefault));
    EXPECT_EQ(shortValue, 9);
    float floatValue = 0, floatDefault = 0.5f;
    EXPECT_TRUE(ExchangeRegistryValue(&store, kLoading, u"Float", kPropFloat, &floatValue, &floatDefault));
    EXPECT_EQ(floatValue, 0.5f);
}

TEST(PropValueCodec, RectAndSizeTextsParseLikeTheirFormat)
{
    struct Case
    {
        std::u16string_view text;
        int count;
        bool ok;
        int32_t first, last;
    } cases[] = {
        {u"1, 2, 3, 4", 4, true, 1, 4},  {u"10,20", 2, true, 10, 20},   {u"10,\t 20", 2, true, 10, 20},
        {u"  -3, 0x10", 2, true, -3, 16}, {u"010, 7", 2, true, 8, 7},    {u"12", 2, false, 0, 0},
        {u"1 , 2", 2, false, 0, 0},     {u"a, b", 2, false, 0, 0},     {u"1, 2, 3", 4, false, 0, 0},
        {u"99999999999, 1", 2, false, 0, 0}, {u"1, 2trailing", 2, true, 1, 2},
    };
    for (const Case& c : cases)
    {
        int32_t numbers[4] = {};
        EXPECT_EQ(ParseIntegerList(c.text, c.count, numbers), c.ok) << std::string(c.text.begin(), c.text.end());
        if (c.ok)
        {
            EXPECT_EQ(numbers[0], c.first);
            EXPECT_EQ(numbers[c.count - 1], c.last);
        }
    }
    MemoryValueStore store;
    store.SetText(u"Size", u"12");
    int32_t size[2] = {}, sizeDefault[2] = {5, 6};
    EXPECT_TRUE(ExchangeRegistryValue(&store, kLoading, u"Size", kPropSize, size, sizeDefault));
    EXPECT_EQ(size[0], 5);
    EXPECT_EQ(size[1], 6);
}

TEST(PropValueCodec, UnsupportedRegistryTypesLeaveTheValueAlone)
{
    MemoryValueStore store;
    int64_t currency = 5, currencyDefault = 9;
    store.values[u"C"] = {kRegBinary, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_FALSE(ExchangeRegistryValue(&store, kLoading, u"C", kPropCurrency, &currency, &currencyDefault));
    EXPECT_EQ(currency, 5);
    currency = 1;
    EXPECT_FALSE(ExchangeRegistryValue(&store, kStoring, u"C", kPropCurrency, &currency, nullptr));
}

TEST(PropValueCodec, LetterPairsRoundTripAndRefuseDamagedText)
{
    const std::vector<uint8_t> bytes = {0x00, 0x1F, 0xA5, 0xFF};
    const std::u16string text = EncodeLetterPairs(bytes);
    EXPECT_EQ(text, u"AAPBFKPP");  // low nibble first
    EXPECT_EQ(DecodeLetterPairs(text), bytes);
    EXPECT_EQ(DecodeLetterPairs(u""), std::vector<uint8_t>{});
    EXPECT_FALSE(DecodeLetterPairs(u"ABC"));  // odd length
    EXPECT_FALSE(DecodeLetterPairs(u"AZ"));   // not a nibble letter
}

TEST(PropValueCodec, RegistryBinaryIsSizedBeforeItIsCopied)
{
    MemoryValueStore store;
    store.values[u"Blob"] = {kRegBinary, {1, 2, 3, 4, 5}};
    store.values[u"Text"] = {kRegSz, {'A', 0, 0, 0}};
    uint8_t* allocated = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(LoadRegistryBinary(store, u"Blob", &allocated, &size));
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(allocated[4], 5);
    std::free(allocated);

    uint8_t small[4] = {};
    uint8_t* buffer = small;
    size = sizeof(small);
    EXPECT_FALSE(LoadRegistryBinary(store, u"Blob", &buffer, &size));  // caller's buffer too small
    EXPECT_FALSE(LoadRegistryBinary(store, u"Text", &buffer, &size));  // not binary
    EXPECT_FALSE(LoadRegistryBinary(store, u"Missing", &buffer, &size));
}

TEST(PropValueCodec, ArchiveValuesFollowEachOtherInCallOrder)
{
    MemoryArchiveWriter writer;
    int16_t s = 0x1234;
    int64_t currency = 0x0000000200000001LL;
    uint8_t byte = 9;
    int32_t rect[4] = {1, 2, 3, 4};
    std::u16string text = u"Hi";
    void* bstr = nullptr;
    ASSERT_TRUE(ExchangeArchiveValue(nullptr, &writer, kPropShort, &s));
    ASSERT_TRUE(ExchangeArchiveValue(nullptr, &writer, kPropCurrency, &currency));
    ASSERT_TRUE(ExchangeArchiveValue(nullptr, &writer, kPropByte, &byte));
    EXPECT_FALSE(ExchangeArchiveValue(nullptr, &writer, kPropBstr, &bstr));  // writes nothing
    ASSERT_TRUE(ExchangeArchiveValue(nullptr, &writer, kPropRect, rect));
    ASSERT_TRUE(ExchangeArchiveValue(nullptr, &writer, kPropString, &text));
    const std::vector<uint8_t>& bytes = writer.Bytes();
    ASSERT_EQ(bytes.size(), 2u + 8 + 1 + 16 + 4 + 4);
    EXPECT_EQ(bytes[0], 0x34);
    EXPECT_EQ(bytes[2], 1);  // currency: low half first
    EXPECT_EQ(bytes[6], 2);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 27, bytes.begin() + 31), (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 2}));

    MemoryArchiveReader reader(bytes);
    int16_t s2 = 0;
    int64_t currency2 = 0;
    uint8_t byte2 = 0;
    int32_t rect2[4] = {};
    std::u16string text2;
    ExchangeArchiveValue(&reader, nullptr, kPropShort, &s2);
    ExchangeArchiveValue(&reader, nullptr, kPropCurrency, &currency2);
    ExchangeArchiveValue(&reader, nullptr, kPropByte, &byte2);
    ExchangeArchiveValue(&reader, nullptr, kPropRect, rect2);
    ExchangeArchiveValue(&reader, nullptr, kPropString, &text2);
    EXPECT_EQ(s2, s);
    EXPECT_EQ(currency2, currency);
    EXPECT_EQ(byte2, 9);
    EXPECT_EQ(rect2[3], 4);
    EXPECT_EQ(text2, u"Hi");
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_THROW(ExchangeArchiveValue(&reader, nullptr, kPropLong, rect2), ArchiveFormatError);
}

TEST(PropValueCodec, ArchiveCountsStringsAndBlobsUseTheLongFormsFromTheirLimits)
{
    MemoryArchiveWriter writer;
    writer.WriteCount(0xFFFE);
    writer.WriteCount(0x10000);
    const std::u16string longText(300, u'x');
    writer.WriteString(longText);
    const std::vector<uint8_t> blob(70000, 0xAB);
    StoreArchiveBinary(writer, blob.data(), static_cast<uint32_t>(blob.size()));

    MemoryArchiveReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadCount(), 0xFFFEu);
    EXPECT_EQ(reader.ReadCount(), 0x10000u);
    EXPECT_EQ(reader.ReadString(), longText);
    uint8_t* back = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(LoadArchiveBinary(reader, &back, &size));
    EXPECT_EQ(size, blob.size());
    EXPECT_EQ(back[69999], 0xAB);
    std::free(back);
}

TEST(PropValueCodec, DamagedArchiveLengthsAreRefusedBeforeAllocating)
{
    // A blob count of 0xFFFFFFF0 over four bytes, and a string claiming 2^32-1 characters.
    const std::vector<uint8_t> blob = {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
    MemoryArchiveReader blobReader(blob);
    uint8_t* buffer = nullptr;
    uint32_t size = 0;
    EXPECT_THROW(LoadArchiveBinary(blobReader, &buffer, &size), ArchiveFormatError);
    EXPECT_EQ(buffer, nullptr);

    const std::vector<uint8_t> text = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0};
    MemoryArchiveReader textReader(text);
    EXPECT_THROW(textReader.ReadString(), ArchiveFormatError);
}
