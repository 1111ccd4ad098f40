/* ovrix_read16: read 16-bit words by programmed transfer. */
#include "pio.h"

OVRIX_COMMAND(ovrix_read16)
{
  pio_read(&WIDTH16, nlhs, plhs, nrhs, prhs);
}
