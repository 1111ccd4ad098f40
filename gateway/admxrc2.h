/*
 * admxrc2.h - the card library's C interface, as the commands use it.
 *
 * Every operation but ADMXRC2_GetStatusString and ADMXRC2_BuildDMAModeWord
 * returns a status code: 0 for success, anything else a failure whose text
 * ADMXRC2_GetStatusString gives. Handles, indices, offsets, lengths, codes and
 * channels are 32-bit values. The records below are filled by the library;
 * their layouts are fixed (little-endian, offsets checked at compile time).
 *
 * The default build links the virtual card (platform/vcard); a build may link
 * any other library that exports these operations instead.
 */
#ifndef OVRIX_ADMXRC2_H
#define OVRIX_ADMXRC2_H

#include <stddef.h>
#include <stdint.h>

#include "os_event.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define ADMXRC2_API __declspec(dllimport)
#elif defined(__GNUC__)
#define ADMXRC2_API __attribute__((visibility("default")))
#else
#define ADMXRC2_API
#endif

typedef uint32_t ADMXRC2_STATUS;  /* 0: success */
typedef uint32_t ADMXRC2_HANDLE;  /* an open card */
typedef uint32_t ADMXRC2_CARDID;  /* a card's identifier */

#define ADMXRC2_SUCCESS 0u

/* Word width codes of transfers and DMA mode words. */
#define ADMXRC2_WIDTH_8  0u
#define ADMXRC2_WIDTH_16 1u
#define ADMXRC2_WIDTH_32 2u

/* Flags of ADMXRC2_Read and ADMXRC2_Write. */
#define ADMXRC2_FLAG_NONE  0u
#define ADMXRC2_FLAG_BURST 2u  /* move the words in bursts */

/* Directions of ADMXRC2_DoDMAImmediate. */
#define ADMXRC2_DIR_HOST_TO_CARD 0u
#define ADMXRC2_DIR_CARD_TO_HOST 1u

/* Card-information record, 40 bytes. */
typedef struct ADMXRC2_CARD_INFO {
  uint32_t CardID;          /*  0: card identifier */
  uint32_t SerialNumber;    /*  4 */
  int32_t  BoardType;       /*  8: see the board-type names */
  int32_t  FPGAType;        /* 12: see the FPGA-type names */
  uint32_t NumClock;        /* 16: programmable clocks */
  uint32_t NumDMAChannel;   /* 20 */
  uint32_t NumSpace;        /* 24: spaces of the local bus */
  uint32_t NumBank;         /* 28: memory banks */
  uint32_t LocalSize;       /* 32: bytes of local address space */
  uint8_t  BoardRevision;   /* 36 */
  uint8_t  LogicRevision;   /* 37 */
  uint8_t  Reserved[2];     /* 38: not read */
} ADMXRC2_CARD_INFO;

/* Space-information record, 20 bytes. */
typedef struct ADMXRC2_SPACE_INFO {
  uint32_t LocalBase;       /*  0: where the space starts on the local bus */
  uint32_t LocalSize;       /*  4: bytes */
  uint32_t WidthMask;       /*  8: bit n set: width code n supported */
  uint32_t Flags;           /* 12: 1 prefetchable, 2 writable */
  uint32_t BusAddress;      /* 16: low 32 bits of the PCI address */
} ADMXRC2_SPACE_INFO;

/* Bank-information record, 16 bytes. */
typedef struct ADMXRC2_BANK_INFO {
  uint32_t TypeMask;        /*  0: memory kind, one bit per kind */
  uint32_t Width;           /*  4: data bits */
  uint32_t Size;            /*  8: KiB */
  uint8_t  Fitted;          /* 12: 1 when the bank is fitted */
  uint8_t  Reserved[3];     /* 13: not read */
} ADMXRC2_BANK_INFO;

#if defined(__cplusplus)
#define ADMXRC2_STATIC_ASSERT static_assert
#else
#define ADMXRC2_STATIC_ASSERT _Static_assert
#endif
ADMXRC2_STATIC_ASSERT(sizeof(ADMXRC2_CARD_INFO) == 40, "card record is 40 bytes");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, SerialNumber) == 4, "offset 4");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, BoardType) == 8, "offset 8");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, FPGAType) == 12, "offset 12");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, NumClock) == 16, "offset 16");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, LocalSize) == 32, "offset 32");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, BoardRevision) == 36, "offset 36");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_CARD_INFO, LogicRevision) == 37, "offset 37");
ADMXRC2_STATIC_ASSERT(sizeof(ADMXRC2_SPACE_INFO) == 20, "space record is 20 bytes");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_SPACE_INFO, BusAddress) == 16, "offset 16");
ADMXRC2_STATIC_ASSERT(sizeof(ADMXRC2_BANK_INFO) == 16, "bank record is 16 bytes");
ADMXRC2_STATIC_ASSERT(offsetof(ADMXRC2_BANK_INFO, Fitted) == 12, "offset 12");

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_OpenCard(ADMXRC2_CARDID id, ADMXRC2_HANDLE *card);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_OpenCardByIndex(uint32_t index, ADMXRC2_HANDLE *card);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_CloseCard(ADMXRC2_HANDLE card);

/* Text of a status code; owned by the library and valid for the process's life. */
ADMXRC2_API const char *ADMXRC2_GetStatusString(ADMXRC2_STATUS status);

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_ConfigureFromFile(ADMXRC2_HANDLE card, const char *filename);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_SetClockRate(ADMXRC2_HANDLE card, uint32_t clock_index,
                                                double frequency_hz, double *obtained_hz);

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetCardInfo(ADMXRC2_HANDLE card, ADMXRC2_CARD_INFO *info);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetSpaceInfo(ADMXRC2_HANDLE card, uint32_t space_index,
                                                ADMXRC2_SPACE_INFO *info);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetBankInfo(ADMXRC2_HANDLE card, uint32_t bank_index,
                                               ADMXRC2_BANK_INFO *info);

/* Programmed transfers of `length` bytes at `local_offset`. */
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_Read(ADMXRC2_HANDLE card, uint32_t width, uint32_t flags,
                                        uint32_t local_offset, void *buffer, uint32_t length);
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_Write(ADMXRC2_HANDLE card, uint32_t width, uint32_t flags,
                                         uint32_t local_offset, const void *buffer,
                                         uint32_t length);

/*
 * A DMA mode word for a board type and width. `burst` and `mode_flags` are
 * passed as the callers fix them (0 and 0x1C0).
 */
ADMXRC2_API uint32_t ADMXRC2_BuildDMAModeWord(int32_t board_type, uint32_t width, uint32_t burst,
                                              uint32_t mode_flags);

/*
 * One DMA transfer of `length` bytes between `buffer` and the card's local
 * address space, ended when the call returns; `event` is signalled when the
 * transfer completes. `flags` and `timeout_ms` are 0 for an immediate transfer
 * that waits as long as it takes.
 */
ADMXRC2_API ADMXRC2_STATUS ADMXRC2_DoDMAImmediate(ADMXRC2_HANDLE card, void *buffer,
                                                  uint32_t length, uint32_t local_offset,
                                                  uint32_t direction, uint32_t channel,
                                                  uint32_t mode, uint32_t flags,
                                                  uint32_t timeout_ms, HANDLE event);

#ifdef __cplusplus
}
#endif

#endif
