// A settings file that another program holds open without sharing, as
// antivirus and backup tools do for a moment.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <thread>

#include "SettingsFileFixture.h"
#include "SystemMessage.h"

namespace {

// Holds the file from now on, and lets it go after the given time.
class Holder {
 public:
  Holder(const std::string& path, DWORD ms)
      : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)),
        letGo_([this, ms] {
          Sleep(ms);
          CloseHandle(file_);
        }) {}
  ~Holder() { letGo_.join(); }

 private:
  HANDLE file_;
  std::thread letGo_;
};

}  // namespace

TEST_F(SettingsFile, HeldBrieflyIsSavedOnceLetGoAndHeldLongerFailsWithTheReason) {
  Put(kNotes);
  {
    const Holder scanner(path_, 500);
    EXPECT_EQ(SaveTwoKeys(), "");
  }
  EXPECT_EQ(Get(), kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
  IniFile settings(path_);
  settings.WriteString("Main Setings", "Meter", "DKL310Type");
  const Holder backup(path_, 2500);
  try {
    settings.UpdateFile();
    ADD_FAILURE() << "saved over a file held without sharing";
  } catch (const Exception& failure) {
    EXPECT_EQ(failure.Message, "Unable to write to " + path_);
    EXPECT_TRUE(failure.Details == SystemMessage(ERROR_ACCESS_DENIED) ||
                failure.Details == SystemMessage(ERROR_SHARING_VIOLATION))
        << failure.Details;
  }
  // Still held a second later: reading it fails as well, and says why.
  try {
    IniFile(path_).UpdateFile();
    ADD_FAILURE() << "saved a file it could not read";
  } catch (const Exception& failure) {
    EXPECT_EQ(failure.Details, SystemMessage(ERROR_SHARING_VIOLATION));
  }
}
