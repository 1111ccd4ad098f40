/* ovrix_read32_dma: read a block of 32-bit words by immediate DMA. */
#include "dma.h"

OVRIX_COMMAND(ovrix_read32_dma)
{
  dma_read(&WIDTH32, DMA_RESULT_BY_ELEMENT_CODE, nlhs, plhs, nrhs, prhs);
}
