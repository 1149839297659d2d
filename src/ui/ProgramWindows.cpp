#include "ProgramWindows.h"

#include "fmChangeVoltage_.h"

std::unique_ptr<TForm1> CreateWindows(const std::string& settingsPath) {
  auto form1 = std::make_unique<TForm1>(settingsPath);
  form1->fmChangeVoltage = new TfmChangeVoltage(*form1, form1.get());
  return form1;
}
