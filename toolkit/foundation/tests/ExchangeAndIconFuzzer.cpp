// The readers of stored settings and icons over hostile bytes: the exchange's
// archive values and blobs, registry values as they may be found (any kind, any
// size), letter-pair blobs, rectangle texts, the stored command-icon format and
// the icon picture sources. The first byte chooses the reader.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/IconArchiveFormat.h"
#include "core/IconSourceFormats.h"
#include "core/PropValueCodec.h"

namespace {

class OneValueStore : public kit::RegistryValueStore
{
public:
    explicit OneValueStore(kit::RegistryValue value) : value_(std::move(value)) {}
    std::optional<kit::RegistryValue> Query(const std::u16string&) override { return value_; }
    bool Set(const std::u16string&, uint32_t, std::span<const uint8_t>) override { return true; }
    bool Remove(const std::u16string&) override { return true; }

private:
    kit::RegistryValue value_;
};

std::u16string TextOf(std::span<const uint8_t> bytes)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

void ReadArchive(std::span<const uint8_t> bytes)
{
    kit::MemoryArchiveReader reader(bytes);
    try
    {
        const std::u16string checkSum = reader.ReadString();
        const uint32_t icons = reader.ReadCount();
        for (uint32_t i = 0; i < icons && reader.Remaining() != 0; ++i)
        {
            (void)reader.ReadI32();
            (void)kit::ReadCommandIconRecord(reader);
        }
        uint8_t* blob = nullptr;
        uint32_t size = 0;
        if (kit::LoadArchiveBinary(reader, &blob, &size))
            std::free(blob);
        int32_t rect[4];
        kit::ExchangeArchiveValue(&reader, nullptr, kit::kPropRect, rect);
    }
    catch (const kit::ArchiveFormatError&)
    {
    }
}

void ReadRegistryValue(uint8_t selector, std::span<const uint8_t> bytes)
{
    static const uint16_t kTypes[] = {kit::kPropShort, kit::kPropLong, kit::kPropFloat, kit::kPropDouble,
                                      kit::kPropBool, kit::kPropByte, kit::kPropString, kit::kPropRect,
                                      kit::kPropSize, kit::kPropCurrency};
    OneValueStore store({static_cast<uint32_t>(selector & 7), {bytes.begin(), bytes.end()}});
    const kit::ExchangeFlags loading{true, true, true, false};
    alignas(8) uint8_t value[16] = {}, fallback[16] = {};
    for (uint16_t type : kTypes)
    {
        if (type == kit::kPropString)
        {
            std::u16string text;
            kit::ExchangeRegistryValue(&store, loading, u"V", type, &text, u"default");
        }
        else
        {
            kit::ExchangeRegistryValue(&store, loading, u"V", type, value, fallback);
        }
    }
    uint8_t* blob = nullptr;
    uint32_t size = 0;
    if (kit::LoadRegistryBinary(store, u"V", &blob, &size))
        std::free(blob);
    (void)kit::DecodeLetterPairs(TextOf(bytes));
    int32_t numbers[4];
    (void)kit::ParseIntegerList(TextOf(bytes), 4, numbers);
}

void ReadIconSources(std::span<const uint8_t> bytes)
{
    (void)kit::FindAlphaIconInFile(bytes, 0);
    (void)kit::FindAlphaIconInFile(bytes, 16);
    (void)kit::DecodeAlphaIconImage(bytes);
    (void)kit::DecodeAlphaBitmapResource(bytes);
    (void)kit::ReadGroupIconDirectory(bytes);
    (void)kit::ReadToolBarResource(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 3)
    {
    case 0: ReadArchive(rest); break;
    case 1: ReadRegistryValue(data[0] >> 2, rest); break;
    default: ReadIconSources(rest); break;
    }
    return 0;
}
