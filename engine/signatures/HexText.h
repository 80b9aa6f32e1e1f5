#pragma once
// Hexadecimal and decimal texts of the signature database: signatures and fifth
// values are kept as hexadecimal text in the File Types dialog, the selected
// signatures and the File Trace snapshot.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Two lower-case hexadecimal characters per byte, high nibble first.
std::string BytesToHexText(std::span<const uint8_t> bytes);

// "c1c2c3c4" becomes "c3c4c1c2": the hexadecimal text of a little-endian 16-bit
// value in readable order. Texts of other lengths come back unchanged.
std::string SwapHexBytePair(std::string_view text);

std::string UpperCaseAscii(std::string_view text);

// The bytes of a hexadecimal text (either case); nothing when the text has an odd
// length or a character that is not a hexadecimal digit.
std::optional<std::vector<uint8_t>> HexTextToBytes(std::string_view text);

// The value of the leading decimal digits ("12AB" gives 12, "0A" 0, "" 0),
// saturated at UINT32_MAX.
uint32_t LeadingDecimalValue(std::string_view text);
uint32_t LeadingDecimalValue(std::u16string_view text);

}  // namespace engine
