/* ovrix_getspaceinfo: the space-information record of one space. */
#include "record_outputs.h"

OVRIX_COMMAND(ovrix_getspaceinfo)
{
  uint32_t space = record_index(nrhs, prhs, "space index");
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);

  ADMXRC2_SPACE_INFO info = {0};  /* zeros if the library leaves it alone */
  ADMXRC2_STATUS status = ADMXRC2_GetSpaceInfo(card, space, &info);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to get space %d info: %s\n", (int)(int32_t)space,
                 ovrix_status_text(status));

  const uint32_t fields[5] = {info.LocalBase, info.LocalSize, info.WidthMask, info.Flags,
                              info.BusAddress};
  record_outputs(nlhs, plhs, fields, 5);
}
