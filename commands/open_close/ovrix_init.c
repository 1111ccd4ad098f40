/* ovrix_init: open a card by identifier (0 or 1 input) or by index (2 inputs). */
#include "ovrix_gateway.h"

OVRIX_COMMAND(ovrix_init)
{
  ovrix_check_outputs(nlhs, 1);
  if (nrhs > 2)
    ovrix_raise("Too many input parameters");

  ADMXRC2_HANDLE card = 0;
  ADMXRC2_STATUS status;
  if (nrhs == 2) {
    if (!ovrix_is_empty(prhs[0]))
      ovrix_raise("Specify either a card ID or and index");
    uint32_t index = ovrix_get_number(prhs[1], "card index", 2);
    status = ADMXRC2_OpenCardByIndex(index, &card);
    if (status != ADMXRC2_SUCCESS)
      ovrix_raisef("Failed to open card with index %d: %s\n", (int)(int32_t)index,
                   ovrix_status_text(status));
  } else {
    uint32_t id = nrhs == 1 ? ovrix_get_number(prhs[0], "card identifier", 1) : 0;
    status = ADMXRC2_OpenCard(id, &card);
    if (status != ADMXRC2_SUCCESS)
      ovrix_raisef("Failed to open card with ID %d: %s", (int)(int32_t)id, ovrix_status_text(status));
  }
  ovrix_put_uint(&plhs[0], mxUINT32_CLASS, card);
}
