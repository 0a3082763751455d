// The phone book: who is in it and in which order, and the page and text file
// "Save as.." writes. The desktop view and orv-cli both build from here, so
// that both write the same bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace orv {

// The texts are UTF-8: every stored text decoded, so that a file holds one encoding.
struct PhoneBookRow {
    std::string Name;    // Name, a blank and Surname
    std::string Number;  // Tele1
    std::string Email;   // Email1, for the page's mail links
};

// Everyone with a first telephone number, in name order (see
// engine/nameorder.h), as the people search and "Go to" list them.
std::vector<PhoneBookRow> PhoneBookRows(const std::vector<AData>& addresses);

// The page's colours (as the settings hold them) and width.
struct PhoneBookPage {
    std::string Background = "#334D73";
    std::string Text = "#FFFFFF";
    std::string Link = "#FFFFFF";
    std::int32_t Width = 500;
};

// The width text read as every decimal field is; empty when it is no whole number.
std::optional<std::int32_t> ParsePageWidth(std::string_view text);

// The HTML page, declared UTF-8: title, letter index, one table per person,
// footer; CR LF lines. Names, numbers, initials and colours are written with
// &, <, >, " and ' escaped, every attribute quoted, and the mail links
// percent-encoded, so that no text can change the markup.
std::string PhoneBookHtml(const std::vector<PhoneBookRow>& rows, const PhoneBookPage& page);

// "ORV Phone book", then one "name;number" line per person; CR LF lines.
std::string PhoneBookText(const std::vector<PhoneBookRow>& rows);

// The first character of a name (a whole UTF-8 sequence, the code point), which
// opens its letter group.
std::string_view Initial(std::string_view name);


// An e-mail address as it goes after "mailto:": every byte but letters, digits,
// "-", ".", "_", "~" and "@" percent-encoded.
std::string PercentEncodeMailto(std::string_view address);

}  // namespace orv
