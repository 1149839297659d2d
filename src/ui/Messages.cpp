#include "Messages.h"

#include "MeterModels.h"

namespace {

// Leads the tester's version text in several messages and the status line.
const QString kNowConnected = QStringLiteral(" It is now connected: ");

// A value from the settings file as a message quotes it: a long one is cut,
// so that no box grows past the screen.
QString Quoted(const std::string& value) {
  constexpr qsizetype kLongest = 200;
  const QString text = QString::fromStdString(value);
  return text.size() > kLongest ? text.left(kLongest) + QChar(0x2026) : text;
}

}  // namespace

QString MismatchMessage(std::uint8_t expectedType, const std::string& versionText) {
  // A plain meter expects no model; the message then names the TVA-740.
  const MeterModel* expected = MeterModelOf(expectedType);
  const QString device = QString::fromLatin1(expected ? expected->deviceName : "TVA-740");
  return QStringLiteral("The device connected is not of ") + device + QStringLiteral(" type, \r") +
         kNowConnected + VersionTextForUser(versionText);
}

QString VersionTextForUser(const std::string& versionText) {
  return QString::fromLatin1(versionText.data(), static_cast<qsizetype>(versionText.size()));
}

QString HalfChangeOfferMessage(const std::string& story) {
  return QString::fromStdString(story) +
         QStringLiteral("\r\rFinish the change, undo it, or leave the tester as it is for now?");
}

QString BadPortMessage(const std::string& portName) {
  return QStringLiteral("Set-up the command program [Options] - port: %1 incorrect")
      .arg(Quoted(portName));
}

QString OpenPortStatus(const std::string& portName) {
  return QStringLiteral("Port: ") + QString::fromStdString(portName) + QStringLiteral("   ");
}

QString VoltagePanelText(std::uint16_t voltage) {
  return QString::number(voltage) + QStringLiteral("V");
}

QString VoltageChangedMessage(std::uint16_t voltage) {
  return QStringLiteral(" OK. Device's nominal voltage has been changed into %1 V").arg(voltage);
}

QString TestResultMessage(const std::string& versionText) {
  return QStringLiteral(" ") + kNowConnected + QStringLiteral(" [") +
         VersionTextForUser(versionText) + QStringLiteral("]\r");
}

QString NotSupportedMessage(const std::string& versionText) {
  return QStringLiteral(
             "The device connected to the computer is not supported by this application.\r"
             " Devices supported by the program: TVA-740, DKL-310.                      \r") +
         kNowConnected + VersionTextForUser(versionText);
}

QString ConnectedStatus(const std::string& versionText) {
  return kNowConnected + VersionTextForUser(versionText);
}
