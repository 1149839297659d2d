#include <cstring>

#include "SystemMessage.h"

std::string SystemMessage(int error) { return std::strerror(error); }
