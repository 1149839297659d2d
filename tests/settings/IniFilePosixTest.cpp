// What only a POSIX file system has: modes, links, pipes, devices, mounts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "NamedRows.h"
#include "SettingsFileFixture.h"

TEST_F(SettingsFile, SaveChangesOnlyTheTwoLinesAndKeepsTheMode) {
  Put(kNotes + "[Main Setings]\r\nSerial port=COM1\r\n");
  ::chmod(path_.c_str(), 0640);
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(Get(), kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
  struct stat status {};
  ASSERT_EQ(::stat(path_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"kavel-setup.ini"});
}

TEST_F(SettingsFile, SymbolicLinkKeepsPointingAtTheNewContent) {
  fs::create_directory(dir_ / "elsewhere");
  const fs::path target = dir_ / "elsewhere" / "real.ini";
  std::ofstream(target) << kNotes;
  fs::create_symlink("elsewhere/real.ini", path_);
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Contents(target), kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableSettings,
    ::testing::Values(
        UnreadableCase{"Fifo", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
        UnreadableCase{"LinkToDevice",
                       [](const std::string& path) { fs::create_symlink("/dev/full", path); }},
        UnreadableCase{"NoReadPermission",
                       [](const std::string& path) {
                         std::ofstream(path) << kNotes;
                         ::chmod(path.c_str(), 0200);
                         // Root reads it all the same; the failure stands in.
                         if (::geteuid() == 0) InjectFileFailure(FileStep::Read);
                       }}),
    RowName());

TEST_F(SettingsFile, FullFilesystemLeavesTheOldFile) {
  const fs::path mount = dir_ / "small";
  fs::create_directory(mount);
  const std::string command = "mount -t tmpfs -o size=8k tmpfs " + mount.string() + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "cannot mount a small filesystem here";
  path_ = (mount / "kavel-setup.ini").string();
  Put(kNotes);
  // Fill what is left, so the new content cannot be written.
  std::ofstream(mount / "filler", std::ios::binary) << std::string(64 * 1024, 'x');
  IniFile settings(path_);
  settings.WriteString("Notes", "Long", std::string(6000, 'n'));
  EXPECT_THROW(settings.UpdateFile(), Exception);
  EXPECT_EQ(Get(), kNotes);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(mount)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"filler", "kavel-setup.ini"}));
  std::system(("umount " + mount.string()).c_str());
}
