#include "dma.h"

#define DEFAULT_CHANNEL 1u
#define DEFAULT_ELEMENT_CODE 4
#define MODE_BURST 0u
#define MODE_FLAGS 0x1C0u

/* The result class and bytes per element of an element code; 0 when the
 * code would move more bytes than its result holds. */
static int element_code(int32_t code, mxClassID *result_class, uint32_t *bytes)
{
  switch (code) {
  case 1: *result_class = mxINT8_CLASS; *bytes = 1; return 1;
  case -1: *result_class = mxUINT8_CLASS; *bytes = 1; return 1;
  case 2: *result_class = mxINT16_CLASS; *bytes = 2; return 1;
  case -2: *result_class = mxUINT16_CLASS; *bytes = 2; return 1;
  case -4: *result_class = mxUINT32_CLASS; *bytes = 4; return 1;
  case 8: *result_class = mxDOUBLE_CLASS; *bytes = 8; return 1;
  default:
    /* Every other code reads int32 words, `code` bytes of each. */
    *result_class = mxINT32_CLASS;
    *bytes = (uint32_t)code;
    return code >= 0 && code <= 4;
  }
}

/* One transfer between `buffer` and the card, with the mode word for the
 * card's board type. Raises if the card information cannot be had or no
 * completion event can be made; otherwise the transfer's status. */
static ADMXRC2_STATUS transfer(ADMXRC2_HANDLE card, void *buffer, uint32_t length,
                               uint32_t offset, uint32_t direction, uint32_t channel,
                               uint32_t width_code)
{
  /* Zeroed: a library that reports success without filling the record in
   * gives board type 0, not stack garbage. */
  ADMXRC2_CARD_INFO info = {0};
  ADMXRC2_STATUS status = ADMXRC2_GetCardInfo(card, &info);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to get card info: %s", ovrix_status_text(status));

  HANDLE done = CreateEventA(NULL, TRUE, FALSE, NULL);
  if (done == NULL)
    ovrix_raise("Cannot make a completion event for the DMA transfer; nothing was transferred");
  uint32_t mode = ADMXRC2_BuildDMAModeWord(info.BoardType, width_code, MODE_BURST, MODE_FLAGS);
  status = ADMXRC2_DoDMAImmediate(card, buffer, length, offset, direction, channel, mode, 0, 0,
                                  done);
  CloseHandle(done);
  return status;
}

void dma_read(const transfer_width *width, dma_result result, int nlhs, mxArray *plhs[],
              int nrhs, const mxArray *prhs[])
{
  (void)nlhs;  /* the result always goes to slot 0 */
  int by_code = result == DMA_RESULT_BY_ELEMENT_CODE;
  ovrix_check_inputs(nrhs, 3, by_code ? 5 : 4);
  uint32_t channel = nrhs >= 4 ? ovrix_get_number(prhs[3], "DMA channel", 4) : DEFAULT_CHANNEL;

  mxClassID result_class = width->signed_class;
  uint32_t element_bytes = width->word_bytes;
  if (by_code) {
    int32_t code = nrhs == 5 ? (int32_t)ovrix_get_number(prhs[4], "element code", 5)
                             : DEFAULT_ELEMENT_CODE;
    if (!element_code(code, &result_class, &element_bytes))
      ovrix_raisef("element code (input 5) must be 1, 2, 4 or 8 for int8, int16, int32 or"
                   " double, or -1, -2 or -4 for uint8, uint16 or uint32; got %d",
                   (int)code);
  }
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);
  uint32_t offset = ovrix_get_number(prhs[1], "local offset", 2);
  uint32_t count = ovrix_get_count(prhs[2], "element count", 3, element_bytes);

  /* Element codes 0 and 3 read fewer bytes than their int32 result holds;
   * the rest stay zero. Every other result is filled whole. */
  int fills_result = result_class != mxINT32_CLASS || element_bytes == 4;
  void *words = fills_result ? ovrix_put_row_to_fill(&plhs[0], result_class, count)
                             : ovrix_put_row(&plhs[0], result_class, count);
  ADMXRC2_STATUS status = transfer(card, words, count * element_bytes, offset,
                                   ADMXRC2_DIR_CARD_TO_HOST, channel, width->code);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to read data: %s\n", ovrix_status_text(status));
}

void dma_write(const transfer_width *width, dma_source source, int nrhs, const mxArray *prhs[])
{
  ovrix_check_inputs(nrhs, 3, 4);
  uint32_t channel = nrhs == 4 ? ovrix_get_number(prhs[3], "DMA channel", 4) : DEFAULT_CHANNEL;
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);
  uint32_t offset = ovrix_get_number(prhs[1], "local offset", 2);
  ovrix_block data = ovrix_get_block(prhs[2], "data array", 3,
                                     source == DMA_SEND_EVERY_BYTE ? 0 : width->word_bytes);

  ADMXRC2_STATUS status = transfer(card, data.data, data.length, offset,
                                   ADMXRC2_DIR_HOST_TO_CARD, channel, width->code);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to write data: %s\n", ovrix_status_text(status));
}
