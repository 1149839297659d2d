#include <gtest/gtest.h>

#include <algorithm>

#include "NamedRows.h"
#include "ProfileText.h"
#include "Utf16File.h"

using namespace std::string_literals;

namespace {

struct ReadCase {
  const char* name;
  std::string file;
  std::string section;
  std::string key;
  std::optional<std::string> value;
  friend void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }
};

struct WriteCase {
  const char* name;
  std::string before;
  std::string key;
  std::string value;
  std::string after;
  friend void PrintTo(const WriteCase& row, std::ostream* out) { *out << row.name; }
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};
class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

}  // namespace

TEST_P(ProfileRead, AsWindowsReadsIt) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ProfileText(c.file).Read(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ProfileRead,
    ::testing::Values(ReadCase{"FirstKeyWins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
                      ReadCase{"NamesIgnoreCase", "[main SETINGS]\nSERIAL port=COM4\n",
                               "Main Setings", "Serial port", "COM4"},
                      ReadCase{"BlanksTrimmed", "  [ S ]  \n\t k  =  v w \t\n", "S", "k", "v w"},
                      ReadCase{"DoubleQuotes", "[S]\nk=\" a \"\n", "S", "k", " a "},
                      ReadCase{"SingleQuotes", "[S]\nk='x'\n", "S", "k", "x"},
                      ReadCase{"UnmatchedQuote", "[S]\nk=\"x\n", "S", "k", "\"x"},
                      ReadCase{"CrLf", "[S]\r\nk=v\r\n", "S", "k", "v"},
                      ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
                      ReadCase{"MissingSection", "[T]\nk=v\n", "S", "k", std::nullopt},
                      ReadCase{"MissingKey", "[S]\nj=v\n", "S", "k", std::nullopt},
                      ReadCase{"EmptyValue", "[S]\nk=\n", "S", "k", ""},
                      ReadCase{"JunkSkipped", "[S]\njunk\n[Other\nk=v\n", "S", "k", "v"},
                      ReadCase{"CommentIsNoKey", "[S]\n;k=v\n#k=w\n", "S", "k", std::nullopt},
                      ReadCase{"KeyBeforeAnySection", "k=v\n[S]\n", "S", "k", std::nullopt},
                      ReadCase{"FirstSectionOnly", "[S]\na=1\n[s]\nk=2\n", "S", "k", std::nullopt},
                      ReadCase{"NulEndsTheValue", "[S]\nk=COM1\0x\n"s, "S", "k", "COM1"},
                      ReadCase{"NulElsewhere", "a\0b\n[S]\nk=v\n"s, "S", "k", "v"},
                      ReadCase{"NoFinalLineEnd", "[S]\nk=v", "S", "k", "v"},
                      ReadCase{"ControlCharsTrimmed", "[S]\x1A\n\vk\f=\x1Av\v\n", "S", "k", "v"},
                      ReadCase{"KeyWithoutValue", "[S]\nk\nk=2\n", "S", "k", std::nullopt},
                      ReadCase{"NameToLastBracket", "[S]x]\nk=1\n", "S", "k", std::nullopt},
                      ReadCase{"NamelessSection", "k=v\n[]\nk=w\n", " ", "k", "v"},
                      ReadCase{"NulEndsNames", "[S\0x]\nk\0y=\"v\"\0z\n"s, "S", " k ", "v"},
                      ReadCase{"LoneReturns", "[T]\rk=1\r[S]\rk=v\r", "S", "k", "v"},
                      ReadCase{"MixedLineEnds", "[T]\r\nk=1\n[S]\rj=2\nk=v\r\n", "S", "k", "v"},
                      ReadCase{"Utf16", Utf16File(u"[S]\r\nk=v\r\n"), "S", "k", "v"},
                      ReadCase{"Utf16BigEndian", Utf16File(u"[S]\rk=v", true), "S", "k", "v"},
                      ReadCase{"Utf16OddLengthAsUtf8",
                               Utf16File(u"[S]\nk=\u00DC\U0001F600\xDC00") + "\x01", "S", "k",
                               "\xC3\x9C\xF0\x9F\x98\x80\xEF\xBF\xBD"}),
    RowName());

TEST_P(ProfileWrite, ChangesTheKeysLineOnly) {
  const WriteCase& c = GetParam();
  ProfileText text(c.before);
  text.Write("S", c.key, c.value);
  EXPECT_EQ(text.Bytes(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ProfileWrite,
    ::testing::Values(
        WriteCase{"InPlace", "; note\n[S]\na=1\nK = old \nz=2\n", "k", "new",
                  "; note\n[S]\na=1\nK = new\nz=2\n"},
        WriteCase{"FirstOfTwo", "[S]\nk=1\nk=2\n", "k", "3", "[S]\nk=3\nk=2\n"},
        WriteCase{"KeyWithoutValue", "[S]\nk \n", "k", "v", "[S]\nk =v\n"},
        WriteCase{"MissingKeyEndsItsSection", "[S]\na=1\n\n[T]\n", "k", "v",
                  "[S]\na=1\nk=v\n\n[T]\n"},
        WriteCase{"MissingKeyWithoutFinalLineEnd", "[S]\na=1", "k", "v", "[S]\na=1\nk=v\n"},
        WriteCase{"MissingKeyAfterALoneReturn", "[S]\na=1\r", "k", "v", "[S]\na=1\rk=v\r"},
        WriteCase{"LoneReturnsKept", "[T]\rx=1\r[S]\rk=1\rz=2\r", "k", "2",
                  "[T]\rx=1\r[S]\rk=2\rz=2\r"},
        WriteCase{"NewLineEndsAsTheOneBefore", "[S]\r\na=1\rb=2\n\n[T]\r", "k", "v",
                  "[S]\r\na=1\rb=2\nk=v\n\n[T]\r"},
        WriteCase{"Utf16InPlace", Utf16File(u"; \xD800\r\n[S]\r\nk=1\r\nz=2") + "\x01", "k", "COM2",
                  Utf16File(u"; \xD800\r\n[S]\r\nk=COM2\r\nz=2") + "\x01"},
        WriteCase{"Utf16NewKey", Utf16File(u"[S]\r\na=1"), "k", "v",
                  Utf16File(u"[S]\r\na=1\r\nk=v\r\n")},
        WriteCase{"Utf16NewSection", Utf16File(u""), "k", "\xC3\x9C",
                  Utf16File(u"[S]\r\nk=\u00DC\r\n")},
        WriteCase{"MissingSection", "[T]\nx=1\n", "k", "v", "[T]\nx=1\n[S]\nk=v\n"},
        WriteCase{"MissingSectionAfterJunk", "x", "k", "v", "x\n[S]\nk=v\n"},
        WriteCase{"EmptyFile", "", "k", "v", "[S]\nk=v\n"},
        WriteCase{"CrLfKept", "[S]\r\na=1\r\n", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[S]\nk=1\n", "k", "2",
                  "\xEF\xBB\xBF[S]\nk=2\n"},
        WriteCase{"JunkKept", "[S]\njunk line\n[Other\nk=1\n; end", "k", "2",
                  "[S]\njunk line\n[Other\nk=2\n; end"},
        WriteCase{"NulKeptElsewhere", "a\0b\n[S]\nk=1\n"s, "k", "2", "a\0b\n[S]\nk=2\n"s}),
    RowName());

// After a write the value reads back, and the file differs from the old one
// in one line at most.
TEST(ProfileRoundTrip, ReadsWhatWasWrittenAndKeepsEveryOtherLine) {
  const std::string files[] = {"",
                               "[S]\nk=1\n",
                               "; notes\r\n[T]\r\nx=1\r\n[S]\r\nk=1\r\nz=2\r\n",
                               "\xEF\xBB\xBF[s]\n\n[S]\njunk\n",
                               "[Other\nk=7\n[S]",
                               "[T]\rx=1\r[S]\rk=1\r",
                               Utf16File(u"[T]\r\nx=1\r\n[S]\r\nk=1")};
  for (const std::string& file : files) {
    for (const std::string value : {"COM3", "a b", "x=y", ""}) {
      ProfileText text(file);
      text.Write("S", "k", value);
      EXPECT_EQ(text.Read("S", "k"), value) << file;
      const std::string& after = text.Bytes();
      const auto prefix = std::mismatch(file.begin(), file.end(), after.begin(), after.end());
      const auto suffix = std::mismatch(file.rbegin(), file.rend(), after.rbegin(), after.rend());
      const auto oldMiddle =
          std::max<long>(0, (file.rend() - suffix.first) - (prefix.first - file.begin()));
      const std::string removed = file.substr(prefix.first - file.begin(), oldMiddle);
      EXPECT_LE(std::count(removed.begin(), removed.end(), '\n'), 1) << file << " / " << value;
    }
  }
}
