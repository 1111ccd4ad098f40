#include "transfer_width.h"

const transfer_width WIDTH8 = {ADMXRC2_WIDTH_8, 1, mxINT8_CLASS, mxUINT8_CLASS};
const transfer_width WIDTH16 = {ADMXRC2_WIDTH_16, 2, mxINT16_CLASS, mxUINT16_CLASS};
const transfer_width WIDTH32 = {ADMXRC2_WIDTH_32, 4, mxINT32_CLASS, mxUINT32_CLASS};
