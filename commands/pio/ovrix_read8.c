/* ovrix_read8: read 8-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_read8)
{
  pio_read(&WIDTH8, nlhs, plhs, nrhs, prhs);
}
