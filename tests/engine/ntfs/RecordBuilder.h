#pragma once
// Builds small FILE records byte by byte for the parser tests: a header, then
// attributes appended in order, then the end marker and the update sequence.

#include <cstdint>
#include <string>
#include <vector>

namespace ntfstest {

class RecordBuilder {
 public:
  explicit RecordBuilder(uint8_t flags = 1, uint32_t baseRecord = 0);

  // A resident attribute holding `value`; returns its offset in the record.
  std::size_t Resident(uint32_t type, const std::vector<uint8_t>& value, const std::u16string& name = u"");
  // A non-resident attribute with the given runlist bytes.
  std::size_t NonResident(uint32_t type, const std::vector<uint8_t>& runlist, uint64_t realSize,
                          uint64_t lowestVcn = 0, const std::u16string& name = u"", uint16_t flags = 0);
  // The finished record with its sequence number in each sector's last two bytes.
  std::vector<uint8_t> Finish(uint16_t sequence = 0x0042);

 private:
  std::vector<uint8_t> bytes_;
  std::size_t next_;
};

// A $FILE_NAME value.
std::vector<uint8_t> FileNameValue(const std::u16string& name, uint8_t nameSpace, uint32_t parent,
                                   uint64_t creation = 0, uint64_t modification = 0, uint64_t change = 0);

void Put16(std::vector<uint8_t>& bytes, std::size_t at, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value);
void Put64(std::vector<uint8_t>& bytes, std::size_t at, uint64_t value);

}  // namespace ntfstest
