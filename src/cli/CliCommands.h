#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

#include "CliOptions.h"

// Runs one command of kavel-cli; answers its exit status. programPath is the
// kavel-cli executable's (the settings file, which gives the port bindings
// and the port used without --port, is found beside kavel-setup in the same
// folder, by the program's own rule); in gives the answers to the
// confirmation questions.
int RunCli(const CliOptions& options, const std::filesystem::path& programPath, std::istream& in,
           std::ostream& out, std::ostream& err);
