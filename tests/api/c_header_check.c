/* The public header compiles as C and the exports link from a C program. */
#include "vorn/vorn.h"

#include <stdio.h>

int main(void) {
  const int32_t a = 65536, b = 65536, c = -6, d = 7;
  if (int_multiply(&a, &b) != 0 || int_multiply(&c, &d) != -42) {
    puts("int_multiply gave a wrong product");
    return 1;
  }
  return 0;
}
