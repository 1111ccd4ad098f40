// What the fuzzer, the sanitizers and valgrind found, kept as tests: the
// commands facing a card library that misbehaves, and hosts that refuse memory.
#include <cstdint>
#include <cstring>

#include "fixture.hpp"

namespace {

using th::Array;

using RobustnessTest = CardTest;

// Fills the stack below the caller with a pattern, so that a command reading
// a record nobody wrote sees the pattern rather than whatever zeros lay there
// (valgrind's memcheck pass sees such a read in any case).
__attribute__((noinline)) void paint_stack() {
  volatile unsigned char area[16384];
  for (size_t i = 0; i < sizeof area; i++) area[i] = 0xA5;
}

// A library that reports success but leaves the record alone: the outputs
// are those of a record of zeros, never stack garbage.
TEST_F(RobustnessTest, RecordsTheLibraryLeavesUnfilledReadAsZeros) {
  struct Case {
    const char *name;
    th::Entry entry;
    vcard_op op;
    int nlhs;
  };
  const Case cases[] = {
      {"getinfo", ovrix_getinfo_main, VCARD_OP_GET_CARD_INFO, 11},
      {"getspaceinfo", ovrix_getspaceinfo_main, VCARD_OP_GET_SPACE_INFO, 5},
      {"getbankinfo", ovrix_getbankinfo_main, VCARD_OP_GET_BANK_INFO, 4},
  };
  for (const Case &c : cases) {
    ASSERT_EQ(vcard_inject(c.op, ADMXRC2_SUCCESS, 1), 0);
    paint_stack();
    th::Result r = th::call(c.entry, c.nlhs, {handle.get()});
    ASSERT_FALSE(r.failed) << c.name << ": " << r.message;
    ASSERT_EQ(r.slot_count(), static_cast<size_t>(c.nlhs)) << c.name;
    for (int k = 0; k < c.nlhs; k++) {
      const mxArray *out = r.out(k);
      if (out->cls == mxCHAR_CLASS) continue;
      for (unsigned char byte : out->re) EXPECT_EQ(byte, 0) << c.name << " output " << k + 1;
    }
    if (c.op == VCARD_OP_GET_CARD_INFO) {
      EXPECT_EQ(th::text(r.out(2)), "xrc");       // board type 0
      EXPECT_EQ(th::text(r.out(3)), "XC4085XL");  // FPGA type 0
    }
  }
}

// The same for the card record a DMA transfer reads for its mode word: the
// word is built for board type 0, which the card refuses, and the completion
// event is closed all the same.
TEST_F(RobustnessTest, DmaWithAnUnfilledCardRecordBuildsTheModeWordForBoardZero) {
  Array data = th::row<uint32_t>(mxUINT32_CLASS, {1, 2});
  struct Case {
    const char *name;
    th::Entry entry;
    const mxArray *third;
    const char *failure;
  };
  Array count = th::dbl(2);
  const Case cases[] = {
      {"read32_dma", ovrix_read32_dma_main, count.get(), "Failed to read data: "},
      {"write32_dma", ovrix_write32_dma_main, data.get(), "Failed to write data: "},
  };
  for (const Case &c : cases) {
    vcard_journal_clear();
    ASSERT_EQ(vcard_inject(VCARD_OP_GET_CARD_INFO, ADMXRC2_SUCCESS, 1), 0);
    paint_stack();
    th::Result r = th::call(c.entry, 1, {handle.get(), th::dbl(0).get(), c.third});
    EXPECT_EQ(r.message, c.failure + status_text(ADMXRC2_INVALID_DMA_MODE) + "\n") << c.name;
    EXPECT_EQ(only(VCARD_OP_BUILD_DMA_MODE_WORD).arg[0], 0u) << c.name;
    EXPECT_EQ(osevent_live_count(), 0u) << c.name;
  }
}

// A result larger than the host will make: the host's out-of-memory error
// reaches the script, and it comes before any transfer, so no completion
// event is made and nothing reaches the card.
TEST_F(RobustnessTest, ReadsTooLargeForTheHostFailBeforeAnyTransfer) {
  const th::Entry reads[] = {ovrix_read8_main,     ovrix_read16_main,     ovrix_read32_main,
                             ovrix_read8_dma_main, ovrix_read16_dma_main, ovrix_read32_dma_main};
  struct Limit {
    Limit() { th::set_allocation_limit(4096); }
    ~Limit() { th::set_allocation_limit(SIZE_MAX); }
  } limit;
  for (th::Entry read : reads) {
    vcard_journal_clear();
    th::Result r = th::call(read, 1, {handle.get(), th::dbl(0).get(), th::dbl(4097).get()});
    EXPECT_EQ(r.message, th::kOutOfMemory);
    EXPECT_EQ(r.slot_count(), 0u);
    EXPECT_TRUE(calls(VCARD_OP_READ).empty());
    EXPECT_TRUE(calls(VCARD_OP_DO_DMA_IMMEDIATE).empty());
    EXPECT_EQ(osevent_live_count(), 0u);
    // Just within the limit, the read goes ahead.
    EXPECT_FALSE(th::call(read, 1, {handle.get(), th::dbl(0).get(), th::dbl(512).get()}).failed);
  }
}

}  // namespace
