#include "Messages.h"

#include "MeterModels.h"

namespace {

QString Tr(const char* source) { return QCoreApplication::translate("Messages", source); }

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
  return Tr(QT_TRANSLATE_NOOP("Messages",
                              "The device connected is not of %1 type, \r It is now connected: %2"))
      .arg(device, VersionTextForUser(versionText));
}

QString VersionTextForUser(const std::string& versionText) {
  return QString::fromLatin1(versionText.data(), static_cast<qsizetype>(versionText.size()));
}

QString HalfChangeOfferMessage(const std::string& story) {
  return QString::fromStdString(story) + QStringLiteral("\r\r") +
         Tr(QT_TRANSLATE_NOOP("Messages",
                              "Finish the change, undo it, or leave the tester as it is for now?"));
}

QString BadPortMessage(const std::string& portName) {
  return Tr(QT_TRANSLATE_NOOP("Messages",
                              "Set-up the command program [Options] - port: %1 incorrect"))
      .arg(Quoted(portName));
}

QString OpenPortStatus(const std::string& portName) {
  return Tr(QT_TRANSLATE_NOOP("Messages", "Port: %1   ")).arg(QString::fromStdString(portName));
}

QString VoltagePanelText(std::uint16_t voltage) {
  return QString::number(voltage) + QStringLiteral("V");
}

QString VoltageChangedMessage(std::uint16_t voltage) {
  return Tr(QT_TRANSLATE_NOOP("Messages",
                              " OK. Device's nominal voltage has been changed into %1 V"))
      .arg(voltage);
}

QString TestResultMessage(const std::string& versionText) {
  return Tr(QT_TRANSLATE_NOOP("Messages", "  It is now connected:  [%1]\r"))
      .arg(VersionTextForUser(versionText));
}

QString NotSupportedMessage(const std::string& versionText) {
  return Tr(QT_TRANSLATE_NOOP(
                "Messages",
                "The device connected to the computer is not supported by this application.\r"
                " Devices supported by the program: TVA-740, DKL-310.                      \r"
                " It is now connected: %1"))
      .arg(VersionTextForUser(versionText));
}

QString ConnectedStatus(const std::string& versionText) {
  return Tr(QT_TRANSLATE_NOOP("Messages", " It is now connected: %1"))
      .arg(VersionTextForUser(versionText));
}

QString RecordTroubleDetails(const std::string& file, const std::string& reason) {
  return Tr(QT_TRANSLATE_NOOP("Messages", "The record of changes: %1\n%2"))
      .arg(QString::fromStdString(file), QString::fromStdString(reason));
}
