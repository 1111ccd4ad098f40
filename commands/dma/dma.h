/* Immediate DMA reads and writes, one implementation for every width. */
#ifndef OVRIX_DMA_H
#define OVRIX_DMA_H

#include "transfer_width.h"

/* Which element codes a read takes from input 5. */
typedef enum dma_result { DMA_RESULT_SIGNED, DMA_RESULT_BY_ELEMENT_CODE } dma_result;
/* How many bytes a write sends of each element. */
typedef enum dma_source { DMA_SEND_WORDS, DMA_SEND_EVERY_BYTE } dma_source;

/* handle, offset, count [, channel [, element code]]. */
void dma_read(const transfer_width *width, dma_result result, int nlhs, mxArray *plhs[],
              int nrhs, const mxArray *prhs[]);

/* handle, offset, data [, channel]. */
void dma_write(const transfer_width *width, dma_source source, int nrhs, const mxArray *prhs[]);

#endif
