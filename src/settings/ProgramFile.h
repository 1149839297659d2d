#pragma once

#include <filesystem>
#include <string>

// The running program's own file: where it is and which version it carries.

// The running executable's own path (so a link or a search of PATH does not
// change it); empty when the system does not tell.
std::filesystem::path RunningProgram();

// The file version stamped into the running program, such as "1.0.2.31", or
// "0.0.0.0" when it carries none.
std::string GetFileVersionText();
// The same for any executable file.
std::string GetFileVersionText(const std::string& path);
