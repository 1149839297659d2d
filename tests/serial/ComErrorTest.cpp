#include <gtest/gtest.h>

#include "ComError.h"

TEST(ComError, EveryCodeHasItsText) {
  const std::vector<std::string> texts = {
      "Nie można otworzyć com portu",
      "Błąd wykonania funkcji WriteFile",
      "Błąd wykonania funkcji ReadFile",
      "Niepoprawny parametr Async",
      "Błąd wykonania funkcji PurgeComm",
      "Brak async status",
      "SetCommState function failed",
      "Błąd wykonania SetCommTimeouts",
      "SetupComm function failed",
      "ClearCommError function failed",
      "GetCommModemStatus function failed",
      "EscapeCommFunction function failed",
      "TransmitCommChar function failed",
      "Cannot set SyncMethod while connected",
      "EnumPorts function failed",
      "Failed to store settings",
      "Failed to load settings",
      "Link (un)registration failed",
      "Cannot change led state if ComPort is selected",
      "Cannot wait for event if event thread is created",
      "WaitForEvent method failed",
      "A component is linked to OnRxBuf event",
  };
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(ComErrorText(static_cast<int>(i + 1)), texts[i]) << "code " << i + 1;
  }
  EXPECT_STREQ(ComErrorText(0), "");
  EXPECT_STREQ(ComErrorText(23), "");
}

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
