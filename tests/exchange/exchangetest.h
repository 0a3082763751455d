// Helpers of the exchange tests: sample files made by other programs, and a
// readable form of a rich document for failure messages.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "../store/storetest.h"
#include "exchange/letters/richdocument.h"

namespace orv::test {

inline std::string SampleFile(const std::string& name) { return ReadFile(std::string(ORV_EXCHANGE_TEST_DATA "/") + name); }
inline std::string SamplePath(const std::string& name) { return std::string(ORV_EXCHANGE_TEST_DATA "/") + name; }

inline CharFormat Plain(std::string font = "Liberation Serif", int halfPoints = 24)
{
    CharFormat f;
    f.font = std::move(font);
    f.halfPoints = halfPoints;
    return f;
}

}  // namespace orv::test

namespace orv {

inline void PrintTo(const CharFormat& f, std::ostream* os)
{
    *os << "{" << f.font << " " << f.halfPoints << (f.bold ? " b" : "") << (f.italic ? " i" : "")
        << (f.underline ? " u" : "") << (f.strikeOut ? " s" : "");
    if (f.color) *os << " #" << int(f.color->red) << "," << int(f.color->green) << "," << int(f.color->blue);
    *os << "}";
}

inline void PrintTo(const RichDocument& d, std::ostream* os)
{
    for (const Paragraph& p : d.paragraphs) {
        *os << "\n  [" << static_cast<int>(p.alignment) << "]";
        for (const TextRun& r : p.runs) {
            *os << " \"" << r.text << "\"";
            PrintTo(r.format, os);
        }
    }
}

}  // namespace orv
