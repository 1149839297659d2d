#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// What the record of changes needs of the system, one implementation per
// platform.

// Holds a lock file exclusively while it lives, so that the programs of
// every user appending at once take turns for a whole line (and a
// rotation). Waits for another holder, about 10 s at most; a lock that
// cannot be had leaves it not held. A lock file another user made serves
// as well; one made in a shared folder is made writable for the group.
class RecordLock {
 public:
  RecordLock(const std::filesystem::path& lockFile, bool shared);
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

// Gives the file's content a second name (which must not exist yet): a hard
// link, or where the file system has none a copy flushed to the disk.
// Answers why it could not, or nothing.
std::string KeepUnder(const std::filesystem::path& file, const std::filesystem::path& name);

// Moves the file to the name in one step, replacing what is there, flushed
// through to the disk; answers why it could not, or nothing.
std::string MoveOver(const std::filesystem::path& file, const std::filesystem::path& name);

// Appends the bytes to the file (made if missing) in one write and flushes
// them to the disk; answers why it could not, or nothing. A file made in a
// shared folder is made writable for the group whatever the user's umask,
// so that every user there can append and rotate.
std::string AppendFlushed(const std::filesystem::path& file, const std::string& bytes,
                          bool shared);

// A whole file as read, for other programs appending and rotating meanwhile
// (on Windows a reader never holds a rotation back).
struct FileContent {
  bool missing = false;  // no such file, nor folder: nothing was ever written there
  std::string text;
  std::string trouble;  // why a file that is there could not be read
};
FileContent ReadWholeFile(const std::filesystem::path& file);

// What tells one file from another whatever its names (device and inode,
// volume and file index); empty when it cannot be had.
std::string FileIdentity(const std::filesystem::path& file);

// The path an environment variable names (any letters the system allows), or
// an empty path when it is not set.
std::filesystem::path PathFromEnvironment(const char* name);

// The user's folder for a program's state (kept between runs, not
// configuration): $XDG_STATE_HOME or ~/.local/state; %LOCALAPPDATA% on
// Windows (the system's own answer, not the environment's). Empty when the environment names none.
std::filesystem::path UserStateFolder();

// The folder that keeps the record of every user of the computer for the
// installed programs: /var/lib/kavel-setup, %ProgramData%\kavel-setup. The
// package or the installer makes it.
std::filesystem::path AllUsersRecordFolder();

// Whether the program at the path was installed for the computer (on Linux
// in the bindir it was built for; on Windows by the installer, which leaves
// kInstalledMarker beside it), and not run from a build folder, the demo or
// an unpacked zip.
bool InstalledProgram(const std::filesystem::path& program);
inline constexpr char kInstalledMarker[] = "installed-for-all-users";

// Who made a change, and on which machine.
std::string ComputerName();
std::string UserName();
