// The LRC and code-page figures for the Win32 build, run under Wine: a small
// timing loop, since Google Benchmark is not built for MinGW here. Prints
// the best of several runs of each step on a generated 10 MB lyric text, and
// the whole-process time of versotime-lrc.exe write on the same text.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/lyric_document.h"
#include "host/system_code_page.h"
#include "host/text_convert.h"
#include "tests/common/typical_lrc.h"

namespace versotime {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double mb = 1024.0 * 1024.0;
constexpr int runs = 5;

// Best time of `runs` calls of `step`, in seconds; `prepare` runs untimed before each.
template <typename Prepare, typename Step>
double best_of(Prepare prepare, Step step) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const Clock::time_point start = Clock::now();
        step();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (seconds < best) best = seconds;
    }
    return best;
}

void report(const char* name, double bytes, double seconds) {
    std::printf("%-28s %9.1f ms %9.1f MB/s\n", name, seconds * 1000.0, bytes / mb / seconds);
}

// A Unix path under Wine's Z: drive.
std::string windows_path(const char* unix_path) {
    std::string path = "Z:";
    for (const char* p = unix_path; *p; ++p) path += *p == '/' ? '\\' : *p;
    return path;
}

// Whole process: start versotime-lrc.exe, read the file, write to NUL.
double tool_seconds(const std::string& tool, const std::string& input) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE null_out = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    if (null_out == INVALID_HANDLE_VALUE) return -1;
    std::string command = "\"" + tool + "\" write \"" + input + "\"";
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = null_out;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION process = {};
        std::vector<char> line(command.begin(), command.end());
        line.push_back(0);
        const Clock::time_point start = Clock::now();
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            best = -1;
            break;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (code != 0) {
            best = -1;
            break;
        }
        if (seconds < best) best = seconds;
    }
    CloseHandle(null_out);
    return best;
}

int run() {
    const unsigned code_page = system_code_page();
    const auto typical = testing_support::typical_lrc(
        10 * 1024 * 1024, 2026, code_page == 936 ? testing_support::chinese_word : testing_support::latin_word);
    const std::string& text = typical.text;
    const auto size = static_cast<std::uint32_t>(text.size());
    std::printf("10 MB lyric text: %u bytes, %d lines; system code page %u; best of %d runs\n", size,
                typical.lines, code_page, runs);

    LyricDocument* document = nullptr;
    const double read = best_of(
        [&] {
            delete document;
            document = new LyricDocument;
        },
        [&] { document->read_lrc(text.data(), size); });
    report("read_lrc (empty document)", text.size(), read);
    report("read_lrc (replacing)", text.size(), best_of([] {}, [&] { document->read_lrc(text.data(), size); }));

    Utf8String written;
    const double write = best_of([&] { written.truncate(0); }, [&] { document->write_lrc(0, written); });
    report("write_lrc", written.length(), write);

    // 16 MB of line feeds: 16.8 million empty lines.
    const std::string line_feeds(16u << 20, '\n');
    report("read_lrc (16 MB line feeds)", line_feeds.size(),
           best_of([&] { document->clear(); },
                   [&] { document->read_lrc(line_feeds.data(), static_cast<std::uint32_t>(line_feeds.size())); }));
    delete document;

    std::vector<char> system(text.size() + 1);
    std::uint32_t system_size = 0;
    const double to_system = best_of(
        [] {}, [&] { system_size = convert_utf8_to_system(text.data(), system.data(), size); });
    report("UTF-8 to system code page", text.size(), to_system);
    std::vector<char> utf8(3 * std::size_t{system_size} + 1);
    const double from_system = best_of(
        [] {}, [&] { convert_system_to_utf8(system.data(), utf8.data(), system_size); });
    report("system code page to UTF-8", system_size, from_system);

    const std::string input_unix = std::string(VERSOTIME_BENCH_DIR) + "/typical-10mb.lrc";
    FILE* file = std::fopen(windows_path(input_unix.c_str()).c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fclose(file) != 0) {
        std::printf("cannot write %s\n", input_unix.c_str());
        return 1;
    }
    const double tool = tool_seconds(windows_path(VERSOTIME_LRC_TOOL), windows_path(input_unix.c_str()));
    if (tool < 0) {
        std::printf("versotime-lrc.exe write failed\n");
    } else {
        std::printf("%-28s %9.1f ms (whole process)\n", "versotime-lrc.exe write", tool * 1000.0);
    }
    DeleteFileA(windows_path(input_unix.c_str()).c_str());
    return 0;
}

}  // namespace
}  // namespace versotime

int main() { return versotime::run(); }
