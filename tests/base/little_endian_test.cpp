// The file-image helpers: the byte order every BMP and WAVE field depends on, signed fields,
// and writing over a field without touching its neighbours.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/little_endian.h"

namespace {

TEST(LittleEndian, AppendsLowByteFirstAndReadsItBack) {
  std::vector<uint8_t> v;
  base::AppendLe16(v, 0x1234);
  base::AppendLe32(v, 0xA1B2C3D4u);
  ASSERT_EQ(v, (std::vector<uint8_t>{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1}));
  EXPECT_EQ(base::ReadLe16(v.data()), 0x1234u);
  EXPECT_EQ(base::ReadLe32(v.data() + 2), 0xA1B2C3D4u);
  // Only the low bits of a wider value are written.
  base::AppendLe16(v, 0xFFFF0102u);
  EXPECT_EQ(base::ReadLe16(v.data() + 6), 0x0102u);
}

TEST(LittleEndian, SignedFieldsKeepTheirSign) {
  const uint8_t bottomUp[4] = {0x20, 0x00, 0x00, 0x00}, topDown[4] = {0xE0, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(base::ReadLeSigned32(bottomUp), 32);
  EXPECT_EQ(base::ReadLeSigned32(topDown), -32);
  const uint8_t lowest[2] = {0x00, 0x80}, minusOne[2] = {0xFF, 0xFF}, highest[2] = {0xFF, 0x7F};
  EXPECT_EQ(base::ReadLeSigned16(lowest), -32768);
  EXPECT_EQ(base::ReadLeSigned16(minusOne), -1);
  EXPECT_EQ(base::ReadLeSigned16(highest), 32767);
}

TEST(LittleEndian, PutWritesOnlyItsOwnField) {
  std::vector<uint8_t> v(8, 0xEE);
  base::PutLe32(&v[1], 0x01020304u);
  base::PutLe16(&v[5], 0xBEEF);
  EXPECT_EQ(v, (std::vector<uint8_t>{0xEE, 0x04, 0x03, 0x02, 0x01, 0xEF, 0xBE, 0xEE}));
  base::PutLe32(&v[1], static_cast<uint32_t>(-2));
  EXPECT_EQ(base::ReadLeSigned32(&v[1]), -2);
}

}  // namespace
