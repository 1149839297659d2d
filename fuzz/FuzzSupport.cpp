#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

void FuzzFailure(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
