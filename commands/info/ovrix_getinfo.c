/* ovrix_getinfo: the card-information record, with board and FPGA types by name. */
#include <stdio.h>

#include "ovrix_gateway.h"

#define BOARD_TYPES 16
#define FPGA_TYPES 147
#define NAME_FIELD 32

static const char *const board_names[BOARD_TYPES] = {
  "xrc", "xrcp", "xrc2l", "xrc2", "xp", "xpl", "wrc2", "drc2",
  "xpi", "xrc4ls", "xrc4lx", "xrc4sx", NULL, "xrc4fx", NULL, "xrc5t1",
};

/* Rows left empty name no device and read "Unknown<index>". */
static const char fpga_names[FPGA_TYPES][NAME_FIELD] = {
  [0] = "XC4085XL", [1] = "XC40150XV", [2] = "XC40200XV", [3] = "XC40250XV",
  [4] = "Virtex V1000", [5] = "Virtex V400", [6] = "Virtex V600", [7] = "Virtex V800",
  [8] = "Virtex V2000E", [9] = "Virtex V1000E", [10] = "Virtex V1600E",
  [11] = "Virtex V3200E", [12] = "Virtex V812E", [13] = "Virtex V405E",
  [32] = "Virtex-II 2V1000", [33] = "Virtex-II 2V1500", [34] = "Virtex-II 2V2000",
  [35] = "Virtex-II 2V3000", [36] = "Virtex-II 2V4000", [37] = "Virtex-II 2V6000",
  [38] = "Virtex-II 2V8000", [39] = "Virtex-II 2V10000",
  [64] = "Virtex-II Pro 2VP2", [65] = "Virtex-II Pro 2VP4", [66] = "Virtex-II Pro 2VP7",
  [67] = "Virtex-II Pro 2VP20", [68] = "Virtex-II Pro 2VP30", [69] = "Virtex-II Pro 2VP40",
  [70] = "Virtex-II Pro 2VP50", [71] = "Virtex-II Pro 2VP100",
  [72] = "Virtex-II Pro 2VP125", [73] = "Virtex-II Pro 2VP70",
  [96] = "Virtex-4 V4LX15", [97] = "Virtex-4 V4LX25", [98] = "Virtex-4 V4LX40",
  [99] = "Virtex-4 V4LX60", [100] = "Virtex-4 V4LX100", [101] = "Virtex-4 V4LX160",
  [102] = "Virtex-4 V4LX200", [103] = "Virtex-4 V4LX80", [104] = "Virtex-4 V4SX25",
  [105] = "Virtex-4 V4SX35", [106] = "Virtex-4 V4SX55",
  [112] = "Virtex-4 V4FX12", [113] = "Virtex-4 V4FX20", [114] = "Virtex-4 V4FX40",
  [115] = "Virtex-4 V4FX60", [116] = "Virtex-4 V4FX100", [117] = "Virtex-4 V4FX140",
  [128] = "Virtex-5 V5LX30", [129] = "Virtex-5 V5LX50", [130] = "Virtex-5 V5LX85",
  [131] = "Virtex-5 V5LX110", [132] = "Virtex-5 V5LX220", [133] = "Virtex-5 V5LX330",
  [136] = "Virtex-5 V5LX30T", [137] = "Virtex-5 V5LX50T", [138] = "Virtex-5 V5LX85T",
  [139] = "Virtex-5 V5LX110T", [140] = "Virtex-5 V5LX330T",
  [144] = "Virtex-5 V5SX35T", [145] = "Virtex-5 V5SX50T", [146] = "Virtex-5 V5SX95T",
};

static void fpga_name(uint32_t type, char out[NAME_FIELD])
{
  if (type >= FPGA_TYPES)
    snprintf(out, NAME_FIELD, "unknown (0x%lx)", (unsigned long)type);
  else if (fpga_names[type][0] == '\0')
    snprintf(out, NAME_FIELD, "Unknown%u", (unsigned)type);
  else
    snprintf(out, NAME_FIELD, "%s", fpga_names[type]);
}

OVRIX_COMMAND(ovrix_getinfo)
{
  ovrix_check_inputs(nrhs, 1, 1);
  ADMXRC2_HANDLE card = ovrix_get_handle(prhs[0]);

  /* Zeroed: a library that reports success without filling the record in
   * gives zeros, not stack garbage. */
  ADMXRC2_CARD_INFO info = {0};
  ADMXRC2_STATUS status = ADMXRC2_GetCardInfo(card, &info);
  if (status != ADMXRC2_SUCCESS)
    ovrix_raisef("Failed to get card info: %s\n", ovrix_status_text(status));

  ovrix_put_double(&plhs[0], (double)info.CardID);
  if (nlhs > 1)
    ovrix_put_double(&plhs[1], (double)info.SerialNumber);
  if (nlhs > 2) {
    /* Compared unsigned: a negative board type is one with no name. */
    uint32_t board = (uint32_t)info.BoardType;
    const char *name = board < BOARD_TYPES ? board_names[board] : NULL;
    if (name == NULL)
      ovrix_raisef("Unknown board type: %d\n", (int)info.BoardType);
    ovrix_put_string(&plhs[2], name);
  }
  if (nlhs > 3) {
    char name[NAME_FIELD];
    fpga_name((uint32_t)info.FPGAType, name);
    ovrix_put_string(&plhs[3], name);
  }
  const uint32_t words[5] = {info.NumClock, info.NumDMAChannel, info.NumSpace, info.NumBank,
                             info.LocalSize};
  for (int k = 4; k < 9 && k < nlhs; k++)
    ovrix_put_uint(&plhs[k], mxUINT32_CLASS, words[k - 4]);
  if (nlhs > 9)
    ovrix_put_uint(&plhs[9], mxUINT8_CLASS, info.BoardRevision);
  if (nlhs > 10)
    ovrix_put_uint(&plhs[10], mxUINT8_CLASS, info.LogicRevision);
  ovrix_check_outputs(nlhs, 11);
}
