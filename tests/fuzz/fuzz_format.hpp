// fuzz_format.hpp - how the fuzz target reads its input, shared with the tool
// that writes the seed corpus.
//
// An input is a byte string; bytes past its end read as 0.
//
//   setup     1 byte   bit 0 / bit 1: the FPGA of card index 0 / 1 is configured;
//                      bit 2: open a card handle before the calls (bit 3: of
//                      card index 1, else 0); bit 4: change both card records,
//                      then 6 bytes: BoardType (1 byte, signed), FPGAType
//                      (2 bytes, signed), NumSpace and NumBank (modulo 10),
//                      NumClock and NumDMAChannel in the low and high nibble
//                      (modulo 4)
//   calls     up to kMaxCalls, while bytes remain, each:
//     command 1 byte   index into kCommandNames, modulo its size
//     nlhs    1 byte   modulo 14
//     nrhs    1 byte   modulo 7
//     faults  1 byte   bit 0: arm a card fault, then 3 bytes: the operation
//                      (modulo VCARD_OP_COUNT), the status (index into
//                      kFaultStatuses), the count (1 + low 2 bits);
//                      bits 1-2: that many next completion events cannot be made
//     nrhs inputs, each:
//       kind  1 byte   low 5 bits: an mxClassID (0..16), or one of the ready-made
//                      inputs of Special (17..27); larger values wrap onto the
//                      classes. bit 5: complex; bit 6: sparse (double or
//                      logical); bit 7: a sparse array's dimensions are two
//                      8-byte words
//       shape 1 byte   index into Shape, then its dimension bytes
//       data           a full array's storage bytes (imaginary part after the
//                      real one); a sparse array: 1 byte nzmax (low 3 bits),
//                      then its stored bytes. Ready-made inputs take 1 byte
//                      (an index into their table) and no shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace fuzzfmt {

constexpr int kMaxCalls = 6;
constexpr int kMaxOutputs = 14;  // nlhs 0..13
constexpr int kMaxInputs = 7;    // nrhs 0..6

// The commands, in the order the command byte picks them.
constexpr const char *kCommandNames[] = {
    "ovrix_init",         "ovrix_close",        "ovrix_config",      "ovrix_setclockrate",
    "ovrix_getinfo",      "ovrix_getspaceinfo", "ovrix_getbankinfo", "ovrix_read8",
    "ovrix_read16",       "ovrix_read32",       "ovrix_write8",      "ovrix_write16",
    "ovrix_write32",      "ovrix_read8_dma",    "ovrix_read16_dma",  "ovrix_read32_dma",
    "ovrix_write8_dma",   "ovrix_write16_dma",  "ovrix_write32_dma",
};
constexpr size_t kCommandCount = sizeof kCommandNames / sizeof kCommandNames[0];

enum SetupBits : uint8_t {
  kConfigure0 = 1,
  kConfigure1 = 2,
  kOpenHandle = 4,
  kOpenIndex1 = 8,
  kCardRecords = 16,
};

enum FaultBits : uint8_t {
  kArmCardFault = 1,
  kEventFailShift = 1,  // bits 1-2: completion events that cannot be made
};

// Statuses an armed fault returns: success (which leaves outputs unwritten),
// the virtual card's own codes, and codes it has no text for.
constexpr uint32_t kFaultStatuses[] = {0,  1,  2,  3,  4,    5,      6,          7,
                                       8,  9,  10, 11, 12,   13,     14,         15,
                                       16, 17, 18, 0x77, 0xDEAD, 0x80000000u, 0xFFFFFFFFu};
constexpr size_t kFaultStatusCount = sizeof kFaultStatuses / sizeof kFaultStatuses[0];

constexpr uint8_t kClassCount = 17;  // mxUNKNOWN_CLASS .. mxFUNCTION_CLASS
enum KindBits : uint8_t { kComplex = 0x20, kSparse = 0x40, kWideDims = 0x80, kKindMask = 0x1F };

// Ready-made inputs, after the classes in the kind byte's low 5 bits.
enum Special : uint8_t {
  kHandle = 17,       // uint32 1x1: the newest open handle of this input (0 if none)
  kHandleInt32,       // int32 1x1 of it
  kHandleRow,         // uint32 1x2: it, then the table word
  kClosedHandle,      // uint32 1x1: a handle that was opened and closed
  kBitstreamFile,     // char row: a file that holds the sync word
  kOtherFile,         // char row: a file without it
  kEmptyFile,         // char row: an empty file
  kFolder,            // char row: a folder
  kTableDouble,       // double 1x1 from kNumbers
  kTableUint32,       // uint32 1x1 from kWords
  kTableInt32,        // int32 1x1 from kWords, reinterpreted
  kSpecialEnd
};

// Shapes; N is one byte, W two (little-endian), unless said otherwise.
enum Shape : uint8_t {
  kShape0x0,
  kShape1x1,
  kShapeRow,     // 1xN
  kShapeColumn,  // Nx1
  kShapeMatrix,  // MxN, each a byte modulo 16
  kShape0xN,
  kShapeNx0,
  kShapeLongRow,  // 1xW, W modulo 8192
  kShapeCount
};

constexpr double kNumbers[] = {
    0.0,           1.0,           -1.0,          0.5,
    -0.5,          2.7,           3.99,          33.333,
    66.666,        1e6,           5e8,           -2147483648.0,
    2147483647.0,  2147483648.0,  4294967295.0,  4294967296.0,
    67108863.0,    67108864.0,    67108860.0,    1073741823.0,
    1.8e19,        9223372036854775808.0,       -9223372036854775808.0,
    1e308,         -1e308,        4.9e-324,      -0.0,
    std::numeric_limits<double>::infinity(),     -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),    8.0,
    -4.0,
};
constexpr size_t kNumberCount = sizeof kNumbers / sizeof kNumbers[0];

constexpr uint32_t kWords[] = {
    0,           1,           2,           3,           4,           5,
    7,           8,           0xFFFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFCu, 0x80000000u,
    0x7FFFFFFFu, 0x3FFFFFFFu, 0x40000000u, 0x1FFFFFFFu, 0x04000000u, 0x03FFFFFFu,
    0x03FFFFFCu, 0x03FFFF00u, 0x02000000u, 0x1C0u,      0x100u,      0x10000u,
};
constexpr size_t kWordCount = sizeof kWords / sizeof kWords[0];

// Builds inputs for the seed corpus.
class Writer {
 public:
  explicit Writer(uint8_t setup) { bytes_.push_back(setup); }
  // The bytes after the setup byte when it has kCardRecords.
  Writer &records(int8_t board, int16_t fpga, uint8_t spaces, uint8_t banks, uint8_t clocks,
                  uint8_t channels) {
    for (uint8_t b : {static_cast<uint8_t>(board), static_cast<uint8_t>(fpga & 0xFF),
                      static_cast<uint8_t>((fpga >> 8) & 0xFF), spaces, banks,
                      static_cast<uint8_t>(clocks | channels << 4)})
      bytes_.push_back(b);
    return *this;
  }
  Writer &call(uint8_t command, uint8_t nlhs, uint8_t nrhs, uint8_t faults = 0) {
    for (uint8_t b : {command, nlhs, nrhs, faults}) bytes_.push_back(b);
    return *this;
  }
  Writer &card_fault(uint8_t op, uint8_t status_index, uint8_t count_minus_1) {
    for (uint8_t b : {op, status_index, count_minus_1}) bytes_.push_back(b);
    return *this;
  }
  Writer &special(Special s, uint8_t index = 0) {
    bytes_.push_back(s);
    bytes_.push_back(index);
    return *this;
  }
  Writer &number(double v) { return special(kTableDouble, index_of(kNumbers, v)); }
  Writer &word(uint32_t v) { return special(kTableUint32, index_of(kWords, v)); }
  // A full array: kind byte, shape and its dimension bytes, storage bytes.
  Writer &array(uint8_t kind, std::vector<uint8_t> shape, std::vector<uint8_t> data) {
    bytes_.push_back(kind);
    bytes_.insert(bytes_.end(), shape.begin(), shape.end());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
  }
  const std::vector<uint8_t> &bytes() const { return bytes_; }

 private:
  template <typename T, size_t N>
  static uint8_t index_of(const T (&table)[N], T v) {
    for (size_t i = 0; i < N; i++)
      if (std::memcmp(&table[i], &v, sizeof v) == 0) return static_cast<uint8_t>(i);
    return 0;
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace fuzzfmt
