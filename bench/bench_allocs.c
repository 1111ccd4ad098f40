/*
 * bench_allocs: switches the allocation count of alloc_count.c on and off.
 *
 *   bench_allocs('start')
 *   C = bench_allocs('stop')   [allocations, bytes, largest allocation,
 *                               allocations called from ovrix's own code]
 *
 * C is empty when octave-cli was started without the counting shim
 * (LD_PRELOAD), so the benchmark still runs, without the count.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <string.h>

#include "mex.h"

typedef void (*start_fn)(void);
typedef void (*stop_fn)(uint64_t out[4]);

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  (void)nlhs;
  char what[8] = "";
  if (nrhs != 1 || mxGetString(prhs[0], what, sizeof what) != 0)
    mexErrMsgTxt("bench_allocs: 'start' or 'stop'");
  start_fn start = (start_fn)dlsym(RTLD_DEFAULT, "ovrix_bench_alloc_start");
  stop_fn stop = (stop_fn)dlsym(RTLD_DEFAULT, "ovrix_bench_alloc_stop");
  if (strcmp(what, "start") == 0) {
    if (start != NULL)
      start();
  } else if (strcmp(what, "stop") == 0) {
    if (stop == NULL) {
      plhs[0] = mxCreateDoubleMatrix(0, 0, mxREAL);
      return;
    }
    uint64_t counts[4];
    stop(counts);
    plhs[0] = mxCreateDoubleMatrix(1, 4, mxREAL);
    double *out = mxGetPr(plhs[0]);
    for (int k = 0; k < 4; k++)
      out[k] = (double)counts[k];
  } else {
    mexErrMsgTxt("bench_allocs: 'start' or 'stop'");
  }
}
