#include "ProfileEncoding.h"

#include <utility>

namespace {

using Form = DecodedProfile::Form;

// The mark U+FEFF as its bytes come first in a UTF-16 file.
constexpr char kLittleEndianMark[] = "\xFF\xFE";
constexpr char kBigEndianMark[] = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char16_t UnitAt(const std::string& bytes, size_t at, bool bigEndian) {
  const unsigned first = static_cast<unsigned char>(bytes[at]);
  const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
  return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
}

void AppendUnit(std::string& bytes, char32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8 & 0xFF);
  const char low = static_cast<char>(unit & 0xFF);
  bytes += bigEndian ? high : low;
  bytes += bigEndian ? low : high;
}

// Surrogates are written like any other code point, so that an unpaired one
// survives the way through UTF-8.
void AppendUtf8(std::string& text, char32_t point) {
  static constexpr unsigned char kLeadBits[] = {0x00, 0xC0, 0xE0, 0xF0};
  const int following = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
  text += static_cast<char>(kLeadBits[following] | point >> 6 * following);
  for (int shift = 6 * (following - 1); shift >= 0; shift -= 6)
    text += static_cast<char>(0x80 | (point >> shift & 0x3F));
}

// The code point of the UTF-8 sequence at text[at] and the sequence's
// length. A surrogate's sequence counts (the way back for an unpaired one);
// anything else malformed is one byte standing for U+FFFD.
std::pair<char32_t, size_t> CodePointAt(const std::string& text, size_t at) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0x80   ? 1
                        : lead < 0xC2 ? 0
                        : lead < 0xE0 ? 2
                        : lead < 0xF0 ? 3
                        : lead < 0xF5 ? 4
                                      : 0;
  if (length == 0 || text.size() - at < length) return {kReplacement, 1};
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {kReplacement, 1};
    point = point << 6 | (next & 0x3F);
  }
  if (point < kSmallest[length] || point > 0x10FFFF) return {kReplacement, 1};
  return {point, length};
}

}  // namespace

DecodedProfile DecodeProfile(const std::string& bytes) {
  DecodedProfile profile;
  if (bytes.compare(0, 2, kLittleEndianMark) == 0) {
    profile.form = Form::Utf16LittleEndian;
  } else if (bytes.compare(0, 2, kBigEndianMark) == 0) {
    profile.form = Form::Utf16BigEndian;
  } else {
    profile.text = bytes;
    return profile;
  }
  const bool bigEndian = profile.form == Form::Utf16BigEndian;
  const size_t end = bytes.size() - bytes.size() % 2;
  profile.oddByte = bytes.substr(end);
  for (size_t at = 2; at < end; at += 2) {
    char32_t point = UnitAt(bytes, at, bigEndian);
    if (IsHighSurrogate(point) && at + 2 < end &&
        IsLowSurrogate(UnitAt(bytes, at + 2, bigEndian))) {
      at += 2;
      point = 0x10000 + ((point - 0xD800) << 10) + (UnitAt(bytes, at, bigEndian) - 0xDC00);
    }
    AppendUtf8(profile.text, point);
  }
  return profile;
}

std::string EncodeProfile(const DecodedProfile& profile) {
  if (profile.form == Form::Bytes) return profile.text;
  const bool bigEndian = profile.form == Form::Utf16BigEndian;
  std::string bytes = bigEndian ? kBigEndianMark : kLittleEndianMark;
  for (size_t at = 0; at < profile.text.size();) {
    auto [point, length] = CodePointAt(profile.text, at);
    at += length;
    if (point >= 0x10000) {
      point -= 0x10000;
      AppendUnit(bytes, 0xD800 + (point >> 10), bigEndian);
      point = 0xDC00 + (point & 0x3FF);
    }
    AppendUnit(bytes, point, bigEndian);
  }
  return bytes + profile.oddByte;
}

std::string ValidUtf8(const std::string& text) {
  std::string valid;
  for (size_t at = 0; at < text.size();) {
    const auto [point, length] = CodePointAt(text, at);
    AppendUtf8(valid, IsHighSurrogate(point) || IsLowSurrogate(point) ? kReplacement : point);
    at += length;
  }
  return valid;
}
