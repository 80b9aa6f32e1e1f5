#include "signatures/HexText.h"

#include <limits>

namespace engine {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

template <class Char>
uint32_t LeadingDecimal(std::basic_string_view<Char> text) {
  uint64_t value = 0;
  for (Char c : text) {
    if (c < Char('0') || c > Char('9')) break;
    value = value * 10 + static_cast<uint64_t>(c - Char('0'));
    if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

std::string BytesToHexText(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (uint8_t byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

std::string SwapHexBytePair(std::string_view text) {
  if (text.size() != 4) return std::string(text);
  return std::string{text[2], text[3], text[0], text[1]};
}

std::string UpperCaseAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::optional<std::vector<uint8_t>> HexTextToBytes(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigitValue(text[i]);
    const int low = HexDigitValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return bytes;
}

uint32_t LeadingDecimalValue(std::string_view text) { return LeadingDecimal(text); }
uint32_t LeadingDecimalValue(std::u16string_view text) { return LeadingDecimal(text); }

}  // namespace engine
