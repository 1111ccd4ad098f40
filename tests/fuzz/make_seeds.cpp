// make_seeds.cpp - writes the fuzz target's seed corpus: one well-formed use
// of every command on an open, configured card, a session from open to close,
// and a few armed faults. Usage: ovrix_fuzz_seeds <folder>
// (the committed corpus is tests/fuzz/corpus; rewrite it after changing
// fuzz_format.hpp).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_format.hpp"
#include "mex.h"
#include "vcard_control.h"

using namespace fuzzfmt;

namespace {

enum : uint8_t {
  kInit, kClose, kConfig, kClock, kInfo, kSpace, kBank, kRead8, kRead16, kRead32, kWrite8,
  kWrite16, kWrite32, kRead8Dma, kRead16Dma, kRead32Dma, kWrite8Dma, kWrite16Dma, kWrite32Dma
};

constexpr uint8_t kReady = kConfigure0 | kConfigure1 | kOpenHandle;

// A row of `n` elements of `bytes` bytes each: the shape byte, its length, the data.
std::vector<uint8_t> row_shape(uint8_t n) { return {kShapeRow, n}; }
std::vector<uint8_t> ramp(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; i++) v[i] = static_cast<uint8_t>(i * 37 + 1);
  return v;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  std::vector<std::pair<std::string, Writer>> seeds;
  auto add = [&](const char *name, Writer w) { seeds.emplace_back(name, std::move(w)); };

  add("init", Writer(0).call(kInit, 1, 0));
  add("init_by_index", Writer(0).call(kInit, 1, 2).array(mxDOUBLE_CLASS, {kShape0x0}, {})
                           .number(1.0));
  add("close", Writer(kReady).call(kClose, 0, 1).special(kHandle));
  add("config", Writer(kOpenHandle).call(kConfig, 0, 2).special(kHandle).special(kBitstreamFile));
  add("clock", Writer(kReady).call(kClock, 1, 3).special(kHandle).number(1.0).number(66.666));
  add("getinfo", Writer(kReady).call(kInfo, 11, 1).special(kHandle));
  add("getspaceinfo", Writer(kReady).call(kSpace, 5, 2).special(kHandle).number(1.0));
  add("getbankinfo", Writer(kReady | kOpenIndex1).call(kBank, 4, 2).special(kHandle).number(1.0));

  const struct {
    const char *name;
    uint8_t read, write;
    mxClassID cls;
    uint8_t bytes;
  } pio[] = {{"8", kRead8, kWrite8, mxUINT8_CLASS, 1},
             {"16", kRead16, kWrite16, mxINT16_CLASS, 2},
             {"32", kRead32, kWrite32, mxUINT32_CLASS, 4}};
  for (const auto &p : pio) {
    add((std::string("write") + p.name).c_str(),
        Writer(kReady).call(p.write, 0, 3).special(kHandle).word(0x100)
            .array(p.cls, row_shape(8), ramp(8u * p.bytes)));
    add((std::string("read") + p.name).c_str(),
        Writer(kReady).call(p.read, 1, 4).special(kHandle).word(0x100).number(8.0).number(1.0));
  }
  add("write8_dma", Writer(kReady).call(kWrite8Dma, 0, 4).special(kHandle).word(0)
                        .array(mxINT8_CLASS, row_shape(16), ramp(16)).number(0.0));
  add("write16_dma", Writer(kReady).call(kWrite16Dma, 0, 3).special(kHandle).word(0x10000)
                         .array(mxUINT16_CLASS, row_shape(4), ramp(8)));
  add("write32_dma", Writer(kReady).call(kWrite32Dma, 0, 4).special(kHandle).word(0x03FFFF00u)
                         .array(mxDOUBLE_CLASS, row_shape(2), ramp(16)).number(1.0));
  add("read8_dma", Writer(kReady).call(kRead8Dma, 1, 4).special(kHandle).word(0).number(8.0)
                       .number(0.0));
  add("read16_dma", Writer(kReady).call(kRead16Dma, 1, 3).special(kHandle).word(0x10000)
                        .number(2.7));
  add("read32_dma_code", Writer(kReady).call(kRead32Dma, 1, 5).special(kHandle).word(0x100)
                             .number(8.0).number(1.0).number(-4.0));
  add("read32_dma_double", Writer(kReady).call(kRead32Dma, 1, 5).special(kHandle).word(0)
                               .number(2.0).number(0.0).number(8.0));

  // A whole session through the commands alone.
  add("session", Writer(0)
                     .call(kInit, 1, 0)
                     .call(kConfig, 0, 2).special(kHandle).special(kBitstreamFile)
                     .call(kWrite32, 0, 3).special(kHandle).word(0x40)
                     .array(mxINT32_CLASS, row_shape(4), ramp(16))
                     .call(kRead32, 1, 3).special(kHandle).word(0x40).number(4.0)
                     .call(kRead32Dma, 1, 4).special(kHandle).word(0x40).number(4.0).number(1.0)
                     .call(kClose, 0, 1).special(kHandle));

  // Faults: a read the card refuses, an event that cannot be made, a record
  // the library reports without filling in, a closed handle.
  add("fault_read", Writer(kReady).call(kRead16, 1, 3, kArmCardFault)
                        .card_fault(VCARD_OP_READ, 8, 0).special(kHandle).word(0).number(1.0));
  add("fault_event", Writer(kReady).call(kWrite8Dma, 0, 3, 1 << kEventFailShift)
                         .special(kHandle).word(0).array(mxUINT8_CLASS, row_shape(4), ramp(4)));
  add("fault_empty_record", Writer(kReady).call(kInfo, 11, 1, kArmCardFault)
                                .card_fault(VCARD_OP_GET_CARD_INFO, 0, 0).special(kHandle));
  add("odd_card_records", Writer(kReady | kCardRecords).records(12, 200, 9, 9, 3, 0x3)
                             .call(kInfo, 11, 1).special(kHandle)
                             .call(kBank, 4, 2).special(kHandle).number(8.0)
                             .call(kRead8Dma, 1, 4).special(kHandle).word(0).number(4.0)
                             .number(2.7));
  add("closed_handle", Writer(kReady).call(kSpace, 5, 2).special(kClosedHandle).number(0.0));

  for (size_t i = 0; i < seeds.size(); i++) {
    char name[96];
    std::snprintf(name, sizeof name, "%s/%02zu-%s", argv[1], i, seeds[i].first.c_str());
    const std::vector<uint8_t> &b = seeds[i].second.bytes();
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", name);
      return 1;
    }
  }
  std::printf("%zu seeds in %s\n", seeds.size(), argv[1]);
  return 0;
}
