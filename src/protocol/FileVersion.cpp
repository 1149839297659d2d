// The program's file version, read back from the ELF section that the build
// stamps into the executable (".kavel_version": four 16-bit numbers, most
// significant first), as Windows reads a version resource.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "useful.h"

namespace {

constexpr const char* kSectionName = ".kavel_version";
constexpr const char* kNoVersion = "0.0.0.0";

using Bytes = std::vector<char>;

template <class T>
std::optional<T> ReadAt(const Bytes& file, std::uint64_t offset) {
  if (offset > file.size() || file.size() - offset < sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, file.data() + offset, sizeof(T));
  return value;
}

// The contents of the named section, for either ELF class.
template <class Ehdr, class Shdr>
std::optional<Bytes> FindSection(const Bytes& file, const char* wanted) {
  const auto header = ReadAt<Ehdr>(file, 0);
  if (!header || header->e_shentsize != sizeof(Shdr)) return std::nullopt;
  auto sectionAt = [&](std::uint64_t index) {
    return ReadAt<Shdr>(file, header->e_shoff + index * sizeof(Shdr));
  };
  const auto names = sectionAt(header->e_shstrndx);
  if (!names) return std::nullopt;
  for (std::uint64_t i = 0; i < header->e_shnum; ++i) {
    const auto section = sectionAt(i);
    if (!section) return std::nullopt;
    const std::uint64_t nameOffset = names->sh_offset + section->sh_name;
    const size_t wantedSize = std::strlen(wanted) + 1;
    if (nameOffset > file.size() || file.size() - nameOffset < wantedSize) continue;
    if (std::memcmp(file.data() + nameOffset, wanted, wantedSize) != 0) continue;
    if (section->sh_offset > file.size() || file.size() - section->sh_offset < section->sh_size)
      return std::nullopt;
    const auto begin = file.begin() + static_cast<std::ptrdiff_t>(section->sh_offset);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(section->sh_size));
  }
  return std::nullopt;
}

std::optional<Bytes> VersionSection(const Bytes& file) {
  if (file.size() < EI_NIDENT || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0)
    return std::nullopt;
  switch (file[EI_CLASS]) {
    case ELFCLASS64:
      return FindSection<Elf64_Ehdr, Elf64_Shdr>(file, kSectionName);
    case ELFCLASS32:
      return FindSection<Elf32_Ehdr, Elf32_Shdr>(file, kSectionName);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string GetFileVersionText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto section = VersionSection(file);
  std::uint16_t parts[4];
  if (!section || section->size() != sizeof parts) return kNoVersion;
  std::memcpy(parts, section->data(), sizeof parts);
  return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
         std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

std::string GetFileVersionText() { return GetFileVersionText("/proc/self/exe"); }
