// Unit tests of the virtual card (platform/vcard) and the event layer
// (platform/osevent), through their exported C interfaces.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "admxrc2.h"
#include "osevent_control.h"
#include "vcard_control.h"

namespace {

using St = ADMXRC2_STATUS;
#define EXPECT_ST(code, expr) EXPECT_EQ(static_cast<St>(code), (expr))
#define ASSERT_ST(code, expr) ASSERT_EQ(static_cast<St>(code), (expr))

constexpr uint32_t kSize = VCARD_LOCAL_SIZE;
constexpr uint32_t kModeFlags = 0x1C0;
constexpr ADMXRC2_HANDLE kNeverIssued = 0xDEADBEEFu;

// An event closed when the test is done with it.
struct Event {
  HANDLE h;
  explicit Event(bool manual = false, bool initial = false)
      : h(CreateEventA(nullptr, manual ? TRUE : FALSE, initial ? TRUE : FALSE, nullptr)) {}
  ~Event() {
    if (h != nullptr) CloseHandle(h);
  }
  Event(const Event &) = delete;
  Event &operator=(const Event &) = delete;
  bool signalled() const { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }
};

// A file of the given bytes, removed when the test is done with it.
struct TempFile {
  std::string path;
  explicit TempFile(const std::vector<uint8_t> &bytes) {
    path = ::testing::TempDir() + "vcard_test_XXXXXX";
    int fd = mkstemp(&path[0]);
    if (fd < 0) {
      ADD_FAILURE() << "mkstemp failed";
      return;
    }
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    close(fd);
    EXPECT_EQ(bytes.size(), done);
  }
  ~TempFile() { std::remove(path.c_str()); }
};

const uint8_t kSync[4] = {0xAA, 0x99, 0x55, 0x66};

// `size` filler bytes (none of them 0xAA) with the sync word at `at` (if at >= 0).
std::vector<uint8_t> bitstream(size_t size, long at) {
  std::vector<uint8_t> b(size, 0xFF);
  for (size_t i = 0; i < size; i++) b[i] = static_cast<uint8_t>(i % 0x55);
  if (at >= 0) std::memcpy(&b[static_cast<size_t>(at)], kSync, 4);
  return b;
}

std::vector<uint8_t> pattern(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  uint32_t x = seed * 2654435761u + 12345u;
  for (auto &b : v) {
    x = x * 1103515245u + 12345u;
    b = static_cast<uint8_t>(x >> 16);
  }
  return v;
}

class VCard : public ::testing::Test {
 protected:
  void SetUp() override {
    vcard_reset();
    osevent_fail_next(0);
  }
  void TearDown() override {
    vcard_reset();
    EXPECT_EQ(0u, osevent_live_count()) << "a test left events open";
  }

  static ADMXRC2_HANDLE open(uint32_t index) {
    ADMXRC2_HANDLE h = 0;
    EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_OpenCardByIndex(index, &h));
    return h;
  }
  static ADMXRC2_HANDLE openConfigured(uint32_t index) {
    EXPECT_EQ(0, vcard_set_configured(index, 1));
    return open(index);
  }
  static uint32_t mode(uint32_t index, uint32_t width = ADMXRC2_WIDTH_32) {
    ADMXRC2_CARD_INFO info;
    EXPECT_EQ(0, vcard_get_card_info(index, &info));
    return ADMXRC2_BuildDMAModeWord(info.BoardType, width, 0, kModeFlags);
  }
  static std::vector<uint8_t> peek(uint32_t index, uint32_t offset, uint32_t length) {
    std::vector<uint8_t> v(length);
    EXPECT_EQ(0, vcard_peek(index, offset, v.data(), length));
    return v;
  }
};

// ---------------------------------------------------------------- event layer

TEST_F(VCard, EventResetModesAndInitialState) {
  struct Case {
    bool manual, initial;
  } cases[] = {{false, false}, {false, true}, {true, false}, {true, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "manual " << c.manual << " initial " << c.initial);
    Event e(c.manual, c.initial);
    ASSERT_NE(nullptr, e.h);
    EXPECT_EQ(c.initial ? WAIT_OBJECT_0 : WAIT_TIMEOUT, WaitForSingleObject(e.h, 0));
    ASSERT_TRUE(SetEvent(e.h));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(e.h, 0));
    // A manual-reset event stays set; an auto-reset one let one wait through.
    EXPECT_EQ(c.manual ? WAIT_OBJECT_0 : WAIT_TIMEOUT, WaitForSingleObject(e.h, 0));
    ASSERT_TRUE(SetEvent(e.h));
    ASSERT_TRUE(ResetEvent(e.h));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(e.h, 1));
  }
}

TEST_F(VCard, EventBogusAndClosedHandlesAreRefused) {
  int on_stack = 0;
  HANDLE closed = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  ASSERT_NE(nullptr, closed);
  ASSERT_TRUE(CloseHandle(closed));
  const HANDLE bogus[] = {nullptr, &on_stack, closed, reinterpret_cast<HANDLE>(1),
                          reinterpret_cast<HANDLE>(~uintptr_t{0})};
  for (HANDLE h : bogus) {
    SCOPED_TRACE(h);
    EXPECT_FALSE(SetEvent(h));
    EXPECT_FALSE(ResetEvent(h));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(h, 0));
    EXPECT_EQ(0, osevent_is_live(h));
    EXPECT_FALSE(CloseHandle(h));
  }
  EXPECT_EQ(0, on_stack);
  // A closed handle stays dead even after new events are made.
  Event later;
  EXPECT_NE(closed, later.h);
  EXPECT_FALSE(SetEvent(closed));
}

TEST_F(VCard, EventLiveCountAndFailNext) {
  EXPECT_EQ(0u, osevent_live_count());
  {
    Event a, b;
    EXPECT_EQ(2u, osevent_live_count());
    EXPECT_EQ(1, osevent_is_live(a.h));
    // A named event is refused and uses up no injected failure.
    osevent_fail_next(2);
    EXPECT_EQ(nullptr, CreateEventA(nullptr, FALSE, FALSE, "name"));
    EXPECT_EQ(nullptr, CreateEventA(nullptr, FALSE, FALSE, nullptr));
    EXPECT_EQ(nullptr, CreateEventA(nullptr, FALSE, FALSE, nullptr));
    Event c;
    EXPECT_NE(nullptr, c.h);
    EXPECT_EQ(3u, osevent_live_count());
    osevent_fail_next(5);
    osevent_fail_next(0);
    Event d;
    EXPECT_NE(nullptr, d.h);
  }
  EXPECT_EQ(0u, osevent_live_count());
}

TEST_F(VCard, EventWaitersWakeOnSetAndOnClose) {
  HANDLE e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(nullptr, e);
  DWORD got = 0;
  std::thread waiter([&] { got = WaitForSingleObject(e, INFINITE); });
  SetEvent(e);
  waiter.join();
  EXPECT_EQ(WAIT_OBJECT_0, got);
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(e, 20));  // the wait used the auto reset up

  // Give the waiter time to block first, so the close has someone to wake
  // (if it has not, the result must be the same).
  std::thread blocked([&] { got = WaitForSingleObject(e, INFINITE); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(CloseHandle(e));
  blocked.join();
  EXPECT_EQ(WAIT_FAILED, got);
}

// The objects of closed events are kept and given to later events: those
// start in their own mode and state, with handles of their own.
TEST_F(VCard, EventsMadeAfterClosesStartAfresh) {
  std::vector<HANDLE> closed;
  for (int round = 0; round < 8; round++) {
    SCOPED_TRACE(round);
    HANDLE old = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // manual, signalled
    ASSERT_NE(nullptr, old);
    closed.push_back(old);
    ASSERT_TRUE(CloseHandle(old));
    Event fresh(false, false);  // auto reset, not signalled
    ASSERT_NE(nullptr, fresh.h);
    EXPECT_EQ(closed.end(), std::find(closed.begin(), closed.end(), fresh.h));
    EXPECT_FALSE(fresh.signalled());
    ASSERT_TRUE(SetEvent(fresh.h));
    EXPECT_TRUE(fresh.signalled());
    EXPECT_FALSE(fresh.signalled()) << "the wait used the auto reset up";
    for (HANDLE h : closed) EXPECT_FALSE(SetEvent(h));
  }
  // More at once than are kept: all distinct and live, none left after.
  std::vector<HANDLE> many;
  for (int round = 0; round < 2; round++) {
    for (int i = 0; i < 16; i++) {
      HANDLE h = CreateEventA(nullptr, i % 2, FALSE, nullptr);
      ASSERT_NE(nullptr, h);
      EXPECT_EQ(many.end(), std::find(many.begin(), many.end(), h));
      many.push_back(h);
    }
    EXPECT_EQ(16u, osevent_live_count());
    for (size_t i = many.size() - 16; i < many.size(); i++) EXPECT_TRUE(CloseHandle(many[i]));
    EXPECT_EQ(0u, osevent_live_count());
  }
}

// ---------------------------------------------------------------- open / close

TEST_F(VCard, OpenByIdentifierAndIndex) {
  struct Case {
    bool by_index;
    uint32_t key;
    St status;
    uint32_t card_id;
  } cases[] = {
      {false, 0, ADMXRC2_SUCCESS, 0},        {false, 5, ADMXRC2_SUCCESS, 5},
      {true, 0, ADMXRC2_SUCCESS, 0},         {true, 1, ADMXRC2_SUCCESS, 5},
      {false, 1, ADMXRC2_CARD_NOT_FOUND, 0}, {false, 6, ADMXRC2_CARD_NOT_FOUND, 0},
      {true, 2, ADMXRC2_CARD_NOT_FOUND, 0},  {true, 0xFFFFFFFFu, ADMXRC2_CARD_NOT_FOUND, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.by_index ? "index " : "id ") << c.key);
    ADMXRC2_HANDLE h = 0x1234;
    St st = c.by_index ? ADMXRC2_OpenCardByIndex(c.key, &h) : ADMXRC2_OpenCard(c.key, &h);
    ASSERT_EQ(c.status, st);
    if (st != ADMXRC2_SUCCESS) {
      EXPECT_EQ(0x1234u, h) << "a failed open must leave the handle alone";
      continue;
    }
    EXPECT_NE(0u, h);
    ADMXRC2_CARD_INFO info;
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(h, &info));
    EXPECT_EQ(c.card_id, info.CardID);
    // The out-pointer is checked before the card is looked up.
    EXPECT_ST(ADMXRC2_NULL_POINTER, c.by_index ? ADMXRC2_OpenCardByIndex(c.key, nullptr)
                                               : ADMXRC2_OpenCard(c.key, nullptr));
  }
  EXPECT_ST(ADMXRC2_NULL_POINTER, ADMXRC2_OpenCard(77, nullptr));
  EXPECT_EQ(4u, vcard_open_handles());
}

TEST_F(VCard, HandlesAreFreshNonZeroAndNeverReused) {
  std::set<ADMXRC2_HANDLE> seen;
  ADMXRC2_HANDLE before_reset = 0;
  for (int round = 0; round < 2; round++) {
    for (int i = 0; i < 100; i++) {
      ADMXRC2_HANDLE h = open(i % 2);
      ASSERT_NE(0u, h);
      EXPECT_TRUE(seen.insert(h).second) << "handle " << h << " given twice";
      if (i % 3 != 0) {
        EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_CloseCard(h));
        EXPECT_ST(ADMXRC2_INVALID_HANDLE, ADMXRC2_CloseCard(h));
      } else {
        before_reset = h;
      }
    }
    vcard_reset();  // closes every handle, but the counter goes on
    EXPECT_EQ(0u, vcard_open_handles());
    EXPECT_ST(ADMXRC2_INVALID_HANDLE, ADMXRC2_CloseCard(before_reset));
  }
}

TEST_F(VCard, AtMostMaxOpenHandles) {
  std::vector<ADMXRC2_HANDLE> handles;
  for (uint32_t i = 0; i < VCARD_MAX_OPEN; i++) {
    ADMXRC2_HANDLE h = 0;
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_OpenCardByIndex(i % 2, &h));
    handles.push_back(h);
  }
  EXPECT_EQ(size_t{VCARD_MAX_OPEN}, vcard_open_handles());
  ADMXRC2_HANDLE h = 0;
  EXPECT_ST(ADMXRC2_TOO_MANY_OPEN, ADMXRC2_OpenCard(5, &h));
  EXPECT_ST(ADMXRC2_CARD_NOT_FOUND, ADMXRC2_OpenCard(9, &h));  // the card is looked up first
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_CloseCard(handles[500]));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_OpenCard(5, &h));
  // Every other handle still works after the table was shuffled by the close.
  for (size_t i = 0; i < handles.size(); i++) {
    if (i == 500) continue;
    ADMXRC2_CARD_INFO info;
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(handles[i], &info)) << i;
    EXPECT_EQ(i % 2 ? 5u : 0u, info.CardID);
  }
}

// Every operation with a handle refuses closed, zero and made-up handles first,
// even when everything else about the call is wrong too.
TEST_F(VCard, EveryOperationRefusesBadHandles) {
  ADMXRC2_HANDLE closed = openConfigured(0);
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_CloseCard(closed));
  Event ev;
  uint8_t buf[16] = {};
  double hz = 0;
  ADMXRC2_CARD_INFO ci;
  ADMXRC2_SPACE_INFO si;
  ADMXRC2_BANK_INFO bi;
  TempFile good(bitstream(64, 0));
  const std::function<St(ADMXRC2_HANDLE)> ops[] = {
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_CloseCard(h); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_ConfigureFromFile(h, good.path.c_str()); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_ConfigureFromFile(h, nullptr); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_SetClockRate(h, 0, 50e6, &hz); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_SetClockRate(h, 9, NAN, nullptr); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetCardInfo(h, &ci); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetCardInfo(h, nullptr); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetSpaceInfo(h, 0, &si); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetSpaceInfo(h, 99, nullptr); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetBankInfo(h, 0, &bi); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_GetBankInfo(h, 99, nullptr); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_Read(h, 0, 0, 0, buf, 16); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_Read(h, 7, 9, kSize, nullptr, 16); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_Write(h, 0, 0, 0, buf, 16); },
      [&](ADMXRC2_HANDLE h) { return ADMXRC2_Write(h, 7, 9, kSize, nullptr, 16); },
      [&](ADMXRC2_HANDLE h) {
        return ADMXRC2_DoDMAImmediate(h, buf, 16, 0, 0, 0, mode(0), 0, 0, ev.h);
      },
      [&](ADMXRC2_HANDLE h) {
        return ADMXRC2_DoDMAImmediate(h, nullptr, 16, kSize, 9, 9, 0, 1, 0, nullptr);
      },
  };
  for (ADMXRC2_HANDLE h : {closed, ADMXRC2_HANDLE{0}, kNeverIssued}) {
    for (size_t i = 0; i < std::size(ops); i++) {
      EXPECT_ST(ADMXRC2_INVALID_HANDLE, ops[i](h)) << "handle " << h << ", case " << i;
    }
  }
  EXPECT_FALSE(ev.signalled());
  EXPECT_EQ(0.0, hz);
}

// ---------------------------------------------------------------- status texts

TEST_F(VCard, StatusTextsOfKnownCodes) {
  const std::pair<St, const char *> texts[] = {
      {ADMXRC2_SUCCESS, "Success"},
      {ADMXRC2_INVALID_HANDLE, "Invalid card handle"},
      {ADMXRC2_CARD_NOT_FOUND, "No card with that identifier or index"},
      {ADMXRC2_NULL_POINTER, "A required pointer is null"},
      {ADMXRC2_TOO_MANY_OPEN, "Too many open card handles"},
      {ADMXRC2_INVALID_INDEX, "No such space, bank or clock on this card"},
      {ADMXRC2_INVALID_WIDTH, "Invalid word width code"},
      {ADMXRC2_INVALID_FLAGS, "Invalid transfer flags"},
      {ADMXRC2_REGION_OUT_OF_RANGE, "Transfer lies outside the local address space"},
      {ADMXRC2_FPGA_NOT_CONFIGURED, "The FPGA is not configured: load a bitstream first"},
      {ADMXRC2_FILE_NOT_FOUND, "Cannot open the bitstream file"},
      {ADMXRC2_FILE_EMPTY, "The bitstream file is empty"},
      {ADMXRC2_BAD_BITSTREAM, "Not a bitstream: no sync word in the first 4 KiB"},
      {ADMXRC2_CLOCK_OUT_OF_RANGE, "Clock frequency out of range"},
      {ADMXRC2_INVALID_DMA_CHANNEL, "No such DMA channel"},
      {ADMXRC2_INVALID_DIRECTION, "Invalid DMA direction"},
      {ADMXRC2_INVALID_DMA_MODE, "DMA mode word does not suit this card"},
      {ADMXRC2_INVALID_EVENT, "Invalid completion event"},
      {ADMXRC2_NO_MEMORY, "Out of memory"},
  };
  ASSERT_EQ(size_t{VCARD_STATUS_END}, std::size(texts)) << "a status code without a text";
  for (const auto &t : texts) {
    const char *s = ADMXRC2_GetStatusString(t.first);
    ASSERT_NE(nullptr, s);
    EXPECT_STREQ(t.second, s) << "code " << t.first;
  }
}

TEST_F(VCard, UnknownStatusTextsHoldTheNumberAndStayValid) {
  const std::pair<St, const char *> texts[] = {
      {42, "Unknown status code 0x0000002a (42)"},
      {VCARD_STATUS_END, nullptr},
      {0xFFFFFFFFu, "Unknown status code 0xffffffff (4294967295)"},
      {0x80000000u, "Unknown status code 0x80000000 (2147483648)"},
  };
  std::vector<std::pair<const char *, std::string>> kept;
  for (const auto &t : texts) {
    const char *s = ADMXRC2_GetStatusString(t.first);
    ASSERT_NE(nullptr, s);
    if (t.second != nullptr) {
      EXPECT_STREQ(t.second, s);
    }
    EXPECT_NE(nullptr, std::strstr(s, std::to_string(t.first).c_str())) << s;
    EXPECT_EQ(s, ADMXRC2_GetStatusString(t.first)) << "the same code gives the same text";
    kept.emplace_back(s, s);
  }
  // Far more unknown codes than the library keeps texts for: each text still
  // names its own number, and the texts handed out first are untouched.
  for (St code = 0x10000; code < 0x10000 + 600; code++) {
    const char *s = ADMXRC2_GetStatusString(code);
    ASSERT_NE(nullptr, s);
    char want[64];
    std::snprintf(want, sizeof want, "Unknown status code 0x%08x (%u)", code, code);
    ASSERT_STREQ(want, s);
  }
  for (const auto &k : kept) EXPECT_EQ(k.second, std::string(k.first));
}

// ---------------------------------------------------------------- bitstreams

TEST_F(VCard, BitstreamFilesDecideConfiguration) {
  struct Case {
    const char *what;
    size_t size;
    long sync_at;
    St status;
  } cases[] = {
      {"empty file", 0, -1, ADMXRC2_FILE_EMPTY},
      {"no sync word", 100, -1, ADMXRC2_BAD_BITSTREAM},
      {"sync word only", 4, 0, ADMXRC2_SUCCESS},
      {"sync word at the start", 100, 0, ADMXRC2_SUCCESS},
      {"sync word ends the file", 300, 296, ADMXRC2_SUCCESS},
      {"three bytes of it", 3, -1, ADMXRC2_BAD_BITSTREAM},
      {"last place in the first 4 KiB", 8192, 4092, ADMXRC2_SUCCESS},
      {"one byte past", 8192, 4093, ADMXRC2_BAD_BITSTREAM},
      {"well past", 8192, 5000, ADMXRC2_BAD_BITSTREAM},
      {"4 KiB of filler only", 4096, -1, ADMXRC2_BAD_BITSTREAM},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    vcard_reset();
    std::vector<uint8_t> bytes = bitstream(c.size, c.sync_at);
    if (c.size == 3) std::memcpy(bytes.data(), kSync, 3);
    TempFile f(bytes);
    ADMXRC2_HANDLE h = open(0);
    EXPECT_ST(c.status, ADMXRC2_ConfigureFromFile(h, f.path.c_str()));
    EXPECT_EQ(c.status == ADMXRC2_SUCCESS ? 1 : 0, vcard_is_configured(0));
    EXPECT_EQ(0, vcard_is_configured(1));
  }
}

TEST_F(VCard, BitstreamRefusals) {
  ADMXRC2_HANDLE h = open(1);
  const std::string missing = ::testing::TempDir() + "vcard_no_such_file.bit";
  std::remove(missing.c_str());
  EXPECT_ST(ADMXRC2_FILE_NOT_FOUND, ADMXRC2_ConfigureFromFile(h, missing.c_str()));
  EXPECT_ST(ADMXRC2_FILE_NOT_FOUND, ADMXRC2_ConfigureFromFile(h, ::testing::TempDir().c_str()));
  EXPECT_ST(ADMXRC2_FILE_NOT_FOUND, ADMXRC2_ConfigureFromFile(h, ""));
  EXPECT_ST(ADMXRC2_NULL_POINTER, ADMXRC2_ConfigureFromFile(h, nullptr));
  EXPECT_EQ(0, vcard_is_configured(1));

  // Loading through one handle configures the card for all of its handles, and
  // a later bad file leaves it configured.
  TempFile good(bitstream(64, 10)), bad(bitstream(64, -1));
  ADMXRC2_HANDLE other = open(1);
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_ConfigureFromFile(h, good.path.c_str()));
  EXPECT_ST(ADMXRC2_BAD_BITSTREAM, ADMXRC2_ConfigureFromFile(other, bad.path.c_str()));
  EXPECT_EQ(1, vcard_is_configured(1));
  uint8_t b[4];
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_Read(other, 0, 0, 0, b, 4));
  ASSERT_EQ(0, vcard_set_configured(1, 0));
  EXPECT_ST(ADMXRC2_FPGA_NOT_CONFIGURED, ADMXRC2_Read(other, 0, 0, 0, b, 4));
  EXPECT_EQ(-1, vcard_set_configured(2, 1));
  EXPECT_EQ(-1, vcard_is_configured(2));
}

// ---------------------------------------------------------------- clocks

double nearestByBruteForce(double hz) {
  double best = 0, err = INFINITY;
  for (int n = 1; n <= 63; n++) {
    for (int m = 1; m <= 1023; m++) {
      double f = VCARD_CLOCK_REF_HZ * m / n;
      if (std::fabs(f - hz) < err) {
        err = std::fabs(f - hz);
        best = f;
      }
    }
  }
  return best;
}

TEST_F(VCard, ClockGetsNearestReachableFrequency) {
  ADMXRC2_HANDLE h0 = open(0), h1 = open(1);  // no FPGA configured: not needed
  const double wanted[] = {VCARD_CLOCK_MIN_HZ, 1.234567e6, 33.333333e6, 50e6,
                           66.6e6,             100e6,      123.456789e6, 250e6,
                           499.99e6,           VCARD_CLOCK_MAX_HZ};
  for (double hz : wanted) {
    SCOPED_TRACE(hz);
    double got = -1;
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h0, 1, hz, &got));
    EXPECT_EQ(nearestByBruteForce(hz), got);
    // M/N with N <= 63 is coarse near whole ratios and at the low end (1 MHz
    // gets 33.33 MHz / 33), but never far off.
    EXPECT_LT(std::fabs(got - hz), hz * 0.015);
    double kept = 0;
    ASSERT_EQ(0, vcard_get_clock(0, 1, &kept));
    EXPECT_EQ(got, kept);
  }
  // Each card and clock keeps its own setting.
  double a = 0, b = 0, kept = 0;
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h0, 0, 40e6, &a));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h1, 0, 80e6, &b));
  EXPECT_EQ(0, vcard_get_clock(0, 0, &kept));
  EXPECT_EQ(a, kept);
  EXPECT_EQ(0, vcard_get_clock(1, 0, &kept));
  EXPECT_EQ(b, kept);
  EXPECT_EQ(0, vcard_get_clock(1, 1, &kept));
  EXPECT_EQ(0.0, kept);
  EXPECT_EQ(-1, vcard_get_clock(0, VCARD_CLOCK_COUNT, &kept));
  EXPECT_EQ(-1, vcard_get_clock(2, 0, &kept));
}

TEST_F(VCard, ClockRefusals) {
  ADMXRC2_HANDLE h = open(0);
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    uint32_t clock;
    double hz;
    bool null_out;
    St status;
  } cases[] = {
      {0, std::nextafter(VCARD_CLOCK_MIN_HZ, 0.0), false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, std::nextafter(VCARD_CLOCK_MAX_HZ, inf), false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, 0.0, false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, -50e6, false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, NAN, false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, inf, false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {0, -inf, false, ADMXRC2_CLOCK_OUT_OF_RANGE},
      {VCARD_CLOCK_COUNT, 50e6, false, ADMXRC2_INVALID_INDEX},
      {0xFFFFFFFFu, 50e6, false, ADMXRC2_INVALID_INDEX},
      {0, 50e6, true, ADMXRC2_NULL_POINTER},
      // Index before frequency before out-pointer.
      {2, NAN, true, ADMXRC2_INVALID_INDEX},
      {1, NAN, true, ADMXRC2_CLOCK_OUT_OF_RANGE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "clock " << c.clock << " hz " << c.hz);
    double got = -1;
    EXPECT_ST(c.status, ADMXRC2_SetClockRate(h, c.clock, c.hz, c.null_out ? nullptr : &got));
    double kept = -1;
    EXPECT_EQ(0, vcard_get_clock(0, 0, &kept));
    EXPECT_EQ(0.0, kept) << "a refused call changed the clock";
  }
  // A card with one clock has no clock 1.
  ADMXRC2_CARD_INFO info;
  ASSERT_EQ(0, vcard_get_card_info(0, &info));
  info.NumClock = 1;
  ASSERT_EQ(0, vcard_set_card_info(0, &info));
  double got;
  EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_SetClockRate(h, 1, 50e6, &got));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h, 0, 50e6, &got));
}

// ---------------------------------------------------------------- records

TEST_F(VCard, DefaultCardRecords) {
  struct Want {
    uint32_t id, serial;
    int32_t board, fpga;
    uint32_t banks;
    uint8_t board_rev, logic_rev;
  } want[] = {{0, 1001, 11, 105, 4, 0x12, 0x03}, {5, 2002, 15, 137, 2, 0x21, 0x04}};
  for (uint32_t i = 0; i < 2; i++) {
    SCOPED_TRACE(i);
    ADMXRC2_CARD_INFO info;
    std::memset(&info, 0xEE, sizeof info);
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(open(i), &info));
    EXPECT_EQ(want[i].id, info.CardID);
    EXPECT_EQ(want[i].serial, info.SerialNumber);
    EXPECT_EQ(want[i].board, info.BoardType);
    EXPECT_EQ(want[i].fpga, info.FPGAType);
    EXPECT_EQ(2u, info.NumClock);
    EXPECT_EQ(2u, info.NumDMAChannel);
    EXPECT_EQ(3u, info.NumSpace);
    EXPECT_EQ(want[i].banks, info.NumBank);
    EXPECT_EQ(kSize, info.LocalSize);
    EXPECT_EQ(want[i].board_rev, info.BoardRevision);
    EXPECT_EQ(want[i].logic_rev, info.LogicRevision);
    EXPECT_EQ(0xA5, info.Reserved[0]);
    EXPECT_EQ(0xA5, info.Reserved[1]);
    ADMXRC2_CARD_INFO direct;
    ASSERT_EQ(0, vcard_get_card_info(i, &direct));
    EXPECT_EQ(0, std::memcmp(&info, &direct, sizeof info));
  }
  ADMXRC2_CARD_INFO info;
  EXPECT_EQ(-1, vcard_get_card_info(2, &info));
  EXPECT_EQ(-1, vcard_get_card_info(0, nullptr));
}

TEST_F(VCard, DefaultSpaceAndBankRecords) {
  for (uint32_t i = 0; i < 2; i++) {
    SCOPED_TRACE(i);
    ADMXRC2_HANDLE h = open(i);
    ADMXRC2_CARD_INFO info;
    ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(h, &info));
    // The spaces tile the local address space in order.
    uint32_t next = 0;
    for (uint32_t s = 0; s < info.NumSpace; s++) {
      ADMXRC2_SPACE_INFO sp;
      ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetSpaceInfo(h, s, &sp));
      EXPECT_EQ(next, sp.LocalBase);
      EXPECT_NE(0u, sp.LocalSize);
      EXPECT_EQ(7u, sp.WidthMask);
      EXPECT_EQ(0xF0000000u - i * 0x08000000u + sp.LocalBase, sp.BusAddress);
      EXPECT_EQ(0u, sp.Flags & ~3u);
      next += sp.LocalSize;
    }
    EXPECT_EQ(info.LocalSize, next);
    for (uint32_t b = 0; b < info.NumBank; b++) {
      ADMXRC2_BANK_INFO bk;
      ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetBankInfo(h, b, &bk));
      EXPECT_EQ(i == 0 ? 32u : 64u, bk.Width);
      EXPECT_EQ(i == 0 ? 4096u : 131072u, bk.Size);
      EXPECT_NE(0u, bk.TypeMask);
      EXPECT_EQ(1, bk.Fitted);
      const uint8_t reserved[3] = {0x5A, 0xA5, 0x3C};
      EXPECT_EQ(0, std::memcmp(reserved, bk.Reserved, 3));
    }
    ADMXRC2_SPACE_INFO sp;
    ADMXRC2_BANK_INFO bk;
    EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_GetSpaceInfo(h, info.NumSpace, &sp));
    EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_GetBankInfo(h, info.NumBank, &bk));
    EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_GetBankInfo(h, 0xFFFFFFFFu, nullptr));
    EXPECT_ST(ADMXRC2_NULL_POINTER, ADMXRC2_GetSpaceInfo(h, 0, nullptr));
    EXPECT_ST(ADMXRC2_NULL_POINTER, ADMXRC2_GetBankInfo(h, 0, nullptr));
    EXPECT_ST(ADMXRC2_NULL_POINTER, ADMXRC2_GetCardInfo(h, nullptr));
  }
}

TEST_F(VCard, ChangedRecordsReachUsers) {
  ADMXRC2_HANDLE h = open(0);
  ADMXRC2_CARD_INFO info;
  ASSERT_EQ(0, vcard_get_card_info(0, &info));
  info.BoardType = -3;
  info.FPGAType = 0x7FFFFFFF;
  info.NumSpace = 5;
  info.NumBank = VCARD_MAX_BANKS + 4;
  info.CardID = 77;
  ASSERT_EQ(0, vcard_set_card_info(0, &info));
  ADMXRC2_CARD_INFO got;
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(h, &got));
  EXPECT_EQ(0, std::memcmp(&info, &got, sizeof info));
  // Cards are found by their current identifier.
  ADMXRC2_HANDLE h2;
  EXPECT_ST(ADMXRC2_CARD_NOT_FOUND, ADMXRC2_OpenCard(0, &h2));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_OpenCard(77, &h2));

  const ADMXRC2_SPACE_INFO sp = {0x100, 0x200, 4, 0, 0xC0000000u};
  const ADMXRC2_BANK_INFO bk = {0x10, 16, 512, 0, {1, 2, 3}};
  ASSERT_EQ(0, vcard_set_space_info(0, 4, &sp));
  ASSERT_EQ(0, vcard_set_bank_info(0, VCARD_MAX_BANKS - 1, &bk));
  ADMXRC2_SPACE_INFO sg;
  ADMXRC2_BANK_INFO bg;
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetSpaceInfo(h, 4, &sg));
  EXPECT_EQ(0, std::memcmp(&sp, &sg, sizeof sp));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetBankInfo(h, VCARD_MAX_BANKS - 1, &bg));
  EXPECT_EQ(0, std::memcmp(&bk, &bg, sizeof bk));
  EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_GetSpaceInfo(h, 5, &sg));
  // NumBank past what the model keeps: the extra banks do not exist.
  EXPECT_ST(ADMXRC2_INVALID_INDEX, ADMXRC2_GetBankInfo(h, VCARD_MAX_BANKS, &bg));

  EXPECT_EQ(-1, vcard_set_space_info(0, VCARD_MAX_SPACES, &sp));
  EXPECT_EQ(-1, vcard_set_bank_info(0, VCARD_MAX_BANKS, &bk));
  EXPECT_EQ(-1, vcard_set_space_info(2, 0, &sp));
  EXPECT_EQ(-1, vcard_set_bank_info(0, 0, nullptr));
  EXPECT_EQ(-1, vcard_set_card_info(0, nullptr));
  EXPECT_EQ(-1, vcard_set_card_info(2, &info));
}

// ---------------------------------------------------------------- transfers

TEST_F(VCard, WrittenDataIsSharedByTheHandlesOfOneCard) {
  ADMXRC2_HANDLE a = openConfigured(0), b = open(0), other = openConfigured(1);
  const auto data = pattern(4096, 1);
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_Write(a, ADMXRC2_WIDTH_8, 0, 0x1000, data.data(), 4096));
  std::vector<uint8_t> back(4096);
  ASSERT_ST(ADMXRC2_SUCCESS,
            ADMXRC2_Read(b, ADMXRC2_WIDTH_32, ADMXRC2_FLAG_BURST, 0x1000, back.data(), 4096));
  EXPECT_EQ(data, back);
  EXPECT_EQ(data, peek(0, 0x1000, 4096));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_Read(other, 0, 0, 0x1000, back.data(), 4096));
  EXPECT_EQ(std::vector<uint8_t>(4096, 0), back) << "the other card saw the data";
  // And what is poked shows up in reads.
  const auto poked = pattern(16, 2);
  ASSERT_EQ(0, vcard_poke(0, kSize - 16, poked.data(), 16));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_Read(a, 1, 0, kSize - 16, back.data(), 16));
  EXPECT_EQ(0, std::memcmp(poked.data(), back.data(), 16));
}

TEST_F(VCard, TransferRangeEdges) {
  ADMXRC2_HANDLE h = openConfigured(0);
  struct Case {
    uint32_t offset, length;
    St status;
  } cases[] = {
      {0, kSize, ADMXRC2_SUCCESS},
      {kSize - 1, 1, ADMXRC2_SUCCESS},
      {kSize, 0, ADMXRC2_SUCCESS},
      {0, 0, ADMXRC2_SUCCESS},
      {kSize, 1, ADMXRC2_REGION_OUT_OF_RANGE},
      {kSize + 1, 0, ADMXRC2_REGION_OUT_OF_RANGE},
      {kSize - 4, 8, ADMXRC2_REGION_OUT_OF_RANGE},
      {0, kSize + 1, ADMXRC2_REGION_OUT_OF_RANGE},
      {0xFFFFFFFFu, 1, ADMXRC2_REGION_OUT_OF_RANGE},  // wraps to 0 in 32 bits
      {0xFFFFFFF0u, 0x20, ADMXRC2_REGION_OUT_OF_RANGE},
      {1, 0xFFFFFFFFu, ADMXRC2_REGION_OUT_OF_RANGE},
      {0xFFFFFFFFu, 0, ADMXRC2_REGION_OUT_OF_RANGE},
  };
  std::vector<uint8_t> buf(kSize, 0x5C);
  ASSERT_EQ(0, vcard_poke(0, 0, buf.data(), kSize));
  // Big enough for every accepted transfer; a refused one must not touch it.
  std::vector<uint8_t> ones(kSize, 0x00);
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "offset " << c.offset << " length " << c.length);
    EXPECT_ST(c.status, ADMXRC2_Write(h, 0, 0, c.offset, ones.data(), c.length));
    if (c.status == ADMXRC2_SUCCESS) {
      std::memset(ones.data(), 0x11, c.length);
      EXPECT_ST(c.status, ADMXRC2_Read(h, 0, 0, c.offset, ones.data(), c.length));
      EXPECT_TRUE(std::all_of(ones.begin(), ones.begin() + c.length, [](uint8_t v) { return v == 0; }));
      std::fill(ones.begin(), ones.end(), 0);
      ASSERT_EQ(0, vcard_poke(0, 0, buf.data(), kSize));  // undo the write
    } else {
      EXPECT_ST(c.status, ADMXRC2_Read(h, 0, 0, c.offset, ones.data(), c.length));
      EXPECT_EQ(-1, vcard_peek(0, c.offset, ones.data(), c.length));
      EXPECT_EQ(-1, vcard_poke(0, c.offset, ones.data(), c.length));
    }
  }
  EXPECT_EQ(buf, peek(0, 0, kSize)) << "a refused write changed the card";
  EXPECT_EQ(-1, vcard_peek(2, 0, ones.data(), 1));
  EXPECT_EQ(-1, vcard_poke(0, 0, nullptr, 1));
}

TEST_F(VCard, TransferCodesAndCheckOrder) {
  ADMXRC2_HANDLE h = open(0);
  uint8_t buf[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  struct Case {
    const char *what;
    bool configured;
    uint32_t width, flags, offset;
    bool null_buffer;
    uint32_t length;
    St status;
  } cases[] = {
      {"width 8", true, 0, 0, 0, false, 8, ADMXRC2_SUCCESS},
      {"width 16", true, 1, 0, 0, false, 8, ADMXRC2_SUCCESS},
      {"width 32 burst", true, 2, 2, 0, false, 8, ADMXRC2_SUCCESS},
      {"width 3", true, 3, 0, 0, false, 8, ADMXRC2_INVALID_WIDTH},
      {"width ~0", true, 0xFFFFFFFFu, 0, 0, false, 8, ADMXRC2_INVALID_WIDTH},
      {"flags 1", true, 0, 1, 0, false, 8, ADMXRC2_INVALID_FLAGS},
      {"flags 3", true, 0, 3, 0, false, 8, ADMXRC2_INVALID_FLAGS},
      {"flags 4", true, 0, 4, 0, false, 8, ADMXRC2_INVALID_FLAGS},
      {"null buffer", true, 0, 0, 0, true, 8, ADMXRC2_NULL_POINTER},
      {"null buffer, no bytes", true, 0, 0, 0, true, 0, ADMXRC2_SUCCESS},
      {"not configured", false, 0, 0, 0, false, 8, ADMXRC2_FPGA_NOT_CONFIGURED},
      // First failure wins.
      {"width before flags", false, 5, 1, kSize, true, 8, ADMXRC2_INVALID_WIDTH},
      {"flags before configured", false, 0, 1, kSize, true, 8, ADMXRC2_INVALID_FLAGS},
      {"configured before range", false, 0, 0, kSize, true, 8, ADMXRC2_FPGA_NOT_CONFIGURED},
      {"range before buffer", true, 0, 0, kSize, true, 8, ADMXRC2_REGION_OUT_OF_RANGE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(0, vcard_set_configured(0, c.configured ? 1 : 0));
    void *b = c.null_buffer ? nullptr : buf;
    EXPECT_ST(c.status, ADMXRC2_Write(h, c.width, c.flags, c.offset, b, c.length));
    EXPECT_ST(c.status, ADMXRC2_Read(h, c.width, c.flags, c.offset, b, c.length));
  }
}

// ---------------------------------------------------------------- DMA

TEST_F(VCard, DmaModeWordLayout) {
  struct Case {
    int32_t board;
    uint32_t width, burst, flags, word;
  } cases[] = {
      {11, ADMXRC2_WIDTH_32, 0, kModeFlags, 0x0B0001C2u},
      {15, ADMXRC2_WIDTH_8, 0, kModeFlags, 0x0F0001C0u},
      {0x1234, ADMXRC2_WIDTH_16, 0x12, 0x3, 0x34120001u},
      {-1, 3, 0x1FF, 0xFFFFFFFFu, 0xFFFFFFFFu},
      {0, 0, 0, 0, 0},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(c.word, ADMXRC2_BuildDMAModeWord(c.board, c.width, c.burst, c.flags))
        << "board " << c.board << " width " << c.width;
  }
}

TEST_F(VCard, DmaMovesDataBothWaysAndSignals) {
  ADMXRC2_HANDLE h = openConfigured(1);
  Event ev;
  auto out = pattern(10000, 3);
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_DoDMAImmediate(h, out.data(), 10000, 0x40000,
                                                     ADMXRC2_DIR_HOST_TO_CARD, 1, mode(1), 0,
                                                     0, ev.h));
  EXPECT_TRUE(ev.signalled());
  EXPECT_FALSE(ev.signalled()) << "auto-reset event stayed set";
  EXPECT_EQ(out, peek(1, 0x40000, 10000));

  const auto in = pattern(5000, 4);
  ASSERT_EQ(0, vcard_poke(1, kSize - 5000, in.data(), 5000));
  std::vector<uint8_t> got(5000);
  Event manual(true);
  ASSERT_ST(ADMXRC2_SUCCESS,
            ADMXRC2_DoDMAImmediate(h, got.data(), 5000, kSize - 5000, ADMXRC2_DIR_CARD_TO_HOST, 0,
                                   mode(1, ADMXRC2_WIDTH_8), 0, 1000, manual.h));
  EXPECT_EQ(in, got);
  EXPECT_TRUE(manual.signalled());
  // A transfer of no bytes still signals; so does one with a busy mode word.
  ASSERT_TRUE(ResetEvent(manual.h));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_DoDMAImmediate(h, nullptr, 0, kSize, 1, 0,
                                                     ADMXRC2_BuildDMAModeWord(15, 1, 0xFF, 0xFFFC),
                                                     0, 0, manual.h));
  EXPECT_TRUE(manual.signalled());
}

TEST_F(VCard, DmaRefusalsDoNothing) {
  ADMXRC2_HANDLE h = openConfigured(0);
  Event ev;
  HANDLE closed_ev = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_TRUE(CloseHandle(closed_ev));
  int not_an_event = 0;
  std::vector<uint8_t> buf = pattern(256, 5);
  const uint32_t good_mode = mode(0);
  struct Call {
    ADMXRC2_HANDLE card;
    bool null_buffer;
    uint32_t length, offset, direction, channel, mode, flags;
    HANDLE event;
  };
  const Call base = {h, false, 256, 0x100, 0, 0, good_mode, 0, ev.h};
  struct Case {
    const char *what;
    std::function<void(Call &)> change;
    St status;
  } cases[] = {
      {"closed handle", [&](Call &c) { c.card = kNeverIssued; }, ADMXRC2_INVALID_HANDLE},
      {"no event", [](Call &c) { c.event = nullptr; }, ADMXRC2_INVALID_EVENT},
      {"closed event", [&](Call &c) { c.event = closed_ev; }, ADMXRC2_INVALID_EVENT},
      {"not an event", [&](Call &c) { c.event = &not_an_event; }, ADMXRC2_INVALID_EVENT},
      {"direction 2", [](Call &c) { c.direction = 2; }, ADMXRC2_INVALID_DIRECTION},
      {"channel 2", [](Call &c) { c.channel = 2; }, ADMXRC2_INVALID_DMA_CHANNEL},
      {"other card's mode", [](Call &c) { c.mode = ADMXRC2_BuildDMAModeWord(15, 2, 0, 0x1C0); },
       ADMXRC2_INVALID_DMA_MODE},
      {"width 3 mode", [](Call &c) { c.mode = ADMXRC2_BuildDMAModeWord(11, 3, 0, 0x1C0); },
       ADMXRC2_INVALID_DMA_MODE},
      {"mode 0", [](Call &c) { c.mode = 0; }, ADMXRC2_INVALID_DMA_MODE},
      {"flags 1", [](Call &c) { c.flags = 1; }, ADMXRC2_INVALID_FLAGS},
      {"flags 2", [](Call &c) { c.flags = 2; }, ADMXRC2_INVALID_FLAGS},
      {"past the end", [](Call &c) { c.offset = kSize - 255; }, ADMXRC2_REGION_OUT_OF_RANGE},
      {"wrapping offset", [](Call &c) { c.offset = 0xFFFFFF80u; }, ADMXRC2_REGION_OUT_OF_RANGE},
      {"null buffer", [](Call &c) { c.null_buffer = true; }, ADMXRC2_NULL_POINTER},
      // First failure wins.
      {"event before direction",
       [](Call &c) {
         c.event = nullptr;
         c.direction = 7;
       },
       ADMXRC2_INVALID_EVENT},
      {"direction before channel",
       [](Call &c) {
         c.direction = 7;
         c.channel = 7;
       },
       ADMXRC2_INVALID_DIRECTION},
      {"channel before mode",
       [](Call &c) {
         c.channel = 7;
         c.mode = 0;
       },
       ADMXRC2_INVALID_DMA_CHANNEL},
      {"mode before flags",
       [](Call &c) {
         c.mode = 0;
         c.flags = 1;
       },
       ADMXRC2_INVALID_DMA_MODE},
      {"flags before range",
       [](Call &c) {
         c.flags = 1;
         c.offset = kSize;
       },
       ADMXRC2_INVALID_FLAGS},
  };
  const auto before = peek(0, 0, 0x400);
  for (const Case &cs : cases) {
    SCOPED_TRACE(cs.what);
    for (uint32_t direction : {0u, 1u}) {
      Call c = base;
      c.direction = direction;
      cs.change(c);
      std::vector<uint8_t> host = buf;
      EXPECT_ST(cs.status,
                ADMXRC2_DoDMAImmediate(c.card, c.null_buffer ? nullptr : host.data(), c.length,
                                       c.offset, c.direction, c.channel, c.mode, c.flags, 0,
                                       c.event));
      EXPECT_FALSE(ev.signalled());
      EXPECT_EQ(buf, host);
    }
  }
  EXPECT_EQ(before, peek(0, 0, 0x400));

  // Not configured comes after every argument check, before the range.
  ASSERT_EQ(0, vcard_set_configured(0, 0));
  EXPECT_ST(ADMXRC2_FPGA_NOT_CONFIGURED,
            ADMXRC2_DoDMAImmediate(h, nullptr, 16, kSize, 0, 0, good_mode, 0, 0, ev.h));
  EXPECT_ST(ADMXRC2_INVALID_FLAGS,
            ADMXRC2_DoDMAImmediate(h, buf.data(), 16, 0, 0, 0, good_mode, 1, 0, ev.h));
  EXPECT_FALSE(ev.signalled());
}

TEST_F(VCard, DmaChecksFollowTheCardRecord) {
  ADMXRC2_HANDLE h = openConfigured(0);
  Event ev;
  uint8_t b[4] = {};
  ADMXRC2_CARD_INFO info;
  ASSERT_EQ(0, vcard_get_card_info(0, &info));
  info.BoardType = 0x12C;  // board byte 0x2C
  info.NumDMAChannel = 1;
  ASSERT_EQ(0, vcard_set_card_info(0, &info));
  EXPECT_ST(ADMXRC2_INVALID_DMA_MODE,
            ADMXRC2_DoDMAImmediate(h, b, 4, 0, 0, 0, ADMXRC2_BuildDMAModeWord(11, 2, 0, 0x1C0), 0,
                                   0, ev.h));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_DoDMAImmediate(h, b, 4, 0, 0, 0,
                                                     ADMXRC2_BuildDMAModeWord(0x2C, 2, 0, 0x1C0),
                                                     0, 0, ev.h));
  EXPECT_ST(ADMXRC2_INVALID_DMA_CHANNEL, ADMXRC2_DoDMAImmediate(h, b, 4, 0, 0, 1, mode(0), 0, 0,
                                                                 ev.h));
}

// ---------------------------------------------------------------- fault injection

TEST_F(VCard, InjectedFaultsFailTheNextCallsOnly) {
  TempFile good(bitstream(16, 0));
  ADMXRC2_HANDLE h = openConfigured(0);
  Event ev;
  uint8_t buf[16] = {};
  double hz = 0;
  ADMXRC2_CARD_INFO ci;
  ADMXRC2_SPACE_INFO si;
  ADMXRC2_BANK_INFO bi;
  ADMXRC2_HANDLE spare = 0;
  struct Case {
    vcard_op op;
    std::function<St()> call;
  } cases[] = {
      {VCARD_OP_OPEN_CARD, [&] { return ADMXRC2_OpenCard(5, &spare); }},
      {VCARD_OP_OPEN_CARD_BY_INDEX, [&] { return ADMXRC2_OpenCardByIndex(1, &spare); }},
      {VCARD_OP_CLOSE_CARD, [&] { return ADMXRC2_CloseCard(open(0)); }},
      {VCARD_OP_CONFIGURE_FROM_FILE, [&] { return ADMXRC2_ConfigureFromFile(h, good.path.c_str()); }},
      {VCARD_OP_SET_CLOCK_RATE, [&] { return ADMXRC2_SetClockRate(h, 0, 60e6, &hz); }},
      {VCARD_OP_GET_CARD_INFO, [&] { return ADMXRC2_GetCardInfo(h, &ci); }},
      {VCARD_OP_GET_SPACE_INFO, [&] { return ADMXRC2_GetSpaceInfo(h, 0, &si); }},
      {VCARD_OP_GET_BANK_INFO, [&] { return ADMXRC2_GetBankInfo(h, 0, &bi); }},
      {VCARD_OP_READ, [&] { return ADMXRC2_Read(h, 0, 0, 0, buf, 16); }},
      {VCARD_OP_WRITE, [&] { return ADMXRC2_Write(h, 0, 0, 0, buf, 16); }},
      {VCARD_OP_DO_DMA_IMMEDIATE,
       [&] { return ADMXRC2_DoDMAImmediate(h, buf, 16, 0, 0, 0, mode(0), 0, 0, ev.h); }},
  };
  ASSERT_EQ(size_t{VCARD_OP_COUNT - 2}, std::size(cases));
  for (const Case &c : cases) {
    SCOPED_TRACE(vcard_op_name(c.op));
    ASSERT_EQ(0, vcard_inject(c.op, 0x77, 2));
    EXPECT_ST(0x77, c.call());
    EXPECT_ST(0x77, c.call());
    EXPECT_ST(ADMXRC2_SUCCESS, c.call());
    EXPECT_ST(ADMXRC2_SUCCESS, c.call());
    // Clearing with a count of 0.
    ASSERT_EQ(0, vcard_inject(c.op, ADMXRC2_NO_MEMORY, 5));
    ASSERT_EQ(0, vcard_inject(c.op, ADMXRC2_NO_MEMORY, 0));
    EXPECT_ST(ADMXRC2_SUCCESS, c.call());
  }
  EXPECT_EQ(-1, vcard_inject(VCARD_OP_GET_STATUS_STRING, 1, 1));
  EXPECT_EQ(-1, vcard_inject(VCARD_OP_BUILD_DMA_MODE_WORD, 1, 1));
  EXPECT_EQ(-1, vcard_inject(VCARD_OP_COUNT, 1, 1));
  EXPECT_EQ(-1, vcard_inject(static_cast<vcard_op>(-1), 1, 1));
}

TEST_F(VCard, InjectedFaultsHaveNoOtherEffect) {
  ADMXRC2_HANDLE h = open(0);
  Event ev;
  TempFile good(bitstream(16, 0));
  auto data = pattern(64, 6);
  ASSERT_EQ(0, vcard_inject(VCARD_OP_CONFIGURE_FROM_FILE, ADMXRC2_FILE_EMPTY, 1));
  EXPECT_ST(ADMXRC2_FILE_EMPTY, ADMXRC2_ConfigureFromFile(h, good.path.c_str()));
  EXPECT_EQ(0, vcard_is_configured(0));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_ConfigureFromFile(h, good.path.c_str()));

  ASSERT_EQ(0, vcard_inject(VCARD_OP_WRITE, ADMXRC2_REGION_OUT_OF_RANGE, 1));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_DO_DMA_IMMEDIATE, 0, 1));  // even "success" does nothing
  ASSERT_EQ(0, vcard_inject(VCARD_OP_OPEN_CARD, ADMXRC2_SUCCESS, 1));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_CLOSE_CARD, ADMXRC2_SUCCESS, 1));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_SET_CLOCK_RATE, ADMXRC2_SUCCESS, 1));
  EXPECT_ST(ADMXRC2_REGION_OUT_OF_RANGE, ADMXRC2_Write(h, 0, 0, 0, data.data(), 64));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_DoDMAImmediate(h, data.data(), 64, 0, 0, 0, mode(0), 0, 0,
                                                     ev.h));
  EXPECT_FALSE(ev.signalled());
  EXPECT_EQ(std::vector<uint8_t>(64, 0), peek(0, 0, 64));
  ADMXRC2_HANDLE untouched = 0x4444;
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_OpenCard(0, &untouched));
  EXPECT_EQ(0x4444u, untouched);
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_CloseCard(h));
  EXPECT_EQ(1u, vcard_open_handles());
  double hz = -1, kept = -1;
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h, 0, 60e6, &hz));
  EXPECT_EQ(-1.0, hz);
  EXPECT_EQ(0, vcard_get_clock(0, 0, &kept));
  EXPECT_EQ(0.0, kept);

  // vcard_clear_faults and vcard_reset disarm everything.
  ASSERT_EQ(0, vcard_inject(VCARD_OP_READ, 99, 10));
  vcard_clear_faults();
  uint8_t b[4];
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_Read(h, 0, 0, 0, b, 4));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_OPEN_CARD_BY_INDEX, 99, 10));
  vcard_reset();
  EXPECT_NE(0u, open(0));
}

// ---------------------------------------------------------------- journal

TEST_F(VCard, JournalRecordsEveryArgument) {
  ADMXRC2_HANDLE h = openConfigured(0);
  Event ev;
  uint8_t buf[32] = {};
  double hz = 0;
  ADMXRC2_CARD_INFO ci;
  ADMXRC2_SPACE_INFO si;
  ADMXRC2_BANK_INFO bi;
  ADMXRC2_HANDLE opened = 0, spare = 0;
  const std::string long_name = ::testing::TempDir() + std::string(3000, 'n');
  const char *missing = "/nonexistent/vcard/bitstream.bit";
  const auto P = [](const void *p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); };

  const uint32_t m0 = mode(0);
  ADMXRC2_CloseCard(kNeverIssued);  // not recorded: the journal is off
  EXPECT_EQ(0u, vcard_journal_count());
  vcard_journal_enable(1);

  const uint32_t word = ADMXRC2_BuildDMAModeWord(-2, 1, 3, 0x1C0);
  struct Want {
    vcard_op op;
    St result;
    std::vector<uint64_t> args;
  };
  std::vector<Want> want;
  want.push_back({VCARD_OP_BUILD_DMA_MODE_WORD, word,
                  {0xFFFFFFFEu, 1, 3, 0x1C0}});
  want.push_back({VCARD_OP_OPEN_CARD, ADMXRC2_SUCCESS, {5, P(&opened)}});
  ADMXRC2_OpenCard(5, &opened);
  want.push_back({VCARD_OP_OPEN_CARD_BY_INDEX, ADMXRC2_CARD_NOT_FOUND, {9, P(&spare)}});
  ADMXRC2_OpenCardByIndex(9, &spare);
  want.push_back({VCARD_OP_CLOSE_CARD, ADMXRC2_SUCCESS, {opened}});
  ADMXRC2_CloseCard(opened);
  want.push_back({VCARD_OP_GET_STATUS_STRING, 0, {0xABCDEFu}});
  ADMXRC2_GetStatusString(0xABCDEFu);
  want.push_back({VCARD_OP_CONFIGURE_FROM_FILE, ADMXRC2_FILE_NOT_FOUND, {h, P(missing)}});
  ADMXRC2_ConfigureFromFile(h, missing);
  want.push_back({VCARD_OP_CONFIGURE_FROM_FILE, ADMXRC2_FILE_NOT_FOUND, {h, P(long_name.c_str())}});
  ADMXRC2_ConfigureFromFile(h, long_name.c_str());
  want.push_back({VCARD_OP_CONFIGURE_FROM_FILE, ADMXRC2_NULL_POINTER, {h, 0}});
  ADMXRC2_ConfigureFromFile(h, nullptr);
  want.push_back({VCARD_OP_SET_CLOCK_RATE, ADMXRC2_SUCCESS, {h, 1, P(&hz)}});
  ADMXRC2_SetClockRate(h, 1, 75.5e6, &hz);
  want.push_back({VCARD_OP_GET_CARD_INFO, ADMXRC2_SUCCESS, {h, P(&ci)}});
  ADMXRC2_GetCardInfo(h, &ci);
  want.push_back({VCARD_OP_GET_SPACE_INFO, ADMXRC2_INVALID_INDEX, {h, 3, P(&si)}});
  ADMXRC2_GetSpaceInfo(h, 3, &si);
  want.push_back({VCARD_OP_GET_BANK_INFO, ADMXRC2_SUCCESS, {h, 2, P(&bi)}});
  ADMXRC2_GetBankInfo(h, 2, &bi);
  want.push_back({VCARD_OP_READ, ADMXRC2_SUCCESS, {h, 1, 2, 0x300, P(buf), 32}});
  ADMXRC2_Read(h, 1, 2, 0x300, buf, 32);
  want.push_back({VCARD_OP_WRITE, ADMXRC2_INVALID_WIDTH, {h, 4, 0, 0x10, P(buf + 1), 7}});
  ADMXRC2_Write(h, 4, 0, 0x10, buf + 1, 7);
  want.push_back({VCARD_OP_DO_DMA_IMMEDIATE,
                  ADMXRC2_SUCCESS,
                  {h, P(buf), 32, 0x800, 1, 1, m0, 0, 123, P(ev.h)}});
  ADMXRC2_DoDMAImmediate(h, buf, 32, 0x800, 1, 1, m0, 0, 123, ev.h);
  ASSERT_EQ(0, vcard_inject(VCARD_OP_READ, 0x99, 1));
  want.push_back({VCARD_OP_READ, 0x99, {h, 0, 0, 0, P(buf), 4}});
  ADMXRC2_Read(h, 0, 0, 0, buf, 4);

  ASSERT_EQ(want.size(), vcard_journal_count());
  for (size_t i = 0; i < want.size(); i++) {
    SCOPED_TRACE(::testing::Message() << "entry " << i << " " << vcard_op_name(want[i].op));
    vcard_call e;
    ASSERT_EQ(1, vcard_journal_get(i, &e));
    EXPECT_EQ(want[i].op, e.op);
    EXPECT_EQ(want[i].result, e.result);
    ASSERT_EQ(want[i].args.size(), e.nargs);
    for (size_t a = 0; a < e.nargs; a++) EXPECT_EQ(want[i].args[a], e.arg[a]) << "arg " << a;
    for (size_t a = e.nargs; a < 10; a++) EXPECT_EQ(0u, e.arg[a]);
    if (e.op == VCARD_OP_SET_CLOCK_RATE) {
      EXPECT_EQ(75.5e6, e.real);
    } else {
      EXPECT_EQ(0.0, e.real);
    }
    const char *name = e.op == VCARD_OP_CONFIGURE_FROM_FILE
                           ? reinterpret_cast<const char *>(static_cast<uintptr_t>(e.arg[1]))
                           : nullptr;
    if (name != nullptr) {
      const std::string full(name);
      EXPECT_EQ(full.size(), e.text_len);
      EXPECT_EQ(full.substr(0, VCARD_JOURNAL_TEXT - 1), std::string(e.text));
    } else {
      EXPECT_EQ(0u, e.text_len);
      EXPECT_STREQ("", e.text);
    }
  }
  vcard_call e;
  EXPECT_EQ(0, vcard_journal_get(want.size(), &e));
  EXPECT_EQ(0, vcard_journal_get(0, nullptr));
}

TEST_F(VCard, JournalIsABoundedRing) {
  vcard_journal_enable(1);
  const uint32_t extra = 10;
  for (uint32_t i = 0; i < VCARD_JOURNAL_CAPACITY + extra; i++) ADMXRC2_CloseCard(0x100000u + i);
  ASSERT_EQ(size_t{VCARD_JOURNAL_CAPACITY}, vcard_journal_count());
  vcard_call e;
  ASSERT_EQ(1, vcard_journal_get(0, &e));
  EXPECT_EQ(0x100000u + extra, e.arg[0]) << "the oldest entries give way";
  ASSERT_EQ(1, vcard_journal_get(VCARD_JOURNAL_CAPACITY - 1, &e));
  EXPECT_EQ(0x100000u + VCARD_JOURNAL_CAPACITY + extra - 1, e.arg[0]);
  EXPECT_EQ(0, vcard_journal_get(VCARD_JOURNAL_CAPACITY, &e));

  // Switched off, it keeps what it has; cleared, it starts again.
  vcard_journal_enable(0);
  ADMXRC2_CloseCard(1);
  EXPECT_EQ(size_t{VCARD_JOURNAL_CAPACITY}, vcard_journal_count());
  vcard_journal_clear();
  EXPECT_EQ(0u, vcard_journal_count());
  vcard_journal_enable(1);
  ADMXRC2_CloseCard(2);
  ASSERT_EQ(1u, vcard_journal_count());
  ASSERT_EQ(1, vcard_journal_get(0, &e));
  EXPECT_EQ(2u, e.arg[0]);
}

// ---------------------------------------------------------------- reset and names

TEST_F(VCard, ResetRestoresTheDefaultCards) {
  TempFile good(bitstream(16, 0));
  ADMXRC2_HANDLE h = open(0);
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_ConfigureFromFile(h, good.path.c_str()));
  uint8_t data[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_Write(h, 0, 0, 64, data, 8));
  double hz;
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_SetClockRate(h, 0, 90e6, &hz));
  ADMXRC2_CARD_INFO defaults, changed;
  ASSERT_EQ(0, vcard_get_card_info(1, &defaults));
  changed = defaults;
  changed.SerialNumber = 1;
  ASSERT_EQ(0, vcard_set_card_info(1, &changed));
  ADMXRC2_BANK_INFO bk = {};
  ASSERT_EQ(0, vcard_set_bank_info(1, 0, &bk));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_GET_CARD_INFO, 50, 100));
  vcard_journal_enable(1);
  ADMXRC2_CloseCard(kNeverIssued);

  vcard_reset();

  EXPECT_EQ(0u, vcard_open_handles());
  EXPECT_EQ(0, vcard_is_configured(0));
  EXPECT_EQ(std::vector<uint8_t>(8, 0), peek(0, 64, 8));
  double kept = -1;
  EXPECT_EQ(0, vcard_get_clock(0, 0, &kept));
  EXPECT_EQ(0.0, kept);
  ADMXRC2_CARD_INFO now;
  ASSERT_EQ(0, vcard_get_card_info(1, &now));
  EXPECT_EQ(0, std::memcmp(&defaults, &now, sizeof now));
  ADMXRC2_HANDLE h1 = open(1);
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetCardInfo(h1, &now));
  ASSERT_ST(ADMXRC2_SUCCESS, ADMXRC2_GetBankInfo(h1, 0, &bk));
  EXPECT_EQ(1, bk.Fitted);
  EXPECT_ST(ADMXRC2_INVALID_HANDLE, ADMXRC2_GetCardInfo(h, &now));
  EXPECT_EQ(0u, vcard_journal_count()) << "the journal is off after a reset";
}

TEST_F(VCard, OperationNames) {
  for (int op = 0; op < static_cast<int>(VCARD_OP_COUNT); op++) {
    const char *name = vcard_op_name(static_cast<vcard_op>(op));
    ASSERT_NE(nullptr, name);
    ASSERT_EQ(0, std::strncmp(name, "ADMXRC2_", 8)) << name;
    EXPECT_EQ(op, vcard_op_from_name(name));
    EXPECT_EQ(op, vcard_op_from_name(name + 8));
  }
  EXPECT_STREQ("ADMXRC2_DoDMAImmediate", vcard_op_name(VCARD_OP_DO_DMA_IMMEDIATE));
  EXPECT_EQ(nullptr, vcard_op_name(VCARD_OP_COUNT));
  for (const char *bad : {"", "ADMXRC2_", "read", "ADMXRC2_Reads", "Nothing"}) {
    EXPECT_EQ(-1, vcard_op_from_name(bad)) << bad;
  }
  EXPECT_EQ(-1, vcard_op_from_name(nullptr));
}

// ---------------------------------------------------------------- concurrency

// Threads open and close cards, move data through their own regions by
// programmed and DMA transfers with events of their own, and read status
// texts, while another thread reads and switches the journal. Every thread's
// data must come back intact, and nothing may be left open.
TEST_F(VCard, ConcurrentMixedOperationsKeepDataAndLeaveNothingOpen) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 150;
  constexpr uint32_t kRegion = 8192;
  ASSERT_EQ(0, vcard_set_configured(0, 1));
  ASSERT_EQ(0, vcard_set_configured(1, 1));
  TempFile good(bitstream(64, 8));
  std::atomic<int> errors{0};
  std::atomic<bool> done{false};

  auto worker = [&](int t) {
    const uint32_t index = static_cast<uint32_t>(t % 2);
    const uint32_t base = static_cast<uint32_t>(t) * 0x100000u;  // private to this thread
    auto fail = [&](const char *what, int round) {
      errors++;
      std::fprintf(stderr, "thread %d round %d: %s\n", t, round, what);
    };
    for (int r = 0; r < kRounds; r++) {
      ADMXRC2_HANDLE a = 0, b = 0;
      if (ADMXRC2_OpenCardByIndex(index, &a) != ADMXRC2_SUCCESS ||
          ADMXRC2_OpenCard(index ? 5 : 0, &b) != ADMXRC2_SUCCESS) {
        fail("open", r);
        continue;
      }
      ADMXRC2_CARD_INFO info;
      if (ADMXRC2_GetCardInfo(b, &info) != ADMXRC2_SUCCESS) fail("card info", r);
      const uint32_t mode = ADMXRC2_BuildDMAModeWord(info.BoardType, 2, 0, kModeFlags);

      const auto out = pattern(kRegion, static_cast<uint32_t>(t * 100000 + r));
      std::vector<uint8_t> in(kRegion);
      if (ADMXRC2_Write(a, 2, 0, base, out.data(), kRegion) != ADMXRC2_SUCCESS ||
          ADMXRC2_Read(b, 0, 2, base, in.data(), kRegion) != ADMXRC2_SUCCESS || in != out) {
        fail("programmed transfer", r);
      }

      HANDLE ev = CreateEventA(nullptr, r % 2, FALSE, nullptr);
      if (ev == nullptr) {
        fail("event", r);
      } else {
        const auto dma_out = pattern(kRegion, static_cast<uint32_t>(~(t * 100000 + r)));
        std::vector<uint8_t> dma_in(kRegion);
        if (ADMXRC2_DoDMAImmediate(b, const_cast<uint8_t *>(dma_out.data()), kRegion,
                                   base + kRegion, 0, r % 2, mode, 0, 0,
                                   ev) != ADMXRC2_SUCCESS ||
            WaitForSingleObject(ev, 0) != WAIT_OBJECT_0) {
          fail("DMA to card", r);
        }
        if (ADMXRC2_DoDMAImmediate(a, dma_in.data(), kRegion, base + kRegion, 1, 0, mode, 0, 0,
                                   ev) != ADMXRC2_SUCCESS ||
            WaitForSingleObject(ev, INFINITE) != WAIT_OBJECT_0 || dma_in != dma_out) {
          fail("DMA from card", r);
        }
        if (!CloseHandle(ev)) fail("close event", r);
      }

      if (r % 25 == 0 && ADMXRC2_ConfigureFromFile(a, good.path.c_str()) != ADMXRC2_SUCCESS) {
        fail("configure", r);
      }
      const St unknown = 0x200000u + static_cast<St>(t * kRounds + r);
      if (std::strstr(ADMXRC2_GetStatusString(unknown), std::to_string(unknown).c_str()) ==
          nullptr) {
        fail("status text", r);
      }
      if (ADMXRC2_CloseCard(a) != ADMXRC2_SUCCESS || ADMXRC2_CloseCard(b) != ADMXRC2_SUCCESS ||
          ADMXRC2_CloseCard(a) != ADMXRC2_INVALID_HANDLE) {
        fail("close", r);
      }
    }
    // The last data this thread wrote is still where it put it.
    std::vector<uint8_t> last(kRegion);
    if (vcard_peek(index, base, last.data(), kRegion) != 0 ||
        last != pattern(kRegion, static_cast<uint32_t>(t * 100000 + kRounds - 1))) {
      fail("data at the end", kRounds);
    }
  };

  std::thread journal_reader([&] {
    vcard_call e;
    for (int i = 0; !done; i++) {
      vcard_journal_enable(i % 4 != 3);
      size_t n = vcard_journal_count();
      if (n > VCARD_JOURNAL_CAPACITY) errors++;
      if (n > 0) vcard_journal_get(n - 1, &e);
      std::this_thread::yield();
    }
  });
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; t++) threads.emplace_back(worker, t);
  for (auto &th : threads) th.join();
  done = true;
  journal_reader.join();

  EXPECT_EQ(0, errors.load());
  EXPECT_EQ(0u, vcard_open_handles());
  EXPECT_EQ(0u, osevent_live_count());
}

// Threads read at once while a fault is armed for a fixed number of calls:
// exactly that many reads fail, whoever makes them, and the journal stays at
// its capacity however many calls it sees. Arming again replaces the count
// rather than adding to it, so armed faults never pile up.
TEST_F(VCard, ArmedFaultsAreUsedUpExactlyOnceByConcurrentCallers) {
  constexpr int kThreads = 4;
  constexpr int kReads = 1500;  // 6000 calls: past the journal's capacity
  constexpr uint32_t kArmed = 1000;
  constexpr St kFault = 0x77;
  ASSERT_EQ(0, vcard_set_configured(0, 1));
  vcard_journal_enable(1);
  ASSERT_EQ(0, vcard_inject(VCARD_OP_READ, kFault, kArmed));
  std::atomic<int> faulted{0}, succeeded{0}, other{0};
  auto reader = [&] {
    ADMXRC2_HANDLE h = open(0);
    uint8_t buf[64];
    for (int i = 0; i < kReads; i++) {
      St st = ADMXRC2_Read(h, ADMXRC2_WIDTH_32, 0, 0, buf, sizeof buf);
      (st == kFault ? faulted : st == ADMXRC2_SUCCESS ? succeeded : other)++;
    }
    ADMXRC2_CloseCard(h);
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; t++) threads.emplace_back(reader);
  for (auto &th : threads) th.join();
  EXPECT_EQ(static_cast<int>(kArmed), faulted.load());
  EXPECT_EQ(kThreads * kReads - static_cast<int>(kArmed), succeeded.load());
  EXPECT_EQ(0, other.load());
  EXPECT_EQ(size_t{VCARD_JOURNAL_CAPACITY}, vcard_journal_count());
  EXPECT_EQ(0u, vcard_open_handles());

  ADMXRC2_HANDLE h = open(0);
  uint8_t buf[4];
  ASSERT_EQ(0, vcard_inject(VCARD_OP_READ, 0x55, 3));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_READ, 0x66, 2));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_WRITE, 0x99, 0xFFFFFFFFu));
  EXPECT_ST(0x66, ADMXRC2_Read(h, 0, 0, 0, buf, 4));
  EXPECT_ST(0x66, ADMXRC2_Read(h, 0, 0, 0, buf, 4));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_Read(h, 0, 0, 0, buf, 4));
  EXPECT_ST(0x99, ADMXRC2_Write(h, 0, 0, 0, buf, 4));
  ASSERT_EQ(0, vcard_inject(VCARD_OP_WRITE, 0x99, 0));
  EXPECT_ST(ADMXRC2_SUCCESS, ADMXRC2_Write(h, 0, 0, 0, buf, 4));
}

}  // namespace
