// Throughput of the LRC reader and writer and of the system-code-page
// conversions on a generated 10 MB lyric text, the heap traffic of a read,
// and the whole-process time of versotime-lrc write on the same text.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/lyric_document.h"
#include "host/system_code_page.h"
#include "host/text_convert.h"
#include "tests/bench/heap_counter.h"
#include "tests/common/typical_lrc.h"

extern char** environ;

namespace versotime {
namespace {

constexpr std::size_t text_bytes = 10 * 1024 * 1024;
constexpr double mb = 1024.0 * 1024.0;

const testing_support::TypicalLrc& typical_text() {
    static const testing_support::TypicalLrc text = testing_support::typical_lrc(text_bytes);
    return text;
}

// Reads of `text`, each into a new document; making and destroying the
// document are not timed.
void time_reads_into_new_documents(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        state.PauseTiming();
        auto* document = new LyricDocument;
        state.ResumeTiming();
        benchmark::DoNotOptimize(document->read_lrc(text.data(), static_cast<std::uint32_t>(text.size())));
        state.PauseTiming();
        delete document;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Into an empty document, as after the editor opens.
void read_lrc(benchmark::State& state) {
    const std::string& text = typical_text().text;
    time_reads_into_new_documents(state, text);
}
BENCHMARK(read_lrc)->Unit(benchmark::kMillisecond);

// Into a document that holds the previous read, which is destroyed first:
// the cost of a second "Read Lyrics From File..".
void read_lrc_replacing(benchmark::State& state) {
    const std::string& text = typical_text().text;
    LyricDocument document;
    document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size())));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(read_lrc_replacing)->Unit(benchmark::kMillisecond);

void write_lrc(benchmark::State& state) {
    const std::string& text = typical_text().text;
    LyricDocument document;
    document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size()));
    std::uint32_t written = 0;
    for (auto _ : state) {
        Utf8String out;
        benchmark::DoNotOptimize(document.write_lrc(0, out));
        written = out.length();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(write_lrc)->Unit(benchmark::kMillisecond);

// One read on the side, with the heap counted: allocations per line and the
// peak heap held by the document (and by a write of it) per MB of text.
void read_lrc_heap(benchmark::State& state) {
    const testing_support::TypicalLrc& typical = typical_text();
    const std::string& text = typical.text;
    double per_line = 0, read_peak = 0, write_peak = 0;
    for (auto _ : state) {
        LyricDocument document;
        bench::start_heap_counts();
        const std::int64_t base = bench::heap_counts().live_bytes;
        document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size()));
        const bench::HeapCounts after_read = bench::heap_counts();
        per_line = static_cast<double>(after_read.allocations) / document.line_count();
        read_peak = static_cast<double>(after_read.peak_bytes - base);
        bench::start_heap_counts();
        const std::int64_t held = bench::heap_counts().live_bytes;
        {
            Utf8String out;
            document.write_lrc(0, out);
        }
        write_peak = static_cast<double>(bench::heap_counts().peak_bytes - held);
        bench::stop_heap_counts();
    }
    state.counters["allocs_per_line"] = per_line;
    state.counters["read_peak_per_MB"] = read_peak / (text.size() / mb);
    state.counters["write_peak_per_MB"] = write_peak / (text.size() / mb);
    state.counters["lines"] = typical.lines;
}
BENCHMARK(read_lrc_heap)->Unit(benchmark::kMillisecond)->Iterations(3);

// A single line of 100,000 tags: rebuilding its tag text must stay linear.
void read_long_tag_run(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "[01:02.50]";
    text += "end";
    for (auto _ : state) {
        LyricDocument document;
        benchmark::DoNotOptimize(document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size())));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(read_long_tag_run)->Unit(benchmark::kMillisecond);

// 16 MB of line feeds: 16.8 million empty lines. The read's speed, and the
// document memory each empty line costs (heap held after the read).
void read_line_feeds(benchmark::State& state) {
    const std::string text(16u << 20, '\n');
    time_reads_into_new_documents(state, text);
    LyricDocument document;
    bench::start_heap_counts();
    const std::int64_t base = bench::heap_counts().live_bytes;
    document.read_lrc(text.data(), static_cast<std::uint32_t>(text.size()));
    const std::int64_t held = bench::heap_counts().live_bytes - base;
    bench::stop_heap_counts();
    state.counters["bytes_per_empty_line"] = static_cast<double>(held) / document.line_count();
    state.counters["lines"] = document.line_count();
}
BENCHMARK(read_line_feeds)->Unit(benchmark::kMillisecond);

// UTF-8 to and from the system code page, with text that code page can hold.
void utf8_to_system(benchmark::State& state) {
    const unsigned code_page = static_cast<unsigned>(state.range(0));
    set_system_code_page(code_page);
    const std::string text = testing_support::typical_lrc(
        text_bytes, 2026, code_page == 936 ? testing_support::chinese_word : testing_support::latin_word).text;
    std::vector<char> out(text.size() + 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            convert_utf8_to_system(text.data(), out.data(), static_cast<std::uint32_t>(text.size())));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    set_system_code_page(1252);
}
BENCHMARK(utf8_to_system)->Arg(1252)->Arg(936)->Unit(benchmark::kMillisecond);

void system_to_utf8(benchmark::State& state) {
    const unsigned code_page = static_cast<unsigned>(state.range(0));
    set_system_code_page(code_page);
    const std::string utf8 = testing_support::typical_lrc(
        text_bytes, 2026, code_page == 936 ? testing_support::chinese_word : testing_support::latin_word).text;
    std::vector<char> system(utf8.size() + 1);
    system.resize(convert_utf8_to_system(utf8.data(), system.data(), static_cast<std::uint32_t>(utf8.size())));
    std::vector<char> out(3 * system.size() + 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            convert_system_to_utf8(system.data(), out.data(), static_cast<std::uint32_t>(system.size())));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * system.size()));
    set_system_code_page(1252);
}
BENCHMARK(system_to_utf8)->Arg(1252)->Arg(936)->Unit(benchmark::kMillisecond);

#ifdef VERSOTIME_LRC_TOOL
// The whole process: start, read the 10 MB file, write LRC to /dev/null.
void versotime_lrc_write(benchmark::State& state) {
    const std::string path = std::string(VERSOTIME_BENCH_DIR) + "/typical-10mb.lrc";
    {
        const std::string& text = typical_text().text;
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fclose(file) != 0) {
            state.SkipWithError("cannot write the input file");
            return;
        }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char tool[] = VERSOTIME_LRC_TOOL;
    char command[] = "write";
    std::vector<char> file(path.begin(), path.end());
    file.push_back(0);
    char* argv[] = {tool, command, file.data(), nullptr};
    for (auto _ : state) {
        pid_t pid;
        int status = 0;
        if (posix_spawn(&pid, tool, &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("versotime-lrc write failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    std::remove(path.c_str());
}
BENCHMARK(versotime_lrc_write)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
}  // namespace versotime

BENCHMARK_MAIN();
