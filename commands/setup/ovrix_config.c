/* ovrix_config: load an FPGA bitstream file into the card. */
#include "ovrix_gateway.h"

OVRIX_COMMAND(ovrix_config)
{
  (void)nlhs;
  (void)plhs;
  ovrix_check_inputs(nrhs, 2, 2);
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);

  /* The name as text, with room for every element and the terminating zero. */
  size_t length = (size_t)mxGetN(prhs[1]) * (size_t)mxGetM(prhs[1]) + 1;
  char *filename = (char *)mxCalloc(length, 1);
  (void)mxGetString(prhs[1], filename, (mwSize)length);

  ADMXRC2_STATUS status = ADMXRC2_ConfigureFromFile(card, filename);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to load the bitstream '%s': %s\n", filename, ovrix_status_text(status));
}
