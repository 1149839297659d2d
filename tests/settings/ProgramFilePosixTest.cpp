#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ProgramFile.h"
#include "ScratchDir.h"

namespace {

// Bytes this process has read through system calls so far.
long BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string field;
  long value = -1;
  while (io >> field >> value)
    if (field == "rchar:") return value;
  return -1;
}

}  // namespace

TEST(FileVersion, ALargeProgramIsReadOnlyWhereTheStampIs) {
  const auto size = std::filesystem::file_size(RunningProgram());
  constexpr long kFewKilobytes = 16 * 1024;
  ASSERT_GT(size, 32u * kFewKilobytes) << "this test program is too small to tell";
  const long before = BytesReadSoFar();
  ASSERT_GE(before, 0);
  EXPECT_EQ(GetFileVersionText(), "1.0.2.31");
  EXPECT_LT(BytesReadSoFar() - before, kFewKilobytes) << "of a program of " << size << " bytes";
}

TEST(FileVersion, AProgramCopiedWithoutItsStampGivesZeros) {
  EXPECT_EQ(GetFileVersionText("/bin/sh"), "0.0.0.0");  // an ELF file without the stamp
  const ScratchDir scratch;
  const auto copy = scratch / "unstamped";
  const std::string command =
      "objcopy --remove-section .kavel_version /proc/self/exe " + copy.string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(GetFileVersionText(copy.string()), "0.0.0.0");
}
