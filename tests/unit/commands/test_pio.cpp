// Programmed reads and writes of 8-, 16- and 32-bit words.
#include <cmath>

#include "fixture.hpp"

namespace {

using th::Array;

struct Family {
  const char *name;
  th::Entry read;
  th::Entry write;
  uint32_t width_code;
  uint32_t word_bytes;
  mxClassID signed_class;
  mxClassID unsigned_class;
};
const Family kFamilies[] = {
    {"8", ovrix_read8_main, ovrix_write8_main, 0, 1, mxINT8_CLASS, mxUINT8_CLASS},
    {"16", ovrix_read16_main, ovrix_write16_main, 1, 2, mxINT16_CLASS, mxUINT16_CLASS},
    {"32", ovrix_read32_main, ovrix_write32_main, 2, 4, mxINT32_CLASS, mxUINT32_CLASS},
};

using PioTest = CardTest;

TEST_F(PioTest, ReadOptionsChooseTheClassAndTheFlags) {
  struct Case {
    Array options;  // nullptr: three inputs
    bool is_unsigned;
    uint32_t flags;
  };
  Case cases[] = {{nullptr, false, 0},        {th::dbl(0), false, 0}, {th::dbl(1), true, 0},
                  {th::dbl(2), false, 2},     {th::dbl(3), true, 2},  {th::dbl(4), false, 0},
                  {th::dbl(1.9), true, 0},    {th::dbl(-1), true, 2}, {th::u32(3), true, 2}};
  for (const Family &f : kFamilies) {
    for (Case &c : cases) {
      vcard_journal_clear();
      Array offset = th::dbl(0x100), count = th::dbl(2.7);
      std::vector<const mxArray *> in{handle.get(), offset.get(), count.get()};
      if (c.options) in.push_back(c.options.get());
      th::Result r = th::call(f.read, 0, in);
      ASSERT_FALSE(r.failed) << r.message;
      const mxArray *out = r.out(0);
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(out->cls, c.is_unsigned ? f.unsigned_class : f.signed_class) << f.name;
      EXPECT_EQ(out->m, 1u);
      EXPECT_EQ(out->n, 2u);
      vcard_call call = only(VCARD_OP_READ);
      const uint64_t expected[] = {card, f.width_code, c.flags, 0x100,
                                   reinterpret_cast<uintptr_t>(mxGetData(out)),
                                   2 * f.word_bytes};
      for (int a = 0; a < 6; a++) EXPECT_EQ(call.arg[a], expected[a]) << f.name << " arg " << a;
    }
  }
}

TEST_F(PioTest, WriteThenReadBackEveryWidth) {
  const std::vector<uint8_t> bytes = pattern(64, 3);
  for (const Family &f : kFamilies) {
    const size_t n = bytes.size() / f.word_bytes;
    Array data = th::make(f.unsigned_class, 1, n);
    std::memcpy(data->re.data(), bytes.data(), bytes.size());
    const uint32_t offset = 0x1000 * f.word_bytes;
    th::Result w = th::call(f.write, 0, {handle.get(), th::dbl(offset).get(), data.get()});
    ASSERT_FALSE(w.failed) << w.message;
    EXPECT_EQ(w.slot_count(), 0u);
    th::Result r = th::call(f.read, 1, {handle.get(), th::dbl(offset).get(),
                                        th::dbl(static_cast<double>(n)).get(), th::dbl(1).get()});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.out(0)->re, data->re) << f.name;
    std::vector<uint8_t> on_card(bytes.size());
    vcard_peek(0, offset, on_card.data(), static_cast<uint32_t>(on_card.size()));
    EXPECT_EQ(on_card, bytes);
  }
}

TEST_F(PioTest, EmptyTransfersStillCallTheLibrary) {
  for (const Family &f : kFamilies) {
    vcard_journal_clear();
    th::Result r = th::call(f.read, 1, {handle.get(), th::dbl(0).get(), th::dbl(0).get()});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.out(0)->n, 0u);
    EXPECT_EQ(r.out(0)->m, 1u);
    EXPECT_EQ(only(VCARD_OP_READ).arg[5], 0u);
    th::Result w = th::call(f.write, 0, {handle.get(), th::dbl(0).get(), th::empty(mxUINT8_CLASS, 0, 3).get()});
    ASSERT_FALSE(w.failed) << w.message;
    EXPECT_EQ(only(VCARD_OP_WRITE).arg[5], 0u);
  }
}

TEST_F(PioTest, LibraryRefusalsComeBackWithTheStatusText) {
  for (const Family &f : kFamilies) {
    vcard_journal_clear();
    // An offset in the upper half of the 32-bit range passes intact; the card
    // has no memory there.
    th::Result r = th::call(f.read, 1, {handle.get(), th::dbl(4294967295.0).get(), th::dbl(1).get()});
    EXPECT_EQ(r.message, "Failed to read data: " + status_text(ADMXRC2_REGION_OUT_OF_RANGE) + "\n");
    EXPECT_EQ(only(VCARD_OP_READ).arg[3], 0xFFFFFFFFu);
    th::Result w = th::call(f.write, 1, {handle.get(), th::dbl(-4).get(), th::u32(7).get()});
    EXPECT_EQ(w.message, "Failed to write data: " + status_text(ADMXRC2_REGION_OUT_OF_RANGE) + "\n");
    EXPECT_EQ(only(VCARD_OP_WRITE).arg[3], 0xFFFFFFFCu);
  }
  vcard_set_configured(0, 0);
  th::Result r = th::call(ovrix_read32_main, 1, {handle.get(), th::dbl(0).get(), th::dbl(1).get()});
  EXPECT_EQ(r.message, "Failed to read data: " + status_text(ADMXRC2_FPGA_NOT_CONFIGURED) + "\n");
}

TEST_F(PioTest, CountsThatCouldPassTheResultAreRefusedBeforeTheLibrary) {
  struct Case {
    th::Entry read;
    double count;
    std::string message;
  };
  const Case cases[] = {
      {ovrix_read8_main, -1, "element count (input 3) must be from 0 to 2147483647; got -1 as a 32-bit count"},
      {ovrix_read16_main, 3e9, "element count (input 3) must be from 0 to 2147483647; got -1294967296 as a 32-bit count"},
      {ovrix_read16_main, 2147483648.0, "element count (input 3) must be from 0 to 2147483647; got -2147483648 as a 32-bit count"},
      {ovrix_read32_main, 1073741824.0, "element count (input 3) is too large: 1073741824 elements of 4 bytes pass the 4 GiB limit of one transfer"},
  };
  for (const Case &c : cases) {
    th::Result r = th::call(c.read, 1, {handle.get(), th::dbl(0).get(), th::dbl(c.count).get()});
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.arrays_made, 0u);
  }
  EXPECT_EQ(vcard_journal_count(), 0u);
}

TEST_F(PioTest, WritesSendTheStoredBytesOfTheDataArray) {
  // A 3x4 int16 array: its twelve elements, column by column.
  Array block = th::make(mxINT16_CLASS, 3, 4);
  const std::vector<uint8_t> bytes = pattern(24);
  std::memcpy(block->re.data(), bytes.data(), bytes.size());
  // A 1x2 double to a 32-bit write: the first 8 bytes of its storage.
  Array doubles = th::row<double>(mxDOUBLE_CLASS, {1.5, -2.0});
  // A double 5 to an 8-bit write: the first byte of the double, not 5.
  Array five = th::dbl(5);
  struct Case {
    th::Entry write;
    const mxArray *data;
    uint32_t length;
  };
  const Case cases[] = {{ovrix_write16_main, block.get(), 24},
                        {ovrix_write32_main, doubles.get(), 8},
                        {ovrix_write8_main, five.get(), 1}};
  for (const Case &c : cases) {
    vcard_journal_clear();
    th::Result r = th::call(c.write, 0, {handle.get(), th::dbl(0x40).get(), c.data});
    ASSERT_FALSE(r.failed) << r.message;
    vcard_call call = only(VCARD_OP_WRITE);
    EXPECT_EQ(call.arg[4], reinterpret_cast<uintptr_t>(mxGetData(c.data)));
    EXPECT_EQ(call.arg[5], c.length);
    std::vector<uint8_t> on_card(c.length);
    vcard_peek(0, 0x40, on_card.data(), c.length);
    EXPECT_EQ(0, std::memcmp(on_card.data(), c.data->re.data(), c.length));
  }
}

TEST_F(PioTest, OnlyWrite32TakesOptions) {
  struct Case {
    double options;
    uint32_t flags;
  };
  for (const Case &c : {Case{1, 0}, Case{2, 2}, Case{3, 2}}) {
    vcard_journal_clear();
    th::Result r = th::call(ovrix_write32_main, 0, {handle.get(), th::dbl(0).get(),
                                                    th::u32(9).get(), th::dbl(c.options).get()});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(only(VCARD_OP_WRITE).arg[2], c.flags);
  }
  for (th::Entry narrow : {ovrix_write8_main, ovrix_write16_main}) {
    th::Result r = th::call(narrow, 0, {handle.get(), th::dbl(0).get(), th::u32(9).get(),
                                        th::dbl(0).get()});
    EXPECT_EQ(r.message, "Incorrect number of input parameters");
  }
}

TEST_F(PioTest, DataArraysTooSmallForTheWordsAreRefused) {
  struct Case {
    th::Entry write;
    Array data;
    std::string message;
  };
  Case cases[] = {
      {ovrix_write16_main, th::row<int8_t>(mxINT8_CLASS, {1, 2, 3}),
       "data array (input 3) holds 3 bytes as int8, fewer than the 6 that 3 16-bit words need; "
       "convert it first, for example int16(x)"},
      {ovrix_write32_main, th::row<uint16_t>(mxUINT16_CLASS, {1}),
       "data array (input 3) holds 2 bytes as uint16, fewer than the 4 that 1 32-bit words need; "
       "convert it first, for example uint32(x)"},
      {ovrix_write32_main, th::str("abc"),
       "data array (input 3) holds 3 bytes as char, fewer than the 12 that 3 32-bit words need; "
       "convert it first, for example uint32(x)"},
      {ovrix_write8_main, th::sparse(4, 4, 2),
       "data array (input 3) must be a full numeric, logical or char array; got sparse 4x4 double"},
      {ovrix_write8_main, th::cell(1, 2),
       "data array (input 3) must be a full numeric, logical or char array; got 1x2 cell"},
  };
  for (Case &c : cases) {
    th::Result r = th::call(c.write, 0, {handle.get(), th::dbl(0).get(), c.data.get()});
    EXPECT_EQ(r.message, c.message);
  }
  EXPECT_EQ(vcard_journal_count(), 0u);
}

}  // namespace
