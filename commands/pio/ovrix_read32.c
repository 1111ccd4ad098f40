/* ovrix_read32: read 32-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_read32)
{
  pio_read(&WIDTH32, nlhs, plhs, nrhs, prhs);
}
