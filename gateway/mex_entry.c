/*
 * mex_entry.c - the plug-in's one export. Built once per plug-in with
 * OVRIX_ENTRY set to the command's entry (ovrix_read32_main, ...).
 */
#include "mex.h"

#ifndef OVRIX_ENTRY
#error "OVRIX_ENTRY names the command entry this plug-in exports"
#endif

void OVRIX_ENTRY(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]);

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])
{
  OVRIX_ENTRY(nlhs, plhs, nrhs, prhs);
}
