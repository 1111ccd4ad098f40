// Card, space and bank information.
#include "fixture.hpp"

namespace {

using th::Array;

class InfoTest : public CardTest {
 protected:
  void SetUp() override {
    CardTest::SetUp();
    ASSERT_EQ(vcard_get_card_info(0, &info), 0);
  }
  // Changes card 0's record, then asks for `nlhs` outputs.
  th::Result getinfo(int nlhs) {
    vcard_set_card_info(0, &info);
    return th::call(ovrix_getinfo_main, nlhs, {handle.get()});
  }
  ADMXRC2_CARD_INFO info{};
};

TEST_F(InfoTest, GetinfoMakesOnlyTheOutputsAskedFor) {
  info = ADMXRC2_CARD_INFO{0x80000000u, 0xFFFFFFFFu, 3, 103, 11, 12, 13, 14, 0xFFFFFFFFu,
                           0xFE, 0x01, {0x77, 0x77}};
  for (int nlhs : {0, 1, 2, 4, 9, 11}) {
    th::Result r = getinfo(nlhs);
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.slot_count(), static_cast<size_t>(std::max(nlhs, 1))) << nlhs;
  }
  vcard_journal_clear();
  th::Result r = getinfo(11);
  EXPECT_EQ(only(VCARD_OP_GET_CARD_INFO).arg[0], card);
  EXPECT_EQ(r.out(0)->cls, mxDOUBLE_CLASS);
  EXPECT_EQ(th::value<double>(r.out(0)), 2147483648.0);
  EXPECT_EQ(th::value<double>(r.out(1)), 4294967295.0);
  EXPECT_EQ(th::text(r.out(2)), "xrc2");
  EXPECT_EQ(th::text(r.out(3)), "Virtex-4 V4LX80");
  const uint32_t words[] = {11, 12, 13, 14, 0xFFFFFFFFu};
  for (int k = 4; k < 9; k++) {
    EXPECT_EQ(r.out(k)->cls, mxUINT32_CLASS);
    EXPECT_EQ(th::value<uint32_t>(r.out(k)), words[k - 4]) << k;
  }
  EXPECT_EQ(r.out(9)->cls, mxUINT8_CLASS);
  EXPECT_EQ(th::value<uint8_t>(r.out(9)), 0xFE);
  EXPECT_EQ(th::value<uint8_t>(r.out(10)), 0x01);
}

TEST_F(InfoTest, TwelveOutputsAreRefusedAfterAllElevenAreMade) {
  th::Result r = getinfo(12);
  EXPECT_EQ(r.message, "Too many output parameters");
  EXPECT_EQ(r.arrays_made, 11u);
  EXPECT_EQ(calls(VCARD_OP_GET_CARD_INFO).size(), 1u);
}

TEST_F(InfoTest, BoardNames) {
  struct Case {
    int32_t type;
    const char *name;  // nullptr: no name
  };
  const Case cases[] = {{0, "xrc"},     {1, "xrcp"},    {5, "xpl"},    {11, "xrc4sx"},
                        {12, nullptr},  {13, "xrc4fx"}, {14, nullptr}, {15, "xrc5t1"},
                        {16, nullptr},  {-1, nullptr}};
  for (const Case &c : cases) {
    info.BoardType = c.type;
    th::Result three = getinfo(3);
    if (c.name) {
      EXPECT_EQ(th::text(three.out(2)), c.name);
    } else {
      EXPECT_EQ(three.message, "Unknown board type: " + std::to_string(c.type) + "\n");
      EXPECT_EQ(three.arrays_made, 2u) << "outputs 1 and 2 come first";
      // Not asked for, the board name is never looked at.
      EXPECT_FALSE(getinfo(2).failed) << c.type;
    }
  }
}

TEST_F(InfoTest, FpgaNames) {
  struct Case {
    uint32_t type;
    const char *name;
  };
  const Case cases[] = {
      {0, "XC4085XL"},           {13, "Virtex V405E"},          {14, "Unknown14"},
      {31, "Unknown31"},         {32, "Virtex-II 2V1000"},       {63, "Unknown63"},
      {72, "Virtex-II Pro 2VP125"}, {73, "Virtex-II Pro 2VP70"}, {74, "Unknown74"},
      {102, "Virtex-4 V4LX200"}, {103, "Virtex-4 V4LX80"},       {107, "Unknown107"},
      {117, "Virtex-4 V4FX140"}, {134, "Unknown134"},            {140, "Virtex-5 V5LX330T"},
      {143, "Unknown143"},       {146, "Virtex-5 V5SX95T"},      {147, "unknown (0x93)"},
      {0x7FFFFFFF, "unknown (0x7fffffff)"}, {0xFFFFFFFF, "unknown (0xffffffff)"},
  };
  for (const Case &c : cases) {
    info.FPGAType = static_cast<int32_t>(c.type);
    th::Result r = getinfo(4);
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(th::text(r.out(3)), c.name) << c.type;
  }
}

TEST_F(InfoTest, GetinfoFailureMakesNoOutput) {
  vcard_inject(VCARD_OP_GET_CARD_INFO, ADMXRC2_INVALID_HANDLE, 1);
  th::Result r = getinfo(12);
  EXPECT_EQ(r.message, "Failed to get card info: " + status_text(ADMXRC2_INVALID_HANDLE) + "\n");
  EXPECT_EQ(r.arrays_made, 0u);
}

// The space and bank queries share one shape; the table holds what differs.
struct RecordQuery {
  const char *name;
  th::Entry entry;
  vcard_op op;
  int fields;
  const char *failure;  // up to the index
};
const RecordQuery kQueries[] = {
    {"space", ovrix_getspaceinfo_main, VCARD_OP_GET_SPACE_INFO, 5, "Failed to get space "},
    {"bank", ovrix_getbankinfo_main, VCARD_OP_GET_BANK_INFO, 4, "Failed to get bank "},
};

TEST_F(InfoTest, RecordQueriesPassTheIndexAndMakeTheOutputsAskedFor) {
  for (const RecordQuery &q : kQueries) {
    struct IndexCase {
      Array input;  // nullptr: card handle alone
      uint32_t index;
    };
    IndexCase cases[] = {{nullptr, 0}, {th::dbl(1.9), 1}, {th::dbl(-0.4), 0}};
    for (IndexCase &c : cases) {
      for (int nlhs : {0, 1, q.fields}) {
        vcard_journal_clear();
        std::vector<const mxArray *> in{handle.get()};
        if (c.input) in.push_back(c.input.get());
        th::Result r = th::call(q.entry, nlhs, in);
        ASSERT_FALSE(r.failed) << q.name << ": " << r.message;
        EXPECT_EQ(r.slot_count(), static_cast<size_t>(std::max(nlhs, 1))) << q.name;
        for (size_t k = 0; k < r.slot_count(); k++) EXPECT_EQ(r.out(k)->cls, mxUINT32_CLASS);
        vcard_call call = only(q.op);
        EXPECT_EQ(call.arg[0], card);
        EXPECT_EQ(call.arg[1], c.index) << q.name;
      }
    }
  }
}

TEST_F(InfoTest, RecordQueryFailuresComeBeforeTheOutputCountCheck) {
  for (const RecordQuery &q : kQueries) {
    th::Result too_many = th::call(q.entry, q.fields + 1, {handle.get()});
    EXPECT_EQ(too_many.message, "Too many output parameters") << q.name;
    EXPECT_EQ(too_many.arrays_made, static_cast<size_t>(q.fields)) << q.name;

    th::Result missing = th::call(q.entry, q.fields + 1, {handle.get(), th::dbl(9.9).get()});
    EXPECT_EQ(missing.message, std::string(q.failure) + "9 info: " +
                                   status_text(ADMXRC2_INVALID_INDEX) + "\n");
    EXPECT_EQ(missing.arrays_made, 0u);
    th::Result negative = th::call(q.entry, 1, {handle.get(), th::dbl(-2).get()});
    EXPECT_EQ(negative.message, std::string(q.failure) + "-2 info: " +
                                    status_text(ADMXRC2_INVALID_INDEX) + "\n");
  }
}

TEST_F(InfoTest, RecordFieldsReachTheOutputsUnchanged) {
  const ADMXRC2_SPACE_INFO space{0xFFFFFFFFu, 0x80000000u, 7, 3, 0xF0001000u};
  ASSERT_EQ(vcard_set_space_info(0, 2, &space), 0);
  th::Result s = th::call(ovrix_getspaceinfo_main, 5, {handle.get(), th::dbl(2).get()});
  const uint32_t expected[] = {0xFFFFFFFFu, 0x80000000u, 7, 3, 0xF0001000u};
  for (int k = 0; k < 5; k++) EXPECT_EQ(th::value<uint32_t>(s.out(k)), expected[k]) << k;

  // Only the byte at offset 12 of the bank record shows.
  const ADMXRC2_BANK_INFO bank{0x10, 64, 0x80000, 0xFF, {0x01, 0x02, 0x03}};
  ASSERT_EQ(vcard_set_bank_info(0, 1, &bank), 0);
  th::Result b = th::call(ovrix_getbankinfo_main, 4, {handle.get(), th::dbl(1).get()});
  EXPECT_EQ(th::value<uint32_t>(b.out(0)), 0x10u);
  EXPECT_EQ(th::value<uint32_t>(b.out(1)), 64u);
  EXPECT_EQ(th::value<uint32_t>(b.out(2)), 0x80000u);
  EXPECT_EQ(th::value<uint32_t>(b.out(3)), 255u);
}

}  // namespace
