#include "settings/setting_integer.h"

#include <cstdint>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseSettingInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(text.front() == '$' ? 1 : 2);
        while (text.size() > 1 && text.front() == '0')
            text.remove_prefix(1);
        if (text.empty() || text.size() > 8)
            return std::nullopt;
        std::uint32_t value = 0;
        for (char c : text) {
            const int digit = HexDigit(c);
            if (digit < 0)
                return std::nullopt;
            value = value << 4 | static_cast<std::uint32_t>(digit);
        }
        if (negative)
            value = 0u - value;
        return static_cast<std::int32_t>(value);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}
