#include "core/settingsstore.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <tuple>

#include "../store/storetest.h"

namespace orv {
namespace {

using test::ReadFile;
using test::WriteFile;

constexpr std::string_view kHead = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kMainHeader = "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n";

std::string Utf16LeWithBom(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

class SettingsStoreFileTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return folder / name; }

    test::TempFolder folder{"orv-core"};
};

// A missing file (and folder) is an empty store; the first save writes the
// export format with its escapes, little-endian dates and whole ranges.
TEST_F(SettingsStoreFileTest, WritesTheExportFormatAndReadsEveryTypeBack)
{
    SettingsStore store(PathOf("config/orv/settings.reg"));
    ASSERT_TRUE(store.Load().ok);
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "nextweek", 30).ok);
    ASSERT_TRUE(store.WriteText(kSettingsKey, "FontName", "Say \"hi\" C:\\dir\\").ok);
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastDate", DateSerial(2005, 10, 31)).ok);
    ASSERT_TRUE(store.WriteBool(std::string(kSettingsKey) + "\\Blue", "Ver2", true).ok);
    ASSERT_TRUE(store.Save().ok);
    EXPECT_EQ(ReadFile(store.Path()), std::string(kHead) + std::string(kMainHeader) +
                                          "\"nextweek\"=dword:0000001e\r\n"
                                          "\"FontName\"=\"Say \\\"hi\\\" C:\\\\dir\\\\\"\r\n"
                                          "\"LastDate\"=hex:00,00,00,00,00,e0,e2,40\r\n"
                                          "\r\n"
                                          "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV\\Blue]\r\n"
                                          "\"Ver2\"=dword:00000001\r\n"
                                          "\r\n");

    const std::int32_t integers[] = {0, 1, -1, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()};
    const std::int32_t dates[] = {DateSerial(1, 1, 1), DateSerial(1800, 3, 1), 0, DateSerial(2024, 2, 29),
                                  DateSerial(9999, 12, 31)};
    for (std::size_t i = 0; i < std::size(integers); ++i) {
        ASSERT_TRUE(store.WriteInteger(kSettingsKey, "i" + std::to_string(i), integers[i]).ok);
        ASSERT_TRUE(store.WriteDate(kSettingsKey, "d" + std::to_string(i), dates[i]).ok);
    }
    EXPECT_FALSE(store.WriteDate(kSettingsKey, "d", DateSerial(1, 1, 1) - 1).ok);
    // Texts and names take the same escapes and come back byte for byte.
    const std::string texts[] = {"", "C:\\dir\\", "\\\"", "  [not a key]  ", "x\"=dword:1", "Windows-1252 \xE9t\xE9",
                                 std::string("nul\0inside", 10)};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        ASSERT_TRUE(store.WriteText(kSettingsKey, "t" + std::to_string(i), texts[i]).ok);
        if (!texts[i].empty()) {
            ASSERT_TRUE(store.WriteInteger(std::string(kSettingsKey) + "\\Names", texts[i], 1).ok);
        }
    }
    ASSERT_TRUE(store.Save().ok);
    SettingsStore again(store.Path());
    ASSERT_TRUE(again.Load().ok);
    EXPECT_TRUE(again.Warnings().empty());
    EXPECT_EQ(again.ReadBool(std::string(kSettingsKey) + "\\Blue", "Ver2").value, true);
    for (std::size_t i = 0; i < std::size(integers); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(again.ReadInteger(kSettingsKey, "i" + std::to_string(i)).value, integers[i]);
        EXPECT_EQ(again.ReadBool(kSettingsKey, "i" + std::to_string(i)).value, integers[i] != 0);
        EXPECT_EQ(again.ReadDate(kSettingsKey, "d" + std::to_string(i)).value, dates[i]);
    }
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(again.ReadText(kSettingsKey, "t" + std::to_string(i)).value, texts[i]) << i;
    EXPECT_EQ(again.ValueNames(std::string(kSettingsKey) + "\\Names"),
              std::vector<std::string>(std::begin(texts) + 1, std::end(texts)));
}

TEST(SettingsStoreParse, ReadsAUtf16WindowsExport)
{
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n"
        u"\"nextweek\"=dword:0000000a\r\n"
        u"\"FontName\"=\"\u00C4rial \\\"N\u00EBw\\\" \U0001F600\"\r\n"
        u"\"LastDate\"=hex:00,00,00,00,00,e0,e2,40\r\n"
        u"\"Path\"=hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,49,00,4c,00,\\\r\n"
        u"  45,00,25,00,00,00\r\n"
        u"@=\"default\"\r\n"
        u"\"Gone\"=-\r\n"
        u"; exported by hand\r\n"
        u"\r\n"
        u"[-HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV\\Old]\r\n"
        u"\"Stale\"=dword:00000001\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV\\Blue]\r\n"
        u"\"Ver2\"=dword:00000001\r\n"
        u"\r\n";
    SettingsStore store;
    ASSERT_TRUE(store.Parse(Utf16LeWithBom(text)));

    EXPECT_TRUE(store.Warnings().empty());
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "nextweek").value, 10);
    EXPECT_EQ(store.ReadText(kSettingsKey, "FontName").value, "\xC3\x84rial \"N\xC3\xABw\" \xF0\x9F\x98\x80");
    EXPECT_EQ(store.ReadDate(kSettingsKey, "LastDate").value, DateSerial(2005, 10, 31));
    EXPECT_EQ(store.TypeOf(kSettingsKey, "Path"), ValueType::Other);
    EXPECT_EQ(store.ReadText(kSettingsKey, "Path").message, "Invalid data type for 'Path'");
    EXPECT_EQ(store.ValueNames(kSettingsKey),
              (std::vector<std::string>{"nextweek", "FontName", "LastDate", "Path"}));
    EXPECT_FALSE(store.KeyExists(std::string(kSettingsKey) + "\\Old"));
    EXPECT_EQ(store.SubKeyNames(kSettingsKey), std::vector<std::string>{"Blue"});

    // Unknown types are written back whole, re-wrapped.
    const std::string out = store.Serialize();
    EXPECT_NE(out.find("\"Path\"=hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,49,00,4c,\\\r\n"
                       "  00,45,00,25,00,00,00\r\n"),
              std::string::npos)
        << out;
    SettingsStore again;
    ASSERT_TRUE(again.Parse(out));
    EXPECT_TRUE(again.Warnings().empty());
    EXPECT_EQ(again.Serialize(), out);
}

// Exports from the original platform write dates with a time of day and dwords
// as raw little-endian bytes. Before 1899-12-30 the day is the integral part and
// the time counts forward from it: -1.25 is 1899-12-29 06:00, not the 28th.
TEST(SettingsStoreParse, NeedsARegistryHeaderAndReadsAnAnsiRegedit4FileAsTheOriginalPlatformMeantIt)
{
    SettingsStore store;
    EXPECT_FALSE(store.Parse("ORV data file\r\n[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n"));
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    EXPECT_TRUE(store.Parse("\xEF\xBB\xBFREGEDIT4\r\n"));
    EXPECT_TRUE(store.Parse(""));
    // LF and a lone CR as line ends; text in the local code page stays as it is.
    ASSERT_TRUE(store.Parse("\n\nREGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r"
                            "\"ColorP\"=\"caf\xE9\"\n\"CB1\"=dword:0\n"
                            "\"before\"=hex:00,00,00,00,00,00,f4,bf\n\"after\"=hex:00,00,00,00,00,00,06,40\n"
                            "\"dword\"=hex(4):01,02,00,00\n\"beyond\"=hex:00,00,00,20,5f,a0,02,42\n"));
    EXPECT_TRUE(store.Warnings().empty());
    EXPECT_EQ(store.ReadText(kSettingsKey, "ColorP").value, "caf\xE9");
    EXPECT_EQ(store.ReadBool(kSettingsKey, "CB1").value, false);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "before").value, -1);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "after").value, 2);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "dword").value, 513);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "beyond").message, "Failed to get data for 'beyond'");  // past 9999
}

struct BadLineCase {
    const char* line;
    bool keyLine;          // a key line, else a value line under the main key
    std::size_t warnings;  // a deleted key is no warning
};

class SettingsStoreBadLine : public testing::TestWithParam<BadLineCase> {};

// A bad value line is skipped and the next line still counts; a bad key line
// skips the values up to the next key.
TEST_P(SettingsStoreBadLine, IsSkippedWithAWarningAndWhatFollowsStillCounts)
{
    const BadLineCase& c = GetParam();
    SettingsStore store;
    ASSERT_TRUE(store.Parse(std::string(kHead) + (c.keyLine ? "" : std::string(kMainHeader)) + c.line +
                            "\r\n\"after\"=dword:00000007\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"b\"=dword:2\r\n"));
    ASSERT_EQ(store.Warnings().size(), c.warnings);
    for (const std::string& w : store.Warnings()) EXPECT_TRUE(w.starts_with(c.keyLine ? "line 3: " : "line 4: ")) << w;
    EXPECT_EQ(store.KeyExists(kSettingsKey), !c.keyLine);
    EXPECT_EQ(store.ValueNames(kSettingsKey), c.keyLine ? std::vector<std::string>{} : std::vector<std::string>{"after"});
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "after").value, c.keyLine ? std::nullopt : std::optional<std::int32_t>(7));
    EXPECT_EQ(store.ValueNames("X"), std::vector<std::string>{"b"});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsStoreBadLine,
    testing::Values(BadLineCase{"\"a\"=dword:123456789", false, 1}, BadLineCase{"just words", false, 1},
                    // a continuation never swallows the next value line
                    BadLineCase{"\"a\"=hex:00,\\", false, 1},
                    BadLineCase{"[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV", true, 1},
                    BadLineCase{"[HKEY_LOCAL_MACHINE\\Software\\Quillon Software\\ORV]", true, 1},
                    BadLineCase{"[-HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]", true, 0}));

TEST(SettingsStoreKeys, NamesCompareWithoutCaseAnUnstorableWriteFailsWholeAndAKeyGoesWithWhatIsBelow)
{
    SettingsStore store;
    ASSERT_TRUE(store.Parse(std::string(kHead) +
                            "[HKEY_CURRENT_USER\\software\\quillon software\\orv]\r\n\"NEXTWEEK\"=dword:2\r\n"));
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "nextweek").value, 2);
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "NextWeek", 3).ok);
    EXPECT_EQ(store.ValueNames("SOFTWARE\\Quillon Software\\ORV"), std::vector<std::string>{"NEXTWEEK"});
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "nextweek").value, 3);
    EXPECT_TRUE(store.DeleteValue(kSettingsKey, "nextWEEK"));
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "nextweek"));
    const std::string main(kSettingsKey);

    // Line breaks in a text or a name, or an empty part of a key path, cannot
    // be stored: such a write fails and leaves the store as it was.
    ASSERT_TRUE(store.WriteText(main, "FontName", "Arial").ok);
    const std::string before = store.Serialize();
    const std::tuple<std::string, std::string, std::string> writes[] = {
        {main, "FontName", "two\nlines"}, {main, "a\rb", "x"}, {"Software\\\\ORV", "FontName", "x"}};
    for (const auto& [key, name, text] : writes) {
        EXPECT_EQ(store.WriteText(key, name, text).message, "Failed to set data for '" + name + "'");
        EXPECT_EQ(store.Serialize(), before) << name;
    }

    // Keys are listed and deleted with what is below them, and only that.
    for (const std::string& key : {main, main + "\\Blue", main + "\\blue\\Deep", main + "\\Red",
                                  main + "\\Green\\Leaf", main + " X", main + "2"})
        ASSERT_TRUE(store.WriteInteger(key, "v", 1).ok) << key;

    EXPECT_EQ(store.SubKeyNames(main), (std::vector<std::string>{"Blue", "Green", "Red"}));
    EXPECT_TRUE(store.KeyExists(main + "\\Green"));  // a parent of a key exists
    EXPECT_TRUE(store.DeleteKey(main + "\\BLUE"));
    EXPECT_EQ(store.SubKeyNames(main), (std::vector<std::string>{"Green", "Red"}));
    EXPECT_TRUE(store.DeleteKey(main));
    EXPECT_FALSE(store.KeyExists(main + "\\Red"));  // "ORV X" and "ORV2" only share its first letters
    EXPECT_EQ(store.SubKeyNames("Software\\Quillon Software"), (std::vector<std::string>{"ORV X", "ORV2"}));
    EXPECT_FALSE(store.DeleteKey(main));
}

TEST_F(SettingsStoreFileTest, AFileThatIsNotSettingsIsNeverOverwrittenAndAFailedWriteLeavesTheOldFileWhole)
{
    const std::string content = "ORV data\r\nAnne\r\nSmith\r\n";
    ASSERT_TRUE(WriteFileAtomic(PathOf("data.orv"), content).ok);
    SettingsStore store(PathOf("data.orv"));
    EXPECT_EQ(store.Load().message, "Failed to get data for '" + store.Path() + "'");
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "nextweek", 7).ok);
    const std::string refused = store.Save().message;
    EXPECT_NE(refused.find("so it is kept as it is and not replaced"), std::string::npos) << refused;
    EXPECT_EQ(ReadFile(store.Path()), content);
    SettingsStore inFolder(folder.path());
    EXPECT_FALSE(inFolder.Load().ok);

    // A failed write leaves the old file whole.
    SettingsStore settings(PathOf("settings.reg"));
    ASSERT_TRUE(settings.WriteText(kSettingsKey, "FontName", "Arial").ok);
    ASSERT_TRUE(settings.Save().ok);
    const std::string old = ReadFile(settings.Path());
    ASSERT_TRUE(settings.WriteText(kSettingsKey, "ColorP", std::string(4096, 'x')).ok);

    // A file size limit makes the write fail halfway, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result r = settings.Save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.message, "Failed to set data for '" + settings.Path() + "'\nI/O error 27 (" + std::strerror(EFBIG) +
                             "): " + settings.Path());
    EXPECT_EQ(ReadFile(settings.Path()), old);
    EXPECT_EQ(test::Listing(folder.path()).size(), 2u) << "the temporary file was left behind";
}

TEST(SettingsPathChoice, FollowsTheOverrideThenXdgThenHome)
{
    EXPECT_EQ(SettingsPathFrom("/tmp/s.reg", "/x", "/h"), "/tmp/s.reg");
    EXPECT_EQ(SettingsPathFrom("", "/x", "/h"), "/x/orv/settings.reg");
    EXPECT_EQ(SettingsPathFrom(nullptr, "relative", "/h"), "/h/.config/orv/settings.reg");
    EXPECT_EQ(SettingsPathFrom(nullptr, nullptr, nullptr), "");
}

}  // namespace
}  // namespace orv
