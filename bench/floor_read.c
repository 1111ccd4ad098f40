/*
 * bench_read<W>(H, OFFSET, COUNT): the host's floor for a read of COUNT
 * words of W bits. Makes the 1xCOUNT result of the read's class and fills it
 * with one memory copy from a preallocated buffer: what any read must at
 * least do. Inputs 1 and 2 are taken and ignored, as a read takes them.
 *
 * Built once per width with BENCH_CLASS and BENCH_WORD set; BENCH_ZEROED (bench_read32z)
 * makes the result with mxCreateNumericArray (zero-filled by the host) instead of
 * mxCreateUninitNumericArray, to show what the zero fill costs.
 */
#include <stdint.h>
#include <string.h>

#include "mex.h"

#define SOURCE_BYTES (64u << 20)

/* Filled with a pattern on first use, so reads copy real pages, not the
 * kernel's shared zero page. */
static uint8_t g_source[SOURCE_BYTES];
static int g_filled;

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  (void)nlhs;
  if (nrhs < 3)
    mexErrMsgTxt("bench read floor: H, OFFSET, COUNT");
  if (!g_filled) {
    memset(g_source, 0x5A, sizeof g_source);
    g_filled = 1;
  }
  size_t count = (size_t)mxGetScalar(prhs[2]);
  size_t bytes = count * BENCH_WORD;
  if (bytes > SOURCE_BYTES)
    mexErrMsgTxt("bench read floor: at most 64 MiB");
  mwSize dims[2] = {1, (mwSize)count};
#ifdef BENCH_ZEROED
  plhs[0] = mxCreateNumericArray(2, dims, BENCH_CLASS, mxREAL);
#else
  plhs[0] = mxCreateUninitNumericArray(2, dims, BENCH_CLASS, mxREAL);
#endif
  memcpy(mxGetData(plhs[0]), g_source, bytes);
}
