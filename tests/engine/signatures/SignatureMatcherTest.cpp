#include <gtest/gtest.h>

#include "SignatureTestSupport.h"
#include "signatures/SignatureMatcher.h"

namespace {

using signaturetests::Signature;

std::vector<uint8_t> Sector(std::initializer_list<uint8_t> start) {
  std::vector<uint8_t> sector(512, 0x20);
  std::copy(start.begin(), start.end(), sector.begin());
  return sector;
}

TEST(SignatureMatcher, FirstSignatureInListOrderWins) {
  const std::vector<engine::SelectedSignature> list = {Signature(u".a", "4142"), Signature(u".b", "41"),
                                                       Signature(u".c", "414243"), Signature(u".d", "42")};
  const engine::SignatureMatcher matcher(list);
  struct Case {
    std::vector<uint8_t> sector;
    std::optional<std::size_t> expected;
  };
  const Case cases[] = {
      {Sector({'A', 'B', 'C'}), 0},  // matches .a, .b and .c: the first listed wins
      {Sector({'A', 'X'}), 1},
      {Sector({'B'}), 3},
      {Sector({'C'}), std::nullopt},
      {Sector({}), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(matcher.Match(c.sector), c.expected);
}

TEST(SignatureMatcher, ComparesAtMostFifteenBytesNoMoreThanTheTextHoldsAndNeverNone) {
  engine::SelectedSignature longSignature = Signature(u".long", std::string(40, 'E'));  // 20 bytes of 0xEE
  engine::SelectedSignature overstated = Signature(u".over", "FF");
  overstated.SignatureLength = 9;
  engine::SelectedSignature malformed = Signature(u".bad", "ZZ");
  engine::SelectedSignature zeroLength = Signature(u".zero", "EE");  // as a snapshot may hold it
  zeroLength.SignatureLength = 0;
  const std::vector<engine::SelectedSignature> list = {malformed, zeroLength, longSignature, overstated};
  const engine::SignatureMatcher matcher(list);
  std::vector<uint8_t> sector(512, 0);
  std::fill(sector.begin(), sector.begin() + 15, 0xEE);  // byte 15 differs from the signature
  EXPECT_EQ(matcher.Match(sector), 2u);
  EXPECT_EQ(matcher.Match(Sector({0xFF, 0x00})), 3u);
  EXPECT_EQ(matcher.Match(Sector({'Z', 'Z'})), std::nullopt);
}

}  // namespace
