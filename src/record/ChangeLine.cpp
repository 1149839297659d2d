#include "ChangeLine.h"

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

namespace {

// The record's numbers are whole: an address, a voltage, a byte.
constexpr std::int64_t kLargestNumber = 0xFFFF;

Json LocationJson(const LocationLine& location) {
  Json json{{"address", location.address}};
  // A location without bytes of a kind leaves that field out.
  if (!location.before.empty()) json["before"] = location.before;
  if (!location.written.empty()) json["written"] = location.written;
  if (!location.putBack.empty()) json["putBack"] = location.putBack;
  json["outcome"] = location.outcome;
  return json;
}

// Reads a line's fields as the record writes them; a field of the wrong
// kind makes the line not ours.
class FieldReader {
 public:
  explicit FieldReader(const Json& object) : object_(object) {}

  bool Fine() const { return fine_; }

  std::string Text(const char* name) {
    const auto found = object_.find(name);
    if (found == object_.end()) return "";
    if (!found->is_string()) return Refuse<std::string>();
    return found->get<std::string>();
  }

  std::optional<std::int64_t> Number(const char* name) {
    const auto found = object_.find(name);
    if (found == object_.end()) return std::nullopt;
    // Fractions, exponents and numbers beyond any the record writes are no
    // numbers of ours.
    if (!found->is_number_integer()) return Refuse<std::optional<std::int64_t>>();
    if (found->is_number_unsigned()
            ? found->get<std::uint64_t>() > kLargestNumber
            : found->get<std::int64_t>() < 0 || found->get<std::int64_t>() > kLargestNumber)
      return Refuse<std::optional<std::int64_t>>();
    return found->get<std::int64_t>();
  }

  bool Flag(const char* name) {
    const auto found = object_.find(name);
    if (found == object_.end()) return false;
    if (!found->is_boolean()) return Refuse<bool>();
    return found->get<bool>();
  }

  const Json* Array(const char* name) {
    const auto found = object_.find(name);
    if (found == object_.end()) return nullptr;
    if (!found->is_array()) return Refuse<const Json*>();
    return &*found;
  }

 private:
  template <class T>
  T Refuse() {
    fine_ = false;
    return T{};
  }

  const Json& object_;
  bool fine_ = true;
};

}  // namespace

Json ChangeJson(const ChangeLine& line) {
  Json json{{"id", line.id},
            {"time", line.time},
            {"program", line.program},
            {"version", line.version},
            {"computer", line.computer},
            {"user", line.user},
            {"port", line.port},
            {"versionText", line.versionText},
            {"model", line.model},
            {"action", line.action}};
  if (!line.setting.empty()) json["setting"] = line.setting;
  if (line.from) json["from"] = *line.from;
  if (line.to) json["to"] = *line.to;
  json["change"] = line.change;
  if (!line.about.empty()) {
    json["about"] = line.about;
    json["settles"] = line.settles;
  }
  json["locations"] = Json::array();
  for (const LocationLine& location : line.locations)
    json["locations"].push_back(LocationJson(location));
  json["outcome"] = line.outcome;
  return json;
}

std::string ToJsonLine(const ChangeLine& line) {
  return ChangeJson(line).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string AsRecorded(const std::string& text) {
  return Json::parse(Json(text).dump(-1, ' ', false, Json::error_handler_t::replace))
      .get<std::string>();
}

std::optional<ChangeLine> ParseChangeLine(const std::string& text) {
  const Json json = Json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::nullopt;
  FieldReader field(json);
  ChangeLine line;
  line.id = field.Text("id");
  line.time = field.Text("time");
  line.program = field.Text("program");
  line.version = field.Text("version");
  line.computer = field.Text("computer");
  line.user = field.Text("user");
  line.port = field.Text("port");
  line.versionText = field.Text("versionText");
  line.model = field.Text("model");
  line.action = field.Text("action");
  line.setting = field.Text("setting");
  line.from = field.Number("from");
  line.to = field.Number("to");
  line.change = field.Text("change");
  line.about = field.Text("about");
  line.settles = field.Flag("settles");
  line.outcome = field.Text("outcome");
  if (const Json* locations = field.Array("locations")) {
    for (const Json& location : *locations) {
      if (!location.is_object()) return std::nullopt;
      FieldReader part(location);
      const std::optional<std::int64_t> address = part.Number("address");
      if (!address) return std::nullopt;
      line.locations.push_back({static_cast<int>(*address), part.Text("before"),
                                part.Text("written"), part.Text("putBack"), part.Text("outcome")});
      if (!part.Fine()) return std::nullopt;
    }
  }
  if (!field.Fine() || line.time.empty() || line.outcome.empty()) return std::nullopt;
  // Lines from before changes had names and kinds: each its own change.
  if (line.action.empty()) line.action = kActionChange;
  if (line.id.empty()) line.id = line.time + " " + line.port + " " + line.change;
  return line;
}

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}  // namespace

std::string HexByteText(std::int64_t byte) {
  return std::string("0x") + kDigits[(byte >> 4) & 0x0F] + kDigits[byte & 0x0F];
}

std::string HexText(const std::string& bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::optional<std::string> BytesOfHex(const std::string& hex) {
  // Pairs of hexadecimal digits a blank apart; nothing else, in any locale.
  const auto digit = [](char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
  };
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 3) {
    if (i + 2 > hex.size() || (i + 2 < hex.size() && hex[i + 2] != ' ')) return std::nullopt;
    const int high = digit(hex[i]);
    const int low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high << 4 | low);
  }
  return bytes;
}
