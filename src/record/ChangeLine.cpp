#include "ChangeLine.h"

#include <cstdio>

#include "JsonText.h"

namespace {

void Field(std::string& json, const char* name, const std::string& value) {
  if (json.size() > 1) json += ',';
  json += JsonString(name) + ":" + JsonString(value);
}

std::string LocationJson(const LocationLine& location) {
  std::string json = "{\"address\":" + std::to_string(location.address);
  // A location without bytes of a kind leaves that field out.
  if (!location.before.empty()) Field(json, "before", location.before);
  if (!location.written.empty()) Field(json, "written", location.written);
  if (!location.putBack.empty()) Field(json, "putBack", location.putBack);
  Field(json, "outcome", location.outcome);
  return json + "}";
}

}  // namespace

std::string ToJsonLine(const ChangeLine& line) {
  std::string json = "{";
  Field(json, "time", line.time);
  Field(json, "program", line.program);
  Field(json, "version", line.version);
  Field(json, "computer", line.computer);
  Field(json, "user", line.user);
  Field(json, "port", line.port);
  Field(json, "versionText", line.versionText);
  Field(json, "model", line.model);
  Field(json, "change", line.change);
  json += ",\"locations\":[";
  for (size_t i = 0; i < line.locations.size(); ++i) {
    if (i > 0) json += ',';
    json += LocationJson(line.locations[i]);
  }
  json += "]";
  Field(json, "outcome", line.outcome);
  return json + "}";
}

std::optional<ChangeLine> ParseChangeLine(const std::string& text) {
  const std::optional<JsonValue> json = ParseJson(text);
  if (!json || json->kind != JsonValue::Kind::Object) return std::nullopt;
  ChangeLine line{json->Text("time"),        json->Text("program"),
                  json->Text("version"),     json->Text("computer"),
                  json->Text("user"),        json->Text("port"),
                  json->Text("versionText"), json->Text("model"),
                  json->Text("change"),      {},
                  json->Text("outcome")};
  if (line.time.empty() || line.outcome.empty()) return std::nullopt;
  if (const JsonValue* locations = json->Field("locations")) {
    for (const JsonValue& location : locations->items) {
      const JsonValue* address = location.Field("address");
      if (!address || address->kind != JsonValue::Kind::Number || address->number < 0 ||
          address->number > 0xFFFF)
        return std::nullopt;
      line.locations.push_back({static_cast<int>(address->number), location.Text("before"),
                                location.Text("written"), location.Text("putBack"),
                                location.Text("outcome")});
    }
  }
  return line;
}

std::string HexText(const std::string& bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    if (!hex.empty()) hex += ' ';
    hex += pair;
  }
  return hex;
}

std::optional<std::string> BytesOfHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 3) {
    unsigned value = 0;
    if (i + 2 > hex.size() || std::sscanf(hex.substr(i, 2).c_str(), "%2x", &value) != 1)
      return std::nullopt;
    bytes += static_cast<char>(value);
  }
  return bytes;
}
