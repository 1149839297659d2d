#include "CliReport.h"

namespace {

// Text that is no UTF-8 (a name the system gave in another encoding) is
// printed with U+FFFD in its place.
std::string JsonText(const nlohmann::ordered_json& json) {
  return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

void CliReport::Text(const std::string& name, const std::string& value) {
  result_[name] = value;
  text_ += name + ": " + value + "\n";
}

void CliReport::Number(const std::string& name, long value) {
  result_[name] = value;
  text_ += name + ": " + std::to_string(value) + "\n";
}

void CliReport::List(const std::string& name, const std::vector<std::string>& values) {
  result_[name] = values;
  text_ += name + ":\n";
  for (const std::string& value : values) text_ += "  " + value + "\n";
}

void CliReport::Records(const std::string& name, const std::vector<std::string>& fields,
                        const std::vector<std::vector<std::string>>& records) {
  nlohmann::ordered_json json = nlohmann::ordered_json::array();
  text_ += name + ":\n";
  for (const std::vector<std::string>& record : records) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    text_ += " ";
    for (size_t i = 0; i < fields.size(); ++i) {
      object[fields[i]] = record[i];
      text_ += " " + record[i];
    }
    json.push_back(std::move(object));
    text_ += "\n";
  }
  result_[name] = std::move(json);
}

void CliReport::Json(const std::string& name, nlohmann::ordered_json json,
                     const std::string& text) {
  result_[name] = std::move(json);
  text_ += text;
}

int CliReport::Done() {
  if (json_) {
    out_ << JsonText(result_) << "\n";
  } else {
    out_ << text_;
  }
  return kDone;
}

int CliReport::Fail(CliStatus status, const std::string& message) {
  if (json_) {
    out_ << JsonText({{"status", status}, {"error", message}}) << "\n";
  } else {
    err_ << "kavel-cli: " << message << "\n";
  }
  return status;
}

int CliReport::Warn(CliStatus status, const std::string& message) {
  result_["status"] = status;
  result_["error"] = message;
  Done();
  if (!json_) err_ << "kavel-cli: " << message << "\n";
  return status;
}
