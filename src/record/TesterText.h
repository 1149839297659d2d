#pragma once

#include <string>

// The tester's version text as UTF-8: its bytes are Latin-1, and control
// bytes, which would act on a terminal, show as "?".
std::string TesterText(const std::string& bytes);
