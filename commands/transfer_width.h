/* The word widths of the transfer commands. */
#ifndef OVRIX_TRANSFER_WIDTH_H
#define OVRIX_TRANSFER_WIDTH_H

#include "ovrix_gateway.h"

typedef struct transfer_width {
  uint32_t code;             /* the card library's width code */
  uint32_t word_bytes;
  mxClassID signed_class;    /* what a read returns by default */
  mxClassID unsigned_class;  /* ... and on request */
} transfer_width;

extern const transfer_width WIDTH8, WIDTH16, WIDTH32;

#endif
