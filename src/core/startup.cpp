#include "core/startup.h"

namespace orv {

ProgramArguments ParseCommandLine(const std::vector<std::string>& args)
{
    ProgramArguments line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            const auto eq = a.find('=');
            if (eq != std::string::npos) into = a.substr(eq + 1);
            else if (i + 1 < args.size()) into = args[++i];
            else line.error = a + " needs a value";
        };
        if (a == "--data-folder" || a.rfind("--data-folder=", 0) == 0) value(line.dataFolder);
        else if (a == "--settings-file" || a.rfind("--settings-file=", 0) == 0) value(line.settingsFile);
        else if (a == "--help" || a == "-h") line.help = true;
        else if (a == "--version") line.version = true;
        else if (a == "--sync-now") line.syncNow = true;
        else if (a.rfind("--", 0) == 0) line.error = "unknown option '" + a + "'";
        else line.words.push_back(a);
    }
    return line;
}

std::vector<std::string> FolderArguments(const std::string& dataFolder, const std::string& settingsFile)
{
    std::vector<std::string> args;
    if (!dataFolder.empty()) args.insert(args.end(), {"--data-folder", dataFolder});
    if (!settingsFile.empty()) args.insert(args.end(), {"--settings-file", settingsFile});
    return args;
}

StartDecision DecideStart(const ProgramArguments& line, std::optional<std::int32_t> lastStart, std::int32_t today)
{
    StartDecision d;
    const std::string first = line.word(1);
    const std::string second = line.word(2);
    d.overviewFirst = first == "start" || first == "LAU";
    if (second == "one" || second == "oneshow") {
        const bool startedToday = lastStart && *lastStart == today;
        if (!startedToday) {
            d.mode = StartMode::Normal;
            d.writeLastStartDate = true;
        } else if (second == "one") {
            d.mode = StartMode::End;
        } else if (first == "LAU") {
            d.mode = StartMode::Launcher;
        } else {
            d.mode = StartMode::NormalNoShow;
            d.writeLastStartDate = true;
        }
        return d;
    }
    d.mode = first == "LAUall" ? StartMode::Launcher : StartMode::Normal;
    return d;
}

}  // namespace orv
