#include "HandlerGuard.h"

#include "Exception.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "TesterExchange.h"

std::string FailureReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void Guarded(const std::function<void()>& handler) {
  std::string message;
  std::string details;
  try {
    handler();
    return;
  } catch (const Exception& failure) {
    message = failure.Message;
    details = failure.Details;
  } catch (const std::exception& failure) {
    message = failure.what();
  } catch (...) {
    message = kUnknownFailureText.Text().toStdString();
  }
  Boxes().Failure(QString::fromStdString(FailureReportText(message)),
                  QString::fromStdString(details));
}

void RunCommand(const std::function<void()>& handler) {
  if (TesterExchange::Running()) return;
  Guarded(handler);
}
