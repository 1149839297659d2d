#pragma once

#include <string>

// A settings file's text, taken from its bytes the way Windows takes it: a
// UTF-16 byte-order mark, in either byte order, makes the file UTF-16; any
// other file is 8-bit bytes used as they are (one that begins with a UTF-8
// mark thus reads as UTF-8, its mark part of the text).
//
// The program works on a UTF-16 file as UTF-8 and saves it back as UTF-16 in
// the same byte order, behind the same mark. The turn is exact both ways for
// every 16-bit unit, an unpaired surrogate included (it becomes a three-byte
// sequence of its own, as in WTF-8), so that a save leaves every line it does
// not change byte for byte as it was; an odd last byte is kept aside and put
// back at the end.
struct DecodedProfile {
  enum class Form { Bytes, Utf16LittleEndian, Utf16BigEndian };
  Form form = Form::Bytes;
  std::string text;
  std::string oddByte;
};

DecodedProfile DecodeProfile(const std::string& bytes);
// Bytes that are no UTF-8 go into a UTF-16 file as U+FFFD.
std::string EncodeProfile(const DecodedProfile& profile);
// The text with each unpaired surrogate and each malformed byte replaced by
// U+FFFD, for the rest of the program, which takes only valid UTF-8.
std::string ValidUtf8(const std::string& text);
