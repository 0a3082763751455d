// Feeds arbitrary bytes to the settings file reader. Whatever it accepts must
// serialise to a text that reads back without a warning and serialises to the
// very same text again; the reads of the value table must not trip on it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "core/settingsstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orv::SettingsStore first;
    if (!first.Parse(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

    orv::Settings settings;
    (void)orv::ReadSettings(first, settings);
    for (const std::string& profile : orv::ColourProfiles(first)) (void)orv::ReadColourProfile(first, profile);

    const std::string once = first.Serialize();
    orv::SettingsStore second;
    if (!second.Parse(once) || !second.Warnings().empty()) {
        std::fprintf(stderr, "serialised store does not read back cleanly:\n%s\n", once.c_str());
        std::abort();
    }
    if (second.Serialize() != once) {
        std::fprintf(stderr, "serialisation changed on the second round:\n%s\n---\n%s\n", once.c_str(),
                     second.Serialize().c_str());
        std::abort();
    }
    return 0;
}
