/*
 * os_event.h - the operating system's event objects, as the DMA commands and
 * the card library use them.
 *
 * On Windows these are the system's own. Elsewhere platform/osevent supplies a
 * small library with the same calls: manual- or auto-reset events that a card
 * library signals when a transfer completes.
 */
#ifndef OVRIX_OS_EVENT_H
#define OVRIX_OS_EVENT_H

#if defined(_WIN32)
#include <windows.h>
#else

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define OSEVENT_API __attribute__((visibility("default")))
#else
#define OSEVENT_API
#endif

typedef void *HANDLE;
typedef int BOOL;
typedef uint32_t DWORD;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0u
#define WAIT_TIMEOUT 0x102u
#define WAIT_FAILED 0xFFFFFFFFu

/* A new event, or NULL when none can be made. `security` is ignored; a name must be NULL. */
OSEVENT_API HANDLE CreateEventA(void *security, BOOL manual_reset, BOOL initial_state,
                                const char *name);
/* Closes an event made by CreateEventA; FALSE for anything else. */
OSEVENT_API BOOL CloseHandle(HANDLE object);
OSEVENT_API BOOL SetEvent(HANDLE event);
OSEVENT_API BOOL ResetEvent(HANDLE event);
/* WAIT_OBJECT_0 once signalled, WAIT_TIMEOUT after `timeout_ms`, WAIT_FAILED for a bad handle. */
OSEVENT_API DWORD WaitForSingleObject(HANDLE event, DWORD timeout_ms);

#ifdef __cplusplus
}
#endif

#endif /* _WIN32 */
#endif
