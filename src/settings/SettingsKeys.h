#pragma once

// Where kavel-setup.ini keeps what the program remembers; the section name's
// spelling is the one the settings files in use carry.
constexpr const char* kMainSection = "Main Setings";
constexpr const char* kPortKey = "Serial port";
constexpr const char* kMeterKey = "Meter";
// The windows' language, "english" or "polski"; absent until the user picks
// one, and ignored by copies of the program that speak English only.
constexpr const char* kLanguageKey = "Language";
// Port name -> device, written by users only (Linux).
constexpr const char* kPortsSection = "Ports";
