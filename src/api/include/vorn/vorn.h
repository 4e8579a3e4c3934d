/* The library's exported functions. Every argument is passed by pointer. */
#ifndef VORN_VORN_H
#define VORN_VORN_H

#include <stdint.h>

#if defined(_WIN32) && defined(VORN_BUILDING_LIBRARY)
#define VORN_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define VORN_EXPORT __declspec(dllimport)
#else
#define VORN_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One run in the current directory: VORN.IN in, VORN.DBG and VORN.OUT out, the
   closing line on standard output. A stop ends the process with status 2, a
   fatal input error with status 3, a missing VORN.IN with status 1. */
VORN_EXPORT void runvorn(void);

/* As runvorn, but returns 1 (after its status message on standard output) when
   VORN.IN cannot be opened, and 0 after a completed run. */
VORN_EXPORT int32_t ierr_runvorn(void);

/* Writes 9*n, then "total" and the n values, as two lines on standard output. */
VORN_EXPORT void callarytest(const double* values, const int32_t* n);

/* a*b in 32-bit two's-complement arithmetic. */
VORN_EXPORT int32_t int_multiply(const int32_t* a, const int32_t* b);

#ifdef __cplusplus
}
#endif

#endif
