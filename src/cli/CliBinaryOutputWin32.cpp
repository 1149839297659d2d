#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "CliBinaryOutput.h"

void StandardOutputAsBytes() {
  std::cout.flush();
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}
