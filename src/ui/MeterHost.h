#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "Language.h"

class ChangeRecorder;
class TKavelPort;
class TMeter;

// What a configuration dialog needs of the program's objects. The dialogs
// keep no copy: they ask for the current meter at every use, since the
// Options dialog may have replaced it.
class MeterHost {
 public:
  // The current meter object; there always is one while windows exist.
  virtual TMeter& Meter() = 0;
  // Identifies the connected tester anew; true when it is of the expected
  // meter type code. Otherwise the user has been told and MeterType restored.
  virtual bool MeterCorrect(std::uint8_t expectedType) = 0;
  // Records every change the dialogs make to a tester, for this run.
  virtual ChangeRecorder& Recorder() = 0;

 protected:
  ~MeterHost() = default;
};

// What the Options dialog needs besides: the program's port, and the main
// window's state that an accepted device changes.
class OptionHost : public MeterHost {
 public:
  virtual TKavelPort& Port() = 0;
  // Replaces the current meter object by one of the class that serves the
  // code, on the program's port, and sets the configuration items for it.
  virtual void AcceptMeter(std::uint8_t code) = 0;
  // The status line's text, made anew whenever the language changes.
  virtual void SetStatusLine(std::function<QString()> text) = 0;
  // The language the user settled on in the Options dialog: the settings
  // file keeps it from now on, written at once.
  virtual void KeepLanguage(UiLanguage language) = 0;

 protected:
  ~OptionHost() = default;
};
