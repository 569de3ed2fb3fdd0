// Tag field names from templates, lyric file names and UTF-8 cuts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "storage/field_name.h"
#include "storage/file_names.h"

namespace versotime {
namespace {

TEST(ExtractFieldName, TakesTheTextBetweenTheFirstAndLastPercent) {
    const struct {
        const char* field_template;
        bool ok;
        const char* name;
    } cases[] = {
        {"%LYRIC%", true, "LYRIC"},
        {"%LYRICFILENAME%", true, "LYRICFILENAME"},
        {"before %NAME% after", true, "NAME"},
        {"%A%B%", true, "A%B"},
        {"%%", true, ""},
        {"%\xE6\xAD\x8C\xE8\xAF\x8D%", true, "\xE6\xAD\x8C\xE8\xAF\x8D"},
        {"LYRIC", false, ""},
        {"%LYRIC", false, ""},
        {"LYRIC%", false, ""},
        {"%", false, ""},
        {"", false, ""},
        {nullptr, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field_template ? c.field_template : "(null)");
        Utf8String out("leftover");
        EXPECT_EQ(extract_field_name(c.field_template, out), c.ok);
        EXPECT_STREQ(out.c_str(), c.name);
    }
}

TEST(ReplaceExtension, KeepsEverythingUpToTheLastDot) {
    const struct {
        const char* path;
        const char* extension;
        bool ok;
        const char* result;
    } cases[] = {
        {"C:\\music\\song.mp3", "lrc", true, "C:\\music\\song.lrc"},
        {"C:\\music\\a.b.mp3", "lrc", true, "C:\\music\\a.b.lrc"},
        {"C:\\my.music\\song", "lrc", true, "C:\\my.lrc"},  // a dot in a folder counts
        {"C:\\music\\song", "lrc", true, "lrc"},            // no dot: only the extension
        {"song.mp3", "", true, "song."},
        {"song.mp3", ".lrc", true, "song..lrc"},
        {"song.", "lrc", true, "song.lrc"},
        {"", "lrc", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Utf8String path(c.path);
        EXPECT_EQ(replace_extension(path, c.extension), c.ok);
        EXPECT_STREQ(path.c_str(), c.result);
    }
}

TEST(ProposeLyricFileName, SameAsMediaRule) {
    const struct {
        const char* location;
        const char* suffix;
        const char* proposal;
    } cases[] = {
        {"C:\\music\\Artist - Song.part.mp3", "lrc", "C:\\music\\Artist - Song.part.lrc"},
        {"C:\\music\\song", "lrc", "lrc"},
        {"", "lrc", ""},
        {"C:\\music\\song.mp3", "", "C:\\music\\song."},
        {nullptr, "lrc", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location ? c.location : "(null)");
        Utf8String out("leftover");
        propose_same_as_media(c.location, c.suffix, out);
        EXPECT_STREQ(out.c_str(), c.proposal);
    }
}

TEST(ProposeLyricFileName, FormattedRuleAppendsDotAndSuffix) {
    const struct {
        const char* formatted;
        const char* suffix;
        const char* proposal;
    } cases[] = {
        {"Artist-Title", "lrc", "Artist-Title.lrc"},
        {"?", "lrc", "?.lrc"},
        {"", "lrc", ".lrc"},  // no track at all
        {"Artist-Title", "", "Artist-Title."},
        {"a.b", "txt", "a.b.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.formatted);
        Utf8String out(c.formatted);
        finish_formatted_name(out, c.suffix);
        EXPECT_STREQ(out.c_str(), c.proposal);
    }
}

TEST(Utf8FitLength, NeverEndsInsideACharacter) {
    // "a" + e-acute (2 bytes) + euro sign (3 bytes) + U+1F600 (4 bytes) + "b"
    const char text[] = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" "b";
    const std::uint32_t length = static_cast<std::uint32_t>(std::strlen(text));
    const struct {
        std::uint32_t max;
        std::uint32_t fit;
    } cases[] = {
        {0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 3}, {6, 6},
        {7, 6}, {8, 6}, {9, 6}, {10, 10}, {11, 11}, {100, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.max);
        EXPECT_EQ(utf8_fit_length(text, length, c.max), c.fit);
    }
}

TEST(Utf8FitLength, InvalidTextIsCutAtTheBudget) {
    const std::string runs(20, '\x80');  // continuation bytes without a lead
    EXPECT_EQ(utf8_fit_length(runs.c_str(), 20, 10), 10u);
    const std::string ascii(200, 'x');
    EXPECT_EQ(utf8_fit_length(ascii.c_str(), 200, 128), 128u);
}

}  // namespace
}  // namespace versotime
