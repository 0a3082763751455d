// Feeds arbitrary bytes to the settings file reader. Whatever it accepts must
// serialise to a text that reads back without a warning and serialises to the
// very same text again; the reads of the value table must not trip on it.
#include <string>

#include "core/settings.h"
#include "core/settingsstore.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orv::SettingsStore first;
    if (!first.Parse(orv::fuzz::Text(data, size))) return 0;

    orv::Settings settings;
    (void)orv::ReadSettings(first, settings);
    for (const std::string& profile : orv::ColourProfiles(first)) (void)orv::ReadColourProfile(first, profile);

    const std::string once = first.Serialize();
    orv::SettingsStore second;
    if (!second.Parse(once) || !second.Warnings().empty())
        orv::fuzz::Fail(("serialised store does not read back cleanly:\n" + once).c_str());
    if (second.Serialize() != once)
        orv::fuzz::Fail(("serialisation changed on the second round:\n" + once + "\n---\n" + second.Serialize()).c_str());
    return 0;
}
