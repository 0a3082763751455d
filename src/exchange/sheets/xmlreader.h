// A thin event interface over expat for the spreadsheet readers: element
// starts and ends by local name (namespace prefixes dropped), and text.
// Documents with a DTD are refused: no office file has one, and it is the
// door to entity expansion attacks.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
    std::optional<std::string_view> Get(std::string_view localName) const;

private:
    const char** pairs_;
};

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void Start(std::string_view name, const XmlAttributes& attributes) = 0;
    // Most handlers only look at where elements start.
    virtual void End(std::string_view /*name*/) {}
    virtual void Text(std::string_view /*text*/) {}

    // Ends the parse with this message.
    void Fail(std::string message);
    const std::string& failure() const { return failure_; }

private:
    friend bool ParseXml(std::string_view, XmlHandler&, std::string&, const std::function<bool(std::size_t)>&);
    void* parser_ = nullptr;
    std::string failure_;
};

// False with a message when the document is not well-formed or a handler
// failed. `going`, when given, is told the bytes parsed so far every
// megabyte; its false stops the parse, which then fails.
bool ParseXml(std::string_view xml, XmlHandler& handler, std::string& error,
              const std::function<bool(std::size_t)>& going = {});

// The part of a qualified name after the namespace.
std::string_view LocalName(std::string_view name);

}  // namespace orv
