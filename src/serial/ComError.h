#pragma once

#include <string>

#include "Exception.h"

// Port error codes; each has a fixed text that reaches the user unchanged.
enum ComErrorCode {
  ceOpenFailed = 1,
  ceWriteFailed = 2,
  ceReadFailed = 3,
  ceInvalidAsync = 4,
  cePurgeFailed = 5,
  ceAsyncStatus = 6,
  ceSetStateFailed = 7,
  ceTimeoutsFailed = 8,
  ceSetupComFailed = 9,
  ceClearComFailed = 10,
  ceModemStatusFailed = 11,
  ceEscapeComFailed = 12,
  ceTransmitFailed = 13,
  ceSyncMethod = 14,
  ceEnumPortsFailed = 15,
  ceStoreFailed = 16,
  ceLoadFailed = 17,
  ceRegistrationFailed = 18,
  ceLedStateFailed = 19,
  ceThreadCreated = 20,
  ceWaitFailed = 21,
  ceHasLink = 22,
};

// The text of a code; empty for a number outside the table.
const char* ComErrorText(int code);

class EComPort : public Exception {
 public:
  // A failure of a system call: the code's text and " (win error code: N)"
  // with the errno of the call.
  EComPort(int code, int osErrorCode);
  // A failure without a system call: the code's text alone.
  explicit EComPort(int code);

  int Code;
  int OSErrorCode;
};
