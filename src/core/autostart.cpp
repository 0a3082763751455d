#include "core/autostart.h"

#include <cstdlib>

namespace orv {

std::optional<StartCommand> StartWithSystemCommand(const AutostartChoice& choice, std::string_view programPath,
                                                   std::vector<std::string> options)
{
    if (!choice.CB1) return std::nullopt;
    StartCommand command{std::string(programPath), std::move(options), {}};
    if (choice.CB22) {
        if (choice.CB23) command.words = {"LAU", "oneshow"};
        else command.words = {"LAUall"};
    } else if (choice.CB2) {
        command.words = {"start", choice.CB3 ? "oneshow" : "one"};
    } else {
        command.words = {"start"};
    }
    return command;
}

std::string CommandLine(const StartCommand& command)
{
    auto quoted = [](const std::string& arg) {
        return arg.find_first_of(" \t") == std::string::npos ? arg : "\"" + arg + "\"";
    };
    std::string line = quoted(command.program);
    for (const std::string& option : command.options) line += " " + quoted(option);
    for (const std::string& word : command.words) line += " " + word;
    return line;
}

namespace {

// One argument of an Exec key: quoted when it holds a reserved character, with
// the escapes of the quoting level, then '%' doubled against field codes.
std::string ExecArgument(std::string_view arg)
{
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote = arg.empty() || arg.find_first_of(reserved) != std::string_view::npos;
    std::string out;
    if (quote) out += '"';
    for (const char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    if (quote) out += '"';
    return out;
}

// The escapes every string value of a desktop entry takes.
std::string DesktopString(std::string_view s)
{
    std::string out;
    for (const char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string AutostartDesktopEntry(const StartCommand& command)
{
    std::string exec = ExecArgument(command.program);
    for (const std::string& option : command.options) exec += " " + ExecArgument(option);
    for (const std::string& word : command.words) exec += " " + ExecArgument(word);
    // Desktop entries are read line by line at LF; a CR would end up in the values.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=ORV\n"
           "Exec=" + DesktopString(exec) + "\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string AutostartPathFrom(const char* xdgConfigHome, const char* home)
{
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/autostart/orv.desktop";
    if (home && *home) return std::string(home) + "/.config/autostart/orv.desktop";
    return {};
}

std::string DefaultAutostartPath()
{
    return AutostartPathFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

}  // namespace orv
