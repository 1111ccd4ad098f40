/* The shape shared by the space and bank queries: one uint32 output per field. */
#ifndef OVRIX_RECORD_OUTPUTS_H
#define OVRIX_RECORD_OUTPUTS_H

#include "ovrix_gateway.h"

/* The index of input 2, 0 when the card handle comes alone. */
uint32_t record_index(int nrhs, const mxArray *prhs[], const char *name);

/* Output 1 always, further outputs as asked, then the output-count check. */
void record_outputs(int nlhs, mxArray *plhs[], const uint32_t *fields, int count);

#endif
