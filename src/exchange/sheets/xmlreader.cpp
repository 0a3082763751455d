#include "exchange/sheets/xmlreader.h"

#include <algorithm>
#include <expat.h>
#include <memory>

namespace orv {

namespace {

constexpr char kSeparator = '\x01';

XmlHandler& HandlerOf(void* data) { return *static_cast<XmlHandler*>(data); }

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    const XmlAttributes a(attributes);
    HandlerOf(data).Start(LocalName(name), a);
}

void OnEnd(void* data, const XML_Char* name) { HandlerOf(data).End(LocalName(name)); }

void OnText(void* data, const XML_Char* text, int length)
{
    HandlerOf(data).Text(std::string_view(text, static_cast<std::size_t>(length)));
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    HandlerOf(data).Fail("the document declares a DTD");
}

}  // namespace

std::string_view LocalName(std::string_view name)
{
    const std::size_t cut = name.rfind(kSeparator);
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

std::optional<std::string_view> XmlAttributes::Get(std::string_view localName) const
{
    for (const char** p = pairs_; p && *p; p += 2) {
        if (LocalName(p[0]) == localName) return std::string_view(p[1]);
    }
    return std::nullopt;
}

void XmlHandler::Fail(std::string message)
{
    if (failure_.empty()) failure_ = std::move(message);
    if (parser_) XML_StopParser(static_cast<XML_Parser>(parser_), XML_FALSE);
}

bool ParseXml(std::string_view xml, XmlHandler& handler, std::string& error,
              const std::function<bool(std::size_t)>& going)
{
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreateNS(nullptr, kSeparator),
                                                                                &XML_ParserFree);
    if (!parser) {
        error = "out of memory";
        return false;
    }
    XML_SetUserData(parser.get(), &handler);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    handler.parser_ = parser.get();
    bool ok = true;
    // Fed in pieces: expat counts lengths in int, and a long parse tells how far it got.
    const std::size_t piece = going ? std::size_t{1} << 20 : std::size_t{1} << 24;
    std::size_t pos = 0;
    do {
        if (going && !going(pos)) {
            error = "stopped";
            handler.parser_ = nullptr;
            return false;
        }
        const std::size_t n = std::min(piece, xml.size() - pos);
        const bool last = pos + n == xml.size();
        if (XML_Parse(parser.get(), xml.data() + pos, static_cast<int>(n), last ? XML_TRUE : XML_FALSE) !=
            XML_STATUS_OK) {
            ok = false;
            break;
        }
        pos += n;
    } while (pos < xml.size());
    handler.parser_ = nullptr;
    if (!handler.failure().empty()) {
        error = handler.failure();
        return false;
    }
    if (!ok) {
        error = std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
                std::to_string(XML_GetCurrentLineNumber(parser.get()));
        return false;
    }
    return true;
}

}  // namespace orv
