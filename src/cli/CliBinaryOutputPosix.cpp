#include "CliBinaryOutput.h"

// Text is bytes here already.
void StandardOutputAsBytes() {}
