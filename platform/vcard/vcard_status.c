/*
 * vcard_status.c - status texts and operation names of the virtual card.
 */
#include "vcard_control.h"
#include "vcard_internal.h"

#include <stdio.h>
#include <string.h>

static const char *const k_status_text[VCARD_STATUS_END] = {
    [ADMXRC2_SUCCESS] = "Success",
    [ADMXRC2_INVALID_HANDLE] = "Invalid card handle",
    [ADMXRC2_CARD_NOT_FOUND] = "No card with that identifier or index",
    [ADMXRC2_NULL_POINTER] = "A required pointer is null",
    [ADMXRC2_TOO_MANY_OPEN] = "Too many open card handles",
    [ADMXRC2_INVALID_INDEX] = "No such space, bank or clock on this card",
    [ADMXRC2_INVALID_WIDTH] = "Invalid word width code",
    [ADMXRC2_INVALID_FLAGS] = "Invalid transfer flags",
    [ADMXRC2_REGION_OUT_OF_RANGE] = "Transfer lies outside the local address space",
    [ADMXRC2_FPGA_NOT_CONFIGURED] = "The FPGA is not configured: load a bitstream first",
    [ADMXRC2_FILE_NOT_FOUND] = "Cannot open the bitstream file",
    [ADMXRC2_FILE_EMPTY] = "The bitstream file is empty",
    [ADMXRC2_BAD_BITSTREAM] = "Not a bitstream: no sync word in the first 4 KiB",
    [ADMXRC2_CLOCK_OUT_OF_RANGE] = "Clock frequency out of range",
    [ADMXRC2_INVALID_DMA_CHANNEL] = "No such DMA channel",
    [ADMXRC2_INVALID_DIRECTION] = "Invalid DMA direction",
    [ADMXRC2_INVALID_DMA_MODE] = "DMA mode word does not suit this card",
    [ADMXRC2_INVALID_EVENT] = "Invalid completion event",
    [ADMXRC2_NO_MEMORY] = "Out of memory",
};

/* "Unknown status code 0xffffffff (4294967295)" and its NUL fit. */
#define UNKNOWN_TEXT_SIZE 48
#define UNKNOWN_SLOTS 256

/* Texts of unknown codes, kept for the process's life (a caller may hold on
 * to one). Guarded by the model's lock; vcard_reset leaves them alone. */
static uint32_t g_unknown_code[UNKNOWN_SLOTS];
static char g_unknown_text[UNKNOWN_SLOTS][UNKNOWN_TEXT_SIZE];
static unsigned g_unknown_used;

static _Thread_local char tl_unknown_text[UNKNOWN_TEXT_SIZE];

static void format_unknown(char *out, uint32_t status) {
  snprintf(out, UNKNOWN_TEXT_SIZE, "Unknown status code 0x%08lx (%lu)", (unsigned long)status,
           (unsigned long)status);
}

const char *vcard_status_text_locked(uint32_t status) {
  if (status < VCARD_STATUS_END) return k_status_text[status];
  for (unsigned i = 0; i < g_unknown_used; i++) {
    if (g_unknown_code[i] == status) return g_unknown_text[i];
  }
  if (g_unknown_used < UNKNOWN_SLOTS) {
    unsigned i = g_unknown_used++;
    g_unknown_code[i] = status;
    format_unknown(g_unknown_text[i], status);
    return g_unknown_text[i];
  }
  format_unknown(tl_unknown_text, status);
  return tl_unknown_text;
}

static const char *const k_op_name[VCARD_OP_COUNT] = {
    [VCARD_OP_OPEN_CARD] = "ADMXRC2_OpenCard",
    [VCARD_OP_OPEN_CARD_BY_INDEX] = "ADMXRC2_OpenCardByIndex",
    [VCARD_OP_CLOSE_CARD] = "ADMXRC2_CloseCard",
    [VCARD_OP_GET_STATUS_STRING] = "ADMXRC2_GetStatusString",
    [VCARD_OP_CONFIGURE_FROM_FILE] = "ADMXRC2_ConfigureFromFile",
    [VCARD_OP_SET_CLOCK_RATE] = "ADMXRC2_SetClockRate",
    [VCARD_OP_GET_CARD_INFO] = "ADMXRC2_GetCardInfo",
    [VCARD_OP_GET_SPACE_INFO] = "ADMXRC2_GetSpaceInfo",
    [VCARD_OP_GET_BANK_INFO] = "ADMXRC2_GetBankInfo",
    [VCARD_OP_READ] = "ADMXRC2_Read",
    [VCARD_OP_WRITE] = "ADMXRC2_Write",
    [VCARD_OP_BUILD_DMA_MODE_WORD] = "ADMXRC2_BuildDMAModeWord",
    [VCARD_OP_DO_DMA_IMMEDIATE] = "ADMXRC2_DoDMAImmediate",
};

#define OP_PREFIX "ADMXRC2_"

VCARD_API const char *vcard_op_name(vcard_op op) {
  if ((unsigned)op >= VCARD_OP_COUNT) return NULL;
  return k_op_name[op];
}

VCARD_API int vcard_op_from_name(const char *name) {
  if (name == NULL) return -1;
  const size_t prefix = sizeof OP_PREFIX - 1;
  for (int op = 0; op < (int)VCARD_OP_COUNT; op++) {
    const char *full = k_op_name[op];
    if (strcmp(name, full) == 0 || strcmp(name, full + prefix) == 0) return op;
  }
  return -1;
}
