/* ovrix_write32_dma: write a data array's bytes by immediate DMA, 32-bit bus width. */
#include "dma.h"

OVRIX_COMMAND(ovrix_write32_dma)
{
  (void)nlhs;
  (void)plhs;
  dma_write(&WIDTH32, DMA_SEND_EVERY_BYTE, nrhs, prhs);
}
