// The component DLLs loaded for real by the stand-in player under Wine: the
// chain of service records and what every service answers.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/player_api.h"
#include "player/player.h"

namespace versotime {
namespace {

using player::Player;
using player::PlayerTrackHandleList;

struct Build {
    const char* dll;
    const char* main_path;
    const char* context_path;
    const char* display_name;
    const char* component_name;
};

const Build builds[] = {
    {"foo_versotime.dll", "Components/Make lyrics", "Make lyrics", "Make lyrics", "Versotime"},
    {"foo_versotime_CH.dll", "Components/Make lyrics (CH version)", "Make lyrics (CH version)",
     "Make lyrics (CH version)", "Versotime(CH version)"},
};

// Positions in the chain, head first.
enum ChainIndex { quit_hook_at, version_at, context_at, page_at, observer_at, main_at, chain_length };

std::string beside_this_program(const char* file) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

class ComponentServices : public ::testing::TestWithParam<Build> {
protected:
    void SetUp() override {
        host = std::make_unique<Player>();
        std::string error;
        ASSERT_TRUE(host->load_component(beside_this_program(GetParam().dll), error)) << error;
        component = host->components().front().get();
        ASSERT_EQ(component->factories.size(), static_cast<std::size_t>(chain_length));
    }

    void TearDown() override {
        for (Service* s : taken) s->release();
        taken.clear();
        host.reset();  // unloads the DLL: the next test starts from a fresh load
    }

    // A counted reference to the service of the chain entry, released at the end.
    template <class Interface>
    Interface* take(int chain_index) {
        Service* s = component->factories[chain_index]->create_instance();
        taken.push_back(s);
        return static_cast<Interface*>(s);
    }

    bool editor_open() {
        host->pump();
        return host->editor_window() != nullptr;
    }

    std::unique_ptr<Player> host;
    player::LoadedComponent* component = nullptr;
    std::vector<Service*> taken;
};

TEST_P(ComponentServices, ChainRunsFromQuitHookToMainMenuCommand) {
    EXPECT_EQ(component->client->get_interface_version(), 35);
    const Guid* expected[chain_length] = {&guid_quit_hook,       &guid_component_version,
                                          &guid_main_menu_command, &guid_preferences_page_entry,
                                          &guid_playback_observer, &guid_main_menu_command};
    for (int i = 0; i < chain_length; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(component->factories[i]->class_id == *expected[i]);
    }
    EXPECT_EQ(component->factories[main_at]->next, nullptr);
    EXPECT_EQ(take<MenuCommand>(context_at)->get_kind(), 1);
    EXPECT_EQ(take<MenuCommand>(main_at)->get_kind(), 0);
}

TEST_P(ComponentServices, CountsAndQueryInterface) {
    const Guid* asked[] = {&guid_menu_command_interface, &guid_main_menu_command, &guid_component_version,
                           &guid_quit_hook,              &guid_playback_observer,  &guid_null};
    for (int i = 0; i < chain_length; ++i) {
        SCOPED_TRACE(i);
        Service* s = take<Service>(i);
        EXPECT_EQ(s, component->factories[i]->create_instance());
        taken.push_back(s);
        int count = s->add_ref();
        EXPECT_GE(count, 3);
        EXPECT_EQ(s->release(), count - 1);

        bool menu = i == context_at || i == main_at;
        for (const Guid* id : asked) {
            bool answers = menu && (id == &guid_menu_command_interface || id == &guid_main_menu_command);
            int before = s->add_ref();
            Service* answer = s->query_interface(*id);
            EXPECT_EQ(answer, answers ? s : nullptr);
            EXPECT_EQ(s->release(), before + (answers ? 0 : -1));  // the answer holds one more
            if (answer != nullptr) answer->release();
            s->release();
        }
    }
    // The version record does not answer even for its own class.
    EXPECT_EQ(take<Service>(version_at)->query_interface(guid_component_version), nullptr);
}

TEST_P(ComponentServices, MainMenuCommandAnswers) {
    auto* command = take<MainMenuCommand>(main_at);
    PlayerTrackHandleList tracks(0);
    EXPECT_EQ(command->query_value(7), 1);
    EXPECT_EQ(command->get_item_count(), 1);
    EXPECT_EQ(command->query_value_b(7), 0);
    EXPECT_FALSE(command->query_pair(1, 2));

    Utf8String path("unchanged");
    command->get_item_path(0, path);
    EXPECT_STREQ(path.c_str(), GetParam().main_path);
    path.assign("unchanged");
    command->get_item_path(1, path);
    EXPECT_STREQ(path.c_str(), "unchanged");
    command->get_single_path(path);
    EXPECT_STREQ(path.c_str(), GetParam().main_path);

    Utf8String name;
    unsigned flags = 0xFF;
    EXPECT_TRUE(command->get_display(0, &tracks, name, &flags));  // shown even without a selection
    EXPECT_STREQ(name.c_str(), GetParam().display_name);
    EXPECT_EQ(flags, 0u);
    flags = 0xFF;
    EXPECT_TRUE(command->get_display_from(0, &tracks, name, &flags, guid_menu_command_interface));
    EXPECT_EQ(flags, 0u);

    Utf8String description("unchanged");
    EXPECT_FALSE(command->get_description(0, description));
    EXPECT_FALSE(command->get_single_description(description));
    EXPECT_STREQ(description.c_str(), "unchanged");
    EXPECT_TRUE(command->is_item_available(3));
    EXPECT_FALSE(command->is_item_flag_a(0));
    EXPECT_FALSE(command->is_item_flag_b(0));
    EXPECT_FALSE(command->flag_a());
    EXPECT_FALSE(command->flag_b());
}

TEST_P(ComponentServices, ContextMenuCommandAnswers) {
    auto* command = take<ContextMenuCommand>(context_at);
    PlayerTrackHandleList none(0);
    PlayerTrackHandleList two(2);
    EXPECT_EQ(command->query_value(7), 1);
    EXPECT_EQ(command->get_item_count(), 1);
    EXPECT_EQ(command->query_value_b(7), 0);
    EXPECT_FALSE(command->query_pair(1, 2));
    EXPECT_FALSE(command->query_pair_b(1, 2));

    Utf8String path("unchanged");
    command->get_item_path(0, path);
    EXPECT_STREQ(path.c_str(), GetParam().context_path);
    path.assign("unchanged");
    command->get_item_path(1, path);
    EXPECT_STREQ(path.c_str(), "");

    Utf8String name("unchanged");
    unsigned flags = 0x55;
    EXPECT_FALSE(command->get_display(0, &none, name, &flags));
    EXPECT_FALSE(command->get_display(0, nullptr, name, &flags));
    EXPECT_STREQ(name.c_str(), "unchanged");
    EXPECT_TRUE(command->get_display(0, &two, name, &flags));
    EXPECT_STREQ(name.c_str(), GetParam().display_name);
    EXPECT_EQ(flags, 0x55u);  // left as it was
    name.assign("unchanged");
    EXPECT_TRUE(command->get_display_on(0, &none, name, &flags, guid_null));
    EXPECT_STREQ(name.c_str(), GetParam().display_name);

    Utf8String description("unchanged");
    EXPECT_FALSE(command->get_description(0, description));
}

TEST_P(ComponentServices, ContextCommandIsInertForAnEmptySelection) {
    auto* command = take<ContextMenuCommand>(context_at);
    PlayerTrackHandleList none(0);
    PlayerTrackHandleList one(1);
    command->execute(0, &none);
    command->execute(0, nullptr);
    command->execute_from(0, &none, guid_null);
    command->execute(1, &one);
    EXPECT_FALSE(editor_open());
    command->execute(0, &one);
    EXPECT_TRUE(editor_open());
}

TEST_P(ComponentServices, MainCommandOpensTheEditorAndTheQuitHookClosesIt) {
    auto* command = take<MainMenuCommand>(main_at);
    auto* hook = take<QuitHook>(quit_hook_at);
    PlayerTrackHandleList none(0);
    command->execute(1, &none);
    hook->on_init();
    hook->on_other();
    EXPECT_FALSE(editor_open());
    command->execute(0, &none);
    ASSERT_TRUE(editor_open());
    HWND window = host->editor_window();
    hook->on_other();
    EXPECT_TRUE(IsWindow(window));
    // The quit runs the window's destroy handling by message: the window
    // leaves the player's modeless registry.
    hook->on_quit();
    EXPECT_FALSE(editor_open());
    EXPECT_TRUE(host->modeless_windows().empty());
}

TEST_P(ComponentServices, ObserverHoldsTheNewTrackUntilQuit) {
    auto* observer = take<PlaybackObserver>(observer_at);
    auto* hook = take<QuitHook>(quit_hook_at);
    EXPECT_EQ(observer->query_events(), 0xFFFFFFFFu);
    player::PlayerTrack* track = host->track(host->add_track("file://C:\\music\\song.mp3", 180.0));
    ASSERT_NE(track, nullptr);

    observer->on_playback_starting();
    observer->on_new_track(track);
    EXPECT_EQ(track->outstanding(), 1);
    observer->on_playback_stop(0);
    observer->on_seek(12.5, 0);
    observer->on_pause(1);
    observer->on_edited(track);
    observer->on_dynamic_info(track, 0);
    observer->on_dynamic_track(track, 0, 0);
    observer->on_time(13.0);
    EXPECT_EQ(track->outstanding(), 1);  // the ignored notifications keep nothing

    hook->on_quit();
    EXPECT_EQ(track->outstanding(), 0);
    EXPECT_TRUE(track->faults.empty());
}

TEST_P(ComponentServices, PreferencesPageEntry) {
    auto* entry = take<PreferencesPageEntry>(page_at);
    EXPECT_STREQ(entry->get_page_name(), GetParam().component_name);
    EXPECT_STREQ(entry->get_parent_name(), "Components");

    HWND parent = CreateWindowExA(0, "STATIC", "settings", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(parent, nullptr);
    HWND page = entry->create_page(parent);
    EXPECT_NE(page, nullptr);
    EXPECT_EQ(GetParent(page), parent);
    DestroyWindow(parent);
}

TEST_P(ComponentServices, VersionRecordTexts) {
    auto* version = take<ComponentVersion>(version_at);
    Utf8String text("stale");
    version->get_file_name(text);
    EXPECT_STREQ(text.c_str(), GetParam().dll);
    version->get_component_name(text);
    EXPECT_STREQ(text.c_str(), GetParam().component_name);
    version->get_version(text);
    EXPECT_STREQ(text.c_str(), "0.15");
    version->get_about_text(text);
    std::string about = text.c_str();
    std::string head = std::string(GetParam().component_name) + " v0.15";
    EXPECT_EQ(about.compare(0, head.size(), head), 0) << about;
    EXPECT_GT(about.size(), head.size() + 1);
    // The editor's keys are listed.
    for (const char* key : {"Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"}) {
        EXPECT_NE(about.find(key), std::string::npos) << key << " in " << about;
    }

    // An empty name clears the copy; null behaves the same.
    component->client->set_module_paths("", "");
    text.assign("stale");
    version->get_file_name(text);
    EXPECT_STREQ(text.c_str(), "");
    component->client->set_module_paths("C:\\other\\x.dll", "x.dll");
    version->get_file_name(text);
    EXPECT_STREQ(text.c_str(), "x.dll");
    component->client->set_module_paths(nullptr, nullptr);
    version->get_file_name(text);
    EXPECT_STREQ(text.c_str(), "");

    component->client->set_host_flag(1);
    component->client->reset_configuration();
    version->get_component_name(text);
    EXPECT_STREQ(text.c_str(), GetParam().component_name);
}

TEST_P(ComponentServices, ConfigurationBlockRoundTripsThroughTheClient) {
    ASSERT_TRUE(host->save_configuration());
    std::vector<std::uint8_t> first = component->saved_block;
    ASSERT_FALSE(first.empty());
    std::string bytes(first.begin(), first.end());
    for (const char* key : {"lyric_tag_value", "lrc_suffix", "window_placement"}) {
        EXPECT_NE(bytes.find(key), std::string::npos) << key;
    }
    component->client->load_configuration(first.data(), static_cast<std::uint32_t>(first.size()));
    component->client->load_configuration(nullptr, 12);  // nothing to read
    component->client->load_configuration(first.data(), 3);  // cut short
    component->client->reset_configuration();
    ASSERT_TRUE(host->save_configuration());
    EXPECT_EQ(component->saved_block, first);
    component->client->save_configuration(nullptr);
}

TEST_P(ComponentServices, CarriesEveryTemplateTheIconAndItsVersionRecord) {
    HMODULE module = component->module;
    for (int id : {103, 112, 113, 114}) {
        SCOPED_TRACE(id);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)), nullptr);  // RT_DIALOG
    }
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(108), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON

    std::string path = beside_this_program(GetParam().dll);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    struct Translation {
        WORD language;
        WORD code_page;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof(Translation));
    bool chinese = std::string(GetParam().dll).find("_CH") != std::string::npos;
    EXPECT_EQ(translation->language, chinese ? 0x0804 : 0x0409);

    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\ProductName", translation->language,
                  translation->code_page);
    char* product = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, GetParam().component_name);
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\OriginalFilename", translation->language,
                  translation->code_page);
    ASSERT_TRUE(VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, GetParam().dll);
}

// A second export call (the same DLL loaded by a second player) sends later
// lookups to the newer registry; a service fetched before stays cached.
TEST_P(ComponentServices, SecondExportCallRedirectsLookups) {
    auto* command = take<MainMenuCommand>(main_at);
    PlayerTrackHandleList none(0);
    command->execute(0, &none);
    ASSERT_TRUE(editor_open());
    const int first_control_refs = host->control().refs;
    EXPECT_GT(first_control_refs, 1);  // the editor fetched and kept it
    take<QuitHook>(quit_hook_at)->on_quit();
    ASSERT_FALSE(editor_open());

    Player second;
    std::string error;
    ASSERT_TRUE(second.load_component(beside_this_program(GetParam().dll), error)) << error;
    command->execute(0, &none);
    second.pump();
    EXPECT_NE(second.editor_window(), nullptr);
    EXPECT_EQ(host->editor_window(), nullptr);
    EXPECT_EQ(second.control().refs, 1);  // never looked up: the first stays cached
    EXPECT_EQ(host->control().refs, first_control_refs);
    take<QuitHook>(quit_hook_at)->on_quit();
    second.pump();
    EXPECT_EQ(second.editor_window(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, ComponentServices, ::testing::ValuesIn(builds),
                         [](const ::testing::TestParamInfo<Build>& param) {
                             return std::string(param.index == 0 ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace versotime
