// The rules every command shares: count checks, input decoding, refusals.
#include <cmath>
#include <limits>

#include "fixture.hpp"

namespace {

using th::Array;

struct CountCase {
  const char *name;
  th::Entry entry;
  std::vector<int> refused;  // input counts that must give the count message
};

const CountCase kCountCases[] = {
    {"ovrix_close", ovrix_close_main, {0, 2}},
    {"ovrix_config", ovrix_config_main, {0, 1, 3}},
    {"ovrix_setclockrate", ovrix_setclockrate_main, {0, 2, 4}},
    {"ovrix_getinfo", ovrix_getinfo_main, {0, 2}},
    {"ovrix_getspaceinfo", ovrix_getspaceinfo_main, {0, 3}},
    {"ovrix_getbankinfo", ovrix_getbankinfo_main, {0, 3}},
    {"ovrix_read8", ovrix_read8_main, {0, 2, 5}},
    {"ovrix_read16", ovrix_read16_main, {2, 5}},
    {"ovrix_read32", ovrix_read32_main, {2, 5}},
    {"ovrix_write8", ovrix_write8_main, {2, 4}},
    {"ovrix_write16", ovrix_write16_main, {2, 4}},
    {"ovrix_write32", ovrix_write32_main, {2, 5}},
    {"ovrix_read8_dma", ovrix_read8_dma_main, {2, 5}},
    {"ovrix_read16_dma", ovrix_read16_dma_main, {2, 5}},
    {"ovrix_read32_dma", ovrix_read32_dma_main, {2, 6}},
    {"ovrix_write8_dma", ovrix_write8_dma_main, {2, 5}},
    {"ovrix_write16_dma", ovrix_write16_dma_main, {2, 5}},
    {"ovrix_write32_dma", ovrix_write32_dma_main, {2, 5}},
};

using GatewayTest = CardTest;

// Every input is junk (an invalid handle, a cell): the count message still
// comes first, and nothing reaches the card library.
TEST_F(GatewayTest, WrongInputCountsAreRefusedBeforeAnythingElse) {
  Array junk = th::cell();
  for (const CountCase &c : kCountCases) {
    for (int n : c.refused) {
      std::vector<const mxArray *> inputs(n, junk.get());
      th::Result r = th::call(c.entry, 1, inputs);
      EXPECT_TRUE(r.failed) << c.name << " with " << n;
      EXPECT_EQ(r.message, "Incorrect number of input parameters") << c.name << " with " << n;
      EXPECT_EQ(r.arrays_made, 0u) << c.name;
    }
  }
  EXPECT_EQ(vcard_journal_count(), 0u);
}

// The numeric argument rule, seen where a space index reaches the library.
TEST_F(GatewayTest, NumericArgumentsDecodeToTheLow32BitsOfTheTruncatedValue) {
  const double two63 = 9223372036854775808.0;
  struct Case {
    const char *what;
    Array input;
    uint32_t expected;
  };
  Case cases[] = {
      {"3.99", th::dbl(3.99), 3},
      {"-0.5", th::dbl(-0.5), 0},
      {"-2.9", th::dbl(-2.9), 0xFFFFFFFEu},
      {"2^32-1", th::dbl(4294967295.0), 0xFFFFFFFFu},
      {"2^32", th::dbl(4294967296.0), 0},
      {"2^32+7.5", th::dbl(4294967303.5), 7},
      {"-1", th::dbl(-1.0), 0xFFFFFFFFu},
      {"2^31", th::dbl(2147483648.0), 0x80000000u},
      {"NaN", th::dbl(std::nan("")), 0},
      {"+Inf", th::dbl(INFINITY), 0},
      {"-Inf", th::dbl(-INFINITY), 0},
      {"2^63", th::dbl(two63), 0},
      {"-2^63", th::dbl(-two63), 0},
      {"just below 2^63", th::dbl(9223372036854774784.0), 0xFFFFFC00u},
      {"single 2.5", th::single(2.5f), 2},
      {"int32 16", th::i32(16), 16},
      {"int64 16", th::scalar<int64_t>(mxINT64_CLASS, 16), 16},
      {"int8 -1", th::scalar<int8_t>(mxINT8_CLASS, -1), 0xFFFFFFFFu},
      {"uint8 200", th::scalar<uint8_t>(mxUINT8_CLASS, 200), 200},
      {"uint64 2^40+5", th::scalar<uint64_t>(mxUINT64_CLASS, (1ull << 40) + 5), 5},
      {"logical true", th::logical(true), 1},
      {"char 'A'", th::str("A"), 65},
      {"complex 3+4i", th::complex_dbl(3.0, 4.0), 3},
      {"first of a row", th::row<double>(mxDOUBLE_CLASS, {2.0, 9.0}), 2},
  };
  for (Case &c : cases) {
    vcard_journal_clear();
    th::call(ovrix_getspaceinfo_main, 1, {handle.get(), c.input.get()});
    vcard_call call = only(VCARD_OP_GET_SPACE_INFO);
    EXPECT_EQ(call.arg[1], c.expected) << c.what;
  }
}

TEST_F(GatewayTest, HandleIsTheFirst32BitWordOfInput1) {
  Array as_int32 = th::i32(static_cast<int32_t>(card));
  Array as_double = th::dbl(card);
  Array longer = th::row<uint32_t>(mxUINT32_CLASS, {card, 99});
  for (const mxArray *h : {handle.get(), as_int32.get(), longer.get()}) {
    vcard_journal_clear();
    th::Result r = th::call(ovrix_getinfo_main, 1, {h});
    EXPECT_FALSE(r.failed) << r.message;
    EXPECT_EQ(only(VCARD_OP_GET_CARD_INFO).arg[0], card);
  }
  // The same number as a double is another handle: the low bytes of its encoding.
  vcard_journal_clear();
  th::Result r = th::call(ovrix_getinfo_main, 1, {as_double.get()});
  double d = card;
  uint32_t low;
  std::memcpy(&low, &d, sizeof low);
  EXPECT_EQ(only(VCARD_OP_GET_CARD_INFO).arg[0], low);
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.message, "Failed to get card info: " + status_text(ADMXRC2_INVALID_HANDLE) + "\n");
}

TEST_F(GatewayTest, HandleInputsTooShortOrNotNumericAreRefusedWithoutALibraryCall) {
  struct Case {
    Array input;
    const char *got;
  };
  Case cases[] = {
      {th::empty(), "empty 0x0 double"},
      {th::scalar<int8_t>(mxINT8_CLASS, 1), "1x1 int8"},
      {th::scalar<int16_t>(mxINT16_CLASS, 1), "1x1 int16"},
      {th::row<uint8_t>(mxUINT8_CLASS, {1, 2, 3}), "1x3 uint8"},
      {th::logical(true), "1x1 logical"},
      {th::str("abcd"), "1x4 char"},
      {th::cell(), "1x1 cell"},
      {th::sparse(1, 1, 1), "sparse 1x1 double"},
  };
  for (Case &c : cases) {
    th::Result r = th::call(ovrix_getinfo_main, 1, {c.input.get()});
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.message,
              std::string("card handle (input 1) must be the uint32 value that ovrix_init "
                          "returns (a full numeric array of at least 4 bytes); got ") +
                  c.got);
  }
  EXPECT_EQ(vcard_journal_count(), 0u);
}

TEST_F(GatewayTest, NumericInputsThatHoldNoNumberAreRefusedNamingTheInput) {
  Array inputs[] = {th::empty(), th::empty(mxCHAR_CLASS, 1, 0), th::cell(),
                    th::structure(), th::sparse(1, 1, 1), th::empty(mxUINT8_CLASS, 0, 5)};
  for (Array &bad : inputs) {
    th::Result r = th::call(ovrix_read32_main, 1, {handle.get(), bad.get(), th::dbl(1).get()});
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.message.rfind("local offset (input 2) must be a number (a non-empty, full "
                              "numeric, logical or char array); got ",
                              0),
              0u)
        << r.message;
    EXPECT_EQ(r.slot_count(), 0u);
  }
  th::Result r = th::call(ovrix_read32_main, 1, {handle.get(), th::dbl(0).get(), th::dbl(1).get(),
                                                 th::cell().get()});
  EXPECT_EQ(r.message, "options value (input 4) must be a number (a non-empty, full numeric, "
                       "logical or char array); got 1x1 cell");
  EXPECT_EQ(vcard_journal_count(), 0u);
}

TEST_F(GatewayTest, StatusTextIsTheLibrarysOwnForAnyCode) {
  vcard_inject(VCARD_OP_GET_CARD_INFO, 0xDEAD, 1);
  th::Result r = th::call(ovrix_getinfo_main, 1, {handle.get()});
  EXPECT_EQ(r.message, "Failed to get card info: " + status_text(0xDEAD) + "\n");
  EXPECT_NE(r.message.find("57005"), std::string::npos) << r.message;
}

}  // namespace
