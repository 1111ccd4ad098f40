/*
 * vcard_control.h - the virtual card's own control interface.
 *
 * The virtual card is a software model of a card behind the card library's
 * interface (admxrc2.h). This header lets tests, and users who want to try
 * their scripts' error handling, steer it: reset it, make an operation fail,
 * watch every call in a journal, and change what the cards report.
 *
 * The default cards
 *   index 0: identifier 0, serial 1001, board type 11 ("xrc4sx"),
 *            FPGA type 105 ("Virtex-4 V4SX35"), 2 clocks, 2 DMA channels,
 *            3 spaces, 4 banks, 64 MiB local space, revisions 0x12 / 0x03
 *   index 1: identifier 5, serial 2002, board type 15 ("xrc5t1"),
 *            FPGA type 137 ("Virtex-5 V5LX50T"), 2 clocks, 2 DMA channels,
 *            3 spaces, 2 banks, 64 MiB local space, revisions 0x21 / 0x04
 * Card-information record words, as the model fills them: CardID, SerialNumber,
 * BoardType, FPGAType, NumClock, NumDMAChannel, NumSpace, NumBank, LocalSize
 * (bytes), BoardRevision, LogicRevision; the two reserved bytes are 0xA5.
 *
 * Model rules
 * - Each open returns a fresh non-zero handle (never reused); at most
 *   VCARD_MAX_OPEN handles are open at once. Closed or unknown handles give
 *   ADMXRC2_INVALID_HANDLE on every operation.
 * - The local address space of a card is VCARD_LOCAL_SIZE bytes, shared by all
 *   handles of that card; its memory is taken on first use. Transfers need a
 *   configured FPGA (ADMXRC2_ConfigureFromFile with a file that holds the
 *   sync word AA 99 55 66 in its first 4 KiB).
 * - Clocks 0 and 1 take VCARD_CLOCK_MIN_HZ to VCARD_CLOCK_MAX_HZ; the obtained
 *   frequency is the nearest that VCARD_CLOCK_REF_HZ * M / N gives with
 *   1 <= M <= 1023 and 1 <= N <= 63.
 * - Spaces 0..NumSpace-1 and banks 0..NumBank-1 exist.
 * - DMA channels 0 and 1; direction 0 or 1; the mode word must be one built
 *   for the card's board type with width code 0, 1 or 2; flags must be 0.
 *   The completion event is signalled before ADMXRC2_DoDMAImmediate returns
 *   success.
 * All of this is safe to call from several threads.
 *
 * Default spaces (card i, bus base B = 0xF0000000 - i * 0x08000000):
 *   space  LocalBase   LocalSize   WidthMask  Flags  BusAddress
 *     0    0x00000000  0x02000000      7        3    B
 *     1    0x02000000  0x01000000      7        2    B + 0x02000000
 *     2    0x03000000  0x01000000      7        1    B + 0x03000000
 * Default banks, all Fitted = 1 and Reserved = {0x5A, 0xA5, 0x3C}:
 *   card 0: 4 banks of TypeMask 0x2, Width 32, Size 4096 KiB
 *   card 1: 2 banks of TypeMask 0x8, Width 64, Size 131072 KiB
 *
 * The order of the checks, first failure wins (a fault armed with vcard_inject
 * comes before all of them):
 *   OpenCard / OpenCardByIndex: NULL out-pointer, no such card, too many open.
 *     On failure *card is left alone.
 *   CloseCard: handle.
 *   ConfigureFromFile: handle, NULL name, file (FILE_NOT_FOUND when it cannot
 *     be opened or read, FILE_EMPTY, BAD_BITSTREAM). The file is read without
 *     holding the model's lock; a handle closed meanwhile gives INVALID_HANDLE.
 *     A failure leaves the FPGA as it was.
 *   SetClockRate: handle, clock index (>= NumClock or >= VCARD_CLOCK_COUNT),
 *     frequency (NaN, infinite or outside the limits), NULL obtained pointer.
 *     Needs no configured FPGA. Ties between (M, N) pairs go to the smaller N,
 *     then the smaller M.
 *   GetCardInfo: handle, NULL record. GetSpaceInfo / GetBankInfo: handle,
 *     index (>= NumSpace / NumBank, or past VCARD_MAX_SPACES / VCARD_MAX_BANKS),
 *     NULL record. None needs a configured FPGA.
 *   Read / Write: handle, width code (> 2), flags (not 0 or 2), configured,
 *     range (offset + length > VCARD_LOCAL_SIZE, in 64 bits; length 0 is fine
 *     at any offset up to VCARD_LOCAL_SIZE), NULL buffer with length > 0.
 *     The card's LocalSize word is only reported: the range is always
 *     VCARD_LOCAL_SIZE.
 *   DoDMAImmediate: handle, event (not a live event of the event layer:
 *     INVALID_EVENT), direction, channel (>= NumDMAChannel), mode word (board
 *     byte != BoardType & 0xFF, or width bits == 3), flags (not 0), configured,
 *     range and NULL buffer as Read / Write. timeout_ms is not checked.
 *     Direction 1 copies card -> buffer, 0 buffer -> card; then the event is
 *     set (an event closed by another thread meanwhile gives INVALID_EVENT,
 *     after the copy).
 *
 * DMA mode word of ADMXRC2_BuildDMAModeWord(board_type, width, burst, flags):
 *   bits 31..24  board_type & 0xFF
 *   bits 23..16  burst & 0xFF
 *   bits 15..2   mode_flags & 0xFFFC
 *   bits  1..0   width & 3
 *
 * Status texts: 0 gives "Success", the codes below the texts in their comments.
 * Any other code gives "Unknown status code 0x0000002a (42)" (for 42). The
 * first 256 distinct unknown codes get texts of their own that live as long as
 * the process (the same pointer each time); past that, the text lives in a
 * buffer of the calling thread, valid until that thread's next such call.
 */
#ifndef OVRIX_VCARD_CONTROL_H
#define OVRIX_VCARD_CONTROL_H

#include <stddef.h>
#include <stdint.h>

#include "admxrc2.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define VCARD_API __attribute__((visibility("default")))
#else
#define VCARD_API
#endif

/* Status codes of the virtual card; ADMXRC2_GetStatusString gives their texts. */
enum {
  ADMXRC2_INVALID_HANDLE = 1,      /* "Invalid card handle" */
  ADMXRC2_CARD_NOT_FOUND,          /* "No card with that identifier or index" */
  ADMXRC2_NULL_POINTER,            /* "A required pointer is null" */
  ADMXRC2_TOO_MANY_OPEN,           /* "Too many open card handles" */
  ADMXRC2_INVALID_INDEX,           /* "No such space, bank or clock on this card" */
  ADMXRC2_INVALID_WIDTH,           /* "Invalid word width code" */
  ADMXRC2_INVALID_FLAGS,           /* "Invalid transfer flags" */
  ADMXRC2_REGION_OUT_OF_RANGE,     /* "Transfer lies outside the local address space" */
  ADMXRC2_FPGA_NOT_CONFIGURED,     /* "The FPGA is not configured: load a bitstream first" */
  ADMXRC2_FILE_NOT_FOUND,          /* "Cannot open the bitstream file" */
  ADMXRC2_FILE_EMPTY,              /* "The bitstream file is empty" */
  ADMXRC2_BAD_BITSTREAM,           /* "Not a bitstream: no sync word in the first 4 KiB" */
  ADMXRC2_CLOCK_OUT_OF_RANGE,      /* "Clock frequency out of range" */
  ADMXRC2_INVALID_DMA_CHANNEL,     /* "No such DMA channel" */
  ADMXRC2_INVALID_DIRECTION,       /* "Invalid DMA direction" */
  ADMXRC2_INVALID_DMA_MODE,        /* "DMA mode word does not suit this card" */
  ADMXRC2_INVALID_EVENT,           /* "Invalid completion event" */
  ADMXRC2_NO_MEMORY,               /* "Out of memory" */
  VCARD_STATUS_END
};

#define VCARD_CARD_COUNT 2u
#define VCARD_MAX_OPEN 1024u
#define VCARD_LOCAL_SIZE (64u * 1024u * 1024u)
#define VCARD_CLOCK_COUNT 2u
#define VCARD_CLOCK_REF_HZ 33333333.0
#define VCARD_CLOCK_MIN_HZ 1.0e6
#define VCARD_CLOCK_MAX_HZ 500.0e6
#define VCARD_JOURNAL_CAPACITY 4096u
#define VCARD_JOURNAL_TEXT 1024u
#define VCARD_MAX_SPACES 8u   /* space records kept per card */
#define VCARD_MAX_BANKS 8u    /* bank records kept per card */

/* The operations, for fault injection and the journal. */
typedef enum vcard_op {
  VCARD_OP_OPEN_CARD,
  VCARD_OP_OPEN_CARD_BY_INDEX,
  VCARD_OP_CLOSE_CARD,
  VCARD_OP_GET_STATUS_STRING,
  VCARD_OP_CONFIGURE_FROM_FILE,
  VCARD_OP_SET_CLOCK_RATE,
  VCARD_OP_GET_CARD_INFO,
  VCARD_OP_GET_SPACE_INFO,
  VCARD_OP_GET_BANK_INFO,
  VCARD_OP_READ,
  VCARD_OP_WRITE,
  VCARD_OP_BUILD_DMA_MODE_WORD,
  VCARD_OP_DO_DMA_IMMEDIATE,
  VCARD_OP_COUNT
} vcard_op;

/* "ADMXRC2_Read" and so on; NULL for an unknown op. */
VCARD_API const char *vcard_op_name(vcard_op op);
/* The op of such a name ("ADMXRC2_Read", or "Read" without the prefix), or -1. */
VCARD_API int vcard_op_from_name(const char *name);

/* Back to the default cards: all handles closed, memory freed, FPGAs and clocks
 * reset, faults cleared, journal emptied and switched off. */
VCARD_API void vcard_reset(void);

/*
 * The next `count` calls of `op` return `status` without doing anything else
 * (count 0 clears the fault). Not for ADMXRC2_GetStatusString or
 * ADMXRC2_BuildDMAModeWord, which return no status: -1 for those, else 0.
 */
VCARD_API int vcard_inject(vcard_op op, uint32_t status, uint32_t count);
VCARD_API void vcard_clear_faults(void);

/*
 * One journal entry: an operation with every argument it was given.
 *
 * arg[] per operation (pointers as their addresses; integers as their 32-bit
 * values, so board_type -2 is recorded as 0xFFFFFFFE):
 *   OpenCard           id, card                           (2)
 *   OpenCardByIndex    index, card                        (2)
 *   CloseCard          card                               (1)
 *   GetStatusString    status                             (1)  result 0
 *   ConfigureFromFile  card, filename                     (2)  text, text_len
 *   SetClockRate       card, clock_index, obtained_hz     (3)  real = frequency_hz
 *   GetCardInfo        card, info                         (2)
 *   GetSpaceInfo       card, space_index, info            (3)
 *   GetBankInfo        card, bank_index, info             (3)
 *   Read / Write       card, width, flags, local_offset, buffer, length   (6)
 *   BuildDMAModeWord   board_type, width, burst, mode_flags  (4)  result = word
 *   DoDMAImmediate     card, buffer, length, local_offset, direction, channel,
 *                      mode, flags, timeout_ms, event     (10)
 * The frequency of SetClockRate is only in `real`, not in arg[]; `real` is 0
 * for every other op. `text` is empty and text_len 0 for every op but
 * ConfigureFromFile (and for it too when the name is NULL). Unused arg[] are 0.
 * A call failed by vcard_inject is recorded like any other, with the injected
 * status as its result.
 */
typedef struct vcard_call {
  vcard_op op;
  uint32_t result;      /* status code, or the mode word of ADMXRC2_BuildDMAModeWord */
  uint32_t nargs;       /* arguments in arg[], in parameter order */
  uint64_t arg[10];     /* integers as given; pointers as their addresses */
  double real;          /* the frequency of ADMXRC2_SetClockRate */
  size_t text_len;      /* full length of the file name of ADMXRC2_ConfigureFromFile */
  char text[VCARD_JOURNAL_TEXT];  /* the name, cut to fit */
} vcard_call;

/* The journal keeps the last VCARD_JOURNAL_CAPACITY calls; off by default.
 * Switching it off keeps what it holds; vcard_reset empties it and frees it.
 * Its memory is taken when it is first switched on (if that fails it stays off). */
VCARD_API void vcard_journal_enable(int on);
VCARD_API void vcard_journal_clear(void);
VCARD_API size_t vcard_journal_count(void);
/* Entry i, oldest first: 1, or 0 if there is no such entry (or out is NULL). */
VCARD_API int vcard_journal_get(size_t i, vcard_call *out);

/* The card-information record of the card of that index (0 on success, -1 for
 * no such card or a NULL record). */
VCARD_API int vcard_get_card_info(uint32_t index, ADMXRC2_CARD_INFO *info);
/* Replace a whole record, identifier included (OpenCard looks cards up by it);
 * NumSpace, NumBank, NumClock, NumDMAChannel and BoardType steer the checks
 * above. These return 0, or -1 for no such card, space (past VCARD_MAX_SPACES),
 * bank (past VCARD_MAX_BANKS) or a NULL record. They last until vcard_reset. */
VCARD_API int vcard_set_card_info(uint32_t index, const ADMXRC2_CARD_INFO *info);
VCARD_API int vcard_set_space_info(uint32_t index, uint32_t space, const ADMXRC2_SPACE_INFO *info);
VCARD_API int vcard_set_bank_info(uint32_t index, uint32_t bank, const ADMXRC2_BANK_INFO *info);
/* Mark the card's FPGA configured (non-zero) or not: 0, or -1 for no such card. */
VCARD_API int vcard_set_configured(uint32_t index, int configured);
/* 1 configured, 0 not, -1 no such card. */
VCARD_API int vcard_is_configured(uint32_t index);

/* The frequency last obtained by ADMXRC2_SetClockRate for that card and clock
 * since the last reset, 0.0 if none: 0 on success, -1 for no such card or clock
 * (clock >= VCARD_CLOCK_COUNT) or a NULL out. */
VCARD_API int vcard_get_clock(uint32_t index, uint32_t clock, double *hz);

/* Direct access to a card's local address space, past every check but the
 * range (as Read / Write): 0 on success, -1 for no such card, a range outside
 * the space, a NULL pointer with length > 0 or no memory. */
VCARD_API int vcard_peek(uint32_t index, uint32_t offset, void *out, uint32_t length);
VCARD_API int vcard_poke(uint32_t index, uint32_t offset, const void *data, uint32_t length);

/* Handles open now. */
VCARD_API size_t vcard_open_handles(void);

#ifdef __cplusplus
}
#endif

#endif
