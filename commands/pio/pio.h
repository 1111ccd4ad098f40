/* Programmed reads and writes, one implementation for every width. */
#ifndef OVRIX_PIO_H
#define OVRIX_PIO_H

#include "transfer_width.h"

/* handle, offset, count [, options]: bit 0 unsigned result, bit 1 burst flag. */
void pio_read(const transfer_width *width, int nlhs, mxArray *plhs[], int nrhs,
              const mxArray *prhs[]);

/* handle, offset, data [, options when max_inputs is 4]: bit 1 burst flag. */
void pio_write(const transfer_width *width, int max_inputs, int nrhs, const mxArray *prhs[]);

#endif
