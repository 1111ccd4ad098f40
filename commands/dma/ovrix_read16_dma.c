/* ovrix_read16_dma: read a block of 16-bit words by immediate DMA. */
#include "dma.h"

OVRIX_COMMAND(ovrix_read16_dma)
{
  dma_read(&WIDTH16, DMA_RESULT_SIGNED, nlhs, plhs, nrhs, prhs);
}
