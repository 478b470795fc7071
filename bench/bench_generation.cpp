// A default run (128 x 64, the window's defaults) whole and phase by phase.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "export/listing.hpp"
#include "generator/maze_generator.hpp"
#include "generator/settings_intake.hpp"

namespace zxmaze {
namespace {

// The window's default texts; shows nothing.
class DefaultHost : public Host {
public:
    std::string listingPath = "labirint.txt";

    std::string SettingText(SettingField field) const override {
        static const char* const kDefaults[] = {"128", "64", "50", "90", "10", "50", "5", "100", "20", "2", "6", "1"};
        return kDefaults[static_cast<int>(field)];
    }
    std::string CodeText(CodeField field) const override { return std::to_string("012345"[static_cast<int>(field)] - '0'); }
    FileCoding Coding() const override { return FileCoding::fcBytePerCell; }
    bool StepByStep() const override { return false; }
    std::string ListingPath() const override { return listingPath; }
    void SetStatus(std::string_view) override {}
    void RepaintStatus() override {}
    void RefreshPicture(const Picture&) override {}
    void ShowError(std::string_view) override {}
};

void BM_DefaultRunListingInMemory(benchmark::State& state) {
    DefaultHost host;
    auto generator = std::make_unique<MazeGenerator>();
    std::uint64_t seed = 0;
    for (auto _ : state) {
        generator->Generate(host, seed++);
        const auto& settings = generator->Settings();
        std::string listing = FormatListing(generator->Grid(), settings.LastX, settings.LastY, host.Coding(),
                                            ReadCodeTexts(host));
        benchmark::DoNotOptimize(listing.data());
    }
}
BENCHMARK(BM_DefaultRunListingInMemory)->Unit(benchmark::kMicrosecond);

// Into a tmpfs folder where there is one, so the figure is the writer's cost, not the disk's.
void BM_DefaultRunListingToFile(benchmark::State& state) {
    const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string folder = (base / "zxmaze-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot make a folder");
        return;
    }
    DefaultHost host;
    host.listingPath = folder + "/labirint.txt";
    auto generator = std::make_unique<MazeGenerator>();
    std::uint64_t seed = 0;
    for (auto _ : state) generator->Run(host, seed++);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DefaultRunListingToFile)->Unit(benchmark::kMicrosecond);

// Runs the run's opening once per iteration outside the timing, then times `phase`.
template <typename Phase>
void TimePhase(benchmark::State& state, int phasesBefore, Phase phase) {
    DefaultHost host;
    auto generator = std::make_unique<MazeGenerator>();
    std::uint64_t seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        generator->Generate(host, seed);  // settles the settings and the picture
        generator->Random().Reseed(seed++);
        generator->ResetGrid();
        generator->OpenStartCell();
        if (phasesBefore >= 1) generator->PlaceHalls();
        if (phasesBefore >= 2) generator->GrowCorridors(host);
        state.ResumeTiming();
        phase(*generator, host);
    }
}

void BM_PhasePlaceHalls(benchmark::State& state) {
    TimePhase(state, 0, [](MazeGenerator& generator, Host&) { generator.PlaceHalls(); });
}
BENCHMARK(BM_PhasePlaceHalls)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_PhaseGrowCorridors(benchmark::State& state) {
    TimePhase(state, 1, [](MazeGenerator& generator, Host& host) { generator.GrowCorridors(host); });
}
BENCHMARK(BM_PhaseGrowCorridors)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_PhaseDecorateMaze(benchmark::State& state) {
    TimePhase(state, 2, [](MazeGenerator& generator, Host&) { generator.DecorateMaze(); });
}
BENCHMARK(BM_PhaseDecorateMaze)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_PhaseListing(benchmark::State& state) {
    DefaultHost host;
    auto generator = std::make_unique<MazeGenerator>();
    generator->Generate(host, 0);
    const auto texts = ReadCodeTexts(host);
    for (auto _ : state) {
        std::string listing = FormatListing(generator->Grid(), 127, 63, FileCoding::fcBytePerCell, texts);
        benchmark::DoNotOptimize(listing.data());
    }
}
BENCHMARK(BM_PhaseListing)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zxmaze
