// Loading bitstreams and setting clocks.
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "fixture.hpp"

namespace {

using th::Array;

// A file in a fresh temporary folder, removed with the fixture.
class SetupTest : public CardTest {
 protected:
  void SetUp() override {
    CardTest::SetUp();
    char tmpl[] = "/tmp/ovrix-setup-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override {
    for (const std::string &f : files) std::remove(f.c_str());
    rmdir(dir.c_str());
    CardTest::TearDown();
  }
  std::string file(const std::string &name, const std::string &bytes) {
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    files.push_back(path);
    return path;
  }
  std::string bitstream(const std::string &name) {
    return file(name, std::string("ovrix\xff\xff\xff\xff\xaa\x99\x55\x66\x30\xa1", 14));
  }
  std::string dir;
  std::vector<std::string> files;
};

TEST_F(SetupTest, ConfigHandsTheNameToTheLibraryAndConfiguresTheCard) {
  vcard_set_configured(0, 0);
  std::string path = bitstream("design.bit");
  th::Result r = th::call(ovrix_config_main, 2, {handle.get(), th::str(path).get()});
  EXPECT_FALSE(r.failed) << r.message;
  EXPECT_EQ(r.slot_count(), 0u);
  EXPECT_EQ(vcard_is_configured(0), 1);
  vcard_call c = only(VCARD_OP_CONFIGURE_FROM_FILE);
  EXPECT_EQ(c.arg[0], card);
  EXPECT_EQ(std::string(c.text), path);
  // The name buffer holds every character and the terminating zero.
  EXPECT_EQ(r.calloc_sizes, std::vector<size_t>{path.size() + 1});
}

TEST_F(SetupTest, ConfigFailuresNameTheFileAndTheLibrarysReason) {
  struct Case {
    std::string name;
    int status;
  };
  Case cases[] = {
      {dir + "/missing.bit", ADMXRC2_FILE_NOT_FOUND},
      {file("empty.bit", ""), ADMXRC2_FILE_EMPTY},
      {file("text.bit", "not a bitstream at all"), ADMXRC2_BAD_BITSTREAM},
      {"", ADMXRC2_FILE_NOT_FOUND},
  };
  for (const Case &c : cases) {
    th::Result r = th::call(ovrix_config_main, 0, {handle.get(), th::str(c.name).get()});
    EXPECT_EQ(r.message, "Failed to load the bitstream '" + c.name + "': " +
                             status_text(c.status) + "\n");
  }
  EXPECT_EQ(vcard_is_configured(0), 1) << "a failed load is the library's affair";
}

TEST_F(SetupTest, ConfigComposesLongMessagesInFull) {
  std::string name = dir + "/" + std::string(300, 'n') + ".bit";
  th::Result r = th::call(ovrix_config_main, 0, {handle.get(), th::str(name).get()});
  EXPECT_EQ(r.message, "Failed to load the bitstream '" + name + "': " +
                           status_text(ADMXRC2_FILE_NOT_FOUND) + "\n");
  EXPECT_EQ(only(VCARD_OP_CONFIGURE_FROM_FILE).text_len, name.size());
}

TEST_F(SetupTest, ConfigOfANameThatIsNotTextPassesAnEmptyName) {
  th::Result r = th::call(ovrix_config_main, 0, {handle.get(), th::dbl(5).get()});
  EXPECT_EQ(r.message, "Failed to load the bitstream '': " +
                           status_text(ADMXRC2_FILE_NOT_FOUND) + "\n");
  EXPECT_EQ(only(VCARD_OP_CONFIGURE_FROM_FILE).text_len, 0u);
}

TEST_F(SetupTest, ClockRequestReachesTheLibraryInHertz) {
  struct Case {
    Array index;
    Array mhz;
    uint32_t clock;
    double hz;
  };
  Case cases[] = {
      {th::dbl(1.9), th::dbl(66.666), 1, 66.666 * 1000000.0},
      {th::dbl(-0.5), th::dbl(50), 0, 50000000.0},
      {th::i32(1), th::single(33.5f), 1, 33500000.0},
  };
  for (Case &c : cases) {
    vcard_journal_clear();
    th::Result r = th::call(ovrix_setclockrate_main, 0, {handle.get(), c.index.get(), c.mhz.get()});
    ASSERT_FALSE(r.failed) << r.message;
    vcard_call call = only(VCARD_OP_SET_CLOCK_RATE);
    EXPECT_EQ(call.arg[0], card);
    EXPECT_EQ(call.arg[1], c.clock);
    EXPECT_EQ(call.real, c.hz);  // exactly: nothing truncated or rounded
    // The obtained frequency comes back as the library gave it, in hertz.
    const mxArray *out = r.out(0);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->cls, mxDOUBLE_CLASS);
    double again = 0;
    ASSERT_EQ(ADMXRC2_SetClockRate(card, c.clock, c.hz, &again), 0u);
    EXPECT_EQ(th::value<double>(out), again);
    EXPECT_NE(th::value<double>(out), c.hz) << "the model's synthesizer rounds";
  }
}

TEST_F(SetupTest, ClockFailuresAndCountChecks) {
  th::Result bad_clock =
      th::call(ovrix_setclockrate_main, 1, {handle.get(), th::dbl(7.5).get(), th::dbl(33.333).get()});
  EXPECT_EQ(bad_clock.message,
            "Failed to set clock 7 to 33.3MHz: " + status_text(ADMXRC2_INVALID_INDEX) + "\n");
  EXPECT_EQ(bad_clock.arrays_made, 0u);
  th::Result negative =
      th::call(ovrix_setclockrate_main, 1, {handle.get(), th::dbl(-1).get(), th::dbl(1e6).get()});
  EXPECT_EQ(negative.message, "Failed to set clock -1 to 1000000.0MHz: " +
                                  status_text(ADMXRC2_INVALID_INDEX) + "\n");
  th::Result too_fast =
      th::call(ovrix_setclockrate_main, 1, {handle.get(), th::dbl(0).get(), th::dbl(1e6).get()});
  EXPECT_EQ(too_fast.message, "Failed to set clock 0 to 1000000.0MHz: " +
                                  status_text(ADMXRC2_CLOCK_OUT_OF_RANGE) + "\n");

  vcard_journal_clear();
  // The output count is checked before the input count.
  EXPECT_EQ(th::call(ovrix_setclockrate_main, 2, {handle.get(), th::dbl(0).get()}).message,
            "Too many output parameters");
  EXPECT_EQ(th::call(ovrix_setclockrate_main, 1, {handle.get(), th::dbl(0).get()}).message,
            "Incorrect number of input parameters");
  EXPECT_EQ(th::call(ovrix_setclockrate_main, 1,
                     {handle.get(), th::dbl(0).get(), th::empty().get()})
                .message,
            "frequency (input 3) must be a number (a non-empty, full numeric, logical or char "
            "array); got empty 0x0 double");
  EXPECT_EQ(vcard_journal_count(), 0u);
}

}  // namespace
