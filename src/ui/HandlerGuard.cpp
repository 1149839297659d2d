#include "HandlerGuard.h"

#include "MessageBoxes.h"
#include "Messages.h"
#include "TesterExchange.h"
#include "UserWords.h"

std::string FailureReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void Guarded(const std::function<void()>& handler) {
  FailureReport report;
  try {
    handler();
    return;
  } catch (...) {
    report = FailureReportOf(std::current_exception());
  }
  Boxes().Failure(report.text, report.details);
}

void RunCommand(const std::function<void()>& handler) {
  if (TesterExchange::Running()) return;
  Guarded(handler);
}
