/* ovrix_write8_dma: write a data array's bytes by immediate DMA, 8-bit bus width. */
#include "dma.h"

OVRIX_COMMAND(ovrix_write8_dma)
{
  (void)nlhs;
  (void)plhs;
  dma_write(&WIDTH8, DMA_SEND_WORDS, nrhs, prhs);
}
