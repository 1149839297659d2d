// The settings file against Windows' own private-profile functions, as Wine
// gives them: each row's file is put twice into a scratch folder, each
// question is asked of one copy through GetPrivateProfileStringA and
// WritePrivateProfileStringA and of the other through IniFile, and every
// answer must agree. After the writes every key of the row is read from both
// copies by both sides: Windows rewrites the whole file while IniFile changes
// one line, so what counts is what each side then reads, not the bytes.
// Names and values are ASCII: Windows' A functions answer in the ANSI code
// page, IniFile in UTF-8.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "IniFile.h"
#include "NamedRows.h"
#include "ScratchDir.h"
#include "Utf16File.h"

using namespace std::string_literals;

namespace {

// A read gives the section, the key and the default, a write the section,
// the key and the value.
struct Question {
  bool write;
  std::string section;
  std::string key;
  std::string text;
};

Question Read(std::string section, std::string key, std::string fallback = "(default)") {
  return {false, std::move(section), std::move(key), std::move(fallback)};
}
Question Write(std::string section, std::string key, std::string value) {
  return {true, std::move(section), std::move(key), std::move(value)};
}

struct ProfileCase {
  const char* name;
  std::optional<std::string> file;  // none: the file does not exist
  std::vector<Question> questions;
  friend void PrintTo(const ProfileCase& row, std::ostream* out) { *out << row.name; }
};

std::string WindowsRead(const std::filesystem::path& file, const Question& question) {
  std::string value(1 << 16, '\0');
  const DWORD length = GetPrivateProfileStringA(
      question.section.c_str(), question.key.c_str(), question.text.c_str(), value.data(),
      static_cast<DWORD>(value.size()), file.string().c_str());
  value.resize(length);
  return value;
}

void WindowsWrite(const std::filesystem::path& file, const Question& question) {
  ASSERT_TRUE(WritePrivateProfileStringA(question.section.c_str(), question.key.c_str(),
                                         question.text.c_str(), file.string().c_str()))
      << GetLastError();
}

std::string Content(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The file's bytes, for a failure's message.
std::string Shown(const std::string& bytes) {
  std::string shown;
  for (const unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      shown += "\\x"s + kDigits[c >> 4] + kDigits[c & 15];
    }
  }
  return shown;
}

class ProfileAsWindows : public ::testing::TestWithParam<ProfileCase> {};

}  // namespace

TEST_P(ProfileAsWindows, ReadsAndWritesAgree) {
  const ProfileCase& row = GetParam();
  const ScratchDir scratch;
  const auto windowsFile = scratch / "windows.ini", ourFile = scratch / "ours.ini";
  if (row.file) {
    std::ofstream(windowsFile, std::ios::binary) << *row.file;
    std::ofstream(ourFile, std::ios::binary) << *row.file;
  }
  IniFile ours(ourFile.string());
  std::set<std::pair<std::string, std::string>> keys;
  for (const Question& question : row.questions) {
    keys.emplace(question.section, question.key);
    if (question.write) {
      WindowsWrite(windowsFile, question);
      ours.WriteString(question.section, question.key, question.text);
      ours.UpdateFile();
    } else {
      EXPECT_EQ(ours.ReadString(question.section, question.key, question.text),
                WindowsRead(windowsFile, question))
          << "[" << question.section << "] " << question.key;
    }
  }
  // Each side reads its own copy and the other's.
  for (const auto& [section, key] : keys) {
    const Question read = Read(section, key);
    const std::string expected = WindowsRead(windowsFile, read);
    const auto where = "[" + section + "] " + key + "\nWindows wrote " +
                       Shown(Content(windowsFile)) + "\nIniFile wrote " + Shown(Content(ourFile));
    EXPECT_EQ(WindowsRead(ourFile, read), expected) << where;
    EXPECT_EQ(IniFile(windowsFile.string()).ReadString(section, key, read.text), expected) << where;
    EXPECT_EQ(IniFile(ourFile.string()).ReadString(section, key, read.text), expected) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileAsWindows,
    ::testing::Values(
        ProfileCase{
            "Plain",
            "[Main Setings]\r\nSerial port=COM3\r\nMeter=DKL310Type\r\n",
            {Read("Main Setings", "Serial port", ""), Read("Main Setings", "Meter"),
             Read("Main Setings", "Other"), Read("Other", "Meter"),
             Write("Main Setings", "Serial port", "COM5"), Write("Main Setings", "Added", "1"),
             Write("New", "k", "v"), Read("Main Setings", "Serial port")}},
        ProfileCase{"MissingFile",
                    std::nullopt,
                    {Read("Main Setings", "Meter", "NoType"),
                     Write("Main Setings", "Meter", "NoType"), Write("Main Setings", "k", "v")}},
        ProfileCase{"EmptyFile", "", {Read("S", "k"), Write("S", "k", "v")}},
        ProfileCase{"LineFeeds",
                    "[S]\nk=1\n\n[T]\nk=2\n",
                    {Read("S", "k"), Read("T", "k"), Write("S", "j", "3"), Write("U", "k", "4")}},
        ProfileCase{"LoneReturns",
                    "[S]\rk=1\r[T]\rk=2\r",
                    {Read("S", "k"), Read("T", "k"), Write("S", "k", "3"), Write("T", "j", "4")}},
        ProfileCase{"MixedLineEnds",
                    "[S]\r\na=1\nb=2\rc=3\r\n[T]\rd=4\n",
                    {Read("S", "a"), Read("S", "b"), Read("S", "c"), Read("T", "d"),
                     Write("S", "b", "9"), Write("S", "e", "5"), Write("T", "d", "8")}},
        ProfileCase{"NoFinalLineEnd",
                    "[S]\r\nk=1",
                    {Read("S", "k"), Write("T", "k", "2"), Write("S", "j", "3")}},
        ProfileCase{"Utf8ByteOrderMark",
                    "\xEF\xBB\xBF[S]\r\nk=1\r\n",
                    {Read("S", "k"), Write("S", "k", "2"), Write("T", "x", "1")}},
        ProfileCase{"Utf16",
                    Utf16File(u"[S]\r\nk=1\r\n[T]\r\nx= y \r\n"),
                    {Read("S", "k"), Read("T", "x"), Write("S", "k", "2"), Write("S", "j", "3"),
                     Write("U", "x", "4")}},
        ProfileCase{"Utf16BigEndian",
                    Utf16File(u"[S]\r\nk=1\r\n", true),
                    {Read("S", "k"), Write("S", "k", "2"), Write("U", "x", "4")}},
        ProfileCase{"Utf16LineFeedsNoFinalEnd",
                    Utf16File(u"[S]\nk=1\n[T]\nx=2"),
                    {Read("S", "k"), Read("T", "x"), Write("T", "y", "3")}},
        ProfileCase{"Utf16OddLength",
                    Utf16File(u"[S]\r\nk=1\r\n") + "\x01",
                    {Read("S", "k"), Write("S", "k", "2")}},
        ProfileCase{"Blanks",
                    "  [S]  \r\n  k  =  v w  \r\n\tt\t=\tx\t\r\n",
                    {Read("S", "k"), Read("S", "t"), Read(" S ", " k "), Write("S", "k", "new"),
                     Write(" S", "t ", " y"), Write("S", "u", "z "), Write("S", "e=", " x"),
                     Read("S", "e")}},
        ProfileCase{"SectionNamesWithBlanks",
                    "[ S ]\r\nk=1\r\n[T U]\r\nk=2\r\n",
                    {Read("S", "k"), Read(" S ", "k"), Read("T U", "k"), Read("T  U", "k"),
                     Write("S", "k", "3"), Write("T U", "k", "4")}},
        ProfileCase{
            "Quotes",
            "[S]\r\na=\"x y\"\r\nb='z'\r\nc=\"open\r\nd=\" \"\r\ne=\"\"\r\nf=\"\r\n"
            "g=\"x\" \r\nh='x\"\r\n",
            {Read("S", "a"), Read("S", "b"), Read("S", "c"), Read("S", "d"), Read("S", "e"),
             Read("S", "f"), Read("S", "g"), Read("S", "h"), Read("S", "none", "\"quoted\""),
             Read("S", "none", "blanks  "), Write("S", "a", "\"new\""), Write("S", "i", "'q'")}},
        ProfileCase{"Comments",
                    "; k=0\r\n[S]\r\n;k=1\r\n#k=2\r\n k = 3\r\n # note\r\n",
                    {Read("S", "k"), Write("S", "k", "4"), Write("S", "j", "5")}},
        ProfileCase{"KeysBeforeAnySection",
                    "k=0\r\nj=1\r\n[S]\r\nk=2\r\n",
                    {Read("S", "k"), Read("S", "j"), Read("", "k"), Read(" ", "j"),
                     Write("S", "j", "3"), Write("", "k", "4"), Write("", "n", "5")}},
        ProfileCase{"EmptyNames",
                    "\xEF\xBB\xBF\r\n[]\r\nk=1\r\n[S]\r\n=v\r\nk\r\nk=2\r\n",
                    {Read("", "k"), Read("S", ""), Read("S", "k"), Write("", "k", "3"),
                     Write("S", "k", "4")}},
        ProfileCase{"DuplicateSections",
                    "[S]\r\na=1\r\n[T]\r\nx=0\r\n[s]\r\na=2\r\nb=3\r\n",
                    {Read("S", "a"), Read("S", "b"), Write("S", "b", "4"), Write("S", "a", "5")}},
        ProfileCase{
            "DuplicateKeys", "[S]\r\nk=1\r\nK=2\r\n", {Read("S", "k"), Write("S", "K", "3")}},
        ProfileCase{"EmptyValues",
                    "[S]\r\nk=\r\nj= \t\r\n",
                    {Read("S", "k"), Read("S", "j"), Write("S", "k", ""), Write("S", "j", "1"),
                     Write("S", "n", "")}},
        ProfileCase{
            "LetterCase",
            "[MAIN setings]\r\nserial PORT=com3\r\n",
            {Read("Main Setings", "Serial port"), Write("Main Setings", "Serial port", "COM4"),
             Write("main setings", "METER", "NoType")}},
        ProfileCase{"KeyWithoutEquals",
                    "[S]\r\nk\r\nj=1\r\nm  \r\n",
                    {Read("S", "k"), Read("S", "m"), Write("S", "k", "2"), Write("S", "m", "3")}},
        ProfileCase{
            "VeryLongLines",
            "[S]\r\nk=" + std::string(5000, 'a') + "\r\n" + std::string(3000, 'x') + "\r\nj=1\r\n",
            {Read("S", "k"), Read("S", "j"), Write("S", "j", std::string(4000, 'b'))}},
        ProfileCase{"NulBytes",
                    "[S]\r\nk=ab\0cd\r\nj\0x=1\r\nq=\"a\"\0x\r\n[T\0U]\r\nm=2\r\n"s,
                    {Read("S", "k"), Read("S", "j"), Read("S", "q"), Read("T", "m"),
                     Write("S", "k", "z"), Write("T", "m", "3")}},
        ProfileCase{"JunkAroundSections",
                    "[S] ; main\r\nk=1\r\n[T]x]\r\nk=2\r\n[U\r\nk=3\r\n",
                    {Read("S", "k"), Read("T", "k"), Read("T]x", "k"), Read("U", "k"),
                     Write("T", "k", "4"), Write("U", "k", "5")}},
        ProfileCase{"ControlCharacters",
                    "[S]\x1A\r\n\x0B"
                    "a=\x0Bv\x0C\r\nb=\x1Aw\x1A\r\nc=\x0Bx y\x0B\r\n\x0C"
                    "d\x0C=1\r\n\x1A",
                    {Read("S", "a"), Read("S", "b"), Read("S", "c"), Read("S", "d"),
                     Write("S", "a", "2"), Write("S", "d", "3"), Write("S", "e", "4")}}),
    RowName());
