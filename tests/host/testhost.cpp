// testhost.cpp - the host operations of the MEX interface, in process.
#include "testhost.hpp"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace testhost {
namespace {

// Raised by mexErrMsgTxt; caught by call().
struct HostError {
  std::string message;
};

// What the running call has made; the host owns all of it.
struct CallState {
  std::vector<mxArray *> arrays;
  std::vector<void *> memory;
  std::vector<size_t> calloc_sizes;
  size_t arrays_made = 0;
};
thread_local CallState *current = nullptr;

mxArray *track(mxArray *a) {
  if (current) {
    current->arrays.push_back(a);
    current->arrays_made++;
  }
  return a;
}

constexpr size_t kGuardSlots = 8;

size_t allocation_limit = SIZE_MAX;

// Raises the out-of-memory error unless count * size bytes may be had.
void check_request(size_t count, size_t size) {
  size_t bytes;
  if (__builtin_mul_overflow(count, size, &bytes) || bytes > allocation_limit)
    mexErrMsgTxt(kOutOfMemory);
}

}  // namespace

const char *const kOutOfMemory = "out of memory or dimension too large for Octave's index type";

void set_allocation_limit(size_t bytes) { allocation_limit = bytes; }

size_t class_size(mxClassID cls) {
  switch (cls) {
    case mxDOUBLE_CLASS: case mxINT64_CLASS: case mxUINT64_CLASS: return 8;
    case mxSINGLE_CLASS: case mxINT32_CLASS: case mxUINT32_CLASS: return 4;
    case mxINT16_CLASS: case mxUINT16_CLASS: return 2;
    case mxINT8_CLASS: case mxUINT8_CLASS: case mxLOGICAL_CLASS: case mxCHAR_CLASS: return 1;
    case mxCELL_CLASS: case mxSTRUCT_CLASS: return sizeof(void *);
    default: return 0;
  }
}

Array make(mxClassID cls, size_t m, size_t n) {
  Array a(new mxArray);
  a->cls = cls;
  a->m = m;
  a->n = n;
  a->re.assign(m * n * class_size(cls), 0);
  return a;
}

Array dbl(double v) { return scalar(mxDOUBLE_CLASS, v); }
Array single(float v) { return scalar(mxSINGLE_CLASS, v); }
Array u32(uint32_t v) { return scalar(mxUINT32_CLASS, v); }
Array i32(int32_t v) { return scalar(mxINT32_CLASS, v); }
Array logical(bool v) { return scalar(mxLOGICAL_CLASS, static_cast<mxLogical>(v)); }

Array str(const std::string &t) {
  Array a = make(mxCHAR_CLASS, t.empty() ? 0 : 1, t.size());
  if (!t.empty()) std::memcpy(a->re.data(), t.data(), t.size());
  return a;
}

Array empty(mxClassID cls, size_t m, size_t n) { return make(cls, m, n); }
Array cell(size_t m, size_t n) { return make(mxCELL_CLASS, m, n); }
Array structure() { return make(mxSTRUCT_CLASS, 1, 1); }

Array complex_dbl(double re, double im) {
  Array a = dbl(re);
  a->complex = true;
  a->im.resize(sizeof im);
  std::memcpy(a->im.data(), &im, sizeof im);
  return a;
}

Array sparse(size_t m, size_t n, size_t nzmax) {
  Array a(new mxArray);
  a->cls = mxDOUBLE_CLASS;
  a->m = m;
  a->n = n;
  a->sparse = true;
  a->nzmax = nzmax;
  a->re.assign(nzmax * sizeof(double), 0);
  return a;
}

size_t Result::slot_count() const {
  size_t k = 0;
  for (const auto &s : slots) k += s != nullptr;
  return k;
}

std::string text(const mxArray *a) {
  return std::string(reinterpret_cast<const char *>(a->re.data()), a->m * a->n);
}

Result call(Entry entry, int nlhs, const std::vector<const mxArray *> &inputs) {
  const size_t nslots = nlhs > 0 ? static_cast<size_t>(nlhs) : 1;
  std::vector<mxArray *> plhs(nslots + kGuardSlots, nullptr);
  CallState state;
  current = &state;
  Result r;
  try {
    entry(nlhs, plhs.data(), static_cast<int>(inputs.size()),
          const_cast<const mxArray **>(inputs.data()));
  } catch (const HostError &e) {
    r.failed = true;
    r.message = e.message;
  }
  current = nullptr;
  for (size_t k = nslots; k < plhs.size(); k++)
    if (plhs[k]) {
      std::fprintf(stderr, "testhost: the command wrote output slot %zu of %zu\n", k, nslots);
      std::abort();
    }
  // The host takes over what is in the slots after a success and disposes of
  // everything else.
  for (mxArray *a : state.arrays) {
    bool kept = false;
    for (size_t k = 0; k < nslots && !r.failed; k++) kept = kept || plhs[k] == a;
    if (!kept) delete a;
  }
  r.slots.resize(nslots);
  if (!r.failed)
    for (size_t k = 0; k < nslots; k++) r.slots[k].reset(plhs[k]);
  for (void *p : state.memory) std::free(p);
  r.host_allocations = state.memory.size();
  r.calloc_sizes = state.calloc_sizes;
  r.arrays_made = state.arrays_made;
  return r;
}

}  // namespace testhost

using testhost::class_size;

extern "C" {

void mexErrMsgTxt(const char *text) { throw testhost::HostError{text}; }

void *mxGetData(const mxArray *a) {
  return a->re.empty() ? nullptr : const_cast<unsigned char *>(a->re.data());
}
double *mxGetPr(const mxArray *a) { return static_cast<double *>(mxGetData(a)); }
size_t mxGetM(const mxArray *a) { return a->m; }
size_t mxGetN(const mxArray *a) { return a->n; }
size_t mxGetNumberOfElements(const mxArray *a) { return a->m * a->n; }
size_t mxGetElementSize(const mxArray *a) { return class_size(a->cls); }
mxClassID mxGetClassID(const mxArray *a) { return a->cls; }

const char *mxGetClassName(const mxArray *a) {
  switch (a->cls) {
    case mxCELL_CLASS: return "cell";
    case mxSTRUCT_CLASS: return "struct";
    case mxLOGICAL_CLASS: return "logical";
    case mxCHAR_CLASS: return "char";
    case mxDOUBLE_CLASS: return "double";
    case mxSINGLE_CLASS: return "single";
    case mxINT8_CLASS: return "int8";
    case mxUINT8_CLASS: return "uint8";
    case mxINT16_CLASS: return "int16";
    case mxUINT16_CLASS: return "uint16";
    case mxINT32_CLASS: return "int32";
    case mxUINT32_CLASS: return "uint32";
    case mxINT64_CLASS: return "int64";
    case mxUINT64_CLASS: return "uint64";
    case mxFUNCTION_CLASS: return "function_handle";
    default: return "unknown";
  }
}

int mxIsNumeric(const mxArray *a) { return a->cls >= mxDOUBLE_CLASS && a->cls <= mxUINT64_CLASS; }
int mxIsLogical(const mxArray *a) { return a->cls == mxLOGICAL_CLASS; }
int mxIsChar(const mxArray *a) { return a->cls == mxCHAR_CLASS; }
int mxIsSparse(const mxArray *a) { return a->sparse; }

mxArray *mxCreateNumericArray(mwSize ndims, const mwSize *dims, mxClassID cls,
                              mxComplexity complexity) {
  if (ndims != 2 || complexity != mxREAL) {
    std::fprintf(stderr, "testhost: only real 2-D arrays are made\n");
    std::abort();
  }
  size_t elements;
  if (__builtin_mul_overflow(dims[0], dims[1], &elements)) mexErrMsgTxt(testhost::kOutOfMemory);
  testhost::check_request(elements, class_size(cls));
  return testhost::track(testhost::make(cls, dims[0], dims[1]).release());
}

mxArray *mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity) {
  const mwSize dims[2] = {m, n};
  return mxCreateNumericArray(2, dims, mxDOUBLE_CLASS, complexity);
}

mxArray *mxCreateString(const char *t) {
  testhost::check_request(std::strlen(t), 1);
  return testhost::track(testhost::str(t).release());
}

void *mxCalloc(size_t count, size_t size) {
  testhost::check_request(count, size);
  void *p = std::calloc(count ? count : 1, size ? size : 1);
  if (!p) mexErrMsgTxt(testhost::kOutOfMemory);
  if (testhost::current) {
    testhost::current->memory.push_back(p);
    testhost::current->calloc_sizes.push_back(count * size);
  }
  return p;
}

int mxGetString(const mxArray *a, char *buffer, mwSize length) {
  if (a->cls != mxCHAR_CLASS || length == 0) return 1;
  size_t n = a->m * a->n;
  size_t copy = n < length - 1 ? n : length - 1;
  if (copy) std::memcpy(buffer, a->re.data(), copy);
  buffer[copy] = '\0';
  return copy < n;
}

}  // extern "C"
