// The two menu commands that open the editor: one in the player's main menu,
// one in the context menu of a track list. Both share one class identifier.
#pragma once

#include "host/service_base.h"

namespace versotime {

class MainMenuCommandService final : public CountedService<MainMenuCommand> {
public:
    Service* query_interface(const Guid& id) override;

    int query_value(int value) override;
    int get_kind() override;
    int get_item_count() override;
    void get_item_path(int index, Utf8StringInterface& out) override;
    bool get_display(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                     unsigned* out_flags) override;
    void execute(int index, const TrackHandleList* tracks) override;
    bool get_description(int index, Utf8StringInterface& out) override;
    int query_value_b(int value) override;
    bool get_display_from(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                          unsigned* out_flags, const Guid& caller) override;
    void execute_from(int index, const TrackHandleList* tracks, const Guid& caller) override;
    bool query_pair(int a, int b) override;

    void execute_item(int index) override;
    bool is_item_flag_a(int index) override;
    bool is_item_flag_b(int index) override;
    bool is_item_available(int index) override;
    bool flag_a() override;
    bool flag_b() override;
    bool get_single_description(Utf8StringInterface& out) override;
    void get_single_path(Utf8StringInterface& out) override;
    void run() override;
};

class ContextMenuCommandService final : public CountedService<ContextMenuCommand> {
public:
    Service* query_interface(const Guid& id) override;

    int query_value(int value) override;
    int get_kind() override;
    int get_item_count() override;
    void get_item_path(int index, Utf8StringInterface& out) override;
    bool get_display(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                     unsigned* out_flags) override;
    void execute(int index, const TrackHandleList* tracks) override;
    bool get_description(int index, Utf8StringInterface& out) override;
    int query_value_b(int value) override;
    bool get_display_from(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                          unsigned* out_flags, const Guid& caller) override;
    void execute_from(int index, const TrackHandleList* tracks, const Guid& caller) override;
    bool query_pair(int a, int b) override;

    bool query_pair_b(int a, int b) override;
    void execute_on(int index, const TrackHandleList* tracks, const Guid& caller) override;
    bool get_display_on(int index, const TrackHandleList* tracks, Utf8StringInterface& out_name,
                        unsigned* out_flags, const Guid& caller) override;
};

}  // namespace versotime
