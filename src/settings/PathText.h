#pragma once

#include <filesystem>
#include <string>

// A path as UTF-8 text and back. On Windows a path is UTF-16 from the
// system to the file functions; a narrow string (path.string(), or a path
// made from one) goes through the ANSI code page there, which has no room
// for most names (Łukasz, in a Western European code page) and mangles the
// rest. The UTF-8 forms below are exact both ways; on Linux both are the
// path's bytes as they are.
inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
