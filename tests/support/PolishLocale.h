#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

// The process in the Polish locale while it lives, as the program is on a
// Polish desktop (Qt applies the user's locale to the C library); the C
// locale again afterwards, whatever the test did meanwhile.
class PolishLocale {
 public:
  PolishLocale() {
    const bool polish =
        std::setlocale(LC_ALL, "pl_PL.UTF-8") || std::setlocale(LC_ALL, "Polish_Poland.1250");
    EXPECT_TRUE(polish) << "./scripts/test makes the Polish locale";
    if (std::setlocale(LC_ALL, nullptr) == std::string("pl_PL.UTF-8"))
      std::locale::global(std::locale("pl_PL.UTF-8"));
  }
  ~PolishLocale() {
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
  }
  PolishLocale(const PolishLocale&) = delete;
  PolishLocale& operator=(const PolishLocale&) = delete;
};
