#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// What the record of changes needs of the system, one implementation per
// platform.

// Holds a lock file exclusively while it lives, so that the program and
// kavel-cli appending at once take turns for a whole line (and a rotation).
// Waits for another holder; a lock that cannot be had leaves it not held.
class RecordLock {
 public:
  explicit RecordLock(const std::filesystem::path& lockFile);
  ~RecordLock();
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;

  bool Held() const { return held_; }
  const std::string& Trouble() const { return trouble_; }  // why not held

 private:
  std::intptr_t handle_ = -1;
  bool held_ = false;
  std::string trouble_;
};

// Makes the folder and any missing above it; a private one (the user's own
// record) only its owner may enter. Answers why it could not, or nothing.
std::string MakeFolder(const std::filesystem::path& folder, bool privateFolder);

// Flushes the folder's entries to the disk after a file in it was made or
// renamed, so that a power cut cannot take the file's name with it (empty:
// the working folder). Nothing to do where the system does it itself.
void SyncFolder(const std::filesystem::path& folder);

// Puts the replacement in the file's place in one step, the file's own
// content kept under the backup name (which must not exist yet); answers why
// it could not, or nothing, and then nothing has moved.
std::string ReplaceKeepingOld(const std::filesystem::path& file,
                              const std::filesystem::path& replacement,
                              const std::filesystem::path& backup);

// Appends the bytes to the file (made if missing) in one write and flushes
// them to the disk; answers why it could not, or nothing.
std::string AppendFlushed(const std::filesystem::path& file, const std::string& bytes);

// The path an environment variable names (any letters the system allows), or
// an empty path when it is not set.
std::filesystem::path PathFromEnvironment(const char* name);

// The user's folder for a program's state (kept between runs, not
// configuration): $XDG_STATE_HOME or ~/.local/state; %LOCALAPPDATA% on
// Windows (the system's own answer, not the environment's). Empty when the environment names none.
std::filesystem::path UserStateFolder();

// Who made a change, and on which machine.
std::string ComputerName();
std::string UserName();
