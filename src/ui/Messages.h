#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <string>

struct MeterModel;

// Every text the windows show in a message box or in the status line, window
// by window. Captions and control texts are in each window's .ui file;
// failures carry the texts of the layer that raises them.

// A text of the windows, translated into the language in use each time it
// is shown: the constants below exist before any translation is installed.
struct TranslatedText {
  const char* source;
  QString Text() const { return QCoreApplication::translate("Messages", source); }
  operator QString() const { return Text(); }  // NOLINT: used wherever a QString is
};

// --- The program ---------------------------------------------------------

// The program's name: the caption of its plain boxes and failure reports.
inline constexpr TranslatedText kApplicationTitle{
    QT_TRANSLATE_NOOP("Messages", "KAVEL S.A. devices' setup")};
inline constexpr TranslatedText kConfirmationCaption{
    QT_TRANSLATE_NOOP("Messages", " Confirmation ")};
// The caption of the box that offers to put right a change cut short.
inline constexpr TranslatedText kCutShortCaption{
    QT_TRANSLATE_NOOP("Messages", "Change cut short")};
// The failure report of a failure that carries no text.
inline constexpr TranslatedText kUnknownFailureText{
    QT_TRANSLATE_NOOP("Messages", "Unknown failure")};

// --- Shown by more than one window ---------------------------------------

// Each of its four lines is filled with blanks to 58 characters.
inline constexpr TranslatedText kNoDeviceMessage{
    QT_TRANSLATE_NOOP("Messages",
                      " No device detected, check if:                            \r"
                      " - the device is turned on in RS-232 communication mode?  \r"
                      " - the port selected is not used by some other device?    \r"
                      " - the connection between computer and device is correct? ")};

inline constexpr TranslatedText kTransmissionErrorMessage{
    QT_TRANSLATE_NOOP("Messages", " Error transmitting the device.")};

// The connected tester is not of the expected type (a meter type code); the
// tester's own version text follows.
QString MismatchMessage(std::uint8_t expectedType, const std::string& versionText);

// A version text as the tester sent it; its bytes are shown one character each.
QString VersionTextForUser(const std::string& versionText);

// --- Main window ---------------------------------------------------------

// A change cut short on the tester about to be configured: what happened,
// and the choice of putting it right. The choices in the order offered.
QString HalfChangeOfferMessage(const QString& story);
inline constexpr TranslatedText kFinishChoice{QT_TRANSLATE_NOOP("Messages", "Finish the change")};
inline constexpr TranslatedText kUndoChoice{QT_TRANSLATE_NOOP("Messages", "Undo the change")};
inline constexpr TranslatedText kLeaveChoice{QT_TRANSLATE_NOOP("Messages", "Leave it for now")};
// The tester was no longer in the state offered when the repair read it.
inline constexpr TranslatedText kRepairOvertakenMessage{QT_TRANSLATE_NOOP(
    "Messages",
    "The tester no longer holds what it held a moment ago, so nothing was written. "
    "Open the dialog again to see what it holds now.")};

// What became of the stored port at start-up.
enum class PortAtStart { Opened, NoneSaved, NotOpened };
// The message when it did not open: one English text for both, told apart
// in Polish.
QString BadPortMessage(PortAtStart port, const std::string& portName);
// The status line after start-up: the port, and the device remembered
// (nullptr for none), as one sentence.
QString StartStatusLine(PortAtStart port, const std::string& portName, const MeterModel* model);
inline constexpr TranslatedText kNotSelectedMessage{
    QT_TRANSLATE_NOOP("Messages", " Device and/or communication port has not been selected ")};

// --- Options dialog ------------------------------------------------------

inline constexpr TranslatedText kSelectPortMessage{
    QT_TRANSLATE_NOOP("Messages", "      Select a communication port.     ")};
inline constexpr TranslatedText kSelectDeviceMessage{
    QT_TRANSLATE_NOOP("Messages", "          Select the device.           ")};
// What the transmission test read from the tester.
QString TestResultMessage(const std::string& versionText);
// The tester is of no model the program knows.
QString NotSupportedMessage(const std::string& versionText);
inline constexpr TranslatedText kPortUnavailableMessage{
    QT_TRANSLATE_NOOP("Messages",
                      "The port selected is not available.                      \r"
                      "Check if it is not used by some other application/device.")};
// The status line while OK identifies the tester, and once it has.
inline constexpr TranslatedText kIdentifyingStatus{
    QT_TRANSLATE_NOOP("Messages", " It is now connected: ???")};
QString ConnectedStatus(const std::string& versionText);

// --- AUTO-mode dialog ----------------------------------------------------

inline constexpr TranslatedText kSelectTrippingMessage{QT_TRANSLATE_NOOP(
    "Messages",
    "You have to select at least one of the parameters \rintended for tripping RCD on.")};
inline constexpr TranslatedText kAutoSetupQuestion{
    QT_TRANSLATE_NOOP("Messages", " To change setup of device's AUTO mode ?")};
inline constexpr TranslatedText kAutoSetupDoneMessage{
    QT_TRANSLATE_NOOP("Messages",
                      " OK - done.                                     \r"
                      " Setup change of device's AUTO mode successful.")};

// --- Nominal voltage dialog ----------------------------------------------

// The panel showing the voltage read; 0 when the setting was not recognised.
QString VoltagePanelText(std::uint16_t voltage);
inline constexpr TranslatedText kChangeVoltageQuestion{
    QT_TRANSLATE_NOOP("Messages", " Change device's nominal voltage ?")};
QString VoltageChangedMessage(std::uint16_t voltage);

// --- The record of changes -----------------------------------------------

// The record cannot be read: a change cut short on the tester could not be
// looked for, so a dialog shows what the tester holds and writes nothing.
inline constexpr TranslatedText kRecordUnreadableMessage{QT_TRANSLATE_NOOP(
    "Messages",
    "The record of changes cannot be read, so it is not known whether a change to this tester "
    "was cut short. Its settings are shown, but nothing will be written to it until the record "
    "can be read.")};
// The file and the system's reason, for the details.
QString RecordTroubleDetails(const std::string& file, const std::string& reason);
// The record cannot take the first line of a change of several writes (the
// reason goes with the details).
inline constexpr TranslatedText kUnrecordedChangeQuestion{QT_TRANSLATE_NOOP(
    "Messages",
    "The record of changes cannot take this change, so if the change is cut short between its "
    "writes, nothing will find it. Change the tester without a trace all the same?")};
