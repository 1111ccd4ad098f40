/* ovrix_close: hand a card handle back to the card library. */
#include "ovrix_gateway.h"

OVRIX_COMMAND(ovrix_close)
{
  (void)nlhs;
  (void)plhs;
  ovrix_check_inputs(nrhs, 1, 1);
  /* A failed close is not reported: the handle is gone either way. */
  (void)ADMXRC2_CloseCard(ovrix_get_handle(prhs[0]));
}
