/*
 * Floors for the information commands: the same outputs, made from values at
 * hand, with no card behind them.
 *
 *   [ID, SERIAL, BOARD, FPGA, CLOCKS, DMAS, SPACES, BANKS, SIZE, BREV, LREV] = bench_info(H)
 *     ovrix_getinfo's outputs: 2 doubles, 2 strings, 5 uint32, 2 uint8
 *   [F1, ..., Fn] = bench_record(H, INDEX)
 *     n uint32 outputs, as ovrix_getspaceinfo (5) and ovrix_getbankinfo (4)
 *
 * As the commands do, output 1 is always made and the rest only when asked.
 * Built twice, with BENCH_RECORD for the second.
 */
#include <stdint.h>
#include <string.h>

#include "mex.h"

static mxArray *uint_scalar(mxClassID class_id, uint32_t value)
{
  mxArray *a = mxCreateNumericMatrix(1, 1, class_id, mxREAL);
  if (class_id == mxUINT8_CLASS)
    *(uint8_t *)mxGetData(a) = (uint8_t)value;
  else
    memcpy(mxGetData(a), &value, sizeof value);
  return a;
}

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  (void)nrhs;
  (void)prhs;
  int outputs = nlhs > 1 ? nlhs : 1;
#ifdef BENCH_RECORD
  for (int k = 0; k < outputs; k++)
    plhs[k] = uint_scalar(mxUINT32_CLASS, 0x1000u + (uint32_t)k);
#else
  static const char *const strings[2] = {"xrc4lx", "Virtex-4 V4SX35"};
  for (int k = 0; k < outputs && k < 11; k++) {
    if (k < 2)
      plhs[k] = mxCreateDoubleScalar(1001.0 * k);
    else if (k < 4)
      plhs[k] = mxCreateString(strings[k - 2]);
    else if (k < 9)
      plhs[k] = uint_scalar(mxUINT32_CLASS, (uint32_t)k);
    else
      plhs[k] = uint_scalar(mxUINT8_CLASS, (uint32_t)k);
  }
#endif
}
