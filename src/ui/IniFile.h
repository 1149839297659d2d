#pragma once

#include <map>
#include <memory>
#include <string>

// A private-profile (INI) file: section and key names match regardless of
// case, and a write keeps every other section and key of the file.
class IniFile {
 public:
  // Reads the file if it exists; a missing file reads as empty.
  explicit IniFile(std::string path);
  ~IniFile();

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  // Every key of a section with its value.
  std::map<std::string, std::string> ReadSection(const std::string& section) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Writes the file back; raises Exception when it cannot, or when the file
  // exists but could not be read (writing then would lose its content).
  void UpdateFile();

 private:
  std::string path_;
  struct Store;
  std::unique_ptr<Store> store_;
  bool unreadable_ = false;
};
