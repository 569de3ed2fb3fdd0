// Title formatting, script words and the configuration file of the player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/config_file.h"
#include "player/script_text.h"
#include "player/title_format.h"

namespace versotime {
namespace player {
namespace {

struct TitleCase {
    const char* script;
    const char* expected;
};

TEST(TitleFormat, FieldsFunctionsAndMissingValues) {
    PlayerTrackInfo track;
    track.location.set_path("file://C:\\music\\Some.Band - Song.mp3");
    track.meta_add("TITLE", "Song");
    track.meta_add("Empty", "");
    const TitleCase cases[] = {
        {"%title%", "Song"},
        {"%TiTlE%", "Song"},
        {"%artist%", "?"},
        {"%artist% - %title%", "? - Song"},
        {"$if(%title%,%title%,%_filename%)", "Song"},
        {"$if(%artist%,%artist%-)$if(%title%,%title%,%_filename%)", "Song"},
        {"$if(%artist%,%artist%,%_filename%)", "Some.Band - Song"},
        {"$if(%artist%,x)", ""},
        {"$if(%empty%,present,absent)", "present"},
        {"$if(%artist%,a,$if(%title%,b,c))", "b"},
        {"%_filename%", "Some.Band - Song"},
        {"%_path%", "file://C:\\music\\Some.Band - Song.mp3"},
        {"'%title%' is %title%", "%title% is Song"},
        {"100%", "100%"},
        {"$if(%title%,a", "$if(%title%,a"},
        {"$upper(x)", "[UNKNOWN FUNCTION]"},
        {"$if(a,b,c,d)", "[UNKNOWN FUNCTION]"},
        {"", ""},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(format_title_script(c.script, track), c.expected);
    }
}

TEST(TitleFormat, FileNamePart) {
    const TitleCase cases[] = {
        {"C:\\a\\b.mp3", "b"},     {"/x/y/z.tar.gz", "z.tar"}, {"plain", "plain"},
        {"C:\\dir.d\\noext", "noext"}, {"", ""},               {"C:\\a\\", ""},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(file_name_part(c.script), c.expected);
    }
}

bool test_lookup(const std::string& name, std::string& value) {
    if (name == "WORK") {
        value = "Z:\\work";
        return true;
    }
    return false;
}

struct WordsCase {
    const char* line;
    std::vector<std::string> words;
};

TEST(ScriptText, SplitsWordsWithEscapesAndVariables) {
    const WordsCase cases[] = {
        {"", {}},
        {"   # a comment", {}},
        {"click editor 1039", {"click", "editor", "1039"}},
        {"  \tplay  \r", {"play"}},
        {"set_text editor 1006 \"two words\"", {"set_text", "editor", "1006", "two words"}},
        {"x \"a\\x00b\\xFF\\r\\n\\t\\\\\\\"\"", {"x", std::string("a\0b\xFF\r\n\t\\\"", 9)}},
        {"x \"\"", {"x", ""}},
        {"x ${WORK}\\a \"${WORK}\\\\b\"", {"x", "Z:\\work\\a", "Z:\\work\\b"}},
        {"x \"\\${WORK}\"", {"x", "${WORK}"}},
        {"x a#b", {"x", "a#b"}},
    };
    for (const WordsCase& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> words;
        std::string error;
        ASSERT_TRUE(split_line(c.line, test_lookup, words, error)) << error;
        EXPECT_EQ(words, c.words);
    }
}

TEST(ScriptText, RejectsMalformedLines) {
    const char* lines[] = {
        "x \"open",   "x \"bad \\q\"", "x \"\\x4\"",  "x \"\\xZZ\"", "x \"ends \\",
        "x ${NOPE}",  "x ${WORK",      "x a\"b\"",    "x \"a\"b",    "x ${}",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        std::vector<std::string> words;
        std::string error;
        EXPECT_FALSE(split_line(line, test_lookup, words, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(ScriptText, QuotedShowsExactBytes) {
    EXPECT_EQ(quoted(std::string("a\"\\\r\n\t\x01\xB0", 8)), "\"a\\\"\\\\\\r\\n\\t\\x01\\xB0\"");
    EXPECT_EQ(quoted(""), "\"\"");
}

std::vector<std::uint8_t> bytes_of(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

TEST(ConfigFile, RoundTripsBlocksWithAnyBytes) {
    std::vector<NamedBlock> blocks = {
        {"foo_versotime.dll", bytes_of(std::string("\x00\n\xFF component x 3\n", 17))},
        {"name with space.dll", {}},
        {"foo_versotime_CH.dll", bytes_of("abc")},
    };
    std::vector<NamedBlock> read;
    parse_config_file(format_config_file(blocks), read);
    EXPECT_EQ(read, blocks);
}

TEST(ConfigFile, ACutFileKeepsWhatIsLeft) {
    std::vector<NamedBlock> blocks = {{"a.dll", bytes_of("0123456789")}, {"b.dll", bytes_of("abcdef")}};
    std::vector<std::uint8_t> file = format_config_file(blocks);
    struct Cut {
        std::size_t cut;  // bytes taken off the end
        std::vector<NamedBlock> expected;
    };
    const Cut cuts[] = {
        {0, blocks},
        {1, blocks},                                                  // the last line end
        {3, {{"a.dll", bytes_of("0123456789")}, {"b.dll", bytes_of("abcd")}}},
        {7, {{"a.dll", bytes_of("0123456789")}, {"b.dll", {}}}},      // the block all gone
        {9, {{"a.dll", bytes_of("0123456789")}}},                     // inside b's header line
        {file.size(), {}},
    };
    for (const Cut& c : cuts) {
        SCOPED_TRACE(c.cut);
        std::vector<std::uint8_t> shorter(file.begin(), file.end() - static_cast<std::ptrdiff_t>(c.cut));
        std::vector<NamedBlock> read;
        parse_config_file(shorter, read);
        EXPECT_EQ(read, c.expected);
    }
}

TEST(ConfigFile, DamagedHeadersEndTheReading) {
    const char* files[] = {
        "",
        "VERSOTIME-PLAYER-CONFIG 2\ncomponent a 1\nx\n",
        "VERSOTIME-PLAYER-CONFIG 1\ncomponent a\nx\n",
        "VERSOTIME-PLAYER-CONFIG 1\ncomponent a 1x\nx\n",
        "VERSOTIME-PLAYER-CONFIG 1\nblock a 1\nx\n",
        "VERSOTIME-PLAYER-CONFIG 1\ncomponent a \nx\n",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        std::vector<NamedBlock> read;
        parse_config_file(bytes_of(file), read);
        EXPECT_TRUE(read.empty());
    }
}

std::vector<std::uint8_t> record(const std::string& key, const std::string& data) {
    std::vector<std::uint8_t> out;
    auto u32 = [&](std::size_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    u32(key.size());
    out.insert(out.end(), key.begin(), key.end());
    u32(data.size());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TEST(ConfigFile, ComponentBlockRecordsUpToTheLastWholeOne) {
    std::vector<std::uint8_t> block = record("at_toppest", std::string("\x01\x00\x00\x00", 4));
    std::vector<std::uint8_t> second = record("lrc_suffix", "");
    block.insert(block.end(), second.begin(), second.end());
    std::vector<ConfigRecord> records = parse_component_block(block);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].key, "at_toppest");
    EXPECT_EQ(records[0].data.size(), 4u);
    EXPECT_EQ(records[1].key, "lrc_suffix");
    EXPECT_TRUE(records[1].data.empty());
    for (std::size_t cut = 1; cut <= second.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::vector<std::uint8_t> shorter(block.begin(), block.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(parse_component_block(shorter).size(), 1u);
    }
    std::vector<std::uint8_t> huge = {0xFF, 0xFF, 0xFF, 0xFF, 'a'};
    EXPECT_TRUE(parse_component_block(huge).empty());
}

}  // namespace
}  // namespace player
}  // namespace versotime
