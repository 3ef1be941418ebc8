// How long start-up spends loading the rule tables of the shipped config.sco, and the set-up
// screen's OK reading one nationality for a date, beside the time it takes merely to read those files'
// bytes. Each load reads its file's bytes once; the ratio shows what the parsing costs over that one
// plain read (the target is at most 3).
#include "data/NationalityFile.h"
#include "data/State.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace dorva::data;
namespace fs = std::filesystem;

constexpr std::int32_t kGameDate = 194306;
std::string gNationality; // the first shipped nationality by name

void LoadTableStore(benchmark::State& state) {
    const std::string path = SupportPath("config.sco");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadTableStore(path));
    }
}

// The plain read of a file's bytes that a load is measured against.
void ReadBytes(benchmark::State& state, const std::string& supportPath) {
    const fs::path file = ResolveSupportPath(supportPath);
    std::string bytes;
    for (auto _ : state) {
        ReadFileBytes(file, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void LoadNationality(benchmark::State& state) {
    for (auto _ : state) {
        ReadScenarioTables(gNationality, kGameDate);
        benchmark::ClobberMemory();
    }
}

// Keeps the mean time of each benchmark so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    // The shipped files stand beside the program, as they do for dorva2.
    std::error_code ec;
    gProgramFolder = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path support = gProgramFolder / kSupportFolder;
    if (!SupportFileExists(SupportPath("config.sco"))) {
        std::fprintf(stderr, "dorva-bench-load: no config.sco in %s; build the support files first\n",
                     support.string().c_str());
        return 1;
    }
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(support, ec)) {
        if (entry.path().extension() == ".sdf") {
            names.push_back(entry.path().stem().string());
        }
    }
    if (names.empty()) {
        std::fprintf(stderr, "dorva-bench-load: no nationality file in %s\n", support.string().c_str());
        return 1;
    }
    gNationality = *std::min_element(names.begin(), names.end());

    benchmark::RegisterBenchmark("LoadTableStore", LoadTableStore);
    benchmark::RegisterBenchmark("ReadTableFileBytes", ReadBytes, SupportPath("config.sco"));
    benchmark::RegisterBenchmark(("LoadNationality/" + gNationality).c_str(), LoadNationality);
    benchmark::RegisterBenchmark(("ReadNationalityFileBytes/" + gNationality).c_str(), ReadBytes,
                                 NationalityPath(gNationality));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ratio = [&](const std::string& load, const std::string& bytes) {
        const auto l = reporter.seconds.find(load);
        const auto b = reporter.seconds.find(bytes);
        if (l != reporter.seconds.end() && b != reporter.seconds.end() && b->second > 0) {
            std::printf("%-28s %8.1f x the time to read the bytes (%.1f us against %.1f us; target 3 x)\n",
                        load.c_str(), l->second / b->second, l->second * 1e6, b->second * 1e6);
        }
    };
    ratio("LoadTableStore", "ReadTableFileBytes");
    ratio("LoadNationality/" + gNationality, "ReadNationalityFileBytes/" + gNationality);
    return 0;
}
