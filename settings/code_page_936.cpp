#include "settings/code_page_936.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

// glibc's "GBK" converter is Windows' code page 936, 0x80 = U+20AC included.
constexpr const char* kCodePageName = "GBK";

// One iconv descriptor per direction and thread, opened once: opening costs far more than a
// conversion of a settings value.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as far as possible; on a byte sequence that does not convert, `onInvalid` decides:
    // it returns false to give up, or appends a replacement and returns true to skip one byte.
    template <typename OnInvalid>
    bool Convert(std::string_view in, std::string& out, OnInvalid onInvalid) const
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a truncated sequence at the end)
            if (!onInvalid(out))
                return false;
            ++src;
            --srcLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    iconv_t cd_;
};

const Converter& ToCodePage()
{
    thread_local const Converter converter(kCodePageName, "UTF-8");
    return converter;
}

const Converter& FromCodePage()
{
    thread_local const Converter converter("UTF-8", kCodePageName);
    return converter;
}

bool IsAscii(std::string_view text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

}  // namespace

std::optional<std::string> Utf8ToCodePage936(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string out;
    if (!ToCodePage().Convert(utf8, out, [](std::string&) { return false; }))
        return std::nullopt;
    return out;
}

std::string CodePage936ToUtf8(std::string_view bytes)
{
    if (IsAscii(bytes))
        return std::string(bytes);
    std::string out;
    FromCodePage().Convert(bytes, out, [](std::string& text) {
        text += "\xEF\xBF\xBD";
        return true;
    });
    return out;
}

std::size_t CodePage936CharLength(std::string_view bytes, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x81 || lead > 0xFE || pos + 1 >= bytes.size())
        return 1;
    const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
    return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}
