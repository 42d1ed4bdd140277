// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// levelgen: makes the built-in level set and its solutions, or checks the committed
// files against a fresh run.
//
//   levelgen [--root DIR] [--threads N] [--progress]     write the whole set
//   levelgen --check [--first N] [--last M] [--root DIR]  compare levels N..M with DIR's files
//   levelgen --effort [--first N] [--last M] [--root DIR] the planner's D and N< of DIR's levels
//
// Exit status: 0 done (or the files match), 1 the files differ or a file could not be
// read or written, 2 a bad argument.
#include "chambers.h"
#include "effort.h"
#include "levelset.h"
#include "puzzle.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace levelgen
{

namespace
{

struct TOptions {
    std::string Root = VORKADE_SOURCE_DIR;
    int Threads = 2;
    int First = 1;
    int Last = LevelTotal;
    bool Check = false;
    bool Effort = false;
    bool Progress = false;
};

const char *const Usage =
    "levelgen [--check | --effort [--first N] [--last M]] [--root DIR] [--threads N] "
    "[--progress]";
const char *const TextFile = "/resources/niveaux.txt";
const char *const SolutionsFile = "/resources/niveaux-solutions.txt";
const char *const DocsFile = "/docs/levels.md";
const char *const TableBegin = "<!-- levelgen statistics begin -->\n";
const char *const TableEnd = "<!-- levelgen statistics end -->\n";

// Each option sets one field: a flag by its name alone, a text or a whole number from
// the argument after it.
struct TOptionRule {
    const char *Name;
    bool TOptions::*Flag = nullptr;
    std::string TOptions::*Text = nullptr;
    int TOptions::*Number = nullptr;
};

const TOptionRule OptionRules[] = {
    {.Name = "--check", .Flag = &TOptions::Check},
    {.Name = "--effort", .Flag = &TOptions::Effort},
    {.Name = "--progress", .Flag = &TOptions::Progress},
    {.Name = "--root", .Text = &TOptions::Root},
    {.Name = "--threads", .Number = &TOptions::Threads},
    {.Name = "--first", .Number = &TOptions::First},
    {.Name = "--last", .Number = &TOptions::Last},
};

bool ReadNumber(const char *text, int &number)
{
    const char *const end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, number);
    return error == std::errc() && stop == end;
}

// What is wrong with the arguments, in a few words; empty when nothing is.
std::string ArgumentFault(int argc, char **argv, TOptions &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const TOptionRule *const rule =
            std::find_if(std::begin(OptionRules), std::end(OptionRules),
                         [&](const TOptionRule &candidate) { return name == candidate.Name; });
        if (rule == std::end(OptionRules))
            return "unknown argument \"" + name + "\"";
        if (rule->Flag != nullptr) {
            options.*rule->Flag = true;
            continue;
        }
        if (i + 1 == argc)
            return name + " wants a value";
        const char *const value = argv[++i];
        if (rule->Text != nullptr)
            options.*rule->Text = value;
        else if (!ReadNumber(value, options.*rule->Number))
            return name + " wants a whole number, not \"" + value + "\"";
    }
    if (options.Threads < 1)
        return "--threads wants at least 1";
    if (options.First < 1 || options.First > options.Last || options.Last > LevelTotal)
        return "the levels run from 1 to " + std::to_string(LevelTotal) +
               ", --first no further than --last";
    if (!options.Check && !options.Effort && (options.First != 1 || options.Last != LevelTotal))
        return "a part of the set can only be checked (--check)";
    return {};
}

std::optional<std::string> ReadFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    return text;
}

bool WriteFile(const std::string &path, const std::string &text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    return !file.fail();
}

// The committed text's blocks and solution lines for the range, in the same shape
// the generator writes them.
std::string Committed(const std::string &text, const std::string &opener, int first, int last)
{
    std::size_t begin = 0;
    for (int number = 1; number < first && begin != std::string::npos; ++number)
        begin = text.find(opener, begin + 1);
    std::size_t end = begin;
    for (int number = first; number <= last && end != std::string::npos; ++number)
        end = text.find(opener, end + 1);
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin);
}

std::string WithTable(const std::string &docs, const std::string &table)
{
    const std::size_t begin = docs.find(TableBegin);
    const std::size_t end = docs.find(TableEnd);
    if (begin == std::string::npos || end == std::string::npos)
        return docs + "\n" + TableBegin + table + TableEnd;
    return docs.substr(0, begin + std::strlen(TableBegin)) + table + docs.substr(end);
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The files a run reads, read before the minutes of making levels: the committed text
// and solutions for a check, the docs page (kept around its table) for a write.
struct TInputs {
    std::string Text;
    std::string Solutions;
    std::string Docs;
};

std::optional<TInputs> ReadInputs(const TOptions &options)
{
    TInputs inputs;
    const std::pair<const char *, std::string *> reads[] = {
        {TextFile, &inputs.Text},
        {SolutionsFile, &inputs.Solutions},
        {DocsFile, &inputs.Docs},
    };
    for (const auto &[file, into] : reads) {
        const bool wanted = options.Check || options.Effort ? file != DocsFile : file == DocsFile;
        if (!wanted)
            continue;
        std::optional<std::string> text = ReadFile(options.Root + file);
        if (!text) {
            std::fprintf(stderr, "levelgen: cannot read %s\n", (options.Root + file).c_str());
            return std::nullopt;
        }
        *into = std::move(*text);
    }
    return inputs;
}

// Whether the committed files hold the levels exactly as made.
bool Matches(const TOptions &options, const TInputs &committed, const std::string &text,
             const std::string &solutions)
{
    return Committed(committed.Text, "[LEVEL]\r\n", options.First, options.Last) == text &&
           Committed("\n" + committed.Solutions, "\n", options.First, options.Last) ==
               "\n" + solutions.substr(0, solutions.size() - 1);
}

bool WriteAll(const TOptions &options, const std::string &docs, const std::string &text,
              const std::string &solutions)
{
    const std::pair<const char *, const std::string *> writes[] = {
        {TextFile, &text},
        {SolutionsFile, &solutions},
        {DocsFile, &docs},
    };
    for (const auto &[file, contents] : writes) {
        if (!WriteFile(options.Root + file, *contents)) {
            std::fprintf(stderr, "levelgen: cannot write %s\n", (options.Root + file).c_str());
            return false;
        }
    }
    return true;
}

// The grid rows of each block of a level text.
std::vector<std::vector<std::string>> GridsOf(const std::string &text)
{
    std::vector<std::vector<std::string>> grids;
    std::size_t at = 0;
    while ((at = text.find("[LEVEL]\r\n", at)) != std::string::npos) {
        at += 9;
        std::vector<std::string> rows;
        for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            const std::string row = text.substr(at, end - at);
            if (row.find('=') != std::string::npos || row.find('[') != std::string::npos)
                break;
            rows.push_back(row);
        }
        grids.push_back(rows);
    }
    return grids;
}

int MeasureCommitted(const TOptions &options, const std::string &text)
{
    const std::vector<std::vector<std::string>> grids = GridsOf(text);
    std::printf("level boxes pushes D N< expanded-in-this-order size time\n");
    for (int number = options.First; number <= options.Last; ++number) {
        if (number > static_cast<int>(grids.size())) {
            std::fprintf(stderr, "levelgen: the level text holds only %zu levels\n", grids.size());
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        const TPuzzle puzzle = TPuzzle::FromRows(grids[number - 1]);
        const bool chambered = number == WideLevel || number == TallLevel;
        const TEffort effort = chambered ? MeasureChambers(grids[number - 1], number == WideLevel)
                                         : MeasureEffort(puzzle, 8'000'000);
        std::size_t width = 0;
        for (const std::string &row : grids[number - 1])
            width = std::max(width, row.size());
        std::printf("%3d %2zu %3d %3d %9lld %9lld%s %2zux%-2zu %.1f s\n", number,
                    puzzle.Boxes.size(), effort.Pushes, effort.Detour,
                    static_cast<long long>(effort.BelowOptimum),
                    static_cast<long long>(effort.Expanded), effort.Complete ? " " : "+", width,
                    grids[number - 1].size(), SecondsSince(start));
        std::fflush(stdout);
    }
    return 0;
}

int Run(const TOptions &options)
{
    const std::optional<TInputs> inputs = ReadInputs(options);
    if (!inputs)
        return 1;
    if (options.Effort)
        return MeasureCommitted(options, inputs->Text);
    const auto start = std::chrono::steady_clock::now();
    std::mutex printing;
    const auto progress = [&](int number, const TMadeLevel &level) {
        const std::lock_guard<std::mutex> lock(printing);
        std::fprintf(stderr,
                     "%6.1f s  level %3d: %2d boxes, %3d pushes, D %2d, N< %lld, %zu x %zu, "
                     "%lld states\n",
                     SecondsSince(start), number, level.Boxes, level.Pushes, level.Detour,
                     static_cast<long long>(level.BelowOptimum), level.Rows[0].size(),
                     level.Rows.size(), static_cast<long long>(level.StatesSearched));
    };
    // A check of a part takes the levels before it from the committed text, for the
    // duplicates, instead of making them again.
    const std::vector<TMadeLevel> levels =
        MakeLevels(MasterSeed, options.First, options.Last, options.Threads,
                   options.Progress ? progress : std::function<void(int, const TMadeLevel &)>(),
                   options.Check ? GridsOf(inputs->Text) : std::vector<std::vector<std::string>>());
    std::string text, solutions;
    std::int64_t states = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const int number = options.First + static_cast<int>(i);
        text += LevelBlock(levels[i], LevelInfoOf(MasterSeed, number));
        solutions += SolutionLine(number, levels[i]);
        states += levels[i].StatesSearched;
    }
    std::printf("levels %d..%d: %.1f s, %lld states searched\n", options.First, options.Last,
                SecondsSince(start), static_cast<long long>(states));
    if (!options.Check) {
        const std::string docs = WithTable(inputs->Docs, StatisticsTable(levels));
        return WriteAll(options, docs, text, solutions) ? 0 : 1;
    }
    const bool same = Matches(options, *inputs, text, solutions);
    std::printf(same ? "the committed files match\n" : "the committed files differ\n");
    return same ? 0 : 1;
}

} // namespace

} // namespace levelgen

int main(int argc, char **argv)
{
    levelgen::TOptions options;
    const std::string fault = levelgen::ArgumentFault(argc, argv, options);
    if (!fault.empty()) {
        std::fprintf(stderr, "levelgen: %s (usage: %s)\n", fault.c_str(), levelgen::Usage);
        return 2;
    }
    try {
        return levelgen::Run(options);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "levelgen: %s\n", failure.what());
        return 1;
    }
}
