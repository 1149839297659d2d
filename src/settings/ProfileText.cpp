#include "ProfileText.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// What Windows trims around names and values: spaces, tabs, vertical tabs,
// form feeds and the DOS end-of-file mark ^Z (line ends too, which only a
// name the program passes can hold).
constexpr const char* kBlanks = " \t\n\v\f\r\x1A";

// One line of the file: its content runs from begin to end, its line ending
// from end to next.
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

enum class Kind { Blank, Section, Key };

struct Parsed {
  Kind kind = Kind::Blank;
  std::string name;                  // the section's or the key's
  std::optional<size_t> valueBegin;  // where the key's value starts, none without '='
};

size_t TextStart(const std::string& text) {
  return text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
}

// A line ends at LF, at CRLF or at a lone CR, the line end of old Mac
// editors; Windows' profile functions split lines the same way.
std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t begin = TextStart(text);
  while (begin < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    const size_t next =
        text.compare(end, 2, "\r\n") == 0 ? end + 2 : std::min(end + 1, text.size());
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string EndingOf(const std::string& text, const Line& line) {
  return text.substr(line.end, line.next - line.end);
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Windows keeps names and values as C strings: a NUL byte ends them.
std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// One pair of matching quotes around a value goes, as Windows reads it.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

bool SameName(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

// A header's name runs to the last ']' of its line; any other line that is
// not blank is a key, a comment or a stray word being one whose name no one
// asks for, and a line without '=' a key without a value.
Parsed Parse(const std::string& text, const Line& line) {
  const std::string content = text.substr(line.begin, line.end - line.begin);
  const std::string trimmed = Trim(content);
  Parsed parsed;
  if (trimmed.empty()) return parsed;
  if (const size_t close = trimmed.rfind(']'); trimmed[0] == '[' && close != std::string::npos) {
    parsed.kind = Kind::Section;
    parsed.name = UpToNul(Trim(trimmed.substr(1, close - 1)));
    return parsed;
  }
  parsed.kind = Kind::Key;
  const size_t equals = content.find('=');
  parsed.name = UpToNul(Trim(content.substr(0, equals)));
  if (equals != std::string::npos) {
    const size_t value = content.find_first_not_of(kBlanks, equals + 1);
    parsed.valueBegin = line.begin + (value == std::string::npos ? content.size() : value);
  }
  return parsed;
}

std::string ValueOf(const std::string& text, const Line& line, size_t valueBegin) {
  return Unquoted(UpToNul(Trim(text.substr(valueBegin, line.end - valueBegin))));
}

// The lines of the first section of that name, its header included; the
// lines before the first header are the section without a name.
struct SectionLines {
  std::vector<Line> lines;
  std::vector<Parsed> parsed;
};

std::optional<SectionLines> FindSection(const std::string& text, const std::string& section) {
  std::optional<SectionLines> found;
  if (section.empty()) found.emplace();
  for (const Line& line : SplitLines(text)) {
    const Parsed parsed = Parse(text, line);
    if (parsed.kind == Kind::Section) {
      if (found) break;
      if (!parsed.name.empty() && SameName(parsed.name, section)) found.emplace();
    }
    if (found) {
      found->lines.push_back(line);
      found->parsed.push_back(parsed);
    }
  }
  return found;
}

// The ending the file's first line has, or the given one for a file without
// any.
std::string UsualEnding(const std::string& text, const std::string& withoutAny) {
  const std::vector<Line> lines = SplitLines(text);
  if (!lines.empty() && lines[0].next > lines[0].end) return EndingOf(text, lines[0]);
  return withoutAny;
}

// Puts new lines after the given one, each ending as that one does. A last
// line without an ending first gets the file's usual one, and so do the new.
void InsertAfter(std::string& text, const Line& line, std::initializer_list<std::string> added,
                 const std::string& withoutAny) {
  std::string ending = EndingOf(text, line);
  std::string block;
  if (ending.empty()) {
    ending = UsualEnding(text, withoutAny);
    if (line.end > line.begin) block = ending;
  }
  for (const std::string& addedLine : added) block += addedLine + ending;
  text.insert(line.next, block);
}

}  // namespace

std::string ProfileDefault(const std::string& fallback) {
  return Unquoted(fallback.substr(0, fallback.find_last_not_of(' ') + 1));
}

std::string ProfileText::Readable(const std::string& text) const {
  return file_.form == DecodedProfile::Form::Bytes ? text : ValidUtf8(text);
}

std::optional<std::string> ProfileText::Read(const std::string& section,
                                             const std::string& key) const {
  const auto found = FindSection(file_.text, Trim(section));
  if (!found) return std::nullopt;
  const std::string name = Trim(key);
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind != Kind::Key || !SameName(parsed.name, name)) continue;
    if (!parsed.valueBegin) return std::nullopt;
    return Readable(ValueOf(file_.text, found->lines[i], *parsed.valueBegin));
  }
  return std::nullopt;
}

std::map<std::string, std::string> ProfileText::Section(const std::string& section) const {
  std::map<std::string, std::string> keys;
  const auto found = FindSection(file_.text, Trim(section));
  if (!found) return keys;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    const bool unnamed = parsed.name.empty() || parsed.name[0] == ';' || parsed.name[0] == '#';
    if (parsed.kind != Kind::Key || !parsed.valueBegin || unnamed) continue;
    const bool seen = std::any_of(keys.begin(), keys.end(), [&](const auto& key) {
      return SameName(key.first, parsed.name);
    });
    if (!seen)
      keys[Readable(parsed.name)] =
          Readable(ValueOf(file_.text, found->lines[i], *parsed.valueBegin));
  }
  return keys;
}

void ProfileText::Write(const std::string& section, const std::string& key,
                        const std::string& given) {
  std::string& text = file_.text;
  // Only Windows programs write UTF-16 files, and they end lines with CRLF.
  const std::string withoutAny = file_.form != DecodedProfile::Form::Bytes ? "\r\n" : lineEnd_;
  const std::string sectionName = Trim(section), name = Trim(key);
  // Windows stores a value without its leading blanks; they matter to a key
  // named with '=', which reads the rest of the line as its value.
  const std::string value = given.substr(std::min(given.find_first_not_of(kBlanks), given.size()));
  const auto found = FindSection(text, sectionName);
  if (!found) {
    const std::vector<Line> lines = SplitLines(text);
    const Line end{text.size(), text.size(), text.size()};
    InsertAfter(text, lines.empty() ? end : lines.back(),
                {"[" + sectionName + "]", name + "=" + value}, withoutAny);
    return;
  }
  // A key without a value gets one. A new key goes after the section's last
  // line that is not blank; in the part before the first header, when that
  // holds none, at the top of the file.
  const size_t start = TextStart(text);
  Line last{start, start, start};
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Line& line = found->lines[i];
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind == Kind::Key && SameName(parsed.name, name)) {
      if (parsed.valueBegin)
        text.replace(*parsed.valueBegin, line.end - *parsed.valueBegin, value);
      else
        text.insert(line.end, "=" + value);
      return;
    }
    if (parsed.kind != Kind::Blank) last = line;
  }
  InsertAfter(text, last, {name + "=" + value}, withoutAny);
}
