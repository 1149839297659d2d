#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "SystemTicks.h"

std::uint32_t SystemTickCount() { return ::GetTickCount(); }
