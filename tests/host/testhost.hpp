// testhost.hpp - an in-process stand-in for the MEX host.
//
// Builds host arrays of every class and shape, calls a command entry the way
// Octave does, and records what came back: the message raised (exact bytes),
// the arrays left in each output slot, the host memory taken. mexErrMsgTxt
// unwinds the call with a C++ exception; arrays made by a failed call are
// disposed of, as the host does.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "mex.h"

struct mxArray_tag {
  mxClassID cls = mxDOUBLE_CLASS;
  size_t m = 0, n = 0;
  bool complex = false;
  bool sparse = false;
  size_t nzmax = 0;                 // sparse: stored elements
  std::vector<unsigned char> re;    // storage of the real part
  std::vector<unsigned char> im;    // storage of the imaginary part
};

namespace testhost {

using Entry = void (*)(int, mxArray *[], int, const mxArray *[]);

struct ArrayDeleter {
  void operator()(mxArray *a) const { delete a; }
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

size_t class_size(mxClassID cls);

// A full real array of a class and shape, zero-filled.
Array make(mxClassID cls, size_t m, size_t n);
// 1x1 arrays holding a value, of any numeric class.
Array dbl(double v);
Array single(float v);
template <typename T>
Array scalar(mxClassID cls, T v) {
  Array a = make(cls, 1, 1);
  std::memcpy(a->re.data(), &v, sizeof v);
  return a;
}
Array u32(uint32_t v);
Array i32(int32_t v);
// 1xN arrays of a class from values.
template <typename T>
Array row(mxClassID cls, const std::vector<T> &values) {
  Array a = make(cls, 1, values.size());
  if (!values.empty()) std::memcpy(a->re.data(), values.data(), values.size() * sizeof(T));
  return a;
}
Array str(const std::string &text);
Array empty(mxClassID cls = mxDOUBLE_CLASS, size_t m = 0, size_t n = 0);
Array cell(size_t m = 1, size_t n = 1);
Array structure();
Array logical(bool v);
Array complex_dbl(double re, double im);
// A sparse double m x n whose storage holds nzmax elements.
Array sparse(size_t m, size_t n, size_t nzmax);

struct Result {
  bool failed = false;
  std::string message;                 // exact bytes given to mexErrMsgTxt
  std::vector<Array> slots;            // what the command left in each slot
  size_t host_allocations = 0;         // mxCalloc calls
  std::vector<size_t> calloc_sizes;    // bytes asked of each
  size_t arrays_made = 0;              // mxCreate* calls
  size_t slot_count() const;           // slots holding an array
  const mxArray *out(size_t k) const { return k < slots.size() ? slots[k].get() : nullptr; }
};

// The most bytes the host gives one request: an output array's storage or an
// mxCalloc block. A larger request (or one whose size overflows) raises the
// host's out-of-memory error, as Octave does when it cannot allocate; the
// default, SIZE_MAX, refuses only what cannot be had.
void set_allocation_limit(size_t bytes);
extern const char *const kOutOfMemory;  // the message of that error

// Calls `entry` with `nlhs` outputs asked for and the inputs given. The command
// sees max(nlhs, 1) slots; writing past them fails the test run.
Result call(Entry entry, int nlhs, const std::vector<const mxArray *> &inputs);

// Reads slot contents.
template <typename T>
T value(const mxArray *a, size_t i = 0) {
  T v;
  std::memcpy(&v, a->re.data() + i * sizeof(T), sizeof(T));
  return v;
}
std::string text(const mxArray *a);

}  // namespace testhost
