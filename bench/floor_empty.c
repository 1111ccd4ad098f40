/*
 * bench_empty: the host's floor for a call. Takes any inputs, does nothing,
 * makes no output: what Octave itself costs to call a plug-in.
 */
#include "mex.h"

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  (void)nlhs;
  (void)plhs;
  (void)nrhs;
  (void)prhs;
}
