/*
 * ovrix_gateway.h - the rules every ovrix command follows.
 *
 * A command is one entry function over the host's four entry arguments:
 *
 *     OVRIX_COMMAND(ovrix_close)
 *     {
 *       ovrix_check_inputs(nrhs, 1, 1);
 *       ADMXRC2_CloseCard(ovrix_get_handle(prhs[0]));
 *     }
 *
 * Count checks, input decoding, output arrays and failure messages all live
 * here, written once. Every ovrix_raise* call ends the command: the host's
 * error call does not return, and the host disposes of outputs already made
 * and of memory taken with mxCalloc.
 *
 * Inputs that could make a card-library call read or write past an array are
 * refused here, before any such call, with a message that names the input.
 */
#ifndef OVRIX_GATEWAY_H
#define OVRIX_GATEWAY_H

#include <stddef.h>
#include <stdint.h>

#include "admxrc2.h"
#include "mex.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define OVRIX_NORETURN __attribute__((noreturn))
#define OVRIX_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define OVRIX_NORETURN
#define OVRIX_PRINTF(f, a)
#endif

/* The entry of a command; mex_entry.c turns it into the plug-in's mexFunction. */
#define OVRIX_COMMAND(name) \
  void name##_main(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[])

/* Failure messages of the count checks. */
#define OVRIX_TOO_MANY_OUTPUTS "Too many output parameters"
#define OVRIX_BAD_INPUT_COUNT "Incorrect number of input parameters"

/* Raises `text` as the command's error. */
OVRIX_NORETURN void ovrix_raise(const char *text);
/* Composes a message in full, whatever its length, and raises it. */
OVRIX_NORETURN void ovrix_raisef(const char *format, ...) OVRIX_PRINTF(1, 2);
/* The card library's text for a status code (never NULL). */
const char *ovrix_status_text(ADMXRC2_STATUS status);

/* "Too many output parameters" when more than `max` outputs are asked for. */
void ovrix_check_outputs(int nlhs, int max);
/* "Incorrect number of input parameters" unless min <= nrhs <= max. */
void ovrix_check_inputs(int nrhs, int min, int max);

/* The card handle: the first 32-bit word of input 1's data. */
ADMXRC2_HANDLE ovrix_get_handle(const mxArray *input);
/* A numeric argument: the first element, truncated toward zero, low 32 bits. */
uint32_t ovrix_get_number(const mxArray *input, const char *name, int position);
/* The first element as a double, unconverted. */
double ovrix_get_double(const mxArray *input, const char *name, int position);
/* An element count of words of `word_bytes` bytes: refused unless 0 <= count
 * <= 2^31 - 1 and count * word_bytes fits a 32-bit byte length. */
uint32_t ovrix_get_count(const mxArray *input, const char *name, int position,
                         uint32_t word_bytes);
/* True when the array holds no element. */
int ovrix_is_empty(const mxArray *input);

/* The bytes a write sends: the data array's storage as it lies. */
typedef struct ovrix_block {
  void *data;
  uint32_t length;  /* bytes to send */
} ovrix_block;

/*
 * The first rows * columns * word_bytes bytes of a data array's real storage
 * (word_bytes 0: every byte of it, rows * columns * element size). Refused
 * when the array is not numeric, logical or char, is sparse, holds fewer bytes
 * than that, or when the length does not fit 32 bits.
 */
ovrix_block ovrix_get_block(const mxArray *input, const char *name, int position,
                            uint32_t word_bytes);

/* Outputs, put straight into their slot. */
void *ovrix_put_row(mxArray **slot, mxClassID class_id, uint32_t columns);
/* The same row for a transfer that writes every byte of it before the
 * command returns (or raises, and the host disposes of it): where the host
 * can (OVRIX_HOST_UNINIT_ARRAYS), its bytes are not zeroed first. */
void *ovrix_put_row_to_fill(mxArray **slot, mxClassID class_id, uint32_t columns);
void ovrix_put_uint(mxArray **slot, mxClassID class_id, uint32_t value);
void ovrix_put_double(mxArray **slot, double value);
void ovrix_put_string(mxArray **slot, const char *text);

#ifdef __cplusplus
}
#endif

#endif
