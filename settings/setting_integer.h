#pragma once
// The integer encoding of the settings file.

#include <optional>
#include <string_view>

// An optionally signed decimal in the 32-bit range, or hexadecimal after "$", "0x" or "0X" (up to
// eight digits, read as a 32-bit pattern, so "$FFFFFFFF" is -1). Anything else, an empty text or
// trailing characters included, is nullopt.
std::optional<int> ParseSettingInteger(std::string_view text);
