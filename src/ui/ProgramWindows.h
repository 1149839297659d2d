#pragma once

#include <memory>
#include <string>

#include "fmMain.h"

// Creates the program's windows in the program's order: the main window
// first, whose FormCreate restores the port and the device before any other
// window exists, then the dialogs, hidden and owned by the main window. What
// only a shown dialog needs (the help's guide, the Options dialog's editable
// boxes, the AUTO-mode headings' rich text) waits for its first showing, so
// that the start costs little more than the main window. The program and its
// tests start the same way through here.
std::unique_ptr<TForm1> CreateWindows(const SettingsFileLocation& settingsFile);
