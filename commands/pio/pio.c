#include "pio.h"

#define OPTION_UNSIGNED 1u
#define OPTION_BURST 2u

static uint32_t flags_of(uint32_t options)
{
  return (options & OPTION_BURST) ? ADMXRC2_FLAG_BURST : ADMXRC2_FLAG_NONE;
}

void pio_read(const transfer_width *width, int nlhs, mxArray *plhs[], int nrhs,
              const mxArray *prhs[])
{
  (void)nlhs;  /* the result always goes to slot 0 */
  ovrix_check_inputs(nrhs, 3, 4);
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);
  uint32_t offset = ovrix_get_number(prhs[1], "local offset", 2);
  uint32_t count = ovrix_get_count(prhs[2], "element count", 3, width->word_bytes);
  uint32_t options = nrhs == 4 ? ovrix_get_number(prhs[3], "options value", 4) : 0;

  mxClassID result_class =
      (options & OPTION_UNSIGNED) ? width->unsigned_class : width->signed_class;
  void *words = ovrix_put_row_to_fill(&plhs[0], result_class, count);
  ADMXRC2_STATUS status = ADMXRC2_Read(card, width->code, flags_of(options), offset, words,
                                       count * width->word_bytes);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to read data: %s\n", ovrix_status_text(status));
}

void pio_write(const transfer_width *width, int max_inputs, int nrhs, const mxArray *prhs[])
{
  ovrix_check_inputs(nrhs, 3, max_inputs);
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);
  uint32_t offset = ovrix_get_number(prhs[1], "local offset", 2);
  ovrix_block data = ovrix_get_block(prhs[2], "data array", 3, width->word_bytes);
  uint32_t options = nrhs == 4 ? ovrix_get_number(prhs[3], "options value", 4) : 0;

  ADMXRC2_STATUS status =
      ADMXRC2_Write(card, width->code, flags_of(options), offset, data.data, data.length);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to write data: %s\n", ovrix_status_text(status));
}
