#include "Messages.h"

#include "KavelMeter.h"

QString MismatchMessage(std::uint8_t expectedType, const std::string& versionText) {
  const QString expected =
      expectedType == kMeterDKL310 ? QStringLiteral("DKL-310") : QStringLiteral("TVA-740");
  return QStringLiteral("The device connected is not of ") + expected +
         QStringLiteral(" type, \r It is now connected: ") + VersionTextForUser(versionText);
}

QString VersionTextForUser(const std::string& versionText) {
  return QString::fromLatin1(versionText.data(), static_cast<qsizetype>(versionText.size()));
}
