// The window finder's matcher on typical titles and class names, and on a pattern that makes backtracking
// matchers explode, each beside glibc's fnmatch on the equivalent pattern in the same run.
#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <string>

#include "automation/pattern_match.h"

namespace {

struct Sample {
    const char* pattern;
    const char* text;
};

// Upper-cased, as the finder compares them.
constexpr Sample kTitle{"*DXVIEW INFO*", "DXVIEW INFO - VERSION 2.41 - LAST SPOT DL1ABC 14025.0"};
constexpr Sample kClass{"THUNDERRT6*", "THUNDERRT6FORMDC"};
constexpr Sample kClassMiss{"THUNDERRT6*", "#32770"};

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

void Ours(benchmark::State& state, const std::string& pattern, const std::string& text) {
    const std::wstring widePattern = Wide(pattern);
    const std::wstring wideText = Wide(text);
    for (auto _ : state) {
        // Compiled per call, as the finder compiles per search.
        benchmark::DoNotOptimize(tarvello::MatchesPattern(wideText, widePattern));
    }
}

void Fnmatch(benchmark::State& state, const std::string& pattern, const std::string& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(fnmatch(pattern.c_str(), text.c_str(), 0));
}

void OursPrecompiled(benchmark::State& state, const std::string& pattern, const std::string& text) {
    const tarvello::WildcardPattern compiled(Wide(pattern));
    const std::wstring wideText = Wide(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(compiled.Matches(wideText));
}

const std::string kManyA(10000, 'a');
constexpr const char* kStars = "*a*a*a*a*a*a*a*b";

}  // namespace

BENCHMARK_CAPTURE(Ours, title, kTitle.pattern, kTitle.text);
BENCHMARK_CAPTURE(Fnmatch, title, kTitle.pattern, kTitle.text);
BENCHMARK_CAPTURE(Ours, class_name, kClass.pattern, kClass.text);
BENCHMARK_CAPTURE(Fnmatch, class_name, kClass.pattern, kClass.text);
BENCHMARK_CAPTURE(Ours, class_name_miss, kClassMiss.pattern, kClassMiss.text);
BENCHMARK_CAPTURE(Fnmatch, class_name_miss, kClassMiss.pattern, kClassMiss.text);
BENCHMARK_CAPTURE(OursPrecompiled, title, kTitle.pattern, kTitle.text);
BENCHMARK_CAPTURE(Ours, stars_10000_a, kStars, kManyA)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Fnmatch, stars_10000_a, kStars, kManyA)->Unit(benchmark::kMicrosecond)->Iterations(1);

BENCHMARK_MAIN();
