#include "ProfileText.h"

#include <algorithm>
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

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t begin = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  while (begin < text.size()) {
    size_t next = text.find('\n', begin);
    next = next == std::string::npos ? text.size() : next + 1;
    size_t end = next;
    if (end > begin && text[end - 1] == '\n') --end;
    if (end > begin && text[end - 1] == '\r') --end;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
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

std::string LineEnding(const std::string& text) {
  const size_t newline = text.find('\n');
  return newline != std::string::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace

std::optional<std::string> ProfileText::Read(const std::string& section,
                                             const std::string& key) const {
  const auto found = FindSection(text_, section);
  if (!found) return std::nullopt;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind == Kind::Key && SameName(parsed.name, key))
      return ValueOf(text_, found->lines[i], parsed);
  }
  return std::nullopt;
}

std::map<std::string, std::string> ProfileText::Section(const std::string& section) const {
  std::map<std::string, std::string> keys;
  const auto found = FindSection(text_, section);
  if (!found) return keys;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind != Kind::Key) continue;
    const bool seen = std::any_of(keys.begin(), keys.end(), [&](const auto& key) {
      return SameName(key.first, parsed.name);
    });
    if (!seen) keys[parsed.name] = ValueOf(text_, found->lines[i], parsed);
  }
  return keys;
}

void ProfileText::Write(const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string ending = LineEnding(text_);
  const auto found = FindSection(text_, section);
  if (!found) {
    if (!text_.empty() && text_.back() != '\n') text_ += ending;
    text_ += "[" + section + "]" + ending + key + "=" + value + ending;
    return;
  }
  size_t lastFilled = 0;
  for (size_t i = 0; i < found->lines.size(); ++i) {
    const Line& line = found->lines[i];
    const Parsed& parsed = found->parsed[i];
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
      text_.replace(parsed.valueBegin, line.end - parsed.valueBegin, value);
      return;
    }
    if (parsed.kind != Kind::Blank) lastFilled = i;
  }
  const Line& after = found->lines[lastFilled];
  // A last line without its line feed gets one first.
  const bool ended = after.next > 0 && text_[after.next - 1] == '\n';
  const std::string lead = ended ? "" : ending;
  text_.insert(after.next, lead + key + "=" + value + ending);
}
