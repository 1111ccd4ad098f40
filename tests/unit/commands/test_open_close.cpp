// Opening cards by identifier or index, and closing them.
#include "fixture.hpp"

namespace {

using th::Array;

class OpenCloseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vcard_reset();
    vcard_journal_enable(1);
  }
  void TearDown() override { vcard_reset(); }
  std::vector<vcard_call> journal() const {
    std::vector<vcard_call> calls(vcard_journal_count());
    for (size_t i = 0; i < calls.size(); i++) vcard_journal_get(i, &calls[i]);
    return calls;
  }
};

TEST_F(OpenCloseTest, InitFormsChooseTheOpenCall) {
  struct Case {
    const char *what;
    std::vector<Array> inputs;
    vcard_op op;
    uint32_t number;
  };
  std::vector<Case> cases;
  cases.push_back({"no input", {}, VCARD_OP_OPEN_CARD, 0});
  cases.push_back({"identifier 5", {}, VCARD_OP_OPEN_CARD, 5});
  cases.back().inputs.push_back(th::dbl(5));
  cases.push_back({"identifier 0.9", {}, VCARD_OP_OPEN_CARD, 0});
  cases.back().inputs.push_back(th::dbl(0.9));
  std::vector<Array> empties;
  empties.push_back(th::empty());
  empties.push_back(th::empty(mxDOUBLE_CLASS, 0, 5));
  empties.push_back(th::str(""));
  empties.push_back(th::empty(mxCELL_CLASS, 3, 0));
  for (Array &empty : empties) {
    cases.push_back({"empty and index 1", {}, VCARD_OP_OPEN_CARD_BY_INDEX, 1});
    cases.back().inputs.push_back(std::move(empty));
    cases.back().inputs.push_back(th::dbl(1.7));
  }
  for (Case &c : cases) {
    vcard_journal_clear();
    std::vector<const mxArray *> in;
    for (Array &a : c.inputs) in.push_back(a.get());
    th::Result r = th::call(ovrix_init_main, 0, in);
    ASSERT_FALSE(r.failed) << c.what << ": " << r.message;
    std::vector<vcard_call> j = journal();
    ASSERT_EQ(j.size(), 1u) << c.what;
    EXPECT_EQ(j[0].op, c.op) << c.what;
    EXPECT_EQ(j[0].arg[0], c.number) << c.what;
    // The handle goes to slot 0 even when no output is asked for.
    const mxArray *h = r.out(0);
    ASSERT_NE(h, nullptr) << c.what;
    EXPECT_EQ(h->cls, mxUINT32_CLASS);
    EXPECT_EQ(h->m * 10 + h->n, 11u);
    EXPECT_NE(th::value<uint32_t>(h), 0u);
  }
}

TEST_F(OpenCloseTest, EveryOpenGivesAFreshHandleThatWorksUntilClosed) {
  th::Result a = th::call(ovrix_init_main, 1, {});
  th::Result b = th::call(ovrix_init_main, 1, {th::empty().get(), th::dbl(0).get()});
  uint32_t ha = th::value<uint32_t>(a.out(0)), hb = th::value<uint32_t>(b.out(0));
  EXPECT_NE(ha, hb);
  EXPECT_EQ(vcard_open_handles(), 2u);

  th::Result closed = th::call(ovrix_close_main, 0, {a.out(0)});
  EXPECT_FALSE(closed.failed);
  EXPECT_EQ(closed.slot_count(), 0u);
  EXPECT_EQ(vcard_open_handles(), 1u);
  th::Result info = th::call(ovrix_getinfo_main, 1, {a.out(0)});
  EXPECT_EQ(info.message, "Failed to get card info: " + status_text(ADMXRC2_INVALID_HANDLE) + "\n");
  EXPECT_FALSE(th::call(ovrix_getinfo_main, 1, {b.out(0)}).failed);
}

TEST_F(OpenCloseTest, InitRefusals) {
  struct Case {
    const char *what;
    int nlhs;
    int nrhs;
    Array first;
    std::string message;
  };
  Case cases[] = {
      {"two outputs", 2, 0, th::dbl(0), "Too many output parameters"},
      {"two outputs, three inputs", 2, 3, th::dbl(0), "Too many output parameters"},
      {"three inputs", 1, 3, th::dbl(0), "Too many input parameters"},
      {"identifier and index", 1, 2, th::dbl(3), "Specify either a card ID or and index"},
      {"1x1 text and index", 1, 2, th::str("a"), "Specify either a card ID or and index"},
  };
  for (Case &c : cases) {
    std::vector<const mxArray *> in(c.nrhs, c.first.get());
    if (c.nrhs >= 2) in[1] = th::dbl(1).release();  // freed below
    th::Result r = th::call(ovrix_init_main, c.nlhs, in);
    if (c.nrhs >= 2) delete in[1];
    EXPECT_EQ(r.message, c.message) << c.what;
    EXPECT_EQ(r.arrays_made, 0u) << c.what;
  }
  th::Result r = th::call(ovrix_init_main, 1, {th::empty().get(), th::empty().get()});
  EXPECT_EQ(r.message, "card index (input 2) must be a number (a non-empty, full numeric, "
                       "logical or char array); got empty 0x0 double");
  EXPECT_EQ(vcard_journal_count(), 0u);
}

TEST_F(OpenCloseTest, FailedOpensKeepTheirMessageEndings) {
  th::Result none = th::call(ovrix_init_main, 1, {});
  vcard_inject(VCARD_OP_OPEN_CARD, ADMXRC2_CARD_NOT_FOUND, 1);
  th::Result by_default = th::call(ovrix_init_main, 1, {});
  th::Result by_id = th::call(ovrix_init_main, 1, {th::dbl(-3).get()});
  th::Result by_index = th::call(ovrix_init_main, 1, {th::empty().get(), th::dbl(7).get()});
  const std::string missing = status_text(ADMXRC2_CARD_NOT_FOUND);
  EXPECT_FALSE(none.failed);
  EXPECT_EQ(by_default.message, "Failed to open card with ID 0: " + missing);
  EXPECT_EQ(by_id.message, "Failed to open card with ID -3: " + missing);
  EXPECT_EQ(by_index.message, "Failed to open card with index 7: " + missing + "\n");
  for (const th::Result *r : {&by_default, &by_id, &by_index}) EXPECT_EQ(r->arrays_made, 0u);
}

TEST_F(OpenCloseTest, CloseIgnoresTheLibrarysStatusAndRefusesWrongCounts) {
  th::Result a = th::call(ovrix_init_main, 1, {});
  uint32_t h = th::value<uint32_t>(a.out(0));
  vcard_journal_clear();
  for (int round = 0; round < 2; round++) {  // the second close finds the handle closed
    th::Result r = th::call(ovrix_close_main, 3, {a.out(0)});
    EXPECT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.slot_count(), 0u);
  }
  th::Result stranger = th::call(ovrix_close_main, 0, {th::u32(12345).get()});
  EXPECT_FALSE(stranger.failed);
  std::vector<vcard_call> j = journal();
  ASSERT_EQ(j.size(), 3u);
  EXPECT_EQ(j[0].op, VCARD_OP_CLOSE_CARD);
  EXPECT_EQ(j[0].arg[0], h);
  EXPECT_EQ(j[0].result, 0u);
  EXPECT_EQ(j[1].result, static_cast<uint32_t>(ADMXRC2_INVALID_HANDLE));
  EXPECT_EQ(j[2].arg[0], 12345u);

  vcard_journal_clear();
  EXPECT_EQ(th::call(ovrix_close_main, 0, {}).message, "Incorrect number of input parameters");
  EXPECT_EQ(th::call(ovrix_close_main, 0, {a.out(0), a.out(0)}).message,
            "Incorrect number of input parameters");
  EXPECT_EQ(vcard_journal_count(), 0u);
}

}  // namespace
