#pragma once

#include <memory>
#include <string>

#include "fmMain.h"

// Creates the program's windows in the program's order: the main window
// first, whose FormCreate restores the port and the device before any other
// window exists, then the dialogs, hidden and owned by the main window. The
// program and its tests start the same way through here.
std::unique_ptr<TForm1> CreateWindows(const SettingsFileLocation& settingsFile);
