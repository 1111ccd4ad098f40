/*
 * gateway.c - count checks, input decoding, outputs and failure messages.
 */
#include "ovrix_gateway.h"

#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

/* Messages of ordinary length are composed here; longer ones in host memory. */
#define MESSAGE_BUFFER 320

void ovrix_raise(const char *text)
{
  mexErrMsgTxt(text);
#if defined(__GNUC__)
  __builtin_unreachable();
#endif
}

void ovrix_raisef(const char *format, ...)
{
  char local[MESSAGE_BUFFER];
  va_list args;
  va_start(args, format);
  int needed = vsnprintf(local, sizeof local, format, args);
  va_end(args);
  if (needed < 0)
    ovrix_raise(format);
  if ((size_t)needed < sizeof local)
    ovrix_raise(local);
  /* Too long for the local buffer: compose it whole in host memory, which the
   * host reclaims when the call ends. */
  char *whole = (char *)mxCalloc((size_t)needed + 1, 1);
  va_start(args, format);
  vsnprintf(whole, (size_t)needed + 1, format, args);
  va_end(args);
  ovrix_raise(whole);
}

const char *ovrix_status_text(ADMXRC2_STATUS status)
{
  const char *text = ADMXRC2_GetStatusString(status);
  return text ? text : "(the card library gave no text for this status)";
}

void ovrix_check_outputs(int nlhs, int max)
{
  if (nlhs > max)
    ovrix_raise(OVRIX_TOO_MANY_OUTPUTS);
}

void ovrix_check_inputs(int nrhs, int min, int max)
{
  if (nrhs < min || nrhs > max)
    ovrix_raise(OVRIX_BAD_INPUT_COUNT);
}

/* ---- describing an input in a message ---------------------------------- */

static size_t element_count(const mxArray *a)
{
  return (size_t)mxGetNumberOfElements(a);
}

/* "1x1 int8", "empty 0x0 double", "sparse 2x2 double" */
static void describe(const mxArray *a, char *out, size_t size)
{
  snprintf(out, size, "%s%s%llux%llu %s", element_count(a) == 0 ? "empty " : "",
           mxIsSparse(a) ? "sparse " : "", (unsigned long long)mxGetM(a),
           (unsigned long long)mxGetN(a), mxGetClassName(a));
}

OVRIX_NORETURN static void refuse(const char *name, int position, const char *what,
                                  const mxArray *a)
{
  char got[96];
  describe(a, got, sizeof got);
  ovrix_raisef("%s (input %d) must be %s; got %s", name, position, what, got);
}

/* ---- decoding ------------------------------------------------------------ */

static int holds_data(const mxArray *a)
{
  return mxIsNumeric(a) || mxIsLogical(a) || mxIsChar(a);
}

/* Bytes of the array's real storage. */
static size_t storage_bytes(const mxArray *a)
{
  return element_count(a) * (size_t)mxGetElementSize(a);
}

ADMXRC2_HANDLE ovrix_get_handle(const mxArray *input)
{
  if (!mxIsNumeric(input) || mxIsSparse(input) || storage_bytes(input) < sizeof(uint32_t))
    refuse("card handle", 1,
           "the uint32 value that ovrix_init returns (a full numeric array of at least 4 bytes)",
           input);
  uint32_t handle;
  memcpy(&handle, mxGetData(input), sizeof handle);
  return handle;
}

/* Truncated toward zero to 64 bits, low 32 bits kept; NaN, infinities and
 * magnitudes of 2^63 or more give 0. */
static uint32_t low32_of_double(double d)
{
  if (!(fabs(d) < 9223372036854775808.0))
    return 0;
  return (uint32_t)(uint64_t)(int64_t)d;
}

typedef struct first_value {
  int is_real;    /* floating point: use real, else integer */
  int is_signed;  /* integer of a signed class */
  double real;
  uint64_t integer; /* two's complement for the signed classes */
} first_value;

#define NOT_A_NUMBER "a number (a non-empty, full numeric, logical or char array)"

static first_value read_first(const mxArray *input, const char *name, int position)
{
  if (!holds_data(input) || mxIsSparse(input) || element_count(input) == 0)
    refuse(name, position, NOT_A_NUMBER, input);
  const void *p = mxGetData(input);
  first_value v = {0, 0, 0.0, 0};
  switch (mxGetClassID(input)) {
  case mxDOUBLE_CLASS: v.is_real = 1; v.real = *(const double *)p; break;
  case mxSINGLE_CLASS: v.is_real = 1; v.real = *(const float *)p; break;
  case mxINT8_CLASS: v.is_signed = 1; v.integer = (uint64_t)(int64_t)*(const int8_t *)p; break;
  case mxUINT8_CLASS: v.integer = *(const uint8_t *)p; break;
  case mxINT16_CLASS: v.is_signed = 1; v.integer = (uint64_t)(int64_t)*(const int16_t *)p; break;
  case mxUINT16_CLASS: v.integer = *(const uint16_t *)p; break;
  case mxINT32_CLASS: v.is_signed = 1; v.integer = (uint64_t)(int64_t)*(const int32_t *)p; break;
  case mxUINT32_CLASS: v.integer = *(const uint32_t *)p; break;
  case mxINT64_CLASS: v.is_signed = 1; v.integer = (uint64_t)*(const int64_t *)p; break;
  case mxUINT64_CLASS: v.integer = *(const uint64_t *)p; break;
  case mxLOGICAL_CLASS: v.integer = *(const mxLogical *)p ? 1u : 0u; break;
  case mxCHAR_CLASS:
    v.integer = sizeof(mxChar) == 1 ? (uint64_t)*(const unsigned char *)p
                                    : (uint64_t)*(const uint16_t *)p;
    break;
  default:
    refuse(name, position, NOT_A_NUMBER, input);
  }
  return v;
}

uint32_t ovrix_get_number(const mxArray *input, const char *name, int position)
{
  first_value v = read_first(input, name, position);
  return v.is_real ? low32_of_double(v.real) : (uint32_t)v.integer;
}

double ovrix_get_double(const mxArray *input, const char *name, int position)
{
  first_value v = read_first(input, name, position);
  if (v.is_real)
    return v.real;
  return v.is_signed ? (double)(int64_t)v.integer : (double)v.integer;
}

uint32_t ovrix_get_count(const mxArray *input, const char *name, int position,
                         uint32_t word_bytes)
{
  int32_t count = (int32_t)ovrix_get_number(input, name, position);
  if (count < 0)
    ovrix_raisef("%s (input %d) must be from 0 to 2147483647; got %ld as a 32-bit count",
                 name, position, (long)count);
  uint64_t bytes = (uint64_t)count * word_bytes;
  if (bytes > UINT32_MAX)
    ovrix_raisef("%s (input %d) is too large: %ld elements of %u bytes pass the 4 GiB"
                 " limit of one transfer",
                 name, position, (long)count, (unsigned)word_bytes);
  return (uint32_t)count;
}

int ovrix_is_empty(const mxArray *input)
{
  return mxGetM(input) == 0 || mxGetN(input) == 0;
}

/* How to send values as words of that many bytes. */
static const char *conversion_hint(uint32_t word_bytes)
{
  switch (word_bytes) {
  case 1: return "uint8(x)";
  case 2: return "int16(x)";
  default: return "uint32(x)";
  }
}

ovrix_block ovrix_get_block(const mxArray *input, const char *name, int position,
                            uint32_t word_bytes)
{
  if (!holds_data(input) || mxIsSparse(input))
    refuse(name, position, "a full numeric, logical or char array", input);
  /* The element count is rows * columns (mxGetN counts every column of every
   * further dimension), asked without making the host build a dimension
   * record. The element size is asked once: Octave finds it by class name. */
  uint64_t elements = element_count(input);
  uint64_t element_size = (uint64_t)mxGetElementSize(input);
  uint64_t per_element = word_bytes ? word_bytes : element_size;
  uint64_t length = elements * per_element;
  uint64_t held = elements * element_size;
  if (length > held)
    ovrix_raisef("%s (input %d) holds %llu bytes as %s, fewer than the %llu that %llu %u-bit"
                 " words need; convert it first, for example %s",
                 name, position, (unsigned long long)held, mxGetClassName(input),
                 (unsigned long long)length, (unsigned long long)elements,
                 (unsigned)(8 * word_bytes), conversion_hint(word_bytes));
  if (length > UINT32_MAX)
    ovrix_raisef("%s (input %d) is too large: %llu bytes pass the 4 GiB limit of one transfer",
                 name, position, (unsigned long long)length);
  ovrix_block block = {mxGetData(input), (uint32_t)length};
  return block;
}

/* ---- outputs ------------------------------------------------------------- */

void *ovrix_put_row(mxArray **slot, mxClassID class_id, uint32_t columns)
{
  mwSize dims[2] = {1, (mwSize)columns};
  *slot = mxCreateNumericArray(2, dims, class_id, mxREAL);
  return mxGetData(*slot);
}

void *ovrix_put_row_to_fill(mxArray **slot, mxClassID class_id, uint32_t columns)
{
#ifdef OVRIX_HOST_UNINIT_ARRAYS
  mwSize dims[2] = {1, (mwSize)columns};
  *slot = mxCreateUninitNumericArray(2, dims, class_id, mxREAL);
  return mxGetData(*slot);
#else
  return ovrix_put_row(slot, class_id, columns);
#endif
}

void ovrix_put_uint(mxArray **slot, mxClassID class_id, uint32_t value)
{
  void *data = ovrix_put_row(slot, class_id, 1);
  if (class_id == mxUINT8_CLASS) {
    uint8_t byte = (uint8_t)value;
    memcpy(data, &byte, 1);
  } else {
    memcpy(data, &value, sizeof value);
  }
}

void ovrix_put_double(mxArray **slot, double value)
{
  *slot = mxCreateDoubleMatrix(1, 1, mxREAL);
  memcpy(mxGetData(*slot), &value, sizeof value);
}

void ovrix_put_string(mxArray **slot, const char *text)
{
  *slot = mxCreateString(text);
}
