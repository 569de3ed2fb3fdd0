// The player's tracks, its registry of own services and its simulated
// playback, without any component loaded.
#include <gtest/gtest.h>

#include "player/player.h"

namespace versotime {
namespace player {
namespace {

TEST(PlayerTrack, CountsReferencesAndReportsOverRelease) {
    PlayerTrack track("file://C:\\a.mp3", 10.0);
    EXPECT_EQ(track.outstanding(), 0);
    track.add_ref();
    track.add_ref();
    EXPECT_EQ(track.outstanding(), 2);
    track.release();
    track.release();
    EXPECT_EQ(track.outstanding(), 0);
    EXPECT_TRUE(track.faults.empty());
    track.release();  // one more than was given out
    EXPECT_EQ(track.outstanding(), 0);
    EXPECT_EQ(track.faults.size(), 1u);
}

TEST(PlayerTrack, LockRules) {
    PlayerTrack track("a.mp3", 10.0);
    track.lock();
    EXPECT_NE(track.query_info(0), nullptr);
    track.unlock();
    EXPECT_TRUE(track.faults.empty());
    track.query_info(0);
    track.unlock();
    PlayerTrackInfo info;
    track.update_info(&info, 0);
    EXPECT_EQ(track.faults.size(), 3u);
}

TEST(PlayerTrack, GetInfoFillsThroughTheOperations) {
    PlayerTrack track("file://C:\\a.mp3", 12.5);
    track.data.meta_add("TITLE", "T");
    track.data.meta_add("LYRIC", "l1");
    track.data.info_set("bitrate", "128");
    PlayerTrackInfo copy;
    ASSERT_NE(track.get_info(&copy, 0), 0);
    EXPECT_STREQ(copy.get_location()->get_path(), "file://C:\\a.mp3");
    EXPECT_EQ(copy.get_length(), 12.5);
    ASSERT_EQ(copy.meta_count(), 2);
    EXPECT_EQ(copy.meta_find("lyric", 0), 1);
    EXPECT_EQ(copy.info_find("BITRATE"), 0);
    track.get_info_works = false;
    PlayerTrackInfo untouched;
    EXPECT_EQ(track.get_info(&untouched, 0), 0);
    EXPECT_EQ(untouched.meta_count(), 0);
    EXPECT_EQ(track.get_info(nullptr, 0), 0);
}

TEST(PlayerTrack, UpdateResultDecidesWhetherFieldsChange) {
    struct Case {
        UpdateResult result;
        int answer;
        const char* lyric_after;
    };
    const Case cases[] = {
        {UpdateResult::written, 1, "new"},
        {UpdateResult::queued, 0, "new"},
        {UpdateResult::failed, -1, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        PlayerTrack track("a.mp3", 1.0);
        track.data.meta_add("LYRIC", "old");
        track.update_result = c.result;
        PlayerTrackInfo given;
        given.meta_add("lyric", "new");
        track.lock();
        EXPECT_EQ(track.update_info(&given, 0), c.answer);
        track.unlock();
        EXPECT_STREQ(track.data.meta_value(track.data.meta_find("LYRIC", 0)), c.lyric_after);
        EXPECT_EQ(track.update_calls, 1);
        EXPECT_TRUE(track.faults.empty());
    }
}

TEST(PlayerTrackInfo, OperationsKeepToTheirRange) {
    PlayerTrackInfo info;
    info.meta_add("A", "1");
    info.meta_add("a", "2");
    info.meta_insert(0, "B", "0");
    info.meta_insert(99, "C", nullptr);
    EXPECT_EQ(info.meta_count(), 4);
    EXPECT_EQ(info.meta_find("A", 1), 2);
    EXPECT_EQ(info.meta_find("A", 2), -1);
    EXPECT_EQ(info.meta_name(-1), nullptr);
    EXPECT_EQ(info.meta_value(4), nullptr);
    EXPECT_STREQ(info.meta_value(3), "");
    info.meta_remove(7);
    info.meta_set_value(-2, "x");
    info.meta_remove(0);
    EXPECT_EQ(info.meta_find("B", 0), -1);
    info.info_set("k", "1");
    info.info_set("K", "2");
    EXPECT_EQ(info.info_count(), 1);
    EXPECT_STREQ(info.info_value(0), "2");
    PlayerTrackInfo copy;
    copy.copy_from(info);
    EXPECT_EQ(copy.meta_count(), info.meta_count());
    copy.copy_from(copy);
    EXPECT_EQ(copy.meta_count(), info.meta_count());
    copy.destroy();
    EXPECT_EQ(copy.meta_count(), 0);
    EXPECT_EQ(copy.info_count(), 0);
}

TEST(Player, OwnServicesAndUnknownClasses) {
    Player player;
    Service* control = player.get_service(guid_player_control, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(player.get_service(guid_player_control, 1), nullptr);
    EXPECT_EQ(control->query_interface(guid_player_control), nullptr);
    control->release();
    Service* list = player.get_service(guid_track_list, 0);
    ASSERT_NE(list, nullptr);
    list->release();
    Service* registry = player.get_service(guid_modeless_dialog_registry, 0);
    ASSERT_NE(registry, nullptr);
    registry->release();
    EXPECT_EQ(player.get_service(guid_quit_hook, 0), nullptr);
    EXPECT_EQ(player.get_service(guid_player_control, -1), nullptr);
}

TEST(Player, TransportOnTheSimulatedClock) {
    Player player;
    auto& control = player.control();
    EXPECT_FALSE(control.is_playing());
    EXPECT_EQ(control.get_now_playing(), nullptr);
    control.start_playback(PlaybackCommand::play);  // empty list
    EXPECT_FALSE(control.is_playing());

    player.add_track("a.mp3", 100.0);
    player.add_track("b.mp3", 50.0);
    EXPECT_EQ(player.focus, 0);
    control.start_playback(PlaybackCommand::play);
    EXPECT_TRUE(control.is_playing());
    EXPECT_EQ(player.now_playing, 0);
    control.seek_to(30.0);
    EXPECT_EQ(control.get_position(), 30.0);
    control.seek_by(-40.0);
    EXPECT_EQ(control.get_position(), 0.0);
    control.seek_to(500.0);
    EXPECT_EQ(control.get_position(), 100.0);
    control.toggle_pause();
    EXPECT_EQ(player.state, PlayState::paused);
    EXPECT_TRUE(control.is_playing());
    player.advance(5.0);  // the clock stands while paused
    EXPECT_EQ(control.get_position(), 100.0);
    control.start_playback(PlaybackCommand::play);  // resumes
    EXPECT_EQ(player.state, PlayState::playing);
    EXPECT_EQ(control.get_position(), 100.0);

    control.start_playback(PlaybackCommand::next);
    EXPECT_EQ(player.now_playing, 1);
    EXPECT_EQ(control.get_position(), 0.0);
    player.advance(49.0);
    EXPECT_EQ(player.now_playing, 1);
    player.advance(1.0);  // the end of the last track
    EXPECT_FALSE(control.is_playing());
    EXPECT_EQ(control.get_position(), 0.0);

    player.focus = 1;
    control.start_playback(PlaybackCommand::previous);
    EXPECT_EQ(player.now_playing, 0);
    control.start_playback(PlaybackCommand::previous);
    EXPECT_FALSE(control.is_playing());

    player.seekable = false;
    control.start_playback(PlaybackCommand::play);
    EXPECT_FALSE(control.can_seek());
    control.seek_to(10.0);
    EXPECT_EQ(control.get_position(), 0.0);
    EXPECT_EQ(player.last_seek, 10.0);
    control.stop_playback(0);
    const std::vector<std::string> calls = {"play", "play", "seek_to 30", "seek_by -40", "seek_to 500", "pause",
                                            "play", "next", "previous", "previous", "play", "seek_to 10", "stop"};
    EXPECT_EQ(player.control_calls, calls);
}

TEST(Player, HandsOutCountedReferences) {
    Player player;
    player.add_track("a.mp3", 1.0);
    TrackList* list = static_cast<TrackList*>(player.get_service(guid_track_list, 0));
    TrackHandle* first = list->get_track_at(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(list->get_track_at(1), nullptr);
    EXPECT_EQ(list->get_focus_index(), 0);
    EXPECT_EQ(player.outstanding_references(), 1);
    player.control().start_playback(PlaybackCommand::play);
    TrackHandle* playing = player.control().get_now_playing();
    EXPECT_EQ(playing, first);
    EXPECT_EQ(player.outstanding_references(), 2);
    first->release();
    playing->release();
    EXPECT_EQ(player.outstanding_references(), 0);
    EXPECT_TRUE(player.track_faults().empty());
    list->release();
}

}  // namespace
}  // namespace player
}  // namespace versotime

namespace versotime {
namespace player {
namespace {

TEST(Player, RefusesWhatIsNotAComponent) {
    struct Case {
        const char* path;
        const char* error_part;
    };
    const Case cases[] = {
        {"Z:\\nowhere\\missing.dll", "cannot load"},
        {"user32.dll", "does not export foobar2000_get_interface"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Player player;
        std::string error;
        EXPECT_FALSE(player.load_component(c.path, error));
        EXPECT_NE(error.find(c.error_part), std::string::npos) << error;
        EXPECT_TRUE(player.components().empty());
    }
}

}  // namespace
}  // namespace player
}  // namespace versotime
