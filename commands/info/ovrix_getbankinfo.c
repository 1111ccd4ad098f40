/* ovrix_getbankinfo: the bank-information record of one bank. */
#include "record_outputs.h"

OVRIX_COMMAND(ovrix_getbankinfo)
{
  uint32_t bank = record_index(nrhs, prhs, "bank index");
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);

  ADMXRC2_BANK_INFO info = {0};  /* zeros if the library leaves it alone */
  ADMXRC2_STATUS status = ADMXRC2_GetBankInfo(card, bank, &info);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to get bank %d info: %s\n", (int)(int32_t)bank,
                 ovrix_status_text(status));

  /* Only the byte at offset 12 of the last field is the bank's. */
  const uint32_t fields[4] = {info.TypeMask, info.Width, info.Size, info.Fitted};
  record_outputs(nlhs, plhs, fields, 4);
}
