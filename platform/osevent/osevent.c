/*
 * osevent.c - event objects for systems without them.
 *
 * An event is a heap object: a mutex, a condition variable, the reset mode and
 * the signalled flag. Every live event sits in one list under g_lock. A handle
 * is not the object's address but a serial number with a tag in the high bits
 * (a value no pointer takes), so a handle is only ever looked up in that list:
 * a closed or made-up handle is refused without anything being dereferenced,
 * and a closed handle never comes back as the handle of a newer event.
 *
 * A call that uses an event holds a reference to it (taken while the event is
 * found in the list), so CloseHandle from another thread never frees an event
 * under a waiter's feet: the list holds one reference, each caller one more,
 * and the last one out frees it. Closing an event wakes its waiters, who then
 * return WAIT_FAILED.
 *
 * An object whose last reference is gone goes to a short list of spares,
 * mutex and condition variable still made, and the next CreateEventA takes it
 * from there: a caller that makes and closes an event for every operation (a
 * DMA transfer) does not go to the heap each time. Its handle is new all the
 * same, so the closed handle stays dead.
 */
#define _POSIX_C_SOURCE 200809L

#include "os_event.h"
#include "osevent_control.h"

#include <errno.h>
#include <pthread.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>

typedef struct osevent {
  pthread_mutex_t mu;   /* guards manual, signalled, closed */
  pthread_cond_t cv;
  int manual;
  int signalled;
  int closed;
  HANDLE handle;        /* fixed at creation */
  unsigned refs;        /* guarded by g_lock */
  struct osevent *next; /* guarded by g_lock */
} osevent;

#if UINTPTR_MAX > 0xFFFFFFFFu
#define HANDLE_TAG ((uintptr_t)0x7E7E000000000000u) /* non-canonical: never an address */
#else
#define HANDLE_TAG ((uintptr_t)0x40000000u)
#endif

static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
static osevent *g_live;       /* list of live events */
static unsigned g_live_count;
static unsigned g_fail_next;
static uintptr_t g_serial;    /* last serial given out */
static osevent *g_spare;      /* objects no one refers to, linked by next */
static unsigned g_spare_count;

#define SPARE_MAX 4u

/* The live event `h` with a reference taken, or NULL. Caller holds g_lock. */
static osevent *find_locked(HANDLE h) {
  for (osevent *e = g_live; e != NULL; e = e->next) {
    if (e->handle == h) return e;
  }
  return NULL;
}

static osevent *acquire(HANDLE h) {
  if (h == NULL) return NULL;
  pthread_mutex_lock(&g_lock);
  osevent *e = find_locked(h);
  if (e != NULL) e->refs++;
  pthread_mutex_unlock(&g_lock);
  return e;
}

static void destroy(osevent *e) {
  pthread_cond_destroy(&e->cv);
  pthread_mutex_destroy(&e->mu);
  free(e);
}

/* Drops a reference; the last one out keeps the object as a spare, or frees
 * it when there are spares enough. */
static void release(osevent *e) {
  pthread_mutex_lock(&g_lock);
  unsigned left = --e->refs;
  int kept = left == 0 && g_spare_count < SPARE_MAX;
  if (kept) {
    e->next = g_spare;
    g_spare = e;
    g_spare_count++;
  }
  pthread_mutex_unlock(&g_lock);
  if (left == 0 && !kept) destroy(e);
}

/* A new object with its mutex and condition variable made, or NULL. */
static osevent *make(void) {
  osevent *e = calloc(1, sizeof *e);
  if (e == NULL) return NULL;
  if (pthread_mutex_init(&e->mu, NULL) != 0) {
    free(e);
    return NULL;
  }
  pthread_condattr_t attr;
  int ok = pthread_condattr_init(&attr) == 0;
  if (ok) {
    ok = pthread_condattr_setclock(&attr, CLOCK_MONOTONIC) == 0 &&
         pthread_cond_init(&e->cv, &attr) == 0;
    pthread_condattr_destroy(&attr);
  }
  if (!ok) {
    pthread_mutex_destroy(&e->mu);
    free(e);
    return NULL;
  }
  return e;
}

OSEVENT_API HANDLE CreateEventA(void *security, BOOL manual_reset, BOOL initial_state,
                                const char *name) {
  (void)security;
  if (name != NULL) return NULL;

  pthread_mutex_lock(&g_lock);
  int fail = g_fail_next > 0;
  if (fail) g_fail_next--;
  osevent *e = NULL;
  if (!fail && g_spare != NULL) {
    e = g_spare;
    g_spare = e->next;
    g_spare_count--;
  }
  pthread_mutex_unlock(&g_lock);
  if (fail) return NULL;

  if (e == NULL) e = make();
  if (e == NULL) return NULL;
  e->manual = manual_reset != FALSE;
  e->signalled = initial_state != FALSE;
  e->closed = 0;
  e->refs = 1; /* the list's */

  pthread_mutex_lock(&g_lock);
  e->handle = (HANDLE)(HANDLE_TAG | ++g_serial);
  e->next = g_live;
  g_live = e;
  g_live_count++;
  HANDLE h = e->handle;
  pthread_mutex_unlock(&g_lock);
  return h;
}

OSEVENT_API BOOL CloseHandle(HANDLE object) {
  if (object == NULL) return FALSE;
  pthread_mutex_lock(&g_lock);
  osevent *e = NULL;
  for (osevent **p = &g_live; *p != NULL; p = &(*p)->next) {
    if ((*p)->handle == object) {
      e = *p;
      *p = e->next;
      e->next = NULL;
      g_live_count--;
      break;
    }
  }
  pthread_mutex_unlock(&g_lock);
  if (e == NULL) return FALSE;

  /* Still referenced by the list, so safe to touch until release(). */
  pthread_mutex_lock(&e->mu);
  e->closed = 1;
  pthread_cond_broadcast(&e->cv);
  pthread_mutex_unlock(&e->mu);
  release(e);
  return TRUE;
}

OSEVENT_API BOOL SetEvent(HANDLE event) {
  osevent *e = acquire(event);
  if (e == NULL) return FALSE;
  pthread_mutex_lock(&e->mu);
  BOOL ok = e->closed ? FALSE : TRUE;
  if (ok) {
    e->signalled = 1;
    /* An auto-reset event lets one waiter through; waking them all is harmless
     * since each re-checks the flag and the first one clears it. */
    pthread_cond_broadcast(&e->cv);
  }
  pthread_mutex_unlock(&e->mu);
  release(e);
  return ok;
}

OSEVENT_API BOOL ResetEvent(HANDLE event) {
  osevent *e = acquire(event);
  if (e == NULL) return FALSE;
  pthread_mutex_lock(&e->mu);
  BOOL ok = e->closed ? FALSE : TRUE;
  if (ok) e->signalled = 0;
  pthread_mutex_unlock(&e->mu);
  release(e);
  return ok;
}

static void deadline_after(struct timespec *ts, DWORD ms) {
  clock_gettime(CLOCK_MONOTONIC, ts);
  ts->tv_sec += (time_t)(ms / 1000u);
  ts->tv_nsec += (long)(ms % 1000u) * 1000000L;
  if (ts->tv_nsec >= 1000000000L) {
    ts->tv_sec++;
    ts->tv_nsec -= 1000000000L;
  }
}

OSEVENT_API DWORD WaitForSingleObject(HANDLE event, DWORD timeout_ms) {
  osevent *e = acquire(event);
  if (e == NULL) return WAIT_FAILED;

  struct timespec deadline;
  if (timeout_ms != INFINITE && timeout_ms != 0) deadline_after(&deadline, timeout_ms);

  DWORD result = WAIT_TIMEOUT;
  pthread_mutex_lock(&e->mu);
  for (;;) {
    if (e->closed) {
      result = WAIT_FAILED;
      break;
    }
    if (e->signalled) {
      if (!e->manual) e->signalled = 0;
      result = WAIT_OBJECT_0;
      break;
    }
    if (timeout_ms == 0) break;
    if (timeout_ms == INFINITE) {
      pthread_cond_wait(&e->cv, &e->mu);
    } else if (pthread_cond_timedwait(&e->cv, &e->mu, &deadline) == ETIMEDOUT) {
      /* One last look: the event may have been set as the time ran out. */
      if (e->closed) {
        result = WAIT_FAILED;
      } else if (e->signalled) {
        if (!e->manual) e->signalled = 0;
        result = WAIT_OBJECT_0;
      }
      break;
    }
  }
  pthread_mutex_unlock(&e->mu);
  release(e);
  return result;
}

OSEVENT_API unsigned osevent_live_count(void) {
  pthread_mutex_lock(&g_lock);
  unsigned n = g_live_count;
  pthread_mutex_unlock(&g_lock);
  return n;
}

OSEVENT_API void osevent_fail_next(unsigned count) {
  pthread_mutex_lock(&g_lock);
  g_fail_next = count;
  pthread_mutex_unlock(&g_lock);
}

OSEVENT_API int osevent_is_live(HANDLE event) {
  if (event == NULL) return 0;
  pthread_mutex_lock(&g_lock);
  int live = find_locked(event) != NULL;
  pthread_mutex_unlock(&g_lock);
  return live;
}
