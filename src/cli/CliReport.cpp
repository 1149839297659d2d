#include "CliReport.h"

#include "JsonText.h"

void CliReport::Text(const std::string& name, const std::string& value) {
  jsonFields_.emplace_back(name, JsonString(value));
  text_ += name + ": " + value + "\n";
}

void CliReport::Number(const std::string& name, long value) {
  jsonFields_.emplace_back(name, std::to_string(value));
  text_ += name + ": " + std::to_string(value) + "\n";
}

void CliReport::List(const std::string& name, const std::vector<std::string>& values) {
  std::string json = "[";
  text_ += name + ":\n";
  for (const std::string& value : values) {
    if (json.size() > 1) json += ',';
    json += JsonString(value);
    text_ += "  " + value + "\n";
  }
  jsonFields_.emplace_back(name, json + "]");
}

void CliReport::Records(const std::string& name, const std::vector<std::string>& fields,
                        const std::vector<std::vector<std::string>>& records) {
  std::string json = "[";
  text_ += name + ":\n";
  for (const std::vector<std::string>& record : records) {
    if (json.size() > 1) json += ',';
    json += '{';
    text_ += " ";
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) json += ',';
      json += JsonString(fields[i]) + ":" + JsonString(record[i]);
      text_ += " " + record[i];
    }
    json += '}';
    text_ += "\n";
  }
  jsonFields_.emplace_back(name, json + "]");
}

void CliReport::Json(const std::string& name, const std::string& json, const std::string& text) {
  jsonFields_.emplace_back(name, json);
  text_ += text;
}

int CliReport::Done() {
  if (!json_) {
    out_ << text_;
    return kDone;
  }
  out_ << "{\"status\":0";
  for (const auto& [name, value] : jsonFields_) out_ << "," << JsonString(name) << ":" << value;
  out_ << "}\n";
  return kDone;
}

int CliReport::Fail(CliStatus status, const std::string& message) {
  if (json_) {
    out_ << "{\"status\":" << status << ",\"error\":" << JsonString(message) << "}\n";
  } else {
    err_ << "kavel-cli: " << message << "\n";
  }
  return status;
}
