#pragma once

// Where kavel-setup.ini keeps what the program remembers; the section name's
// spelling is the one the settings files in use carry.
constexpr const char* kMainSection = "Main Setings";
constexpr const char* kPortKey = "Serial port";
constexpr const char* kMeterKey = "Meter";
// Port name -> device, written by users only (Linux).
constexpr const char* kPortsSection = "Ports";
