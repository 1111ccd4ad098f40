/* ovrix_read8_dma: read a block of 8-bit words by immediate DMA. */
#include "dma.h"

OVRIX_COMMAND(ovrix_read8_dma)
{
  dma_read(&WIDTH8, DMA_RESULT_SIGNED, nlhs, plhs, nrhs, prhs);
}
