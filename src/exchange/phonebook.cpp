#include "exchange/phonebook.h"

#include <unicode/ucnv.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <memory>
#include <numeric>

#include "core/makerinfo.h"
#include "store/textutil.h"

namespace orv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A name as UTF-16 for the collator. Stored texts are UTF-8, or Windows-1252
// where they came from older files; the same reading the windows give them.
std::u16string CollationText(std::string_view bytes)
{
    auto convert = [&](const char* charset) -> std::optional<std::u16string> {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* cnv = ucnv_open(charset, &status);
        if (U_FAILURE(status)) return std::nullopt;
        ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        std::u16string out(bytes.size() + 1, u'\0');
        const int32_t n = ucnv_toUChars(cnv, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &status);
        ucnv_close(cnv);
        if (U_FAILURE(status)) return std::nullopt;
        out.resize(static_cast<std::size_t>(n));
        return out;
    };
    if (auto utf8 = convert("UTF-8")) return *utf8;
    if (auto cp1252 = convert("windows-1252")) return *cp1252;
    return std::u16string(bytes.begin(), bytes.end());
}

struct CollatorDeleter {
    void operator()(UCollator* c) const { ucol_close(c); }
};

// The language-neutral order of the Unicode collation, case ignored: the same
// order on every machine, whatever its locale, so the page a script writes
// equals the one the program writes.
std::unique_ptr<UCollator, CollatorDeleter> OpenCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCollator, CollatorDeleter> c(ucol_open("", &status));
    if (U_FAILURE(status)) return nullptr;
    ucol_setStrength(c.get(), UCOL_SECONDARY);
    return c;
}

}  // namespace

std::vector<PhoneBookRow> PhoneBookRows(const std::vector<AData>& addresses)
{
    std::vector<PhoneBookRow> rows;
    for (const AData& a : addresses)
        if (!a.Tele1.empty()) rows.push_back(PhoneBookRow{a.Name + " " + a.Surname, a.Tele1, a.Email1});
    std::vector<std::u16string> keys;
    keys.reserve(rows.size());
    for (const PhoneBookRow& r : rows) keys.push_back(CollationText(r.Name));
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto collator = OpenCollator();
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (!collator) return keys[a] < keys[b];
        return ucol_strcoll(collator.get(), keys[a].data(), static_cast<int32_t>(keys[a].size()), keys[b].data(),
                            static_cast<int32_t>(keys[b].size())) == UCOL_LESS;
    });
    std::vector<PhoneBookRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order) sorted.push_back(std::move(rows[i]));
    return sorted;
}

std::optional<std::int32_t> ParsePageWidth(std::string_view text) { return ParseInt32(text); }

std::string_view Initial(std::string_view name)
{
    if (name.empty()) return name;
    const auto lead = static_cast<unsigned char>(name[0]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length > name.size()) return name.substr(0, 1);
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) return name.substr(0, 1);
    return name.substr(0, length);
}

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string PercentEncodeMailto(std::string_view address)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : address) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                           b == '.' || b == '_' || b == '~' || b == '@';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::string PhoneBookHtml(const std::vector<PhoneBookRow>& rows, const PhoneBookPage& page)
{
    const std::string w = std::to_string(page.Width);
    const std::string bg = EscapeHtml(page.Background), tx = EscapeHtml(page.Text), lk = EscapeHtml(page.Link);
    const std::string table = "<table width=\"" + w + "\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">";
    const std::string rule = "<hr width=\"" + w + "\" align=\"left\">";
    std::string out;
    auto line = [&](std::string_view text) { out.append(text).append(kCrLf); };
    // A row opens a letter group when its first character differs from the row above.
    std::vector<bool> opens(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        opens[i] = i == 0 || Initial(rows[i].Name) != Initial(rows[i - 1].Name);

    line("<html>");
    line("<head>");
    line("<title>ORV Phone book</title>");
    line("</head>");
    line("<body bgcolor=\"" + bg + "\" text=\"" + tx + "\" link=\"" + lk + "\" vlink=\"" + lk + "\" alink=\"" + lk + "\">");
    line("<table width=\"" + w + "\"><td><p><font size=+2><center><b>ORV Phone book</b></center></font></p></td></table>");
    line(rule);
    line("<p>");
    line(table + "<td>");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!opens[i]) continue;
        const std::string letter = EscapeHtml(Initial(rows[i].Name));
        line("<a href=#" + letter + ">" + letter + "</a>&nbsp;&nbsp;");
    }
    line("</td></table>");
    line("</p>");
    line("<p>");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PhoneBookRow& r = rows[i];
        if (opens[i]) line("<a name=" + EscapeHtml(Initial(r.Name)) + ">");
        line(table);
        if (!r.Email.empty()) line("<td><a href=\"mailto:" + PercentEncodeMailto(r.Email) + "\">" + EscapeHtml(r.Name) + "</a><td>");
        else line("<td><a>" + EscapeHtml(r.Name) + "</a><td>");
        line("<td align=\"right\"><a>" + EscapeHtml(r.Number) + "</a><td>");
        line("</table>");
    }
    line("</p>");
    line(rule);
    line("<table width=\"" + w + "\"><td><p><center><a>Made with ORV by " + std::string(kMakerName) + "<br>");
    line("<a href=\"mailto:" + std::string(kSupportAddress) + "\">" + kSupportAddress + "</a> - <a href=\"" +
         kMakerWebPage + "\">" + kMakerWebPage + "</a></center></a></table>");
    line("</body>");
    line("</html>");
    return out;
}

std::string PhoneBookText(const std::vector<PhoneBookRow>& rows)
{
    std::string out = "ORV Phone book";
    out.append(kCrLf);
    for (const PhoneBookRow& r : rows) out.append(r.Name).append(";").append(r.Number).append(kCrLf);
    return out;
}

}  // namespace orv
