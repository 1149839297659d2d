#include "ProgramWindows.h"

#include "fmChangeVoltage_.h"
#include "fmHelp_.h"
#include "fmInfo_.h"
#include "fmOption_.h"
#include "fmSetupAUTO_.h"

std::unique_ptr<TForm1> CreateWindows(const SettingsFileLocation& settingsFile) {
  auto form1 = std::make_unique<TForm1>(settingsFile);
  // The Options dialog's FormCreate reads the port that the restore opened.
  form1->fmOption = new TfmOption(*form1, form1.get());
  form1->fmSetupAUTO = new TfmSetupAUTO(*form1, form1.get());
  form1->fmChangeVoltage = new TfmChangeVoltage(*form1, form1.get());
  form1->fmInfo = new TfmInfo(form1.get());
  form1->fmHelp = new TfmHelp(form1.get());
  return form1;
}
