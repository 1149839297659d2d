#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// JSON as the record of changes and kavel-cli's results need it: strings
// written from UTF-8 text, and a parser for one line of it.

// A JSON string of UTF-8 text.
std::string JsonString(const std::string& text);

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;                                       // a string's UTF-8
  std::vector<JsonValue> items;                           // an array's
  std::vector<std::pair<std::string, JsonValue>> fields;  // an object's, in order

  // The named field of an object, or nullptr.
  const JsonValue* Field(const std::string& name) const;
  // The named field's text, or empty when it is absent or no string.
  std::string Text(const std::string& name) const;
};

// The value the text holds, or nothing when it is no JSON or has more after it.
std::optional<JsonValue> ParseJson(const std::string& text);
