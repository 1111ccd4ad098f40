#include "record_outputs.h"

uint32_t record_index(int nrhs, const mxArray *prhs[], const char *name)
{
  ovrix_check_inputs(nrhs, 1, 2);
  return nrhs == 2 ? ovrix_get_number(prhs[1], name, 2) : 0;
}

void record_outputs(int nlhs, mxArray *plhs[], const uint32_t *fields, int count)
{
  for (int k = 0; k < count && (k == 0 || k < nlhs); k++)
    ovrix_put_uint(&plhs[k], mxUINT32_CLASS, fields[k]);
  ovrix_check_outputs(nlhs, count);
}
