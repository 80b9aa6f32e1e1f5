#include "RecordBuilder.h"

namespace ntfstest {

void Put16(std::vector<uint8_t>& bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
  Put16(bytes, at, static_cast<uint16_t>(value));
  Put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}
void Put64(std::vector<uint8_t>& bytes, std::size_t at, uint64_t value) {
  Put32(bytes, at, static_cast<uint32_t>(value));
  Put32(bytes, at + 4, static_cast<uint32_t>(value >> 32));
}

RecordBuilder::RecordBuilder(uint8_t flags, uint32_t baseRecord) : bytes_(1024, 0), next_(56) {
  bytes_[0] = 'F', bytes_[1] = 'I', bytes_[2] = 'L', bytes_[3] = 'E';
  Put16(bytes_, 4, 48);   // update-sequence array at 48
  Put16(bytes_, 6, 3);    // sequence number + two sectors
  Put16(bytes_, 20, 56);  // first attribute
  Put16(bytes_, 22, flags);
  Put32(bytes_, 28, 1024);
  Put32(bytes_, 32, baseRecord);
}

namespace {
std::size_t Align8(std::size_t n) { return (n + 7) & ~std::size_t{7}; }
}  // namespace

std::size_t RecordBuilder::Resident(uint32_t type, const std::vector<uint8_t>& value, const std::u16string& name) {
  const std::size_t at = next_;
  const std::size_t valueOffset = Align8(24 + name.size() * 2);
  const std::size_t length = Align8(valueOffset + value.size());
  Put32(bytes_, at, type);
  Put32(bytes_, at + 4, static_cast<uint32_t>(length));
  bytes_[at + 9] = static_cast<uint8_t>(name.size());
  Put16(bytes_, at + 10, 24);
  for (std::size_t i = 0; i < name.size(); ++i) Put16(bytes_, at + 24 + i * 2, name[i]);
  Put32(bytes_, at + 16, static_cast<uint32_t>(value.size()));
  Put16(bytes_, at + 20, static_cast<uint16_t>(valueOffset));
  for (std::size_t i = 0; i < value.size(); ++i) bytes_[at + valueOffset + i] = value[i];
  next_ += length;
  return at;
}

std::size_t RecordBuilder::NonResident(uint32_t type, const std::vector<uint8_t>& runlist, uint64_t realSize,
                                       uint64_t lowestVcn, const std::u16string& name, uint16_t flags) {
  const std::size_t at = next_;
  const std::size_t runlistOffset = Align8(64 + name.size() * 2);
  const std::size_t length = Align8(runlistOffset + runlist.size() + 1);
  Put32(bytes_, at, type);
  Put32(bytes_, at + 4, static_cast<uint32_t>(length));
  bytes_[at + 8] = 1;
  bytes_[at + 9] = static_cast<uint8_t>(name.size());
  Put16(bytes_, at + 10, 64);
  Put16(bytes_, at + 12, flags);
  for (std::size_t i = 0; i < name.size(); ++i) Put16(bytes_, at + 64 + i * 2, name[i]);
  Put64(bytes_, at + 16, lowestVcn);
  Put16(bytes_, at + 32, static_cast<uint16_t>(runlistOffset));
  Put64(bytes_, at + 40, realSize);
  Put64(bytes_, at + 48, realSize);
  Put64(bytes_, at + 56, realSize);
  for (std::size_t i = 0; i < runlist.size(); ++i) bytes_[at + runlistOffset + i] = runlist[i];
  next_ += length;
  return at;
}

std::vector<uint8_t> RecordBuilder::Finish(uint16_t sequence) {
  std::vector<uint8_t> record = bytes_;
  Put32(record, next_, 0xFFFFFFFF);
  Put32(record, 24, static_cast<uint32_t>(next_ + 8));
  Put16(record, 48, sequence);
  for (int sector = 0; sector < 2; ++sector) {
    const std::size_t tail = sector * 512 + 510;
    record[50 + sector * 2] = record[tail];
    record[51 + sector * 2] = record[tail + 1];
    Put16(record, tail, sequence);
  }
  return record;
}

std::vector<uint8_t> FileNameValue(const std::u16string& name, uint8_t nameSpace, uint32_t parent,
                                   uint64_t creation, uint64_t modification, uint64_t change) {
  std::vector<uint8_t> value(66 + name.size() * 2, 0);
  Put64(value, 0, parent | (uint64_t{1} << 48));
  Put64(value, 8, creation);
  Put64(value, 16, modification);
  Put64(value, 24, change);
  value[64] = static_cast<uint8_t>(name.size());
  value[65] = nameSpace;
  for (std::size_t i = 0; i < name.size(); ++i) Put16(value, 66 + i * 2, name[i]);
  return value;
}

}  // namespace ntfstest
