#include <gtest/gtest.h>

#include <set>

#include "ComError.h"
#include "NamedRows.h"

TEST(ComError, EveryCodeHasATextOfItsOwn) {
  std::set<std::string> texts;
  for (int code = 1; code <= 22; ++code) {
    const std::string text = ComErrorText(code);
    EXPECT_FALSE(text.empty()) << "code " << code;
    EXPECT_TRUE(texts.insert(text).second) << "code " << code << " repeats " << text;
  }
  EXPECT_STREQ(ComErrorText(0), "");
  EXPECT_STREQ(ComErrorText(23), "");
}

// A few texts spelled out, Polish letters and the original wording included.
struct ComErrorSample {
  const char* name;
  int code;
  const char* text;
  friend void PrintTo(const ComErrorSample& row, std::ostream* out) { *out << row.name; }
};

class ComErrorTexts : public ::testing::TestWithParam<ComErrorSample> {};

TEST_P(ComErrorTexts, ReadAsTheUserSeesThem) {
  EXPECT_STREQ(ComErrorText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, ComErrorTexts,
    ::testing::Values(ComErrorSample{"OpenFailed", ceOpenFailed, "Nie można otworzyć com portu"},
                      ComErrorSample{"ReadFailed", ceReadFailed, "Błąd wykonania funkcji ReadFile"},
                      ComErrorSample{"SetStateFailed", ceSetStateFailed,
                                     "SetCommState function failed"},
                      ComErrorSample{"Last", 22, "A component is linked to OnRxBuf event"}),
    RowName());

TEST(ComError, SystemFailureCarriesTheErrorNumber) {
  const EComPort failure(ceOpenFailed, 2);
  EXPECT_EQ(failure.Code, 1);
  EXPECT_EQ(failure.OSErrorCode, 2);
  EXPECT_EQ(failure.Message, "Nie można otworzyć com portu (win error code: 2)");
  EXPECT_STREQ(failure.what(), failure.Message.c_str());
}

TEST(ComError, FailureWithoutSystemCallHasNoSuffix) {
  const EComPort failure(ceSyncMethod);
  EXPECT_EQ(failure.Code, 14);
  EXPECT_EQ(failure.OSErrorCode, -1);
  EXPECT_EQ(failure.Message, "Cannot set SyncMethod while connected");
}
