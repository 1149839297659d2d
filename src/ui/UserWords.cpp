#include "UserWords.h"

#include <QCoreApplication>

#include "ComError.h"
#include "HandlerGuard.h"
#include "IniFile.h"
#include "KavelMeter.h"
#include "Language.h"
#include "Messages.h"
#include "PortNames.h"

namespace {

QString Tr(const char* source) { return QCoreApplication::translate("UserWords", source); }

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// The port as the advice names it: its name, and the device it led to.
QString PortNamed(const PortTroubleCause& cause) {
  if (cause.path.empty()) return Utf8(cause.name);
  return QStringLiteral("%1 (%2)").arg(Utf8(cause.name), Utf8(cause.path));
}

QString DamagedReplyText() {
  return Tr(QT_TRANSLATE_NOOP("UserWords",
                              "The tester's reply came damaged or incomplete. Try again; if it "
                              "happens again, check the cable."));
}

// A port's own failure, by what the user can do about it.
QString PortFailureText(const EComPort& failure) {
  switch (failure.Code) {
    case ceOpenFailed:
      return Tr(QT_TRANSLATE_NOOP("UserWords", "The serial port could not be opened."));
    case ceReadFailed:
    case ceWriteFailed:
      return Tr(QT_TRANSLATE_NOOP(
          "UserWords",
          "The connection with the tester through the serial port was broken off. Check the "
          "cable and choose the port again with [Option]."));
    default:
      return Tr(QT_TRANSLATE_NOOP("UserWords", "The serial port failed."));
  }
}

// The text of a failure in the language in use, raised again to be told
// apart by its class.
QString TranslatedFailureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const ENoConnection&) {
    return Tr(QT_TRANSLATE_NOOP(
        "UserWords",
        "The tester does not answer. Check that it is turned on in RS-232 communication mode "
        "and connected to the computer."));
  } catch (const ECRCError&) {
    return DamagedReplyText();
  } catch (const EReadError&) {
    return DamagedReplyText();
  } catch (const EWriteError&) {
    return Tr(QT_TRANSLATE_NOOP("UserWords", "The tester did not confirm the write."));
  } catch (const EAbstractError&) {
    return Tr(QT_TRANSLATE_NOOP("UserWords", "This tester has no such setting."));
  } catch (const EComPort& port) {
    return PortFailureText(port);
  } catch (const ERegistryException&) {
    return Tr(QT_TRANSLATE_NOOP("UserWords",
                                "The list of serial ports could not be read from the system."));
  } catch (const ESettingsNotWritten& settings) {
    return Tr(QT_TRANSLATE_NOOP("UserWords", "The settings file %1 could not be saved."))
        .arg(Utf8(settings.Path));
  } catch (...) {
    return Tr(QT_TRANSLATE_NOOP("UserWords", "The operation failed."));
  }
}

}  // namespace

QString PortAdviceText(const PortTroubleCause& cause) {
  // English as the serial layer words it for kavel-cli and standard error.
  if (LanguageInUse() == UiLanguage::English) return Utf8(PortTroubleAdvice(cause));
  const QString port = PortNamed(cause);
  switch (cause.cause) {
    case PortCause::NoSuchPort:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1: no such serial port on this computer; bind one in "
                                  "the [Ports] section of the settings file."))
          .arg(port);
    case PortCause::NoSuchComPort:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1: no such serial port on this computer; Device "
                                  "Manager lists the ports there are under \"Ports (COM & "
                                  "LPT)\"."))
          .arg(port);
    case PortCause::NoSuchComPortCable:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1: no such serial port on this computer; Device "
                                  "Manager lists the ports there are under \"Ports (COM & "
                                  "LPT)\". Is the cable or the USB adapter plugged in?"))
          .arg(port);
    case PortCause::PermissionDenied:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1: permission denied; add the user to the dialout "
                                  "group with %2 and log in again."))
          .arg(port, QStringLiteral("\"sudo usermod -aG dialout $USER\""));
    case PortCause::HeldByBrltty:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1 is held by another program: brltty takes CH340 and "
                                  "CP210x adapters; remove it with %2."))
          .arg(port, QStringLiteral("\"sudo apt remove brltty\""));
    case PortCause::HeldByModemManager:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1 is held by another program: ModemManager probes "
                                  "ttyACM devices; stop it with %2."))
          .arg(port, QStringLiteral("\"sudo systemctl stop ModemManager\""));
    case PortCause::HeldByOther:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1 is held by another program; close the other program "
                                  "that uses it."))
          .arg(port);
    case PortCause::NotThere:
      return Tr(QT_TRANSLATE_NOOP("UserWords",
                                  "Port %1: the device is not there. Is the cable or the USB "
                                  "adapter plugged in?"))
          .arg(port);
    case PortCause::Other:
      break;
  }
  return Tr(QT_TRANSLATE_NOOP("UserWords", "Port %1: %2")).arg(port, Utf8(cause.systemMessage));
}

FailureReport FailureReportOf(const std::exception_ptr& failure) {
  std::string message;
  std::string details;
  try {
    std::rethrow_exception(failure);
  } catch (const Exception& raised) {
    message = raised.Message;
    details = raised.Details;
  } catch (const std::exception& raised) {
    message = raised.what();
  } catch (...) {
    message = kUnknownFailureText.Text().toStdString();
  }
  if (LanguageInUse() == UiLanguage::English)
    return {Utf8(FailureReportText(message)), Utf8(details)};
  // The layer's own text, trimmed of the blanks that framed it in a box.
  QString technical = Utf8(message).trimmed();
  if (!details.empty()) technical += QLatin1Char('\n') + Utf8(details);
  return {TranslatedFailureText(failure), technical};
}

QString RecordNoteText(const std::string& note) {
  if (note.empty() || LanguageInUse() == UiLanguage::English) return Utf8(note);
  return Tr(QT_TRANSLATE_NOOP("UserWords",
                              "This change could not be added to the record of changes. The "
                              "change itself is as reported; later changes in this run may be "
                              "missing from the record too.")) +
         QLatin1Char('\n') + Utf8(note);
}
