// Immediate DMA reads and writes.
#include "fixture.hpp"

namespace {

using th::Array;

struct DmaRead {
  const char *name;
  th::Entry entry;
  uint32_t width_code;
  uint32_t word_bytes;
  mxClassID result_class;
};
const DmaRead kReads[] = {
    {"read8_dma", ovrix_read8_dma_main, 0, 1, mxINT8_CLASS},
    {"read16_dma", ovrix_read16_dma_main, 1, 2, mxINT16_CLASS},
    {"read32_dma", ovrix_read32_dma_main, 2, 4, mxINT32_CLASS},
};

struct DmaWrite {
  const char *name;
  th::Entry entry;
  uint32_t width_code;
};
const DmaWrite kWrites[] = {
    {"write8_dma", ovrix_write8_dma_main, 0},
    {"write16_dma", ovrix_write16_dma_main, 1},
    {"write32_dma", ovrix_write32_dma_main, 2},
};

class DmaTest : public CardTest {
 protected:
  // Checks the calls of one transfer: card information, mode word for the
  // board type, then the transfer with every argument.
  void expect_transfer(uint64_t buffer, uint32_t length, uint32_t offset, uint32_t direction,
                       uint32_t channel, uint32_t width_code, const char *what) {
    std::vector<vcard_call> j = journal();
    ASSERT_EQ(j.size(), 3u) << what;
    EXPECT_EQ(j[0].op, VCARD_OP_GET_CARD_INFO) << what;
    EXPECT_EQ(j[0].arg[0], card);
    EXPECT_EQ(j[1].op, VCARD_OP_BUILD_DMA_MODE_WORD) << what;
    ADMXRC2_CARD_INFO info;
    vcard_get_card_info(0, &info);
    const uint64_t mode_args[] = {static_cast<uint32_t>(info.BoardType), width_code, 0, 0x1C0};
    for (int a = 0; a < 4; a++) EXPECT_EQ(j[1].arg[a], mode_args[a]) << what << " mode arg " << a;
    EXPECT_EQ(j[2].op, VCARD_OP_DO_DMA_IMMEDIATE) << what;
    const uint64_t dma_args[] = {card, buffer, length, offset, direction, channel, j[1].result, 0, 0};
    for (int a = 0; a < 9; a++) EXPECT_EQ(j[2].arg[a], dma_args[a]) << what << " DMA arg " << a;
    EXPECT_NE(j[2].arg[9], 0u) << "a completion event is handed over";
  }
};

TEST_F(DmaTest, ReadsMoveTheWordsStraightIntoTheResult) {
  const std::vector<uint8_t> bytes = pattern(48, 9);
  vcard_poke(0, 0x2000, bytes.data(), 48);
  for (const DmaRead &f : kReads) {
    struct Case {
      Array channel;  // nullptr: default
      uint32_t expected;
    };
    Case cases[] = {{nullptr, 1}, {th::dbl(0), 0}, {th::dbl(1.5), 1}};
    for (Case &c : cases) {
      vcard_journal_clear();
      const double n = 48.0 / f.word_bytes;
      Array offset = th::dbl(0x2000), count = th::dbl(n);
      std::vector<const mxArray *> in{handle.get(), offset.get(), count.get()};
      if (c.channel) in.push_back(c.channel.get());
      th::Result r = th::call(f.entry, 0, in);
      ASSERT_FALSE(r.failed) << r.message;
      const mxArray *out = r.out(0);
      EXPECT_EQ(out->cls, f.result_class) << f.name;
      EXPECT_EQ(out->n, static_cast<size_t>(n));
      EXPECT_EQ(0, std::memcmp(out->re.data(), bytes.data(), 48)) << f.name;
      expect_transfer(reinterpret_cast<uintptr_t>(mxGetData(out)), 48, 0x2000, 1, c.expected,
                      f.width_code, f.name);
    }
  }
}

TEST_F(DmaTest, ElementCodesChooseTheResultOfRead32Dma) {
  struct Case {
    double code;
    mxClassID cls;
    uint32_t bytes_per_element;
  };
  const Case cases[] = {{1, mxINT8_CLASS, 1},    {-1, mxUINT8_CLASS, 1},  {2, mxINT16_CLASS, 2},
                        {-2, mxUINT16_CLASS, 2}, {4, mxINT32_CLASS, 4},   {-4, mxUINT32_CLASS, 4},
                        {8, mxDOUBLE_CLASS, 8},  {2.9, mxINT16_CLASS, 2}, {-1.5, mxUINT8_CLASS, 1},
                        {0, mxINT32_CLASS, 0},   {3, mxINT32_CLASS, 3}};
  const std::vector<uint8_t> bytes = pattern(40, 5);
  vcard_poke(0, 0, bytes.data(), 40);
  for (const Case &c : cases) {
    vcard_journal_clear();
    th::Result r = th::call(ovrix_read32_dma_main, 1, {handle.get(), th::dbl(0).get(),
                                                       th::dbl(5).get(), th::dbl(0).get(),
                                                       th::dbl(c.code).get()});
    ASSERT_FALSE(r.failed) << c.code << ": " << r.message;
    const mxArray *out = r.out(0);
    EXPECT_EQ(out->cls, c.cls) << c.code;
    EXPECT_EQ(out->n, 5u);
    const uint32_t length = 5 * c.bytes_per_element;
    expect_transfer(reinterpret_cast<uintptr_t>(mxGetData(out)), length, 0, 1, 0, 2, "code");
    // The bytes the transfer does not reach stay zero.
    EXPECT_EQ(0, std::memcmp(out->re.data(), bytes.data(), length)) << c.code;
    for (size_t i = length; i < out->re.size(); i++) ASSERT_EQ(out->re[i], 0) << c.code;
  }
}

TEST_F(DmaTest, ElementCodesThatCouldPassTheResultAreRefused) {
  for (double code : {5.0, 6.0, 7.0, 9.0, 16.0, -3.0, -8.0, -2147483648.0}) {
    th::Result r = th::call(ovrix_read32_dma_main, 1, {handle.get(), th::dbl(0).get(),
                                                       th::dbl(4).get(), th::dbl(1).get(),
                                                       th::dbl(code).get()});
    EXPECT_EQ(r.message, "element code (input 5) must be 1, 2, 4 or 8 for int8, int16, int32 or "
                         "double, or -1, -2 or -4 for uint8, uint16 or uint32; got " +
                             std::to_string(static_cast<int>(code)));
    EXPECT_EQ(r.arrays_made, 0u);
  }
  th::Result negative = th::call(ovrix_read16_dma_main, 1, {handle.get(), th::dbl(0).get(),
                                                            th::dbl(-2).get()});
  EXPECT_EQ(negative.message,
            "element count (input 3) must be from 0 to 2147483647; got -2 as a 32-bit count");
  EXPECT_EQ(vcard_journal_count(), 0u);
}

TEST_F(DmaTest, WritesSendTheirBytesAsTheyLie) {
  Array doubles = th::row<double>(mxDOUBLE_CLASS, {1.25, -7.5, 3.0});
  Array int16s = th::row<int16_t>(mxINT16_CLASS, {1, -2, 300});
  Array int8s = th::row<int8_t>(mxINT8_CLASS, {1, -2, 3});
  Array complex = th::complex_dbl(2.5, 9.0);
  struct Case {
    th::Entry entry;
    const mxArray *data;
    uint32_t length;
    uint32_t width_code;
  };
  const Case cases[] = {
      {ovrix_write8_dma_main, doubles.get(), 3, 0},    // the first M x N bytes
      {ovrix_write16_dma_main, doubles.get(), 6, 1},
      {ovrix_write32_dma_main, doubles.get(), 24, 2},  // every byte, whatever the class
      {ovrix_write16_dma_main, int16s.get(), 6, 1},
      {ovrix_write32_dma_main, int8s.get(), 3, 2},
      {ovrix_write32_dma_main, complex.get(), 8, 2},   // the real part only
  };
  for (const Case &c : cases) {
    vcard_journal_clear();
    th::Result r = th::call(c.entry, 3, {handle.get(), th::dbl(0x300).get(), c.data});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.slot_count(), 0u);
    expect_transfer(reinterpret_cast<uintptr_t>(mxGetData(c.data)), c.length, 0x300, 0, 1,
                    c.width_code, "write");
    std::vector<uint8_t> on_card(c.length);
    vcard_peek(0, 0x300, on_card.data(), c.length);
    EXPECT_EQ(0, std::memcmp(on_card.data(), c.data->re.data(), c.length));
  }
  th::Result narrow = th::call(ovrix_write16_dma_main, 0, {handle.get(), th::dbl(0).get(), int8s.get()});
  EXPECT_EQ(narrow.message, "data array (input 3) holds 3 bytes as int8, fewer than the 6 that 3 "
                            "16-bit words need; convert it first, for example int16(x)");
}

TEST_F(DmaTest, EmptyTransfersStillCallTheLibrary) {
  for (const DmaRead &f : kReads) {
    vcard_journal_clear();
    th::Result r = th::call(f.entry, 1, {handle.get(), th::dbl(0).get(), th::dbl(0).get()});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.out(0)->n, 0u);
    EXPECT_EQ(only(VCARD_OP_DO_DMA_IMMEDIATE).arg[2], 0u);
  }
  for (const DmaWrite &f : kWrites) {
    vcard_journal_clear();
    th::Result r = th::call(f.entry, 1, {handle.get(), th::dbl(0).get(), th::empty().get()});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(only(VCARD_OP_DO_DMA_IMMEDIATE).arg[2], 0u);
  }
}

// Every failure after the event is made closes it (checked in TearDown).
TEST_F(DmaTest, FailuresReportTheLibrarysTextAndLeaveNoEventOpen) {
  Array data = th::row<uint32_t>(mxUINT32_CLASS, {1, 2});
  struct Side {
    th::Entry entry;
    const mxArray *third;
    const char *verb;
  };
  Array two = th::dbl(2);
  const Side sides[] = {{ovrix_read32_dma_main, two.get(), "read"},
                        {ovrix_write32_dma_main, data.get(), "write"}};
  for (const Side &s : sides) {
    const std::string verb = s.verb;
    vcard_journal_clear();
    vcard_inject(VCARD_OP_GET_CARD_INFO, ADMXRC2_INVALID_HANDLE, 1);
    th::Result info = th::call(s.entry, 1, {handle.get(), th::dbl(0).get(), s.third});
    EXPECT_EQ(ops(), std::vector<vcard_op>({VCARD_OP_GET_CARD_INFO, VCARD_OP_GET_STATUS_STRING}));
    EXPECT_EQ(info.message, "Failed to get card info: " + status_text(ADMXRC2_INVALID_HANDLE));

    th::Result channel = th::call(s.entry, 1, {handle.get(), th::dbl(0).get(), s.third, th::dbl(2).get()});
    EXPECT_EQ(channel.message, "Failed to " + verb + " data: " +
                                   status_text(ADMXRC2_INVALID_DMA_CHANNEL) + "\n");
    th::Result range = th::call(s.entry, 1, {handle.get(), th::dbl(-4).get(), s.third});
    EXPECT_EQ(range.message, "Failed to " + verb + " data: " +
                                 status_text(ADMXRC2_REGION_OUT_OF_RANGE) + "\n");
    EXPECT_EQ(osevent_live_count(), 0u);

    vcard_journal_clear();
    osevent_fail_next(1);
    th::Result no_event = th::call(s.entry, 1, {handle.get(), th::dbl(0).get(), s.third});
    EXPECT_EQ(no_event.message,
              "Cannot make a completion event for the DMA transfer; nothing was transferred");
    EXPECT_EQ(ops(), std::vector<vcard_op>({VCARD_OP_GET_CARD_INFO}));
  }
}

TEST_F(DmaTest, TheModeWordFollowsTheBoardType) {
  th::Result other = th::call(ovrix_init_main, 1, {th::empty().get(), th::dbl(1).get()});
  ASSERT_FALSE(other.failed);
  vcard_set_configured(1, 1);
  ADMXRC2_CARD_INFO info1;
  vcard_get_card_info(1, &info1);
  vcard_journal_clear();
  th::Result r = th::call(ovrix_write8_dma_main, 0, {other.out(0), th::dbl(0).get(),
                                                     th::row<uint8_t>(mxUINT8_CLASS, {1}).get()});
  ASSERT_FALSE(r.failed) << r.message;
  EXPECT_EQ(only(VCARD_OP_BUILD_DMA_MODE_WORD).arg[0], static_cast<uint32_t>(info1.BoardType));
}

}  // namespace
