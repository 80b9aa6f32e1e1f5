// The value rules of the property exchange that need no window: the type codes,
// blobs as letter pairs, rectangles and sizes as text, and how each type is kept
// as a registry value or in an archive stream. The exchange classes call these
// with the registry or the CArchive behind small interfaces, so the rules are
// tested natively against stores in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ArchiveStream.h"

namespace kit {

enum PropType : uint16_t
{
    kPropShort = 2,
    kPropLong = 3,
    kPropFloat = 4,
    kPropDouble = 5,
    kPropCurrency = 6,
    kPropDate = 7,
    kPropBstr = 8,
    kPropBool = 11,
    kPropVariant = 12,
    kPropByte = 17,
    kPropString = 30,
    kPropRect = 100,
    kPropSize = 101,
};

// Bytes that a value of the type occupies when copied or compared; 0 for the
// types that are not plain bytes (BSTR, CString).
size_t PropValueSize(uint16_t type);

// Registry value kinds, as the platform numbers them.
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

// Each byte as two letters, 'A' + low nibble then 'A' + high nibble.
std::u16string EncodeLetterPairs(std::span<const uint8_t> bytes);
// The bytes back; nothing for an odd length or a character outside 'A'..'P'.
std::optional<std::vector<uint8_t>> DecodeLetterPairs(std::u16string_view text);

// `count` integers read as by the format "%i, %i, ..." (each %i may carry a sign
// and a 0x or 0 prefix; the blank matches any white space, also none). Fails
// unless all `count` numbers are there.
bool ParseIntegerList(std::u16string_view text, int count, int32_t* out);
std::u16string FormatIntegerList(const int32_t* values, int count);

struct RegistryValue
{
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
};

// The named values of one registry key.
class RegistryValueStore
{
public:
    virtual ~RegistryValueStore() = default;
    virtual std::optional<RegistryValue> Query(const std::u16string& name) = 0;
    virtual bool Set(const std::u16string& name, uint32_t type, std::span<const uint8_t> bytes) = 0;
    virtual bool Remove(const std::u16string& name) = 0;
};

// The text of a string value: REG_SZ or REG_EXPAND_SZ, up to its first zero.
std::optional<std::u16string> RegistryText(const RegistryValue& value);

// Flags of the exchange that the value rules depend on.
struct ExchangeFlags
{
    bool loading = false;
    bool useDefaultOnLoad = true;
    bool useDefaultOnStore = true;
    bool sectionEmptied = false;
};

// Exchanges one value with a registry key. `value` points to the value's bytes
// (PropValueSize of the type), or to a std::u16string for kPropString; `fallback`
// to a value of the same kind, or to a null-terminated char16_t text for
// kPropString, or is null. Loading reads the value only from a value of the right
// kind and size; anything else takes the default. Storing a value equal to its
// default removes the registry value. False for the types the registry does not
// keep (currency, date, BSTR, VARIANT) and when there is no default to fall back to.
// A null store is a key that could not be opened: loading takes the default,
// storing fails.
bool ExchangeRegistryValue(RegistryValueStore* store, const ExchangeFlags& flags, const std::u16string& name,
                           uint16_t type, void* value, const void* fallback);

// Hands bytes to a caller's buffer: `*buffer` null allocates one with malloc (the
// caller frees it) and sets `*size`; otherwise `*size` must hold all the bytes.
bool DeliverBytes(std::span<const uint8_t> bytes, uint8_t** buffer, uint32_t* size);

// A REG_BINARY value, delivered as DeliverBytes does.
bool LoadRegistryBinary(RegistryValueStore& store, const std::u16string& name, uint8_t** buffer, uint32_t* size);

// Exchanges one value with an archive stream in call order; names and defaults do
// not take part. Strings are std::u16string. BSTR and the codes this stream does
// not know are neither written nor read (false); dates and VARIANTs are the
// framework's and handled by the caller.
bool ExchangeArchiveValue(ArchiveReader* reader, ArchiveWriter* writer, uint16_t type, void* value);

// A count and the bytes after it. Loading allocates as LoadRegistryBinary does.
void StoreArchiveBinary(ArchiveWriter& writer, const uint8_t* bytes, uint32_t size);
bool LoadArchiveBinary(ArchiveReader& reader, uint8_t** buffer, uint32_t* size);

} // namespace kit
