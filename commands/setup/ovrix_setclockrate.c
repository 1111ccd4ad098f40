/* ovrix_setclockrate: set one clock, in MHz; returns the frequency obtained, in Hz. */
#include "ovrix_gateway.h"

OVRIX_COMMAND(ovrix_setclockrate)
{
  ovrix_check_outputs(nlhs, 1);
  ovrix_check_inputs(nrhs, 3, 3);
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);
  uint32_t clock = ovrix_get_number(prhs[1], "clock index", 2);
  double mhz = ovrix_get_double(prhs[2], "frequency", 3);

  double obtained = 0.0;
  ADMXRC2_STATUS status = ADMXRC2_SetClockRate(card, clock, mhz * 1000000.0, &obtained);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to set clock %d to %.1fMHz: %s\n", (int)(int32_t)clock, mhz,
                 ovrix_status_text(status));
  ovrix_put_double(&plhs[0], obtained);
}
