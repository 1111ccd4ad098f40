// fuzz_commands.cpp - libFuzzer target: the nineteen commands through the
// in-process test host against the virtual card, with inputs of every class
// and shape, real, closed and made-up handles, and faults armed in the card
// library and the event layer (input layout: fuzz_format.hpp).
//
// After every call it checks what a script may count on: either the command
// raised a message (non-empty) and left no output, or its outputs are the
// ones it promises (classes, 1x1 records, 1xN reads of the N asked for); no
// completion event is left open; no output slot past max(nlhs, 1) is written
// (the test host aborts on that). After every input the card handles it
// opened are closed and none may remain open. ASan and UBSan watch every
// access, LeakSanitizer every allocation.
//
// State between inputs: faults are cleared, card records restored and
// handles closed after each one; the configured flags are set by each input. The cards' local memory
// (2 x 64 MiB, taken on first use) is kept, so memory stays bounded.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_format.hpp"
#include "osevent_control.h"
#include "testhost.hpp"
#include "vcard_control.h"

using namespace fuzzfmt;
namespace th = testhost;

extern "C" {
#define DECLARE(name) void name##_main(int, mxArray *[], int, const mxArray *[]);
DECLARE(ovrix_init) DECLARE(ovrix_close) DECLARE(ovrix_config) DECLARE(ovrix_setclockrate)
DECLARE(ovrix_getinfo) DECLARE(ovrix_getspaceinfo) DECLARE(ovrix_getbankinfo)
DECLARE(ovrix_read8) DECLARE(ovrix_read16) DECLARE(ovrix_read32) DECLARE(ovrix_write8)
DECLARE(ovrix_write16) DECLARE(ovrix_write32) DECLARE(ovrix_read8_dma)
DECLARE(ovrix_read16_dma) DECLARE(ovrix_read32_dma) DECLARE(ovrix_write8_dma)
DECLARE(ovrix_write16_dma) DECLARE(ovrix_write32_dma)
#undef DECLARE
}

namespace {

// What a command promises on success.
enum class Returns {
  kNothing,   // no output at all
  kHandle,    // slot 0: uint32 1x1; at most 1 output
  kHertz,     // slot 0: double 1x1; at most 1 output
  kCardInfo,  // the eleven card outputs, as many as asked (slot 0 always)
  kRecord,    // `fields` uint32 1x1 outputs, as many as asked (slot 0 always)
  kPioRead,   // slot 0: 1xN, signed class or unsigned by option bit 0
  kDmaRead,   // slot 0: 1xN of the signed class
  kDmaReadByCode,  // slot 0: 1xN of the class the element code names
};

struct Command {
  const char *name;
  th::Entry entry;
  Returns returns;
  int fields;             // kRecord: outputs
  mxClassID signed_class;  // reads
  mxClassID unsigned_class;
};

const Command kCommands[kCommandCount] = {
    {"ovrix_init", ovrix_init_main, Returns::kHandle, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_close", ovrix_close_main, Returns::kNothing, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_config", ovrix_config_main, Returns::kNothing, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_setclockrate", ovrix_setclockrate_main, Returns::kHertz, 0, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_getinfo", ovrix_getinfo_main, Returns::kCardInfo, 11, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_getspaceinfo", ovrix_getspaceinfo_main, Returns::kRecord, 5, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_getbankinfo", ovrix_getbankinfo_main, Returns::kRecord, 4, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_read8", ovrix_read8_main, Returns::kPioRead, 0, mxINT8_CLASS, mxUINT8_CLASS},
    {"ovrix_read16", ovrix_read16_main, Returns::kPioRead, 0, mxINT16_CLASS, mxUINT16_CLASS},
    {"ovrix_read32", ovrix_read32_main, Returns::kPioRead, 0, mxINT32_CLASS, mxUINT32_CLASS},
    {"ovrix_write8", ovrix_write8_main, Returns::kNothing, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_write16", ovrix_write16_main, Returns::kNothing, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_write32", ovrix_write32_main, Returns::kNothing, 0, mxUNKNOWN_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_read8_dma", ovrix_read8_dma_main, Returns::kDmaRead, 0, mxINT8_CLASS, mxUNKNOWN_CLASS},
    {"ovrix_read16_dma", ovrix_read16_dma_main, Returns::kDmaRead, 0, mxINT16_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_read32_dma", ovrix_read32_dma_main, Returns::kDmaReadByCode, 0, mxINT32_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_write8_dma", ovrix_write8_dma_main, Returns::kNothing, 0, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_write16_dma", ovrix_write16_dma_main, Returns::kNothing, 0, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
    {"ovrix_write32_dma", ovrix_write32_dma_main, Returns::kNothing, 0, mxUNKNOWN_CLASS,
     mxUNKNOWN_CLASS},
};

// The most bytes the host gives one array: reads of more raise its
// out-of-memory error, as Octave does for what it cannot allocate.
constexpr size_t kHostLimit = 256u << 10;

// Files and handles made once per process.
struct World {
  std::string dir, bitstream, other, empty, folder;
  uint32_t closed_handle = 0;
  ADMXRC2_CARD_INFO defaults[VCARD_CARD_COUNT];  // the cards' records as they start
};
World world;

void remove_world() {
  for (const std::string *f : {&world.bitstream, &world.other, &world.empty})
    std::remove(f->c_str());
  rmdir(world.folder.c_str());
  rmdir(world.dir.c_str());
}

void write_file(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class Reader {
 public:
  Reader(const uint8_t *data, size_t size) : p_(data), end_(data + size) {}
  bool done() const { return p_ >= end_; }
  uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
  uint64_t word(int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; i++) v |= static_cast<uint64_t>(byte()) << (8 * i);
    return v;
  }
  void fill(std::vector<unsigned char> &out) {
    size_t n = std::min(out.size(), static_cast<size_t>(end_ - p_));
    if (n) std::memcpy(out.data(), p_, n);
    p_ += n;
  }

 private:
  const uint8_t *p_, *end_;
};

// One input array, decoded.
th::Array read_input(Reader &in, uint32_t handle) {
  const uint8_t kind = in.byte();
  const uint8_t pick = kind & kKindMask;
  if (pick >= kClassCount && pick < kSpecialEnd) {
    const uint8_t index = in.byte();
    switch (static_cast<Special>(pick)) {
      case kHandle: return th::u32(handle);
      case kHandleInt32: return th::i32(static_cast<int32_t>(handle));
      case kHandleRow:
        return th::row<uint32_t>(mxUINT32_CLASS, {handle, kWords[index % kWordCount]});
      case kClosedHandle: return th::u32(world.closed_handle);
      case kBitstreamFile: return th::str(world.bitstream);
      case kOtherFile: return th::str(world.other);
      case kEmptyFile: return th::str(world.empty);
      case kFolder: return th::str(world.folder);
      case kTableDouble: return th::dbl(kNumbers[index % kNumberCount]);
      case kTableUint32: return th::u32(kWords[index % kWordCount]);
      case kTableInt32: return th::i32(static_cast<int32_t>(kWords[index % kWordCount]));
      case kSpecialEnd: break;
    }
  }
  const mxClassID cls = static_cast<mxClassID>(pick % kClassCount);
  const uint8_t shape = in.byte() % kShapeCount;
  size_t m = 0, n = 0;
  switch (static_cast<Shape>(shape)) {
    case kShape0x0: break;
    case kShape1x1: m = n = 1; break;
    case kShapeRow: m = 1; n = in.byte(); break;
    case kShapeColumn: m = in.byte(); n = 1; break;
    case kShapeMatrix: m = in.byte() % 16; n = in.byte() % 16; break;
    case kShape0xN: n = in.byte(); break;
    case kShapeNx0: m = in.byte(); break;
    case kShapeLongRow: m = 1; n = in.word(2) % 8192; break;
    case kShapeCount: break;
  }
  const bool numeric = cls >= mxDOUBLE_CLASS && cls <= mxUINT64_CLASS;
  if ((kind & kSparse) && (cls == mxDOUBLE_CLASS || cls == mxLOGICAL_CLASS)) {
    if (kind & kWideDims) {
      m = in.word(8);
      n = in.word(8);
    }
    th::Array a = th::sparse(m, n, in.byte() & 7);
    a->cls = cls;
    // Storage of exactly the stored elements, so ASan sees any read past it.
    a->re = std::vector<unsigned char>(a->nzmax * th::class_size(cls));
    in.fill(a->re);
    if ((kind & kComplex) && cls == mxDOUBLE_CLASS) {
      a->complex = true;
      a->im = std::vector<unsigned char>(a->re.size());
      in.fill(a->im);
    }
    return a;
  }
  th::Array a = th::make(cls, m, n);
  in.fill(a->re);
  if ((kind & kComplex) && numeric) {
    a->complex = true;
    a->im = std::vector<unsigned char>(a->re.size());
    in.fill(a->im);
  }
  return a;
}

// ---- what the outputs must be ----------------------------------------------

struct Call {
  const Command *command;
  int nlhs;
  std::vector<const mxArray *> inputs;
  const th::Result *result;
};

[[noreturn]] void broken(const Call &c, const char *format, ...) {
  std::fprintf(stderr, "\n%s, nlhs %d, nrhs %zu: ", c.command->name, c.nlhs, c.inputs.size());
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fprintf(stderr, "\n  inputs:");
  for (const mxArray *a : c.inputs)
    std::fprintf(stderr, " %s%s%zux%zu %s", a->sparse ? "sparse " : "", a->complex ? "complex " : "",
                 a->m, a->n, mxGetClassName(a));
  std::fprintf(stderr, "\n  %s: \"%s\"\n", c.result->failed ? "raised" : "returned",
               c.result->message.c_str());
  std::abort();
}

#define EXPECT_OUT(cond, ...)              \
  do {                                     \
    if (!(cond)) broken(call, __VA_ARGS__); \
  } while (0)

// The 32-bit word a numeric input stands for: the first element truncated
// toward zero, low 32 bits (0 for NaN, infinities and magnitudes of 2^63 or
// more). Only asked of inputs the command took.
uint32_t word_of(const mxArray *a) {
  const unsigned char *p = a->re.data();
  auto get = [p](auto v) {
    std::memcpy(&v, p, sizeof v);
    return v;
  };
  double d = 0;
  switch (a->cls) {
    case mxDOUBLE_CLASS: d = get(0.0); break;
    case mxSINGLE_CLASS: d = get(0.0f); break;
    case mxINT8_CLASS: return static_cast<uint32_t>(get(int8_t{}));
    case mxUINT8_CLASS: return get(uint8_t{});
    case mxINT16_CLASS: return static_cast<uint32_t>(get(int16_t{}));
    case mxUINT16_CLASS: return get(uint16_t{});
    case mxINT32_CLASS: return static_cast<uint32_t>(get(int32_t{}));
    case mxUINT32_CLASS: return get(uint32_t{});
    case mxINT64_CLASS: return static_cast<uint32_t>(get(int64_t{}));
    case mxUINT64_CLASS: return static_cast<uint32_t>(get(uint64_t{}));
    case mxLOGICAL_CLASS: return get(uint8_t{}) != 0;
    case mxCHAR_CLASS: return get(uint8_t{});
    default: return 0;
  }
  if (!(std::fabs(d) < 9223372036854775808.0)) return 0;
  return static_cast<uint32_t>(static_cast<int64_t>(d));
}

bool is_1x1(const mxArray *a, mxClassID cls) {
  return a != nullptr && a->cls == cls && a->m == 1 && a->n == 1 && !a->sparse && !a->complex;
}

// The class a successful read must return.
mxClassID read_class(const Call &call) {
  const Command &c = *call.command;
  const auto &in = call.inputs;
  switch (c.returns) {
    case Returns::kPioRead:
      return in.size() == 4 && (word_of(in[3]) & 1u) ? c.unsigned_class : c.signed_class;
    case Returns::kDmaReadByCode:
      switch (in.size() == 5 ? static_cast<int32_t>(word_of(in[4])) : 4) {
        case 1: return mxINT8_CLASS;
        case -1: return mxUINT8_CLASS;
        case 2: return mxINT16_CLASS;
        case -2: return mxUINT16_CLASS;
        case -4: return mxUINT32_CLASS;
        case 8: return mxDOUBLE_CLASS;
        default: return mxINT32_CLASS;
      }
    default: return c.signed_class;
  }
}

// Checks one call's outcome; returns the handle a successful ovrix_init opened.
uint32_t check(const Call &call) {
  const th::Result &r = *call.result;
  const Command &c = *call.command;
  EXPECT_OUT(osevent_live_count() == 0, "%u completion event(s) left open", osevent_live_count());
  if (r.failed) {
    EXPECT_OUT(!r.message.empty(), "raised an empty message");
    EXPECT_OUT(r.message.find('\0') == std::string::npos, "message holds a NUL");
    EXPECT_OUT(r.slot_count() == 0, "a failed call left outputs");
    return 0;
  }
  const size_t slots = static_cast<size_t>(std::max(call.nlhs, 1));
  switch (c.returns) {
    case Returns::kNothing:
      EXPECT_OUT(r.slot_count() == 0, "made %zu outputs; it has none", r.slot_count());
      return 0;
    case Returns::kHandle:
      EXPECT_OUT(call.nlhs <= 1, "accepted %d outputs", call.nlhs);
      EXPECT_OUT(is_1x1(r.out(0), mxUINT32_CLASS), "output 1 is not a uint32 1x1");
      return th::value<uint32_t>(r.out(0));
    case Returns::kHertz:
      EXPECT_OUT(call.nlhs <= 1, "accepted %d outputs", call.nlhs);
      EXPECT_OUT(is_1x1(r.out(0), mxDOUBLE_CLASS), "output 1 is not a double 1x1");
      return 0;
    case Returns::kCardInfo: {
      EXPECT_OUT(call.nlhs <= c.fields, "accepted %d outputs", call.nlhs);
      static const mxClassID kinds[11] = {
          mxDOUBLE_CLASS, mxDOUBLE_CLASS, mxCHAR_CLASS,   mxCHAR_CLASS,  mxUINT32_CLASS,
          mxUINT32_CLASS, mxUINT32_CLASS, mxUINT32_CLASS, mxUINT32_CLASS, mxUINT8_CLASS,
          mxUINT8_CLASS};
      for (size_t k = 0; k < slots; k++) {
        const mxArray *o = r.out(k);
        if (kinds[k] == mxCHAR_CLASS)
          EXPECT_OUT(o && o->cls == mxCHAR_CLASS && o->m == 1 && o->n > 0,
                     "output %zu is not a name", k + 1);
        else
          EXPECT_OUT(is_1x1(o, kinds[k]), "output %zu is not a 1x1 %s", k + 1,
                     kinds[k] == mxDOUBLE_CLASS ? "double" : "integer");
      }
      return 0;
    }
    case Returns::kRecord:
      EXPECT_OUT(call.nlhs <= c.fields, "accepted %d outputs", call.nlhs);
      for (size_t k = 0; k < slots; k++)
        EXPECT_OUT(is_1x1(r.out(k), mxUINT32_CLASS), "output %zu is not a uint32 1x1", k + 1);
      return 0;
    case Returns::kPioRead:
    case Returns::kDmaRead:
    case Returns::kDmaReadByCode: {
      EXPECT_OUT(r.slot_count() == 1, "made %zu outputs; a read makes one", r.slot_count());
      const mxArray *o = r.out(0);
      const uint32_t asked = word_of(call.inputs[2]);
      EXPECT_OUT(o != nullptr && o->m == 1 && o->n == asked && !o->complex && !o->sparse,
                 "output 1 is not 1x%u", asked);
      EXPECT_OUT(o->cls == read_class(call), "output 1 is %s", mxGetClassName(o));
      EXPECT_OUT(o->re.size() == o->n * th::class_size(o->cls), "output 1 storage is short");
      return 0;
    }
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  th::set_allocation_limit(kHostLimit);
  char tmpl[] = "/tmp/ovrix-fuzz-XXXXXX";
  if (mkdtemp(tmpl) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  world.dir = tmpl;
  world.bitstream = world.dir + "/design.bit";
  world.other = world.dir + "/notes.txt";
  world.empty = world.dir + "/empty.bit";
  world.folder = world.dir + "/folder";
  write_file(world.bitstream, std::string("ovrix\xff\xff\xff\xff\xaa\x99\x55\x66\x30\xa1", 14));
  write_file(world.other, "not a bitstream");
  write_file(world.empty, "");
  mkdir(world.folder.c_str(), 0700);
  std::atexit(remove_world);

  vcard_reset();
  ADMXRC2_HANDLE h = 0;
  if (ADMXRC2_OpenCardByIndex(0, &h) != ADMXRC2_SUCCESS || ADMXRC2_CloseCard(h) != 0) {
    std::fprintf(stderr, "the virtual card does not open\n");
    std::abort();
  }
  world.closed_handle = h;  // handles are never given out again
  for (uint32_t i = 0; i < VCARD_CARD_COUNT; i++) vcard_get_card_info(i, &world.defaults[i]);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Reader in(data, size);
  const uint8_t setup = in.byte();
  vcard_set_configured(0, setup & kConfigure0);
  vcard_set_configured(1, setup & kConfigure1);
  if (setup & kCardRecords) {
    // Board and FPGA types without names, more spaces and banks than records
    // are kept for, clocks and DMA channels the card does not have.
    const auto board = static_cast<int8_t>(in.byte());
    const auto fpga = static_cast<int16_t>(in.word(2));
    const uint8_t spaces = in.byte() % 10, banks = in.byte() % 10, counts = in.byte();
    for (uint32_t i = 0; i < VCARD_CARD_COUNT; i++) {
      ADMXRC2_CARD_INFO info = world.defaults[i];
      info.BoardType = board;
      info.FPGAType = fpga;
      info.NumSpace = spaces;
      info.NumBank = banks;
      info.NumClock = (counts & 0xF) % 4;
      info.NumDMAChannel = (counts >> 4) % 4;
      vcard_set_card_info(i, &info);
    }
  }

  std::vector<uint32_t> opened;  // every handle this input opened
  uint32_t handle = 0;           // the newest one
  if (setup & kOpenHandle) {
    ADMXRC2_HANDLE h = 0;
    if (ADMXRC2_OpenCardByIndex((setup & kOpenIndex1) ? 1 : 0, &h) == ADMXRC2_SUCCESS) {
      opened.push_back(h);
      handle = h;
    }
  }

  for (int k = 0; k < kMaxCalls && !in.done(); k++) {
    Call call{};
    call.command = &kCommands[in.byte() % kCommandCount];
    call.nlhs = in.byte() % kMaxOutputs;
    const int nrhs = in.byte() % kMaxInputs;
    const uint8_t faults = in.byte();
    if (faults & kArmCardFault) {
      const auto op = static_cast<vcard_op>(in.byte() % VCARD_OP_COUNT);
      const uint32_t status = kFaultStatuses[in.byte() % kFaultStatusCount];
      vcard_inject(op, status, 1u + (in.byte() & 3u));
    }
    osevent_fail_next((faults >> kEventFailShift) & 3u);

    std::vector<th::Array> inputs;
    for (int i = 0; i < nrhs; i++) inputs.push_back(read_input(in, handle));
    for (const th::Array &a : inputs) call.inputs.push_back(a.get());

    th::Result r = th::call(call.command->entry, call.nlhs, call.inputs);
    call.result = &r;
    if (uint32_t h = check(call)) {
      opened.push_back(h);
      handle = h;
    }
  }

  // Back to nothing open, nothing armed, the records as they were.
  vcard_clear_faults();
  if (setup & kCardRecords)
    for (uint32_t i = 0; i < VCARD_CARD_COUNT; i++) vcard_set_card_info(i, &world.defaults[i]);
  osevent_fail_next(0);
  for (uint32_t h : opened) ADMXRC2_CloseCard(h);
  if (vcard_open_handles() != 0) {
    std::fprintf(stderr, "\n%zu card handle(s) left open by the commands\n", vcard_open_handles());
    std::abort();
  }
  return 0;
}
