#include "ProfileText.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr const char* kBlanks = " \t";

// One line of the file: its content runs from begin to end, its line ending
// from end to next.
struct Line {
  size_t begin;
  size_t end;
  size_t next;
};

enum class Kind { Blank, Section, Key, Other };

struct Parsed {
  Kind kind = Kind::Other;
  std::string name;       // the section's or the key's
  size_t valueBegin = 0;  // where the key's value starts in the file
};

// A line ends at LF, at CRLF or at a lone CR, the line end of old Mac
// editors; Wine's profile functions split lines the same way.
std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t begin = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
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

bool SameName(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

Parsed Parse(const std::string& text, const Line& line) {
  const std::string content = text.substr(line.begin, line.end - line.begin);
  const std::string trimmed = Trim(content);
  Parsed parsed;
  if (trimmed.empty()) {
    parsed.kind = Kind::Blank;
  } else if (trimmed[0] == ';' || trimmed[0] == '#') {
    parsed.kind = Kind::Other;  // a comment
  } else if (trimmed[0] == '[') {
    const size_t close = trimmed.find(']');
    if (close != std::string::npos) {
      parsed.kind = Kind::Section;
      parsed.name = Trim(trimmed.substr(1, close - 1));
    }
  } else if (const size_t equals = content.find('='); equals != std::string::npos) {
    parsed.kind = Kind::Key;
    parsed.name = Trim(content.substr(0, equals));
    const size_t value = content.find_first_not_of(kBlanks, equals + 1);
    parsed.valueBegin = line.begin + (value == std::string::npos ? content.size() : value);
  }
  return parsed;
}

std::string ValueOf(const std::string& text, const Line& line, const Parsed& parsed) {
  std::string value = Trim(text.substr(parsed.valueBegin, line.end - parsed.valueBegin));
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return value.substr(0, value.find('\0'));
}

// The lines of the first section of that name, its header included, or none.
struct SectionLines {
  std::vector<Line> lines;
  std::vector<Parsed> parsed;
};

std::optional<SectionLines> FindSection(const std::string& text, const std::string& section) {
  std::optional<SectionLines> found;
  for (const Line& line : SplitLines(text)) {
    const Parsed parsed = Parse(text, line);
    if (parsed.kind == Kind::Section) {
      if (found) break;
      if (SameName(parsed.name, section)) found.emplace();
    }
    if (found) {
      found->lines.push_back(line);
      found->parsed.push_back(parsed);
    }
  }
  return found;
}

// The ending the file's first line has; a file without one gets CRLF when
// it is UTF-16, as only Windows programs write those, and LF otherwise.
std::string UsualEnding(const std::string& text, bool utf16) {
  const std::vector<Line> lines = SplitLines(text);
  if (!lines.empty() && lines[0].next > lines[0].end) return EndingOf(text, lines[0]);
  return utf16 ? "\r\n" : "\n";
}

// Puts new lines after the given one, each ending as that one does. A last
// line without an ending first gets the file's usual one, and so do the new.
void InsertAfter(std::string& text, const Line& line, std::initializer_list<std::string> added,
                 bool utf16) {
  std::string ending = EndingOf(text, line);
  std::string block;
  if (ending.empty()) {
    ending = UsualEnding(text, utf16);
    if (line.end > line.begin) block = ending;
  }
  for (const std::string& addedLine : added) block += addedLine + ending;
  text.insert(line.next, block);
}

}  // namespace

std::string ProfileText::Readable(const std::string& text) const {
  return file_.form == DecodedProfile::Form::Bytes ? text : ValidUtf8(text);
}

std::optional<std::string> ProfileText::Read(const std::string& section,
                                             const std::string& key) const {
  const auto found = FindSection(file_.text, section);
  if (!found) return std::nullopt;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind == Kind::Key && SameName(parsed.name, key))
      return Readable(ValueOf(file_.text, found->lines[i], parsed));
  }
  return std::nullopt;
}

std::map<std::string, std::string> ProfileText::Section(const std::string& section) const {
  std::map<std::string, std::string> keys;
  const auto found = FindSection(file_.text, section);
  if (!found) return keys;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind != Kind::Key) continue;
    const bool seen = std::any_of(keys.begin(), keys.end(), [&](const auto& key) {
      return SameName(key.first, parsed.name);
    });
    if (!seen) keys[Readable(parsed.name)] = Readable(ValueOf(file_.text, found->lines[i], parsed));
  }
  return keys;
}

void ProfileText::Write(const std::string& section, const std::string& key,
                        const std::string& value) {
  std::string& text = file_.text;
  const bool utf16 = file_.form != DecodedProfile::Form::Bytes;
  const auto found = FindSection(text, section);
  if (!found) {
    const std::vector<Line> lines = SplitLines(text);
    const Line end{text.size(), text.size(), text.size()};
    InsertAfter(text, lines.empty() ? end : lines.back(), {"[" + section + "]", key + "=" + value},
                utf16);
    return;
  }
  size_t lastFilled = 0;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Line& line = found->lines[i];
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
      text.replace(parsed.valueBegin, line.end - parsed.valueBegin, value);
      return;
    }
    if (parsed.kind != Kind::Blank) lastFilled = i;
  }
  InsertAfter(text, found->lines[lastFilled], {key + "=" + value}, utf16);
}
