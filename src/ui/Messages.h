#pragma once

#include <QString>
#include <cstdint>
#include <string>

// Every text the windows show in a message box or in the status line, window
// by window. Captions and control texts are in each window's .ui file;
// failures carry the texts of the layer that raises them.

// --- The program ---------------------------------------------------------

// The program's name: the caption of its plain boxes and failure reports.
inline const QString kApplicationTitle = QStringLiteral("KAVEL S.A. devices' setup");
inline const QString kConfirmationCaption = QStringLiteral(" Confirmation ");
// The failure report of a failure that carries no text.
inline const QString kUnknownFailureText = QStringLiteral("Unknown failure");

// --- Shown by more than one window ---------------------------------------

// Each of its four lines is filled with blanks to 58 characters.
inline const QString kNoDeviceMessage = QStringLiteral(
    " No device detected, check if:                            \r"
    " - the device is turned on in RS-232 communication mode?  \r"
    " - the port selected is not used by some other device?    \r"
    " - the connection between computer and device is correct? ");

inline const QString kTransmissionErrorMessage = QStringLiteral(" Error transmitting the device.");

// The connected tester is not of the expected type (a meter type code); the
// tester's own version text follows.
QString MismatchMessage(std::uint8_t expectedType, const std::string& versionText);

// A version text as the tester sent it; its bytes are shown one character each.
QString VersionTextForUser(const std::string& versionText);

// --- Main window ---------------------------------------------------------

// A change cut short on the tester about to be configured: what happened,
// and the choice of putting it right. The choices in the order offered.
QString HalfChangeOfferMessage(const std::string& story);
inline const QString kFinishChoice = QStringLiteral("Finish the change");
inline const QString kUndoChoice = QStringLiteral("Undo the change");
inline const QString kLeaveChoice = QStringLiteral("Leave it for now");
// The tester was no longer in the state offered when the repair read it.
inline const QString kRepairOvertakenMessage = QStringLiteral(
    "The tester no longer holds what it held a moment ago, so nothing was written. "
    "Open the dialog again to see what it holds now.");

// The stored port did not open at start-up.
QString BadPortMessage(const std::string& portName);
inline const QString kNotDefinedStatus = QStringLiteral(" Port it is not been defined;   ");
// The status line after the stored port opened.
QString OpenPortStatus(const std::string& portName);
inline const QString kNotSelectedMessage =
    QStringLiteral(" Device and/or communication port has not been selected ");

// --- Options dialog ------------------------------------------------------

inline const QString kSelectPortMessage = QStringLiteral("      Select a communication port.     ");
inline const QString kSelectDeviceMessage =
    QStringLiteral("          Select the device.           ");
// What the transmission test read from the tester.
QString TestResultMessage(const std::string& versionText);
// The tester is of no model the program knows.
QString NotSupportedMessage(const std::string& versionText);
inline const QString kPortUnavailableMessage = QStringLiteral(
    "The port selected is not available.                      \r"
    "Check if it is not used by some other application/device.");
// The status line while OK identifies the tester, and once it has.
inline const QString kIdentifyingStatus = QStringLiteral(" It is now connected: ???");
QString ConnectedStatus(const std::string& versionText);

// --- AUTO-mode dialog ----------------------------------------------------

inline const QString kSelectTrippingMessage = QStringLiteral(
    "You have to select at least one of the parameters \rintended for tripping RCD on.");
inline const QString kAutoSetupQuestion =
    QStringLiteral(" To change setup of device's AUTO mode ?");
inline const QString kAutoSetupDoneMessage = QStringLiteral(
    " OK - done.                                     \r"
    " Setup change of device's AUTO mode successful.");

// --- Nominal voltage dialog ----------------------------------------------

// The panel showing the voltage read; 0 when the setting was not recognised.
QString VoltagePanelText(std::uint16_t voltage);
inline const QString kChangeVoltageQuestion = QStringLiteral(" Change device's nominal voltage ?");
QString VoltageChangedMessage(std::uint16_t voltage);
