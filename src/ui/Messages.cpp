#include "Messages.h"

#include "MeterModels.h"

#include <string_view>

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

QString HalfChangeOfferMessage(const QString& story) {
  return story + QStringLiteral("\r\r") +
         Tr(QT_TRANSLATE_NOOP("Messages",
                              "Finish the change, undo it, or leave the tester as it is for now?"));
}

QString BadPortMessage(PortAtStart port, const std::string& portName) {
  // With no port saved the English text has two blanks where the name goes.
  if (port == PortAtStart::NoneSaved)
    return Tr(QT_TRANSLATE_NOOP("Messages",
                                "Set-up the command program [Options] - port:  incorrect"));
  return Tr(QT_TRANSLATE_NOOP("Messages",
                              "Set-up the command program [Options] - port: %1 incorrect"))
      .arg(Quoted(portName));
}

namespace {

// The device as the status line names it; the English is the model's own
// status suffix without its leading blank.
constexpr struct {
  const char* source;
  const char* comment;
} kStatusDevices[] = {
    QT_TRANSLATE_NOOP3("Messages", "TVA740 v1", "device in the status line"),
    QT_TRANSLATE_NOOP3("Messages", "TVA740 v2", "device in the status line"),
    QT_TRANSLATE_NOOP3("Messages", "DKL310", "device in the status line"),
};

QString StatusDevice(const MeterModel& model) {
  const char* suffix = model.statusSuffix;
  while (*suffix == ' ') ++suffix;
  for (const auto& device : kStatusDevices) {
    if (std::string_view(device.source) == suffix)
      return QCoreApplication::translate("Messages", device.source, device.comment);
  }
  return QString::fromLatin1(suffix);
}

// Without an open port: one English text whether a port was saved or not;
// the translation tells which.
QString NoPortStatus(PortAtStart port, const MeterModel* model) {
  if (port == PortAtStart::NoneSaved) {
    if (!model)
      return QCoreApplication::translate("Messages", " Port it is not been defined;   ",
                                         "no port saved");
    return QCoreApplication::translate("Messages", " Port it is not been defined;    %1",
                                       "no port saved")
        .arg(StatusDevice(*model));
  }
  if (!model)
    return QCoreApplication::translate("Messages", " Port it is not been defined;   ",
                                       "the saved port did not open");
  return QCoreApplication::translate("Messages", " Port it is not been defined;    %1",
                                     "the saved port did not open")
      .arg(StatusDevice(*model));
}

}  // namespace

QString StartStatusLine(PortAtStart port, const std::string& portName, const MeterModel* model) {
  if (port != PortAtStart::Opened) return NoPortStatus(port, model);
  const QString name = QString::fromStdString(portName);
  if (!model) return Tr(QT_TRANSLATE_NOOP("Messages", "Port: %1   ")).arg(name);
  return Tr(QT_TRANSLATE_NOOP("Messages", "Port: %1    %2")).arg(name, StatusDevice(*model));
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
