#pragma once

#include <QString>
#include <cstdint>
#include <string>

// Messages shown by more than one window.

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
