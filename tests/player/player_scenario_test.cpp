// The scenario runner itself: what passes, and the report of what does not.
#include <gtest/gtest.h>

#include <string>

#include "player/main_window.h"
#include "player/player.h"
#include "player/scenario.h"

namespace versotime {
namespace player {
namespace {

struct ScriptCase {
    const char* script;
    const char* report;  // empty: the script passes
};

TEST(Scenario, ReportsTheFirstDifferenceWithItsLine) {
    const ScriptCase cases[] = {
        {"", ""},
        {"# only a comment\n\n   \r\nlog \"hi\"\n", ""},
        {"track_add a.mp3 100\ntrack_add b.mp3 50\nplay\nadvance 2.5\nexpect position 2.5\nexpect now_playing 0\n"
         "pause\nexpect playback paused\nnext\nexpect now_playing 1\nexpect calls\nexpect track_refs 0\n",
         ""},
        {"track_add a.mp3 10\ntrack_meta 0 TITLE \"A \\x22B\\x22\"\nexpect meta 0 title \"A \\\"B\\\"\"\n"
         "expect meta_missing 0 artist\n",
         ""},
        {"track_add a.mp3 10\ntrack_meta 0 TITLE x\ntrack_meta 0 lyric \"a=b\"\n"
         "expect meta_fields 0 TITLE=x lyric=a=b\n",
         ""},
        {"track_add a.mp3 10\ntrack_meta 0 TITLE x\nexpect meta_fields 0 title=x\n",
         "t.scn:3: the meta fields of track 0 differs (expected [\"title=x\"], got [\"TITLE=x\"])"},
        {"frobnicate\n", "t.scn:1: unknown command \"frobnicate\""},
        {"expect\n", "t.scn:1: expect what?"},
        {"expect nothing_at_all\n", "t.scn:1: unknown command \"expect nothing_at_all\""},
        {"play 1\n", "t.scn:1: \"play\" takes 0 arguments, got 1"},
        {"tick 1 2\n", "t.scn:1: \"tick\" takes 0 to 1 arguments, got 2"},
        {"log \"open\n", "t.scn:1: unclosed quote"},
        {"log \"${VERSOTIME_NEVER_SET}\"\n", "t.scn:1: the variable ${VERSOTIME_NEVER_SET} is not set"},
        {"\n\ntrack_add a.mp3 10\nexpect position 3\n", "t.scn:4: the position differs (expected 3, got 0)"},
        {"track_add a.mp3 x\n", "t.scn:1: \"x\" is not a number"},
        {"tick many\n", "t.scn:1: \"many\" is not a whole number"},
        {"expect playback playing\n", "t.scn:1: the playback state differs (expected playing, got stopped)"},
        {"focus 3\n", "t.scn:1: there is no track 3"},
        {"position 3\n", "t.scn:1: nothing plays"},
        {"track_add a 1\ntrack_update 0 maybe\n", "t.scn:2: the update result is written, queued or failed"},
        {"expect text editor 1039 x\n", "t.scn:1: there is no editor window"},
        {"expect window editor 0\nexpect window editor:2 0\nexpect window nowhere 1\n",
         "t.scn:3: unknown window \"nowhere\" (editor, editor:N, page, preferences, probe)"},
        {"track_add a 10\nexpect meta 0 title x\n",
         "t.scn:2: the meta field title of track 0 differs (expected \"x\", got no such field)"},
        {"expect calls play\n", "t.scn:1: the calls on the player's control differs (expected [\"play\"], got [])"},
        {"expect config lrc_suffix text x\n", "t.scn:1: no component is loaded"},
        {"menu \"Components/Make lyrics\"\n", "t.scn:1: no main-menu command \"Components/Make lyrics\""},
        {"quit\nplay\n", "t.scn:2: the player has quit"},
        {"answer_message_box\nlog x\n", "t.scn:3: the dialog answer armed at line 1 was never used"},
        {"answer_message_box maybe\n", "t.scn:1: the button is ok, cancel, yes or no"},
        {"open_probe\nselect probe 103 20\n", "t.scn:2: item 20 is out of range (the list has 8)"},
        {"open_probe\nkey probe 103 Hyper\n", "t.scn:2: unknown key \"Hyper\""},
        {"open_probe\nexpect text probe 999 x\n", "t.scn:2: the probe window has no control 999"},
        {"open_probe\nclick probe 102\n",
         "t.scn:2: a message box \"\" opened that no answer was armed for"},
        {"open_probe\nclick probe 101\n",
         "t.scn:2: a file dialog \"Probe Open\" opened that no answer was armed for"},
        {"track_add a.mp3 100\nplay\nrepeat 3 advance 1.5\nexpect position 4.5\nrepeat 0 frobnicate_never\n",
         "t.scn:5: unknown command \"frobnicate_never\""},
        {"track_add a.mp3 100\nplay\nrepeat 4 advance 0.5\nrepeat 2 expect position 2\nrepeat 0 pump\n", ""},
        {"track_add a.mp3 100\nplay\nrepeat 2 expect position 0\nrepeat 3 advance 1\nrepeat 2 expect position 2\n",
         "t.scn:5: repeat 1 of 2: the position differs (expected 2, got 3)"},
        {"repeat -1 pump\n", "t.scn:1: repeat takes a count of 0 or more, got -1"},
        {"repeat x pump\n", "t.scn:1: \"x\" is not a whole number"},
        {"repeat 2\n", "t.scn:1: \"repeat\" takes 2 or more arguments, got 1"},
        {"repeat 2 play 1\n", "t.scn:1: \"play\" takes 0 arguments, got 1"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.script);
        Player player;
        Scenario scenario(player, "t.scn");
        int result = scenario.run_text(c.script);
        EXPECT_EQ(scenario.report(), c.report);
        EXPECT_EQ(result, *c.report ? 1 : 0);
    }
}

TEST(Scenario, QuitFailsWhileATrackReferenceIsHeld) {
    Player player;
    player.add_track("a.mp3", 10.0);
    player.track(0)->add_ref();
    Scenario scenario(player, "t.scn");
    EXPECT_EQ(scenario.run_text("expect track_refs 1\n"), 1);
    EXPECT_EQ(scenario.report(), "t.scn:2: track references outstanding at quit differs (expected 0, got 1)");
}

TEST(Scenario, QuitFailsOnAReferenceReleasedTwice) {
    Player player;
    player.add_track("a.mp3", 10.0);
    player.track(0)->release();
    Scenario scenario(player, "t.scn");
    EXPECT_EQ(scenario.run_text("quit\n"), 1);
    EXPECT_EQ(scenario.report(), "t.scn:1: track 0: released more often than referenced");
}

}  // namespace
}  // namespace player
}  // namespace versotime

namespace versotime {
namespace player {
namespace {

TEST(MainWindow, PlaysFromItsButtonsAndQuitsWhenClosed) {
    Player player;
    player.add_track("a.mp3", 100.0);
    player.add_track("b.mp3", 50.0);
    HWND window = create_main_window(player);
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_COMMAND, 20, 0);  // play
    EXPECT_EQ(player.state, PlayState::playing);
    SendMessageA(window, WM_COMMAND, 24, 0);  // next
    EXPECT_EQ(player.now_playing, 1);
    PostMessageA(window, WM_CLOSE, 0, 0);
    player.run_until_quit();
    EXPECT_TRUE(player.has_quit());
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace player
}  // namespace versotime
