/* ovrix_write32: write a data array's bytes as 32-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_write32)
{
  (void)nlhs;
  (void)plhs;
  pio_write(&WIDTH32, 4, nrhs, prhs);
}
