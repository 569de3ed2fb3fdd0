// The component's host wrappers against the stand-in player's registry.
#include <gtest/gtest.h>

#include "host/host_services.h"
#include "player/player.h"

namespace versotime {
namespace {

using player::Player;

class HostServices : public ::testing::Test {
protected:
    void SetUp() override { service_registry = &first; }
    void TearDown() override { service_registry = nullptr; }
    Player first;
};

// The cache is process-wide: this is the only test that fills it.
TEST_F(HostServices, ServicesAreCachedAndLookedUpAgainWhileMissing) {
    service_registry = nullptr;
    EXPECT_EQ(player_control(), nullptr);
    EXPECT_EQ(track_list(), nullptr);

    service_registry = &first;
    int before = first.control().refs;
    ASSERT_EQ(player_control(), &first.control());
    auto* list = static_cast<TrackList*>(first.get_service(guid_track_list, 0));
    list->release();
    ASSERT_EQ(track_list(), list);
    EXPECT_EQ(track_list(), list);
    EXPECT_EQ(first.control().refs, before + 1);  // one kept reference

    Player second;
    service_registry = &second;
    EXPECT_EQ(player_control(), &first.control());  // kept across a new registry
    EXPECT_EQ(first.control().refs, before + 1);
    EXPECT_EQ(second.control().refs, 1);

    // Modeless dialogs go to the registry handed over last.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    register_modeless_dialog(window);
    EXPECT_EQ(second.modeless_windows().size(), 1u);
    EXPECT_TRUE(first.modeless_windows().empty());
    unregister_modeless_dialog(window);
    EXPECT_TRUE(second.modeless_windows().empty());
    DestroyWindow(window);
    service_registry = &first;
}

TEST_F(HostServices, ModelessRegistrationReleasesEveryInstance) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto* registry = static_cast<ModelessDialogRegistry*>(first.get_service(guid_modeless_dialog_registry, 0));
    ASSERT_NE(registry, nullptr);
    int refs = registry->add_ref() - 1;
    registry->release();
    register_modeless_dialog(window);
    ASSERT_EQ(first.modeless_windows().size(), 1u);
    EXPECT_EQ(first.modeless_windows().front(), window);
    unregister_modeless_dialog(window);
    EXPECT_TRUE(first.modeless_windows().empty());
    EXPECT_EQ(registry->add_ref() - 1, refs);
    registry->release();
    registry->release();
    DestroyWindow(window);

    service_registry = nullptr;  // without a player: nothing to tell, no crash
    register_modeless_dialog(window);
    unregister_modeless_dialog(window);
}

TEST_F(HostServices, TrackLengthAndMetaFields) {
    player::PlayerTrack* track = first.track(first.add_track("file://C:\\music\\a.mp3", 215.5));
    ASSERT_NE(track, nullptr);
    track->data.meta = {{"TITLE", "Song"}, {"LYRIC", "first"}, {"artist", "Someone"}, {"lyric", "second"}};

    EXPECT_DOUBLE_EQ(read_track_length(track), 215.5);
    EXPECT_DOUBLE_EQ(read_track_length(nullptr), 0.0);

    struct Case {
        const char* name;
        int index;
        bool found;
        const char* value;
    };
    const Case cases[] = {
        {"LYRIC", 0, true, "first"},   {"lyric", 1, true, "second"}, {"Lyric", 2, false, "unchanged"},
        {"ARTIST", 0, true, "Someone"}, {"COMMENT", 0, false, "unchanged"}, {"", 0, false, "unchanged"},
        {"LYRIC", -1, false, "unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " #" + std::to_string(c.index));
        Utf8String out("unchanged");
        EXPECT_EQ(read_meta_field(track, c.name, c.index, out), c.found);
        EXPECT_STREQ(out.c_str(), c.value);
        EXPECT_EQ(track->lock_count, 0);  // every lock undone
    }
    Utf8String out("unchanged");
    EXPECT_FALSE(read_meta_field(nullptr, "LYRIC", 0, out));
    EXPECT_FALSE(read_meta_field(track, nullptr, 0, out));
    EXPECT_STREQ(out.c_str(), "unchanged");
    EXPECT_EQ(track->outstanding(), 0);
    EXPECT_TRUE(track->faults.empty());
}

}  // namespace
}  // namespace versotime
