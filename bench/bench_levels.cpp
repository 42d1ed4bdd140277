// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading level texts, and loading the built-in one into the collection.
#include "global.h"
#include "ulevels.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

// 280 levels of about 360 bytes each, shaped like the built-in set.
std::string SyntheticText()
{
    std::string text;
    for (int level = 0; level < 280; ++level) {
        text += "[LEVEL]\r\n";
        for (int row = 0; row < 11; ++row) {
            std::string line = "  #";
            for (int x = 0; x < 14; ++x)
                line += " .$@*#"[(level + row * 7 + x * 3) % 6];
            text += line + "#\r\n";
        }
        text += "Author=Equipe Vorkade\r\nTitle=NIVEAU " + std::to_string(level) +
                "\r\nCollection=MONDE\r\nAuthorMail=equipe@example.org\r\n"
                "AuthorPage=https://www.example.org/\r\nDate=2026-12-07\r\n[/LEVEL]\r\n";
    }
    return text;
}

void BM_ReadLevels(benchmark::State &state)
{
    const std::string text = SyntheticText();
    std::size_t levels = 0;
    for (auto _ : state) {
        const std::vector<TLevel> read = ReadLevels(text);
        benchmark::DoNotOptimize(read.data());
        levels = read.size();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["levels"] = double(levels);
    state.counters["bytes"] = double(text.size());
}

BENCHMARK(BM_ReadLevels)->Unit(benchmark::kMicrosecond);

void BM_LoadLevels(benchmark::State &state)
{
    for (auto _ : state) {
        LoadLevels();
        benchmark::DoNotOptimize(Levels.data());
    }
    state.counters["levels"] = LevelCount;
}

BENCHMARK(BM_LoadLevels)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
