#pragma once

#include <filesystem>
#include <string>

// The running program's own file: where it is and which version it carries;
// and the console it writes to.

// The running executable's own path (so a link or a search of PATH does not
// change it); empty when the system does not tell.
std::filesystem::path RunningProgram();

// The file version stamped into the running program, such as "1.0.2.31", or
// "0.0.0.0" when it carries none.
std::string GetFileVersionText();
// The same for any executable file.
std::string GetFileVersionText(const std::string& path);

// Makes the console show the program's UTF-8 text as written (the tester's
// measurements, the port's failure texts): Windows' console would read it in
// its OEM code page. Elsewhere the terminal already takes UTF-8.
void ShowUtf8OnConsole();
