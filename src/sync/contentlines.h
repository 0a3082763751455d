// iCalendar and vCard objects as their content lines (RFC 5545 / RFC 6350):
// unfolded, each with its component, so that sync can replace the few
// properties ORV owns in a server's object and keep every other line
// (alarms, locations, photos, time zones) byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv::sync {

struct ContentLine {
    std::string name;    // upper case, without its group ("item1.TEL" gives "TEL")
    std::string group;   // "item1", or empty
    std::string params;  // as written, after the name, without the leading ';'
    std::string value;   // as written (escaped), after the first unquoted ':'
    int depth = 0;       // BEGIN/END nesting: 1 for the lines of a VCARD or VCALENDAR
    std::string path;    // the components it sits in, "VCALENDAR/VEVENT"
    std::string raw;     // the unfolded line as it came
};

class ContentObject {
public:
    // Unfolds (a CR LF or LF followed by a blank or tab continues the line;
    // a lone LF ends one). Lines without a ':' are kept as they came.
    static ContentObject Parse(std::string_view text);

    std::vector<ContentLine>& lines() { return lines_; }
    const std::vector<ContentLine>& lines() const { return lines_; }

    // The index range [first, last) of the `n`-th component named `path`
    // (its BEGIN and END lines included); first == last when there is none.
    // `accept` picks among them, e.g. the master VEVENT without RECURRENCE-ID.
    struct Range {
        std::size_t first = 0, last = 0;
        bool empty() const { return first == last; }
    };
    std::vector<Range> Components(std::string_view path) const;

    // The properties named `name` directly inside the component `r`.
    std::vector<std::size_t> Find(Range r, std::string_view name) const;
    std::string Value(Range r, std::string_view name) const;  // the first one's value, or empty

    // Removes the component's properties whose names are given; returns where
    // the first of them stood (or the line before its END) for Insert.
    std::size_t Remove(Range& r, const std::vector<std::string_view>& names);
    // Inserts raw lines ("NAME;PARAMS:VALUE", unfolded) at `at`, inside `r`.
    void Insert(Range& r, std::size_t at, const std::vector<std::string>& raw);

    // The object folded at 75 octets (never inside a UTF-8 sequence), CR LF.
    std::string Text() const;

private:
    std::vector<ContentLine> lines_;
};

ContentLine ParseContentLine(std::string_view raw);

// The UID of an iCalendar or vCard object (its first UID line: the event's
// after any time zones, the card's), unescaped; empty when none.
std::string ObjectUid(std::string_view text);

// TEXT values (RFC 5545 3.3.11 / RFC 6350 3.4): "\n" "\," "\;" "\\".
std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view value);
// A structured value's components (N, ADR), split at unescaped ';', unescaped.
std::vector<std::string> SplitComponents(std::string_view value);
std::string JoinComponents(const std::vector<std::string>& parts);

}  // namespace orv::sync
