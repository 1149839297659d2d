#include "JsonText.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A recursive-descent reader over the text; every Read... leaves pos_ after
// what it read, or answers false.
class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  std::optional<JsonValue> Whole() {
    JsonValue value;
    if (!ReadValue(value, 0)) return std::nullopt;
    SkipBlanks();
    if (pos_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  // Deeper than any line of ours; a hostile file cannot exhaust the stack.
  static constexpr int kDeepest = 32;

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\n'))
      ++pos_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool TakeWord(const char* word) {
    const std::string w = word;
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  bool ReadValue(JsonValue& value, int depth) {
    if (depth > kDeepest) return false;
    SkipBlanks();
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') return ReadObject(value, depth);
    if (c == '[') return ReadArray(value, depth);
    if (c == '"') {
      value.kind = JsonValue::Kind::String;
      return ReadString(value.text);
    }
    for (const bool truth : {true, false}) {
      if (!TakeWord(truth ? "true" : "false")) continue;
      value.kind = JsonValue::Kind::Boolean;
      value.boolean = truth;
      return true;
    }
    if (TakeWord("null")) return true;
    return ReadNumber(value);
  }

  bool ReadNumber(JsonValue& value) {
    // Locale-free: a Polish desktop's decimal comma must not cut "1.5" short.
    const char* start = text_.data() + pos_;
    const auto [end, error] = std::from_chars(start, text_.data() + text_.size(), value.number);
    if (error != std::errc()) return false;
    value.kind = JsonValue::Kind::Number;
    pos_ += static_cast<size_t>(end - start);
    return true;
  }

  bool ReadString(std::string& out) {
    ++pos_;  // the opening quote
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char escaped = text_[pos_++];
      switch (escaped) {
        case '"':
        case '\\':
        case '/':
          out += escaped;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned code = 0;
          if (!ReadHex4(code)) return false;
          // A surrogate pair stands for one character beyond the first plane.
          if (code >= 0xD800 && code < 0xDC00 && TakeWord("\\u")) {
            unsigned low = 0;
            if (!ReadHex4(low) || low < 0xDC00 || low >= 0xE000) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  bool ReadHex4(unsigned& code) {
    if (pos_ + 4 > text_.size()) return false;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return false;
      code = code * 16 + static_cast<unsigned>(digit);
    }
    return true;
  }

  bool ReadArray(JsonValue& value, int depth) {
    ++pos_;
    value.kind = JsonValue::Kind::Array;
    if (Take(']')) return true;
    do {
      value.items.emplace_back();
      if (!ReadValue(value.items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']');
  }

  bool ReadObject(JsonValue& value, int depth) {
    ++pos_;
    value.kind = JsonValue::Kind::Object;
    if (Take('}')) return true;
    do {
      std::string name;
      SkipBlanks();
      if (pos_ >= text_.size() || text_[pos_] != '"' || !ReadString(name) || !Take(':'))
        return false;
      value.fields.emplace_back(name, JsonValue{});
      if (!ReadValue(value.fields.back().second, depth + 1)) return false;
    } while (Take(','));
    return Take('}');
  }

  const std::string& text_;
  size_t pos_ = 0;
};

}  // namespace

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          json += escaped;
        } else {
          json += static_cast<char>(c);  // UTF-8 passes as it is
        }
    }
  }
  return json + "\"";
}

const JsonValue* JsonValue::Field(const std::string& name) const {
  for (const auto& [key, value] : fields) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::string JsonValue::Text(const std::string& name) const {
  const JsonValue* value = Field(name);
  return value && value->kind == Kind::String ? value->text : std::string();
}

std::optional<JsonValue> ParseJson(const std::string& text) { return Reader(text).Whole(); }
