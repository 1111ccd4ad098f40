/*
 * alloc_count.c - a malloc-counting shim for the benchmark, loaded into
 * octave-cli with LD_PRELOAD.
 *
 * Every heap allocation (malloc, calloc, realloc, the aligned forms, and so
 * operator new, which allocates through malloc) goes on to the C library as
 * usual; while counting is on, each is also counted with its size. Counting is
 * switched on and off around the measured calls through the exported
 * functions below (bench_allocs.mex finds them with dlsym), so what the
 * interpreter does between measurements is not counted.
 *
 * An allocation whose immediate caller lies in ovrix's own code (a file named
 * ovrix_*.mex or libovrix_*.so: the commands, the gateway, the card library,
 * the event layer) is also counted apart, from the allocations the host makes
 * inside its own functions (mxCreateNumericArray, mxGetData, ...), so the two
 * can be told apart.
 *
 * With OVRIX_BENCH_ALLOC_TRACE set in the environment, each counted
 * allocation also prints its size and call stack to standard error: the way
 * to find out where an allocation comes from.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <execinfo.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* The C library's own entry points, exported by glibc for exactly this. */
extern void *__libc_malloc(size_t size);
extern void *__libc_calloc(size_t count, size_t size);
extern void *__libc_realloc(void *ptr, size_t size);
extern void *__libc_memalign(size_t alignment, size_t size);
extern void __libc_free(void *ptr);

#define EXPORT __attribute__((visibility("default")))

static int g_on;
static uint64_t g_count;
static uint64_t g_bytes;
static uint64_t g_largest;
static uint64_t g_own;           /* allocations called from ovrix's own code */
static int g_trace;              /* OVRIX_BENCH_ALLOC_TRACE was set */
static __thread int t_in_trace;  /* backtrace() may itself allocate */

static void trace(size_t size)
{
  if (t_in_trace)
    return;
  t_in_trace = 1;
  void *frames[24];
  int n = backtrace(frames, 24);
  char line[64];
  int len = snprintf(line, sizeof line, "allocation of %zu bytes:\n", size);
  if (len > 0 && write(2, line, (size_t)len) < 0) {
  }
  backtrace_symbols_fd(frames + 2, n > 2 ? n - 2 : 0, 2);
  t_in_trace = 0;
}

/* True when `caller` lies in a file named ovrix_* or libovrix_*. */
static int is_own(const void *caller)
{
  Dl_info info;
  if (caller == NULL || dladdr(caller, &info) == 0 || info.dli_fname == NULL)
    return 0;
  const char *base = strrchr(info.dli_fname, '/');
  base = base ? base + 1 : info.dli_fname;
  return strncmp(base, "ovrix_", 6) == 0 || strncmp(base, "libovrix_", 9) == 0;
}

static inline void note(size_t size, const void *caller)
{
  if (__atomic_load_n(&g_on, __ATOMIC_RELAXED)) {
    __atomic_fetch_add(&g_count, 1, __ATOMIC_RELAXED);
    if (is_own(caller))
      __atomic_fetch_add(&g_own, 1, __ATOMIC_RELAXED);
    __atomic_fetch_add(&g_bytes, (uint64_t)size, __ATOMIC_RELAXED);
    uint64_t big = __atomic_load_n(&g_largest, __ATOMIC_RELAXED);
    while (size > big &&
           !__atomic_compare_exchange_n(&g_largest, &big, (uint64_t)size, 1, __ATOMIC_RELAXED,
                                        __ATOMIC_RELAXED)) {
    }
    if (g_trace)
      trace(size);
  }
}

EXPORT void *malloc(size_t size)
{
  note(size, __builtin_return_address(0));
  return __libc_malloc(size);
}

EXPORT void *calloc(size_t count, size_t size)
{
  note(count * size, __builtin_return_address(0));
  return __libc_calloc(count, size);
}

EXPORT void *realloc(void *ptr, size_t size)
{
  note(size, __builtin_return_address(0));
  return __libc_realloc(ptr, size);
}

EXPORT void free(void *ptr)
{
  __libc_free(ptr);
}

EXPORT void *memalign(size_t alignment, size_t size)
{
  note(size, __builtin_return_address(0));
  return __libc_memalign(alignment, size);
}

EXPORT void *aligned_alloc(size_t alignment, size_t size)
{
  note(size, __builtin_return_address(0));
  return __libc_memalign(alignment, size);
}

EXPORT int posix_memalign(void **out, size_t alignment, size_t size)
{
  if (alignment < sizeof(void *) || (alignment & (alignment - 1)) != 0)
    return 22; /* EINVAL */
  note(size, __builtin_return_address(0));
  void *p = __libc_memalign(alignment, size);
  if (p == NULL)
    return 12; /* ENOMEM */
  *out = p;
  return 0;
}

EXPORT void *valloc(size_t size)
{
  note(size, __builtin_return_address(0));
  return __libc_memalign(4096, size);
}

/* ---- control, for bench_allocs.mex ---- */

EXPORT void ovrix_bench_alloc_start(void)
{
  g_trace = getenv("OVRIX_BENCH_ALLOC_TRACE") != NULL;
  __atomic_store_n(&g_count, 0, __ATOMIC_RELAXED);
  __atomic_store_n(&g_bytes, 0, __ATOMIC_RELAXED);
  __atomic_store_n(&g_largest, 0, __ATOMIC_RELAXED);
  __atomic_store_n(&g_own, 0, __ATOMIC_RELAXED);
  __atomic_store_n(&g_on, 1, __ATOMIC_SEQ_CST);
}

/* Stops counting; the allocations, bytes, largest allocation and allocations
 * from ovrix's own code since start. */
EXPORT void ovrix_bench_alloc_stop(uint64_t out[4])
{
  __atomic_store_n(&g_on, 0, __ATOMIC_SEQ_CST);
  out[0] = __atomic_load_n(&g_count, __ATOMIC_RELAXED);
  out[1] = __atomic_load_n(&g_bytes, __ATOMIC_RELAXED);
  out[2] = __atomic_load_n(&g_largest, __ATOMIC_RELAXED);
  out[3] = __atomic_load_n(&g_own, __ATOMIC_RELAXED);
}
