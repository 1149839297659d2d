#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The running program's own file: where it is and which version it carries;
// its command line; and the console it writes to.

// The running executable's own path (so a link or a search of PATH does not
// change it); empty when the system does not tell.
std::filesystem::path RunningProgram();

// The file version stamped into the running program, such as "1.0.2.31", or
// "0.0.0.0" when it carries none.
std::string GetFileVersionText();
// The same for any executable file.
std::string GetFileVersionText(const std::filesystem::path& path);

// The program's arguments in UTF-8, as argc and argv: on Windows from the
// wide command line, since argv comes in the ANSI code page there and loses
// the letters of a file name such as C:\Users\Łukasz\ustawienia.ini;
// elsewhere argv as it is.
class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv);
  int Count() const { return static_cast<int>(pointers_.size()) - 1; }
  char** Values() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;  // into texts_, ended by a null pointer as argv is
};

// While it lives, the console shows the program's UTF-8 text as written (the
// tester's measurements, the port's failure texts): Windows' console would
// read it in its OEM code page. When it goes, the console gets back the code
// page it had, for the programs the user runs next in it. Elsewhere the
// terminal takes UTF-8 already.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previous_ = 0;  // the code page to give back; 0: none
};
