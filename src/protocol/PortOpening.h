#pragma once

#include <ostream>
#include <string>

class TKavelPort;

// OpenPort, and when it tried to open a port name and could not, one line on
// out saying why, for the user (standard error, which the desktop's journal
// keeps). The program's own messages are unchanged by it.
bool OpenPortTellingWhy(TKavelPort& port, const std::string& name, std::ostream& out);
