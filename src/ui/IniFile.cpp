#include "IniFile.h"

// Names and values are kept as the bytes of the file (UTF-8); the library
// provides the char instantiation.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cerrno>

#include "Exception.h"

// CSimpleIniA matches names regardless of case.
struct IniFile::Store {
  CSimpleIniA ini;
};

IniFile::IniFile(std::string path) : path_(std::move(path)), store_(std::make_unique<Store>()) {
  store_->ini.SetUnicode(true);
  // "key=value", as other programs writing such files do.
  store_->ini.SetSpaces(false);
  const SI_Error loaded = store_->ini.LoadFile(path_.c_str());
  // A missing file reads as empty; any other failure makes the file off limits.
  unreadable_ = loaded < 0 && !(loaded == SI_FILE && errno == ENOENT);
}

IniFile::~IniFile() = default;

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  return store_->ini.GetValue(section.c_str(), key.c_str(), fallback.c_str());
}

std::map<std::string, std::string> IniFile::ReadSection(const std::string& section) const {
  std::map<std::string, std::string> values;
  CSimpleIniA::TNamesDepend keys;
  store_->ini.GetAllKeys(section.c_str(), keys);
  for (const auto& key : keys) {
    values[key.pItem] = store_->ini.GetValue(section.c_str(), key.pItem, "");
  }
  return values;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  store_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
}

void IniFile::UpdateFile() {
  if (store_->ini.SaveFile(path_.c_str(), false) < 0)
    throw Exception("Unable to write to " + path_);
}
