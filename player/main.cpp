// versotime_player --component DLL [--component DLL2] [--config FILE] --script FILE
// versotime_player --component DLL [--config FILE] [--track LOCATION SECONDS [--meta NAME=VALUE]...]...
//   without a script: the interactive window.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "player/main_window.h"
#include "player/player.h"
#include "player/scenario.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: versotime_player --component DLL [--component DLL ...] [--config FILE] --script FILE\n"
                 "       versotime_player --component DLL ... [--config FILE]"
                 " [--track LOCATION SECONDS [--meta NAME=VALUE]...]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> components;
    std::string config;
    std::string script;
    struct Track {
        std::string location;
        double length;
        std::vector<std::string> meta;
    };
    std::vector<Track> tracks;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) return usage();
        if (arg == "--component") {
            components.push_back(argv[++i]);
        } else if (arg == "--config") {
            config = argv[++i];
        } else if (arg == "--script") {
            script = argv[++i];
        } else if (arg == "--track" && i + 2 < argc) {
            tracks.push_back({argv[i + 1], std::atof(argv[i + 2]), {}});
            i += 2;
        } else if (arg == "--meta" && !tracks.empty() && std::strchr(argv[i + 1], '=')) {
            tracks.back().meta.push_back(argv[++i]);
        } else {
            return usage();
        }
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    versotime::player::Player player;
    player.set_config_path(config);
    for (const std::string& path : components) {
        std::string error;
        if (!player.load_component(path, error)) {
            std::printf("%s:0: %s\n", script.c_str(), error.c_str());
            return 1;
        }
    }
    if (script.empty()) {
        for (const Track& t : tracks) {
            int index = player.add_track(t.location, t.length);
            for (const std::string& field : t.meta) {
                std::size_t eq = field.find('=');
                player.track(index)->data.meta_add(field.substr(0, eq).c_str(), field.substr(eq + 1).c_str());
            }
        }
        if (!versotime::player::create_main_window(player)) return 1;
        player.run_until_quit();
        player.unload_components();
        return 0;
    }
    int result = 0;
    {
        versotime::player::Scenario scenario(player, script);
        result = scenario.run();
    }
    player.unload_components();
    std::fflush(stdout);
    return result;
}
