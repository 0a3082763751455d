#include "exchange/phonebook/phonebook.h"

#include "core/makerinfo.h"
#include "engine/nameorder.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

std::vector<PhoneBookRow> PhoneBookRows(const std::vector<AData>& addresses)
{
    std::vector<PhoneBookRow> rows;
    for (const int i : PeopleInNameOrder(addresses)) {
        const AData& a = addresses[static_cast<std::size_t>(i)];
        // Each field decoded on its own: a name may be UTF-8 and its surname Windows-1252.
        if (!a.Tele1.empty())
            rows.push_back(PhoneBookRow{StoredAsUtf8(a.Name) + " " + StoredAsUtf8(a.Surname), StoredAsUtf8(a.Tele1),
                                        StoredAsUtf8(a.Email1)});
    }
    return rows;
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
    const std::string bg = EscapeMarkup(StoredAsUtf8(page.Background)), tx = EscapeMarkup(StoredAsUtf8(page.Text)),
                      lk = EscapeMarkup(StoredAsUtf8(page.Link));
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
    line("<meta charset=\"utf-8\">");
    line("<title>ORV Phone book</title>");
    line("</head>");
    line("<body bgcolor=\"" + bg + "\" text=\"" + tx + "\" link=\"" + lk + "\" vlink=\"" + lk + "\" alink=\"" + lk + "\">");
    line("<table width=\"" + w + "\"><td><p><font size=+2><center><b>ORV Phone book</b></center></font></p></td></table>");
    line(rule);
    line("<p>");
    line(table + "<td>");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!opens[i]) continue;
        const std::string letter = EscapeMarkup(Initial(rows[i].Name));
        line("<a href=\"#" + letter + "\">" + letter + "</a>&nbsp;&nbsp;");
    }
    line("</td></table>");
    line("</p>");
    line("<p>");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PhoneBookRow& r = rows[i];
        if (opens[i]) line("<a name=\"" + EscapeMarkup(Initial(r.Name)) + "\">");
        line(table);
        if (!r.Email.empty()) line("<td><a href=\"mailto:" + PercentEncodeMailto(r.Email) + "\">" + EscapeMarkup(r.Name) + "</a><td>");
        else line("<td><a>" + EscapeMarkup(r.Name) + "</a><td>");
        line("<td align=\"right\"><a>" + EscapeMarkup(r.Number) + "</a><td>");
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
