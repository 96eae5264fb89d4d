#pragma once
// UTF-16 to UTF-8 and back for settings files that carry a UTF-16 byte-order mark. The round
// trip is exact for any even number of bytes: an unpaired surrogate travels through UTF-8 as its
// own three-byte sequence, so a damaged file is written back as it was read.

#include <string>
#include <string_view>

// The UTF-8 form of UTF-16 code units; an odd last byte is ignored (the caller keeps it).
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// The UTF-16 code units of text made by Utf16ToUtf8 or of any valid UTF-8.
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);
// Whether text is well-formed UTF-8 (no surrogates, no overlong forms).
bool IsValidUtf8(std::string_view text);
