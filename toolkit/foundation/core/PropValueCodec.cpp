#include "PropValueCodec.h"

#include <cstdlib>
#include <cstring>

namespace kit {
namespace {

bool IsSpace(char16_t ch)
{
    return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

// One number as %i reads it: white space, a sign, then hexadecimal after 0x,
// octal after 0, decimal otherwise. Numbers beyond 32 bits are refused.
bool ParseOneInteger(std::u16string_view text, size_t& pos, int32_t& out)
{
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
    unsigned base = 10;
    if (pos < text.size() && text[pos] == u'0')
    {
        base = 8;
        if (pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'X'))
        {
            base = 16;
            pos += 2;
        }
    }
    auto digit = [base](char16_t ch) -> int {
        int d = -1;
        if (ch >= u'0' && ch <= u'9')
            d = ch - u'0';
        else if (ch >= u'a' && ch <= u'f')
            d = ch - u'a' + 10;
        else if (ch >= u'A' && ch <= u'F')
            d = ch - u'A' + 10;
        return d >= 0 && static_cast<unsigned>(d) < base ? d : -1;
    };
    uint64_t magnitude = 0;
    size_t digits = 0;
    for (int d; pos < text.size() && (d = digit(text[pos])) >= 0; ++pos, ++digits)
    {
        magnitude = magnitude * base + static_cast<unsigned>(d);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (digits == 0) return false;
    if (negative && magnitude > 0x80000000ull) return false;
    const uint32_t bits = static_cast<uint32_t>(negative ? 0u - static_cast<uint32_t>(magnitude) : magnitude);
    out = static_cast<int32_t>(bits);
    return true;
}

bool IsIntegerType(uint16_t type)
{
    return type == kPropShort || type == kPropLong || type == kPropBool || type == kPropByte;
}

// The largest value that the type holds once read back from a 32-bit registry value.
uint32_t IntegerLimit(uint16_t type)
{
    return type == kPropShort ? 0xFFFFu : type == kPropByte ? 0xFFu : 0xFFFFFFFFu;
}

std::vector<uint8_t> TextBytes(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (char16_t ch : text)
    {
        bytes.push_back(static_cast<uint8_t>(ch));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

int IntegerCount(uint16_t type)
{
    return type == kPropRect ? 4 : 2;
}

bool EqualsDefault(uint16_t type, const void* value, const void* fallback)
{
    if (fallback == nullptr) return false;
    if (value == fallback) return true;
    if (type == kPropString)
        return *static_cast<const std::u16string*>(value) == static_cast<const char16_t*>(fallback);
    const size_t size = PropValueSize(type);
    return size != 0 && type != kPropVariant && std::memcmp(value, fallback, size) == 0;
}

bool CopyDefault(uint16_t type, void* value, const void* fallback)
{
    if (fallback == nullptr) return false;
    if (type == kPropString)
    {
        *static_cast<std::u16string*>(value) = static_cast<const char16_t*>(fallback);
        return true;
    }
    const size_t size = PropValueSize(type);
    if (size == 0 || type == kPropVariant) return false; // framework objects: not copied byte-wise
    std::memmove(value, fallback, size);
    return true;
}

bool LoadRegistryValue(RegistryValueStore& store, const std::u16string& name, uint16_t type, void* value,
                       const void* fallback)
{
    const std::optional<RegistryValue> stored = store.Query(name);
    if (IsIntegerType(type))
    {
        if (stored && stored->type == kRegDword && stored->bytes.size() == 4)
        {
            uint32_t number = 0;
            std::memcpy(&number, stored->bytes.data(), 4);
            if (number <= IntegerLimit(type))
            {
                std::memcpy(value, &number, PropValueSize(type));
                return true;
            }
        }
        return CopyDefault(type, value, fallback);
    }
    if (type == kPropString || type == kPropRect || type == kPropSize)
    {
        const std::optional<std::u16string> text = stored ? RegistryText(*stored) : std::nullopt;
        if (text && type == kPropString)
        {
            *static_cast<std::u16string*>(value) = *text;
            return true;
        }
        int32_t numbers[4] = {};
        if (text && ParseIntegerList(*text, IntegerCount(type), numbers))
        {
            std::memcpy(value, numbers, PropValueSize(type));
            return true;
        }
        return CopyDefault(type, value, fallback);
    }
    if (type == kPropFloat || type == kPropDouble)
    {
        if (stored && stored->type == kRegBinary && stored->bytes.size() == PropValueSize(type))
        {
            std::memcpy(value, stored->bytes.data(), stored->bytes.size());
            return true;
        }
        return CopyDefault(type, value, fallback);
    }
    return false;
}

bool StoreRegistryValue(RegistryValueStore& store, const std::u16string& name, uint16_t type, const void* value)
{
    if (IsIntegerType(type))
    {
        uint32_t number = 0; // shorter types zero-extended
        std::memcpy(&number, value, PropValueSize(type));
        uint8_t bytes[4];
        std::memcpy(bytes, &number, 4);
        return store.Set(name, kRegDword, bytes);
    }
    if (type == kPropFloat || type == kPropDouble)
    {
        return store.Set(name, kRegBinary, {static_cast<const uint8_t*>(value), PropValueSize(type)});
    }
    if (type == kPropString) return store.Set(name, kRegSz, TextBytes(*static_cast<const std::u16string*>(value)));
    if (type == kPropRect || type == kPropSize)
    {
        int32_t numbers[4] = {};
        std::memcpy(numbers, value, PropValueSize(type));
        return store.Set(name, kRegSz, TextBytes(FormatIntegerList(numbers, IntegerCount(type))));
    }
    return false;
}

} // namespace

size_t PropValueSize(uint16_t type)
{
    switch (type)
    {
    case kPropByte: return 1;
    case kPropShort: return 2;
    case kPropLong:
    case kPropFloat:
    case kPropBool: return 4;
    case kPropDouble:
    case kPropCurrency:
    case kPropSize: return 8;
    case kPropDate: return 12;
    case kPropVariant:
    case kPropRect: return 16;
    default: return 0;
    }
}

std::u16string EncodeLetterPairs(std::span<const uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes)
    {
        text.push_back(static_cast<char16_t>(u'A' + (byte & 0x0F)));
        text.push_back(static_cast<char16_t>(u'A' + (byte >> 4)));
    }
    return text;
}

std::optional<std::vector<uint8_t>> DecodeLetterPairs(std::u16string_view text)
{
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        const char16_t low = text[2 * i], high = text[2 * i + 1];
        if (low < u'A' || low > u'P' || high < u'A' || high > u'P') return std::nullopt;
        bytes[i] = static_cast<uint8_t>((low - u'A') | ((high - u'A') << 4));
    }
    return bytes;
}

bool ParseIntegerList(std::u16string_view text, int count, int32_t* out)
{
    size_t pos = 0;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
        {
            if (pos >= text.size() || text[pos] != u',') return false;
            ++pos;
        }
        if (!ParseOneInteger(text, pos, out[i])) return false;
    }
    return true;
}

std::u16string FormatIntegerList(const int32_t* values, int count)
{
    std::u16string text;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0) text += u", ";
        const std::string number = std::to_string(values[i]);
        text.append(number.begin(), number.end());
    }
    return text;
}

std::optional<std::u16string> RegistryText(const RegistryValue& value)
{
    if (value.type != kRegSz && value.type != kRegExpandSz) return std::nullopt;
    std::u16string text;
    for (size_t i = 0; i + 1 < value.bytes.size(); i += 2)
    {
        const char16_t ch = static_cast<char16_t>(value.bytes[i] | (value.bytes[i + 1] << 8));
        if (ch == 0) break;
        text.push_back(ch);
    }
    return text;
}

bool ExchangeRegistryValue(RegistryValueStore* store, const ExchangeFlags& flags, const std::u16string& name,
                           uint16_t type, void* value, const void* fallback)
{
    if (flags.loading)
    {
        if (!flags.useDefaultOnLoad) fallback = nullptr;
        return store != nullptr ? LoadRegistryValue(*store, name, type, value, fallback)
                                : CopyDefault(type, value, fallback);
    }
    if (store == nullptr) return false;
    if (flags.useDefaultOnStore && EqualsDefault(type, value, fallback))
    {
        if (!flags.sectionEmptied) store->Remove(name);
        return true;
    }
    return StoreRegistryValue(*store, name, type, value);
}

bool DeliverBytes(std::span<const uint8_t> bytes, uint8_t** buffer, uint32_t* size)
{
    if (bytes.size() > 0xFFFFFFFFu) return false;
    const auto length = static_cast<uint32_t>(bytes.size());
    if (*buffer == nullptr)
    {
        *buffer = static_cast<uint8_t*>(std::malloc(length == 0 ? 1 : length));
        if (*buffer == nullptr) return false;
    }
    else if (*size < length)
    {
        return false;
    }
    if (length != 0) std::memcpy(*buffer, bytes.data(), length);
    *size = length;
    return true;
}

bool LoadRegistryBinary(RegistryValueStore& store, const std::u16string& name, uint8_t** buffer, uint32_t* size)
{
    const std::optional<RegistryValue> stored = store.Query(name);
    return stored && stored->type == kRegBinary && DeliverBytes(stored->bytes, buffer, size);
}

bool ExchangeArchiveValue(ArchiveReader* reader, ArchiveWriter* writer, uint16_t type, void* value)
{
    if (type == kPropString)
    {
        auto& text = *static_cast<std::u16string*>(value);
        if (reader != nullptr)
            text = reader->ReadString();
        else
            writer->WriteString(text);
        return true;
    }
    const size_t size = PropValueSize(type);
    if (size == 0 || type == kPropDate || type == kPropVariant) return false;
    // Numbers, RECT and SIZE are their little-endian bytes, as the host holds them.
    if (reader != nullptr)
        reader->ReadExact(value, size);
    else
        writer->Write(value, size);
    return true;
}

void StoreArchiveBinary(ArchiveWriter& writer, const uint8_t* bytes, uint32_t size)
{
    writer.WriteCount(size);
    if (size != 0) writer.Write(bytes, size);
}

bool LoadArchiveBinary(ArchiveReader& reader, uint8_t** buffer, uint32_t* size)
{
    const uint32_t length = reader.ReadCount();
    reader.Require(length);
    bool allocated = false;
    if (*buffer == nullptr)
    {
        *buffer = static_cast<uint8_t*>(std::malloc(length == 0 ? 1 : length));
        if (*buffer == nullptr) return false;
        allocated = true;
        *size = length;
    }
    else if (*size < length)
    {
        return false;
    }
    try
    {
        if (length != 0) reader.ReadExact(*buffer, length);
    }
    catch (...)
    {
        if (allocated)
        {
            std::free(*buffer);
            *buffer = nullptr;
        }
        throw;
    }
    *size = length;
    return true;
}

} // namespace kit
