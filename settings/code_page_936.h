#pragma once
// Conversion between the program's UTF-8 text and code page 936 (GBK), the byte form of the
// settings file. The euro sign is the single byte 0x80, as Windows' code page 936 has it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The code page 936 bytes of UTF-8 text; nullopt when some character has no code page 936 form
// or the text is not valid UTF-8.
std::optional<std::string> Utf8ToCodePage936(std::string_view utf8);

// The UTF-8 text of code page 936 bytes. Bytes that form no character become U+FFFD, so a
// damaged file still reads as text.
std::string CodePage936ToUtf8(std::string_view bytes);

// The length in bytes (1 or 2) of the character that starts at `pos`: a lead byte 0x81-0xFE with
// a valid trail byte is two bytes, anything else one. Lets a scanner step over trail bytes that
// look like ASCII punctuation or letters.
std::size_t CodePage936CharLength(std::string_view bytes, std::size_t pos);
