/*
 * ovrix_vcard: the virtual card's control interface, for Octave scripts.
 *
 *   ovrix_vcard('reset')                      default cards, all handles closed
 *   ovrix_vcard('fail', OP, STATUS [, COUNT])  next COUNT (1) calls of OP fail
 *   ovrix_vcard('clear_faults')
 *   ovrix_vcard('fail_event' [, COUNT])        next COUNT (1) events cannot be made
 *   ovrix_vcard('journal', TF)                 journal on or off
 *   J = ovrix_vcard('journal')                 the calls, oldest first (struct array)
 *   ovrix_vcard('clear_journal')
 *   N = ovrix_vcard('events')                  completion events open now
 *   N = ovrix_vcard('handles')                 card handles open now
 *   TF = ovrix_vcard('configured', INDEX [, TF])
 *   S = ovrix_vcard('cardinfo', INDEX [, S])   card record as a struct; set fields of S
 *   T = ovrix_vcard('status', CODE)            the status text of a code
 *   X = ovrix_vcard('peek', INDEX, OFFSET, N)  N bytes of the card's memory (uint8)
 *   ovrix_vcard('poke', INDEX, OFFSET, BYTES)  bytes into the card's memory
 *
 * OP is a card-library operation name such as 'ADMXRC2_Read'.
 */
#include <string.h>

#include "osevent_control.h"
#include "ovrix_gateway.h"
#include "vcard_control.h"

static const char *const card_fields[] = {
  "CardID", "SerialNumber", "BoardType", "FPGAType", "NumClock", "NumDMAChannel",
  "NumSpace", "NumBank", "LocalSize", "BoardRevision", "LogicRevision",
};
#define CARD_FIELDS (sizeof card_fields / sizeof card_fields[0])

static double *card_field(ADMXRC2_CARD_INFO *info, size_t k, double *scratch, int store)
{
  uint32_t *words[] = {&info->CardID, &info->SerialNumber, (uint32_t *)&info->BoardType,
                       (uint32_t *)&info->FPGAType, &info->NumClock, &info->NumDMAChannel,
                       &info->NumSpace, &info->NumBank, &info->LocalSize};
  if (k < 9) {
    if (store)
      *words[k] = k == 2 || k == 3 ? (uint32_t)(int32_t)*scratch : (uint32_t)*scratch;
    else
      *scratch = k == 2 || k == 3 ? (double)(int32_t)*words[k] : (double)*words[k];
  } else {
    uint8_t *byte = k == 9 ? &info->BoardRevision : &info->LogicRevision;
    if (store)
      *byte = (uint8_t)*scratch;
    else
      *scratch = *byte;
  }
  return scratch;
}

static uint32_t card_index(int nrhs, const mxArray *prhs[])
{
  if (nrhs < 2)
    ovrix_raise("card index (input 2) is missing");
  return ovrix_get_number(prhs[1], "card index", 2);
}

static void put_journal(mxArray **slot)
{
  static const char *fields[] = {"op", "result", "args", "real", "text"};
  size_t n = vcard_journal_count();
  *slot = mxCreateStructMatrix(1, (mwSize)n, 5, fields);
  for (size_t i = 0; i < n; i++) {
    vcard_call c;
    vcard_journal_get(i, &c);
    mxSetField(*slot, (mwIndex)i, "op", mxCreateString(vcard_op_name(c.op)));
    mxArray *result = NULL;
    ovrix_put_uint(&result, mxUINT32_CLASS, c.result);
    mxSetField(*slot, (mwIndex)i, "result", result);
    mwSize dims[2] = {1, c.nargs};
    mxArray *args = mxCreateNumericArray(2, dims, mxUINT64_CLASS, mxREAL);
    if (c.nargs)
      memcpy(mxGetData(args), c.arg, c.nargs * sizeof c.arg[0]);
    mxSetField(*slot, (mwIndex)i, "args", args);
    mxSetField(*slot, (mwIndex)i, "real", mxCreateDoubleScalar(c.real));
    mxSetField(*slot, (mwIndex)i, "text", mxCreateString(c.text));
  }
}

static void cardinfo(int nrhs, const mxArray *prhs[], mxArray **slot)
{
  uint32_t index = card_index(nrhs, prhs);
  ADMXRC2_CARD_INFO info;
  if (vcard_get_card_info(index, &info) != 0)
    ovrix_raisef("no virtual card of index %u", (unsigned)index);
  if (nrhs > 2) {
    if (!mxIsStruct(prhs[2]))
      ovrix_raise("card record (input 3) must be a struct");
    for (size_t k = 0; k < CARD_FIELDS; k++) {
      const mxArray *v = mxGetField(prhs[2], 0, card_fields[k]);
      if (v) {
        double d = ovrix_get_double(v, card_fields[k], 3);
        card_field(&info, k, &d, 1);
      }
    }
    vcard_set_card_info(index, &info);
  }
  *slot = mxCreateStructMatrix(1, 1, (int)CARD_FIELDS, (const char **)card_fields);
  for (size_t k = 0; k < CARD_FIELDS; k++) {
    double d;
    mxSetField(*slot, 0, card_fields[k], mxCreateDoubleScalar(*card_field(&info, k, &d, 0)));
  }
}

OVRIX_COMMAND(ovrix_vcard)
{
  (void)nlhs;
  if (nrhs < 1 || !mxIsChar(prhs[0]))
    ovrix_raise("the first input names what to do: 'reset', 'fail', 'journal', ... (see help ovrix_vcard)");
  char what[32] = "";
  mxGetString(prhs[0], what, sizeof what);

  if (!strcmp(what, "reset")) {
    vcard_reset();
    osevent_fail_next(0);
  } else if (!strcmp(what, "fail")) {
    if (nrhs < 3 || !mxIsChar(prhs[1]))
      ovrix_raise("use ovrix_vcard('fail', 'ADMXRC2_<operation>', STATUS [, COUNT])");
    char name[64] = "";
    mxGetString(prhs[1], name, sizeof name);
    int op = vcard_op_from_name(name);
    uint32_t status = ovrix_get_number(prhs[2], "status", 3);
    uint32_t count = nrhs > 3 ? ovrix_get_number(prhs[3], "count", 4) : 1;
    if (op < 0 || vcard_inject((vcard_op)op, status, count) != 0)
      ovrix_raisef("'%s' is not a card-library operation that returns a status", name);
  } else if (!strcmp(what, "clear_faults")) {
    vcard_clear_faults();
    osevent_fail_next(0);
  } else if (!strcmp(what, "fail_event")) {
    osevent_fail_next(nrhs > 1 ? ovrix_get_number(prhs[1], "count", 2) : 1);
  } else if (!strcmp(what, "journal")) {
    if (nrhs > 1)
      vcard_journal_enable(ovrix_get_number(prhs[1], "on", 2) != 0);
    else
      put_journal(&plhs[0]);
  } else if (!strcmp(what, "clear_journal")) {
    vcard_journal_clear();
  } else if (!strcmp(what, "events")) {
    ovrix_put_double(&plhs[0], osevent_live_count());
  } else if (!strcmp(what, "handles")) {
    ovrix_put_double(&plhs[0], (double)vcard_open_handles());
  } else if (!strcmp(what, "configured")) {
    uint32_t index = card_index(nrhs, prhs);
    if (nrhs > 2)
      vcard_set_configured(index, ovrix_get_number(prhs[2], "configured", 3) != 0);
    int configured = vcard_is_configured(index);
    if (configured < 0)
      ovrix_raisef("no virtual card of index %u", (unsigned)index);
    plhs[0] = mxCreateLogicalScalar(configured != 0);
  } else if (!strcmp(what, "cardinfo")) {
    cardinfo(nrhs, prhs, &plhs[0]);
  } else if (!strcmp(what, "status")) {
    uint32_t code = nrhs > 1 ? ovrix_get_number(prhs[1], "status", 2) : 0;
    ovrix_put_string(&plhs[0], ovrix_status_text(code));
  } else if (!strcmp(what, "peek")) {
    if (nrhs < 4)
      ovrix_raise("use ovrix_vcard('peek', INDEX, OFFSET, N)");
    uint32_t index = card_index(nrhs, prhs);
    uint32_t offset = ovrix_get_number(prhs[2], "offset", 3);
    uint32_t n = ovrix_get_count(prhs[3], "byte count", 4, 1);
    void *bytes = ovrix_put_row(&plhs[0], mxUINT8_CLASS, n);
    if (vcard_peek(index, offset, bytes, n) != 0)
      ovrix_raise("no such card, or the bytes lie outside its local address space");
  } else if (!strcmp(what, "poke")) {
    if (nrhs < 4)
      ovrix_raise("use ovrix_vcard('poke', INDEX, OFFSET, BYTES)");
    uint32_t index = card_index(nrhs, prhs);
    uint32_t offset = ovrix_get_number(prhs[2], "offset", 3);
    ovrix_block data = ovrix_get_block(prhs[3], "bytes", 4, 0);
    if (vcard_poke(index, offset, data.data, data.length) != 0)
      ovrix_raise("no such card, or the bytes lie outside its local address space");
  } else {
    ovrix_raisef("unknown request '%s' (see help ovrix_vcard)", what);
  }
}
