/* ovrix_write16_dma: write a data array's bytes by immediate DMA, 16-bit bus width. */
#include "dma.h"

OVRIX_COMMAND(ovrix_write16_dma)
{
  (void)nlhs;
  (void)plhs;
  dma_write(&WIDTH16, DMA_SEND_WORDS, nrhs, prhs);
}
