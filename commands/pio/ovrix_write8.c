/* ovrix_write8: write a data array's bytes as 8-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_write8)
{
  (void)nlhs;
  (void)plhs;
  pio_write(&WIDTH8, 3, nrhs, prhs);
}
