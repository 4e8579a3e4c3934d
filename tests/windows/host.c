/* A Windows host of Dll1.dll for the Wine tests. It loads the library at run time, resolves the
   four exports by name and calls them as a host does, every argument by pointer.

   usage: host COMMAND...    the commands run in order, in one process
     multiply A B            int_multiply(&a, &b)
     callarytest N LIST      callarytest(values, &n); LIST is comma-separated reals, or - for none
     runvorn                 runvorn()
     ierr_runvorn            ierr_runvorn()
     input FILE              copies FILE to VORN.IN
     keep SUFFIX             copies VORN.DBG and VORN.OUT (those present) to NAME.SUFFIX

   After each call the host writes "host: NAME returned [RESULT]" on standard output.
   Exit status: 0 after the last command, 64 usage error, 70 a copy failed, 71 Dll1.dll could
   not be loaded or lacks an export. A stop in the library ends the process with its own status. */
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

typedef void (*runvorn_fn)(void);
typedef int32_t (*ierr_runvorn_fn)(void);
typedef void (*callarytest_fn)(double* values, int32_t* n);
typedef int32_t (*int_multiply_fn)(int32_t* a, int32_t* b);

enum { kMaxValues = 64 };

static void usage_error(const char* what) {
  fprintf(stderr, "host: %s\n", what);
  exit(64);
}

static FARPROC resolve(HMODULE dll, const char* name) {
  FARPROC f = GetProcAddress(dll, name);
  if (f == NULL) {
    fprintf(stderr, "host: Dll1.dll has no export %s (error %lu)\n", name, GetLastError());
    exit(71);
  }
  return f;
}

static int32_t parse_int32(const char* text) {
  char* end = NULL;
  errno = 0;
  const long long v = strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
    usage_error("not a 32-bit integer");
  return (int32_t)v;
}

/* Comma-separated reals into values; returns their count. */
static int parse_values(const char* list, double* values) {
  if (strcmp(list, "-") == 0) return 0;
  int count = 0;
  const char* p = list;
  for (;;) {
    char* end = NULL;
    if (count == kMaxValues) usage_error("too many values");
    values[count++] = strtod(p, &end);
    if (end == p) usage_error("not a real");
    if (*end == '\0') return count;
    if (*end != ',') usage_error("values are separated by commas");
    p = end + 1;
  }
}

static void copy_file(const char* from, const char* to) {
  if (!CopyFileA(from, to, FALSE)) {
    fprintf(stderr, "host: cannot copy %s to %s (error %lu)\n", from, to, GetLastError());
    exit(70);
  }
}

static void keep_if_present(const char* name, const char* suffix) {
  char copy[MAX_PATH];
  if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return;
  if (snprintf(copy, sizeof copy, "%s.%s", name, suffix) >= (int)sizeof copy)
    usage_error("suffix too long");
  copy_file(name, copy);
}

static void returned(const char* name) {
  printf("host: %s returned\n", name);
  fflush(stdout);
}

static void returned_value(const char* name, int32_t result) {
  printf("host: %s returned %ld\n", name, (long)result);
  fflush(stdout);
}

int main(int argc, char** argv) {
  HMODULE dll = LoadLibraryA("Dll1.dll");
  if (dll == NULL) {
    fprintf(stderr, "host: cannot load Dll1.dll (error %lu)\n", GetLastError());
    return 71;
  }
  /* FARPROC goes through the generic function pointer type to the export's own type. */
  const runvorn_fn run = (runvorn_fn)(void (*)(void))resolve(dll, "runvorn");
  const ierr_runvorn_fn ierr_run = (ierr_runvorn_fn)(void (*)(void))resolve(dll, "ierr_runvorn");
  const callarytest_fn arraytest = (callarytest_fn)(void (*)(void))resolve(dll, "callarytest");
  const int_multiply_fn multiply = (int_multiply_fn)(void (*)(void))resolve(dll, "int_multiply");

  for (int k = 1; k < argc; ++k) {
    const char* command = argv[k];
    const int left = argc - k - 1;
    if (strcmp(command, "multiply") == 0 && left >= 2) {
      int32_t a = parse_int32(argv[++k]);
      int32_t b = parse_int32(argv[++k]);
      returned_value("int_multiply", multiply(&a, &b));
    } else if (strcmp(command, "callarytest") == 0 && left >= 2) {
      double values[kMaxValues];
      int32_t n = parse_int32(argv[++k]);
      const int count = parse_values(argv[++k], values);
      if (n > count) usage_error("n is larger than the number of values");
      arraytest(values, &n);
      returned("callarytest");
    } else if (strcmp(command, "runvorn") == 0) {
      run();
      returned("runvorn");
    } else if (strcmp(command, "ierr_runvorn") == 0) {
      returned_value("ierr_runvorn", ierr_run());
    } else if (strcmp(command, "input") == 0 && left >= 1) {
      copy_file(argv[++k], "VORN.IN");
    } else if (strcmp(command, "keep") == 0 && left >= 1) {
      const char* suffix = argv[++k];
      keep_if_present("VORN.DBG", suffix);
      keep_if_present("VORN.OUT", suffix);
    } else {
      usage_error("unknown command or missing arguments");
    }
  }
  FreeLibrary(dll);
  return 0;
}
