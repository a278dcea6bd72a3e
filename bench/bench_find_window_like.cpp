// FindWindowLike over a simulated desktop of 10,000 windows: 100 top-level windows with 99 descendants
// each, in three levels; reported per visited window.
#include <benchmark/benchmark.h>

#include <string>

#include "automation/window_finder.h"
#include "platform/sim/sim_window_tree.h"

namespace {

void BuildDesktop(tarvello::sim::SimWindowTree& tree) {
    for (int t = 0; t < 100; ++t) {
        const auto top = tree.AddWindow(0, L"Form " + std::to_wstring(t), L"ThunderRT6FormDC");
        for (int f = 0; f < 9; ++f) {
            const auto frame = tree.AddWindow(top, L"Frame " + std::to_wstring(f), L"ThunderRT6Frame");
            for (int c = 0; c < 10; ++c)
                tree.AddWindow(frame, L"", L"ThunderRT6TextBox");
        }
    }
    tree.AddWindow(0, L"DXView Info", L"ThunderRT6Main");
}

void FindWindowLikeOver10000(benchmark::State& state) {
    tarvello::sim::SimWindowTree tree;
    BuildDesktop(tree);
    tarvello::WindowFinder finder(tree);
    tarvello::MatchTable table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(finder.FindWindowLike(table, 0, L"*DXView Info*", L"ThunderRT6*"));
    }
    state.SetItemsProcessed(state.iterations() * 10001);  // items/s: visited windows per second
}

}  // namespace

BENCHMARK(FindWindowLikeOver10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
