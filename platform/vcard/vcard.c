/*
 * vcard.c - the virtual card: the card library's operations over a software
 * model of two cards, and the control interface that steers the model.
 *
 * All model state lives under g_lock: the cards' records and memory, the open
 * handles, the armed faults and the journal. Each operation takes the lock
 * once, checks for an armed fault, does its work, writes its journal entry and
 * lets go; ConfigureFromFile alone lets go while it reads the file.
 *
 * Memory (each card's local space, the journal's ring) is taken on first need
 * and given back by vcard_reset, so a run that ends with a reset leaves
 * nothing behind.
 */
#define _POSIX_C_SOURCE 200809L

#include "vcard_control.h"
#include "osevent_control.h"
#include "vcard_internal.h"

#include <math.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct card {
  ADMXRC2_CARD_INFO info;
  ADMXRC2_SPACE_INFO space[VCARD_MAX_SPACES];
  ADMXRC2_BANK_INFO bank[VCARD_MAX_BANKS];
  double clock_hz[VCARD_CLOCK_COUNT]; /* last obtained; 0 = never set */
  int configured;
  uint8_t *mem; /* VCARD_LOCAL_SIZE bytes, or NULL until first needed */
} card;

typedef struct open_handle {
  ADMXRC2_HANDLE handle;
  uint32_t card;
} open_handle;

typedef struct fault {
  uint32_t status;
  uint32_t remaining;
} fault;

static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
static int g_ready; /* g_cards hold the defaults or later changes */
static card g_cards[VCARD_CARD_COUNT];
static open_handle g_open[VCARD_MAX_OPEN]; /* first g_nopen in use, unordered */
static size_t g_nopen;
static uint32_t g_last_handle; /* survives resets so handles are never reused */
static fault g_fault[VCARD_OP_COUNT];
static struct {
  vcard_call *ring; /* VCARD_JOURNAL_CAPACITY entries, or NULL */
  size_t first;     /* slot of the oldest entry */
  size_t count;
  int on;
} g_journal;

/* ---- default cards ---- */

typedef struct card_default {
  uint32_t id, serial;
  int32_t board_type, fpga_type;
  uint32_t banks;
  uint8_t board_rev, logic_rev;
  ADMXRC2_BANK_INFO bank;
} card_default;

static const card_default k_defaults[VCARD_CARD_COUNT] = {
    {0, 1001, 11, 105, 4, 0x12, 0x03, {0x2, 32, 4096, 1, {0x5A, 0xA5, 0x3C}}},
    {5, 2002, 15, 137, 2, 0x21, 0x04, {0x8, 64, 131072, 1, {0x5A, 0xA5, 0x3C}}},
};

/* Three spaces that tile the 64 MiB: 32 + 16 + 16 MiB. */
static const ADMXRC2_SPACE_INFO k_spaces[3] = {
    {0x00000000u, 0x02000000u, 7, 3, 0},
    {0x02000000u, 0x01000000u, 7, 2, 0},
    {0x03000000u, 0x01000000u, 7, 1, 0},
};

static void load_defaults_locked(void) {
  for (uint32_t i = 0; i < VCARD_CARD_COUNT; i++) {
    const card_default *d = &k_defaults[i];
    card *c = &g_cards[i];
    free(c->mem);
    memset(c, 0, sizeof *c);
    c->info.CardID = d->id;
    c->info.SerialNumber = d->serial;
    c->info.BoardType = d->board_type;
    c->info.FPGAType = d->fpga_type;
    c->info.NumClock = VCARD_CLOCK_COUNT;
    c->info.NumDMAChannel = 2;
    c->info.NumSpace = 3;
    c->info.NumBank = d->banks;
    c->info.LocalSize = VCARD_LOCAL_SIZE;
    c->info.BoardRevision = d->board_rev;
    c->info.LogicRevision = d->logic_rev;
    c->info.Reserved[0] = c->info.Reserved[1] = 0xA5;
    const uint32_t bus_base = 0xF0000000u - i * 0x08000000u;
    for (uint32_t s = 0; s < 3; s++) {
      c->space[s] = k_spaces[s];
      c->space[s].BusAddress = bus_base + k_spaces[s].LocalBase;
    }
    for (uint32_t b = 0; b < d->banks; b++) c->bank[b] = d->bank;
  }
  g_ready = 1;
}

static void lock(void) {
  pthread_mutex_lock(&g_lock);
  if (!g_ready) load_defaults_locked();
}

static void unlock(void) { pthread_mutex_unlock(&g_lock); }

/* ---- journal and faults ---- */

static void journal_locked(vcard_op op, uint32_t result, const uint64_t *args, uint32_t nargs,
                           double real, const char *text) {
  if (!g_journal.on || g_journal.ring == NULL) return;
  size_t slot;
  if (g_journal.count < VCARD_JOURNAL_CAPACITY) {
    slot = (g_journal.first + g_journal.count++) % VCARD_JOURNAL_CAPACITY;
  } else {
    slot = g_journal.first; /* full: the newest replaces the oldest */
    g_journal.first = (g_journal.first + 1) % VCARD_JOURNAL_CAPACITY;
  }
  vcard_call *e = &g_journal.ring[slot];
  memset(e, 0, offsetof(vcard_call, text));
  e->op = op;
  e->result = result;
  e->nargs = nargs;
  memcpy(e->arg, args, nargs * sizeof args[0]);
  e->real = real;
  e->text[0] = '\0';
  if (text != NULL) {
    e->text_len = strlen(text);
    size_t n = e->text_len < VCARD_JOURNAL_TEXT - 1 ? e->text_len : VCARD_JOURNAL_TEXT - 1;
    memcpy(e->text, text, n);
    e->text[n] = '\0';
  }
}

#define ARGS(...) (const uint64_t[]){__VA_ARGS__}, \
                  (uint32_t)(sizeof((const uint64_t[]){__VA_ARGS__}) / sizeof(uint64_t))
#define PTR(p) ((uint64_t)(uintptr_t)(p))

/* 1 and the status to return when a fault is armed for op (using one up). */
static int take_fault_locked(vcard_op op, uint32_t *status) {
  fault *f = &g_fault[op];
  if (f->remaining == 0) return 0;
  f->remaining--;
  *status = f->status;
  return 1;
}

/* ---- handles and cards ---- */

static open_handle *find_handle_locked(ADMXRC2_HANDLE h) {
  if (h == 0) return NULL;
  for (size_t i = 0; i < g_nopen; i++) {
    if (g_open[i].handle == h) return &g_open[i];
  }
  return NULL;
}

/* The card of an open handle, or NULL. */
static card *card_of_locked(ADMXRC2_HANDLE h) {
  open_handle *o = find_handle_locked(h);
  return o == NULL ? NULL : &g_cards[o->card];
}

static ADMXRC2_STATUS memory_locked(card *c) {
  if (c->mem == NULL) c->mem = calloc(1, VCARD_LOCAL_SIZE);
  return c->mem != NULL ? ADMXRC2_SUCCESS : ADMXRC2_NO_MEMORY;
}

static ADMXRC2_STATUS range_check(uint32_t offset, uint32_t length, const void *buffer) {
  if ((uint64_t)offset + (uint64_t)length > (uint64_t)VCARD_LOCAL_SIZE) {
    return ADMXRC2_REGION_OUT_OF_RANGE;
  }
  if (length != 0 && buffer == NULL) return ADMXRC2_NULL_POINTER;
  return ADMXRC2_SUCCESS;
}

/* ---- opening and closing ---- */

static ADMXRC2_STATUS open_locked(int by_index, uint32_t key, ADMXRC2_HANDLE *out) {
  if (out == NULL) return ADMXRC2_NULL_POINTER;
  uint32_t index = VCARD_CARD_COUNT;
  if (by_index) {
    if (key < VCARD_CARD_COUNT) index = key;
  } else {
    for (uint32_t i = 0; i < VCARD_CARD_COUNT; i++) {
      if (g_cards[i].info.CardID == key) {
        index = i;
        break;
      }
    }
  }
  if (index == VCARD_CARD_COUNT) return ADMXRC2_CARD_NOT_FOUND;
  if (g_nopen == VCARD_MAX_OPEN) return ADMXRC2_TOO_MANY_OPEN;
  /* Next value of the counter, skipping 0 and, once it has wrapped, handles
   * still open; with at most VCARD_MAX_OPEN open this ends quickly. */
  do {
    g_last_handle++;
  } while (g_last_handle == 0 || find_handle_locked(g_last_handle) != NULL);
  g_open[g_nopen].handle = g_last_handle;
  g_open[g_nopen].card = index;
  g_nopen++;
  *out = g_last_handle;
  return ADMXRC2_SUCCESS;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_OpenCard(ADMXRC2_CARDID id, ADMXRC2_HANDLE *card_out) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_OPEN_CARD, &st)) st = open_locked(0, id, card_out);
  journal_locked(VCARD_OP_OPEN_CARD, st, ARGS(id, PTR(card_out)), 0.0, NULL);
  unlock();
  return st;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_OpenCardByIndex(uint32_t index, ADMXRC2_HANDLE *card_out) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_OPEN_CARD_BY_INDEX, &st)) st = open_locked(1, index, card_out);
  journal_locked(VCARD_OP_OPEN_CARD_BY_INDEX, st, ARGS(index, PTR(card_out)), 0.0, NULL);
  unlock();
  return st;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_CloseCard(ADMXRC2_HANDLE h) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_CLOSE_CARD, &st)) {
    open_handle *o = find_handle_locked(h);
    if (o == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else {
      *o = g_open[--g_nopen];
      st = ADMXRC2_SUCCESS;
    }
  }
  journal_locked(VCARD_OP_CLOSE_CARD, st, ARGS(h), 0.0, NULL);
  unlock();
  return st;
}

/* ---- status texts ---- */

ADMXRC2_API const char *ADMXRC2_GetStatusString(ADMXRC2_STATUS status) {
  lock();
  const char *text = vcard_status_text_locked(status);
  journal_locked(VCARD_OP_GET_STATUS_STRING, 0, ARGS(status), 0.0, NULL);
  unlock();
  return text;
}

/* ---- configuration ---- */

#define SYNC_WINDOW 4096u

/* What loading the file would give; touches no model state. */
static ADMXRC2_STATUS check_bitstream(const char *filename) {
  static const uint8_t sync[4] = {0xAA, 0x99, 0x55, 0x66};
  FILE *f = fopen(filename, "rb");
  if (f == NULL) return ADMXRC2_FILE_NOT_FOUND;
  uint8_t buf[SYNC_WINDOW];
  size_t n = fread(buf, 1, sizeof buf, f);
  int failed = ferror(f);
  fclose(f);
  if (failed) return ADMXRC2_FILE_NOT_FOUND; /* e.g. a directory */
  if (n == 0) return ADMXRC2_FILE_EMPTY;
  for (size_t i = 0; i + sizeof sync <= n; i++) {
    if (memcmp(buf + i, sync, sizeof sync) == 0) return ADMXRC2_SUCCESS;
  }
  return ADMXRC2_BAD_BITSTREAM;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_ConfigureFromFile(ADMXRC2_HANDLE h, const char *filename) {
  lock();
  ADMXRC2_STATUS st;
  int decided = 1;
  if (!take_fault_locked(VCARD_OP_CONFIGURE_FROM_FILE, &st)) {
    if (card_of_locked(h) == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (filename == NULL) {
      st = ADMXRC2_NULL_POINTER;
    } else {
      decided = 0;
    }
  }
  if (!decided) {
    unlock();
    st = check_bitstream(filename);
    lock();
    /* The handle may have been closed (or the model reset) meanwhile. */
    card *c = card_of_locked(h);
    if (c == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (st == ADMXRC2_SUCCESS) {
      c->configured = 1;
    }
  }
  journal_locked(VCARD_OP_CONFIGURE_FROM_FILE, st, ARGS(h, PTR(filename)), 0.0, filename);
  unlock();
  return st;
}

/* The nearest VCARD_CLOCK_REF_HZ * M / N to hz; ties go to the smaller N, then M. */
static double nearest_clock(double hz) {
  double best = 0.0, best_err = INFINITY;
  for (uint32_t n = 1; n <= 63; n++) {
    /* For a fixed N the error only grows away from hz * N / REF, so the
     * neighbours of that point are the only candidates. */
    double m_exact = floor(hz * (double)n / VCARD_CLOCK_REF_HZ);
    for (int k = -1; k <= 2; k++) {
      double m = m_exact + k;
      if (m < 1.0 || m > 1023.0) continue;
      double f = VCARD_CLOCK_REF_HZ * m / (double)n;
      double err = fabs(f - hz);
      if (err < best_err) {
        best_err = err;
        best = f;
      }
    }
  }
  return best;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_SetClockRate(ADMXRC2_HANDLE h, uint32_t clock_index,
                                                double frequency_hz, double *obtained_hz) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_SET_CLOCK_RATE, &st)) {
    card *c = card_of_locked(h);
    if (c == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (clock_index >= c->info.NumClock || clock_index >= VCARD_CLOCK_COUNT) {
      st = ADMXRC2_INVALID_INDEX;
    } else if (!(frequency_hz >= VCARD_CLOCK_MIN_HZ && frequency_hz <= VCARD_CLOCK_MAX_HZ)) {
      st = ADMXRC2_CLOCK_OUT_OF_RANGE; /* NaN fails both comparisons */
    } else if (obtained_hz == NULL) {
      st = ADMXRC2_NULL_POINTER;
    } else {
      double f = nearest_clock(frequency_hz);
      c->clock_hz[clock_index] = f;
      *obtained_hz = f;
      st = ADMXRC2_SUCCESS;
    }
  }
  journal_locked(VCARD_OP_SET_CLOCK_RATE, st, ARGS(h, clock_index, PTR(obtained_hz)),
                 frequency_hz, NULL);
  unlock();
  return st;
}

/* ---- records ---- */

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetCardInfo(ADMXRC2_HANDLE h, ADMXRC2_CARD_INFO *info) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_GET_CARD_INFO, &st)) {
    card *c = card_of_locked(h);
    if (c == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (info == NULL) {
      st = ADMXRC2_NULL_POINTER;
    } else {
      *info = c->info;
      st = ADMXRC2_SUCCESS;
    }
  }
  journal_locked(VCARD_OP_GET_CARD_INFO, st, ARGS(h, PTR(info)), 0.0, NULL);
  unlock();
  return st;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetSpaceInfo(ADMXRC2_HANDLE h, uint32_t space_index,
                                                ADMXRC2_SPACE_INFO *info) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_GET_SPACE_INFO, &st)) {
    card *c = card_of_locked(h);
    if (c == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (space_index >= c->info.NumSpace || space_index >= VCARD_MAX_SPACES) {
      st = ADMXRC2_INVALID_INDEX;
    } else if (info == NULL) {
      st = ADMXRC2_NULL_POINTER;
    } else {
      *info = c->space[space_index];
      st = ADMXRC2_SUCCESS;
    }
  }
  journal_locked(VCARD_OP_GET_SPACE_INFO, st, ARGS(h, space_index, PTR(info)), 0.0, NULL);
  unlock();
  return st;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_GetBankInfo(ADMXRC2_HANDLE h, uint32_t bank_index,
                                               ADMXRC2_BANK_INFO *info) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_GET_BANK_INFO, &st)) {
    card *c = card_of_locked(h);
    if (c == NULL) {
      st = ADMXRC2_INVALID_HANDLE;
    } else if (bank_index >= c->info.NumBank || bank_index >= VCARD_MAX_BANKS) {
      st = ADMXRC2_INVALID_INDEX;
    } else if (info == NULL) {
      st = ADMXRC2_NULL_POINTER;
    } else {
      *info = c->bank[bank_index];
      st = ADMXRC2_SUCCESS;
    }
  }
  journal_locked(VCARD_OP_GET_BANK_INFO, st, ARGS(h, bank_index, PTR(info)), 0.0, NULL);
  unlock();
  return st;
}

/* ---- programmed transfers ---- */

/* One copy between buf and the card's memory: to_host reads, else writes
 * (buf is then only read). */
static ADMXRC2_STATUS transfer_locked(ADMXRC2_HANDLE h, uint32_t width, uint32_t flags,
                                      uint32_t offset, void *buf, uint32_t length, int to_host) {
  card *c = card_of_locked(h);
  if (c == NULL) return ADMXRC2_INVALID_HANDLE;
  if (width > ADMXRC2_WIDTH_32) return ADMXRC2_INVALID_WIDTH;
  if (flags != ADMXRC2_FLAG_NONE && flags != ADMXRC2_FLAG_BURST) return ADMXRC2_INVALID_FLAGS;
  if (!c->configured) return ADMXRC2_FPGA_NOT_CONFIGURED;
  ADMXRC2_STATUS st = range_check(offset, length, buf);
  if (st != ADMXRC2_SUCCESS || length == 0) return st;
  st = memory_locked(c);
  if (st != ADMXRC2_SUCCESS) return st;
  if (to_host) {
    memcpy(buf, c->mem + offset, length);
  } else {
    memcpy(c->mem + offset, buf, length);
  }
  return ADMXRC2_SUCCESS;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_Read(ADMXRC2_HANDLE h, uint32_t width, uint32_t flags,
                                        uint32_t local_offset, void *buffer, uint32_t length) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_READ, &st)) {
    st = transfer_locked(h, width, flags, local_offset, buffer, length, 1);
  }
  journal_locked(VCARD_OP_READ, st, ARGS(h, width, flags, local_offset, PTR(buffer), length), 0.0,
                 NULL);
  unlock();
  return st;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_Write(ADMXRC2_HANDLE h, uint32_t width, uint32_t flags,
                                         uint32_t local_offset, const void *buffer,
                                         uint32_t length) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_WRITE, &st)) {
    st = transfer_locked(h, width, flags, local_offset, (void *)buffer, length, 0);
  }
  journal_locked(VCARD_OP_WRITE, st, ARGS(h, width, flags, local_offset, PTR(buffer), length),
                 0.0, NULL);
  unlock();
  return st;
}

/* ---- DMA ---- */

#define MODE_BOARD(word) (((word) >> 24) & 0xFFu)
#define MODE_WIDTH(word) ((word) & 3u)

ADMXRC2_API uint32_t ADMXRC2_BuildDMAModeWord(int32_t board_type, uint32_t width, uint32_t burst,
                                              uint32_t mode_flags) {
  uint32_t word = ((uint32_t)board_type & 0xFFu) << 24 | (burst & 0xFFu) << 16 |
                  (mode_flags & 0xFFFCu) | (width & 3u);
  lock();
  journal_locked(VCARD_OP_BUILD_DMA_MODE_WORD, word,
                 ARGS((uint32_t)board_type, width, burst, mode_flags), 0.0, NULL);
  unlock();
  return word;
}

static ADMXRC2_STATUS dma_locked(ADMXRC2_HANDLE h, void *buffer, uint32_t length,
                                 uint32_t offset, uint32_t direction, uint32_t channel,
                                 uint32_t mode, uint32_t flags, HANDLE event) {
  card *c = card_of_locked(h);
  if (c == NULL) return ADMXRC2_INVALID_HANDLE;
  if (!osevent_is_live(event)) return ADMXRC2_INVALID_EVENT;
  if (direction != ADMXRC2_DIR_HOST_TO_CARD && direction != ADMXRC2_DIR_CARD_TO_HOST) {
    return ADMXRC2_INVALID_DIRECTION;
  }
  if (channel >= c->info.NumDMAChannel) return ADMXRC2_INVALID_DMA_CHANNEL;
  if (MODE_BOARD(mode) != ((uint32_t)c->info.BoardType & 0xFFu) || MODE_WIDTH(mode) > 2u) {
    return ADMXRC2_INVALID_DMA_MODE;
  }
  if (flags != 0) return ADMXRC2_INVALID_FLAGS;
  if (!c->configured) return ADMXRC2_FPGA_NOT_CONFIGURED;
  ADMXRC2_STATUS st = range_check(offset, length, buffer);
  if (st != ADMXRC2_SUCCESS) return st;
  if (length != 0) {
    st = memory_locked(c);
    if (st != ADMXRC2_SUCCESS) return st;
    if (direction == ADMXRC2_DIR_CARD_TO_HOST) {
      memcpy(buffer, c->mem + offset, length);
    } else {
      memcpy(c->mem + offset, buffer, length);
    }
  }
  /* The event layer has its own lock and never calls back here. */
  return SetEvent(event) ? ADMXRC2_SUCCESS : ADMXRC2_INVALID_EVENT;
}

ADMXRC2_API ADMXRC2_STATUS ADMXRC2_DoDMAImmediate(ADMXRC2_HANDLE h, void *buffer,
                                                  uint32_t length, uint32_t local_offset,
                                                  uint32_t direction, uint32_t channel,
                                                  uint32_t mode, uint32_t flags,
                                                  uint32_t timeout_ms, HANDLE event) {
  lock();
  ADMXRC2_STATUS st;
  if (!take_fault_locked(VCARD_OP_DO_DMA_IMMEDIATE, &st)) {
    st = dma_locked(h, buffer, length, local_offset, direction, channel, mode, flags, event);
  }
  journal_locked(VCARD_OP_DO_DMA_IMMEDIATE, st,
                 ARGS(h, PTR(buffer), length, local_offset, direction, channel, mode, flags,
                      timeout_ms, PTR(event)),
                 0.0, NULL);
  unlock();
  return st;
}

/* ---- control ---- */

VCARD_API void vcard_reset(void) {
  pthread_mutex_lock(&g_lock);
  load_defaults_locked(); /* frees the cards' memory too */
  g_nopen = 0;
  memset(g_fault, 0, sizeof g_fault);
  free(g_journal.ring);
  g_journal.ring = NULL;
  g_journal.first = g_journal.count = 0;
  g_journal.on = 0;
  pthread_mutex_unlock(&g_lock);
}

VCARD_API int vcard_inject(vcard_op op, uint32_t status, uint32_t count) {
  if ((unsigned)op >= VCARD_OP_COUNT || op == VCARD_OP_GET_STATUS_STRING ||
      op == VCARD_OP_BUILD_DMA_MODE_WORD) {
    return -1;
  }
  lock();
  g_fault[op].status = status;
  g_fault[op].remaining = count;
  unlock();
  return 0;
}

VCARD_API void vcard_clear_faults(void) {
  lock();
  memset(g_fault, 0, sizeof g_fault);
  unlock();
}

VCARD_API void vcard_journal_enable(int on) {
  lock();
  if (on && g_journal.ring == NULL) {
    g_journal.ring = calloc(VCARD_JOURNAL_CAPACITY, sizeof *g_journal.ring);
    g_journal.first = g_journal.count = 0;
  }
  g_journal.on = on && g_journal.ring != NULL;
  unlock();
}

VCARD_API void vcard_journal_clear(void) {
  lock();
  g_journal.first = g_journal.count = 0;
  unlock();
}

VCARD_API size_t vcard_journal_count(void) {
  lock();
  size_t n = g_journal.count;
  unlock();
  return n;
}

VCARD_API int vcard_journal_get(size_t i, vcard_call *out) {
  if (out == NULL) return 0;
  lock();
  int found = i < g_journal.count;
  if (found) *out = g_journal.ring[(g_journal.first + i) % VCARD_JOURNAL_CAPACITY];
  unlock();
  return found;
}

VCARD_API int vcard_get_card_info(uint32_t index, ADMXRC2_CARD_INFO *info) {
  if (index >= VCARD_CARD_COUNT || info == NULL) return -1;
  lock();
  *info = g_cards[index].info;
  unlock();
  return 0;
}

VCARD_API int vcard_set_card_info(uint32_t index, const ADMXRC2_CARD_INFO *info) {
  if (index >= VCARD_CARD_COUNT || info == NULL) return -1;
  lock();
  g_cards[index].info = *info;
  unlock();
  return 0;
}

VCARD_API int vcard_set_space_info(uint32_t index, uint32_t space, const ADMXRC2_SPACE_INFO *info) {
  if (index >= VCARD_CARD_COUNT || space >= VCARD_MAX_SPACES || info == NULL) return -1;
  lock();
  g_cards[index].space[space] = *info;
  unlock();
  return 0;
}

VCARD_API int vcard_set_bank_info(uint32_t index, uint32_t bank, const ADMXRC2_BANK_INFO *info) {
  if (index >= VCARD_CARD_COUNT || bank >= VCARD_MAX_BANKS || info == NULL) return -1;
  lock();
  g_cards[index].bank[bank] = *info;
  unlock();
  return 0;
}

VCARD_API int vcard_set_configured(uint32_t index, int configured) {
  if (index >= VCARD_CARD_COUNT) return -1;
  lock();
  g_cards[index].configured = configured != 0;
  unlock();
  return 0;
}

VCARD_API int vcard_is_configured(uint32_t index) {
  if (index >= VCARD_CARD_COUNT) return -1;
  lock();
  int configured = g_cards[index].configured;
  unlock();
  return configured;
}

VCARD_API int vcard_get_clock(uint32_t index, uint32_t clock, double *hz) {
  if (index >= VCARD_CARD_COUNT || clock >= VCARD_CLOCK_COUNT || hz == NULL) return -1;
  lock();
  *hz = g_cards[index].clock_hz[clock];
  unlock();
  return 0;
}

static int direct_access(uint32_t index, uint32_t offset, void *buf, uint32_t length,
                         int to_host) {
  if (index >= VCARD_CARD_COUNT) return -1;
  if (range_check(offset, length, buf) != ADMXRC2_SUCCESS) return -1;
  if (length == 0) return 0;
  lock();
  card *c = &g_cards[index];
  int rc = memory_locked(c) == ADMXRC2_SUCCESS ? 0 : -1;
  if (rc == 0) {
    if (to_host) {
      memcpy(buf, c->mem + offset, length);
    } else {
      memcpy(c->mem + offset, buf, length);
    }
  }
  unlock();
  return rc;
}

VCARD_API int vcard_peek(uint32_t index, uint32_t offset, void *out, uint32_t length) {
  return direct_access(index, offset, out, length, 1);
}

VCARD_API int vcard_poke(uint32_t index, uint32_t offset, const void *data, uint32_t length) {
  return direct_access(index, offset, (void *)data, length, 0);
}

VCARD_API size_t vcard_open_handles(void) {
  lock();
  size_t n = g_nopen;
  unlock();
  return n;
}
