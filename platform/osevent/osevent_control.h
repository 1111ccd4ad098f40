/*
 * osevent_control.h - what tests may ask of the event-object layer.
 */
#ifndef OVRIX_OSEVENT_CONTROL_H
#define OVRIX_OSEVENT_CONTROL_H

#include "os_event.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Events made by CreateEventA and not yet closed. */
OSEVENT_API unsigned osevent_live_count(void);

/* The next `count` calls of CreateEventA fail (return NULL); 0 clears. A call
 * refused for its name does not use one up. */
OSEVENT_API void osevent_fail_next(unsigned count);

/* 1 when `event` is an event made by CreateEventA and not yet closed, else 0.
 * Never dereferences anything else, and leaves the event's state alone. */
OSEVENT_API int osevent_is_live(HANDLE event);

#ifdef __cplusplus
}
#endif

#endif
