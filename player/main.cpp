// versotime_player --component DLL [--component DLL2] [--config FILE] --script FILE
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "player/player.h"
#include "player/scenario.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: versotime_player --component DLL [--component DLL ...] [--config FILE] --script FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> components;
    std::string config;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) return usage();
        if (arg == "--component")
            components.push_back(argv[++i]);
        else if (arg == "--config")
            config = argv[++i];
        else if (arg == "--script")
            script = argv[++i];
        else
            return usage();
    }
    if (script.empty()) return usage();

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
    int result = 0;
    {
        versotime::player::Scenario scenario(player, script);
        result = scenario.run();
    }
    player.unload_components();
    std::fflush(stdout);
    return result;
}
