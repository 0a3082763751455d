#include "exchange/codepages.h"

#include <cerrno>
#include <iconv.h>

#include "store/utf8.h"

namespace orv {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
}  // namespace

std::optional<std::string> CodePageToUtf8(int codePage, std::string_view bytes)
{
    if (codePage == 1252) return Windows1252ToUtf8(bytes);
    if (codePage == 65001) return StoredAsUtf8(bytes);
    if (codePage <= 0 || codePage > 65535) return std::nullopt;
    return CharsetToUtf8(codePage == 10000 ? "MACINTOSH" : "CP" + std::to_string(codePage), bytes, false);
}

std::optional<std::string> CharsetToUtf8(const std::string& charset, std::string_view bytes, bool strict)
{
    iconv_t cd = ::iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 2);
    char buffer[1024];
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char* in = const_cast<char*>(bytes.data() + pos);
        std::size_t inLeft = bytes.size() - pos;
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        pos = bytes.size() - inLeft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (err == E2BIG) continue;
        if (strict) {
            ::iconv_close(cd);
            return std::nullopt;
        }
        // An undefined or cut-off sequence: one replacement for its first byte.
        AppendUtf8(out, kReplacement);
        ++pos;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    ::iconv_close(cd);
    return out;
}

TextFileContent TextOfFile(std::string_view bytes, std::string_view fileName)
{
    TextFileContent r;
    const auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
    // UTF-16 with its byte-order mark, as some programs save "Unicode text";
    // without one, text that starts with a printable ASCII character in two
    // bytes, the zero byte first or last (no text file of one byte a
    // character holds a zero byte, and binary data rarely starts so).
    const auto printable = [](char c) { return c >= 0x20 && c < 0x7F; };
    const bool bom = starts("\xFF\xFE") || starts("\xFE\xFF");
    const bool bareLittle = !bom && bytes.size() >= 2 && printable(bytes[0]) && bytes[1] == '\0';
    const bool bareBig = !bom && bytes.size() >= 2 && bytes[0] == '\0' && printable(bytes[1]);
    const bool little = starts("\xFF\xFE") || bareLittle;
    if (bom || bareLittle || bareBig) {
        std::size_t i = bom ? 2 : 0;
        while (i + 1 < bytes.size()) {
            const auto unit = [&](std::size_t at) {
                const auto a = static_cast<unsigned char>(bytes[at]);
                const auto b = static_cast<unsigned char>(bytes[at + 1]);
                return static_cast<char32_t>(little ? (b << 8 | a) : (a << 8 | b));
            };
            char32_t cp = unit(i);
            i += 2;
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < bytes.size()) {
                const char32_t low = unit(i);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            if (cp == 0) return {false, std::string(fileName) + " is not a text file.", {}};
            AppendUtf8(r.text, cp);
        }
        return r;
    }
    if (starts("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (bytes.find('\0') != std::string_view::npos) {
        return {false, std::string(fileName) + " is not a text file.", {}};
    }
    r.text.assign(bytes);
    return r;
}

}  // namespace orv
