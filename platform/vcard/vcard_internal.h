/*
 * vcard_internal.h - what the virtual card's source files share. Nothing here
 * is exported.
 */
#ifndef OVRIX_VCARD_INTERNAL_H
#define OVRIX_VCARD_INTERNAL_H

#include <stdint.h>

/* The text of a status code; the caller holds the model's lock (the table of
 * unknown-code texts lives under it). */
const char *vcard_status_text_locked(uint32_t status);

#endif
