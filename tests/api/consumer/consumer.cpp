// Uses both installed libraries: the C exports and the C++ entry.
#include <cstdio>

#include "vorn/run.hpp"
#include "vorn/vorn.h"

int main(int argc, char** argv) {
  const int32_t a = 65536, b = 65536;
  if (int_multiply(&a, &b) != 0 || argc < 2) return 1;
  const vorn::Outcome outcome = vorn::run(argv[1]);
  std::fputs(outcome.stdout_text.c_str(), stdout);
  return outcome.exit_status();
}
