// The program's file version, read back from the ELF section that the build
// stamps into the executable (".kavel_version": four 16-bit numbers, most
// significant first), as Windows reads a version resource. Only the headers,
// the section names and the stamp itself are read: a few kilobytes, however
// large the program is with its debug information.
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <vector>

#include "ProgramFile.h"

namespace {

constexpr const char* kSectionName = ".kavel_version";
constexpr const char* kNoVersion = "0.0.0.0";

// An executable opened for reading at offsets; every read is checked
// against the file's size, so a damaged or foreign file gives no version.
class ElfFile {
 public:
  explicit ElfFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat status {};
    if (fd_ >= 0 && ::fstat(fd_, &status) == 0) size_ = static_cast<std::uint64_t>(status.st_size);
  }
  ~ElfFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ElfFile(const ElfFile&) = delete;
  ElfFile& operator=(const ElfFile&) = delete;

  bool Read(std::uint64_t offset, void* into, std::uint64_t count) const {
    if (fd_ < 0 || offset > size_ || size_ - offset < count) return false;
    auto* bytes = static_cast<char*>(into);
    while (count > 0) {
      const ssize_t got = ::pread(fd_, bytes, count, static_cast<off_t>(offset));
      if (got <= 0) return false;
      bytes += got;
      offset += static_cast<std::uint64_t>(got);
      count -= static_cast<std::uint64_t>(got);
    }
    return true;
  }
  template <class T>
  std::optional<T> ReadAt(std::uint64_t offset) const {
    T value;
    if (!Read(offset, &value, sizeof(T))) return std::nullopt;
    return value;
  }

 private:
  int fd_;
  std::uint64_t size_ = 0;
};

struct Section {
  std::uint64_t offset;
  std::uint64_t size;
};

// Where the named section lies in the file, for either ELF class.
template <class Ehdr, class Shdr>
std::optional<Section> FindSection(const ElfFile& file, const char* wanted) {
  const auto header = file.ReadAt<Ehdr>(0);
  if (!header || header->e_shentsize != sizeof(Shdr)) return std::nullopt;
  // The whole section header table in one read, then the names one by one.
  std::vector<Shdr> sections(header->e_shnum);
  if (!file.Read(header->e_shoff, sections.data(), sections.size() * sizeof(Shdr)) ||
      header->e_shstrndx >= sections.size())
    return std::nullopt;
  const Shdr& names = sections[header->e_shstrndx];
  const size_t wantedSize = std::strlen(wanted) + 1;
  std::vector<char> name(wantedSize);
  for (const Shdr& section : sections) {
    if (!file.Read(names.sh_offset + section.sh_name, name.data(), wantedSize)) continue;
    if (std::memcmp(name.data(), wanted, wantedSize) == 0)
      return Section{section.sh_offset, section.sh_size};
  }
  return std::nullopt;
}

std::optional<Section> VersionSection(const ElfFile& file) {
  unsigned char ident[EI_NIDENT];
  if (!file.Read(0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
    return std::nullopt;
  switch (ident[EI_CLASS]) {
    case ELFCLASS64:
      return FindSection<Elf64_Ehdr, Elf64_Shdr>(file, kSectionName);
    case ELFCLASS32:
      return FindSection<Elf32_Ehdr, Elf32_Shdr>(file, kSectionName);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::filesystem::path RunningProgram() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program;
}

std::string GetFileVersionText(const std::filesystem::path& path) {
  const ElfFile file(path.string());
  const auto section = VersionSection(file);
  std::uint16_t parts[4];
  if (!section || section->size != sizeof parts || !file.Read(section->offset, parts, sizeof parts))
    return kNoVersion;
  return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
         std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

std::string GetFileVersionText() { return GetFileVersionText("/proc/self/exe"); }

Utf8Arguments::Utf8Arguments(int argc, char** argv) : texts_(argv, argv + argc) {
  for (std::string& text : texts_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;
