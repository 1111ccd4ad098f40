/*
 * bench_write(H, OFFSET, DATA): the host's floor for a write. Copies the
 * data array's bytes once into a preallocated buffer: what any write must at
 * least do. Inputs 1 and 2 are taken and ignored, as a write takes them.
 */
#include <stdint.h>
#include <string.h>

#include "mex.h"

#define SINK_BYTES (64u << 20)

static uint8_t g_sink[SINK_BYTES];

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  (void)nlhs;
  (void)plhs;
  if (nrhs < 3)
    mexErrMsgTxt("bench write floor: H, OFFSET, DATA");
  size_t bytes = (size_t)mxGetNumberOfElements(prhs[2]) * mxGetElementSize(prhs[2]);
  if (bytes > SINK_BYTES)
    mexErrMsgTxt("bench write floor: at most 64 MiB");
  memcpy(g_sink, mxGetData(prhs[2]), bytes);
}
