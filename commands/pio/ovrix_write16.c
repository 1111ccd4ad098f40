/* ovrix_write16: write a data array's bytes as 16-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_write16)
{
  (void)nlhs;
  (void)plhs;
  pio_write(&WIDTH16, 3, nrhs, prhs);
}
