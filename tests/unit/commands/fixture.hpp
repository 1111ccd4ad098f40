// fixture.hpp - commands under the test host, against the virtual card.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "osevent_control.h"
#include "testhost.hpp"
#include "vcard_control.h"

#define OVRIX_COMMAND_LIST(X)                                                       \
  X(ovrix_init) X(ovrix_close) X(ovrix_config) X(ovrix_setclockrate) X(ovrix_getinfo) \
  X(ovrix_getspaceinfo) X(ovrix_getbankinfo) X(ovrix_read8) X(ovrix_read16)         \
  X(ovrix_read32) X(ovrix_write8) X(ovrix_write16) X(ovrix_write32)                 \
  X(ovrix_read8_dma) X(ovrix_read16_dma) X(ovrix_read32_dma) X(ovrix_write8_dma)    \
  X(ovrix_write16_dma) X(ovrix_write32_dma)

extern "C" {
#define OVRIX_DECLARE_ENTRY(name) void name##_main(int, mxArray *[], int, const mxArray *[]);
OVRIX_COMMAND_LIST(OVRIX_DECLARE_ENTRY)
#undef OVRIX_DECLARE_ENTRY
}

namespace th = testhost;

// The status texts the virtual card gives.
inline std::string status_text(uint32_t status) { return ADMXRC2_GetStatusString(status); }

// A fresh virtual card, card 0 open and configured, journal on and empty.
class CardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vcard_reset();
    osevent_fail_next(0);
    th::Result r = th::call(ovrix_init_main, 1, {});
    ASSERT_FALSE(r.failed) << r.message;
    card = th::value<uint32_t>(r.out(0));
    handle = th::u32(card);
    ASSERT_EQ(vcard_set_configured(0, 1), 0);
    vcard_journal_enable(1);
    vcard_journal_clear();
  }
  void TearDown() override {
    EXPECT_EQ(osevent_live_count(), 0u) << "a completion event was left open";
    vcard_reset();
  }

  std::vector<vcard_call> journal() const {
    std::vector<vcard_call> calls(vcard_journal_count());
    for (size_t i = 0; i < calls.size(); i++) vcard_journal_get(i, &calls[i]);
    return calls;
  }
  // The journalled calls of one operation.
  std::vector<vcard_call> calls(vcard_op op) const {
    std::vector<vcard_call> out;
    for (const vcard_call &c : journal())
      if (c.op == op) out.push_back(c);
    return out;
  }
  // The one call of `op`; fails the test unless there is exactly one.
  vcard_call only(vcard_op op) const {
    std::vector<vcard_call> c = calls(op);
    EXPECT_EQ(c.size(), 1u) << vcard_op_name(op);
    return c.empty() ? vcard_call{} : c[0];
  }
  std::vector<vcard_op> ops() const {
    std::vector<vcard_op> out;
    for (const vcard_call &c : journal()) out.push_back(c.op);
    return out;
  }

  uint32_t card = 0;
  th::Array handle;
};

// A byte pattern that shows where each byte came from.
inline std::vector<uint8_t> pattern(size_t n, uint8_t seed = 1) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; i++) v[i] = static_cast<uint8_t>(seed + i * 7);
  return v;
}
