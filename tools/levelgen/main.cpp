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
#include "ulevels.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
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

// The blocks of levels first..last of a level text, as the game's reader cuts them;
// fewer when the text holds fewer.
std::vector<TLines> BlocksOf(std::string_view text, int first, int last)
{
    std::vector<TLines> blocks = LevelBlocks(SplitLines(text));
    blocks.erase(blocks.begin() + std::min<std::size_t>(last, blocks.size()), blocks.end());
    blocks.erase(blocks.begin(), blocks.begin() + std::min<std::size_t>(first - 1, blocks.size()));
    return blocks;
}

// Whether the committed solution lines of levels first..last are the made ones.
bool SameSolutions(const std::string &committed, const std::vector<TMadeLevel> &levels, int first)
{
    const std::optional<std::vector<TSolution>> lines = ParseSolutions(committed);
    if (!lines || lines->size() < first - 1 + levels.size())
        return false;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const TSolution &line = (*lines)[first - 1 + i];
        if (line.Level != first + static_cast<int>(i) || line.Moves != levels[i].Solution)
            return false;
    }
    return true;
}

// Whether the committed files hold the levels exactly as made: the whole set byte for
// byte, a part line for line within its blocks and solution lines.
bool Matches(const TOptions &options, const TInputs &committed,
             const std::vector<TMadeLevel> &levels, const std::string &text,
             const std::string &solutions)
{
    if (options.First == 1 && options.Last == LevelTotal)
        return committed.Text == text && committed.Solutions == solutions;
    return BlocksOf(committed.Text, options.First, options.Last) ==
               BlocksOf(text, 1, static_cast<int>(levels.size())) &&
           SameSolutions(committed.Solutions, levels, options.First);
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

int MeasureCommitted(const TOptions &options, const std::string &text)
{
    const std::vector<TLevel> levels = ReadLevels(text);
    std::printf("level boxes pushes D N< expanded-in-this-order size time\n");
    for (int number = options.First; number <= options.Last; ++number) {
        if (number > static_cast<int>(levels.size())) {
            std::fprintf(stderr, "levelgen: the level text holds only %zu levels\n", levels.size());
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        const TLevel &level = levels[number - 1];
        const std::vector<std::string> rows = TabloRows(level.Tablo, level.Width, level.Height);
        const TPuzzle puzzle = TPuzzle::FromRows(rows);
        const bool chambered = number == WideLevel || number == TallLevel;
        const TEffort effort = chambered ? MeasureChambers(rows, number == WideLevel)
                                         : MeasureEffort(puzzle, 8'000'000);
        std::printf("%3d %2zu %3d %3d %9lld %9lld%s %2dx%-2d %.1f s\n", number, puzzle.Boxes.size(),
                    effort.Pushes, effort.Detour, static_cast<long long>(effort.BelowOptimum),
                    static_cast<long long>(effort.Expanded), effort.Complete ? " " : "+",
                    level.Width, level.Height, SecondsSince(start));
        std::fflush(stdout);
    }
    return 0;
}

// What a run made: the levels of its range and their text and solution lines.
struct TMadeSet {
    std::vector<TMadeLevel> Levels;
    std::string Text;
    std::string Solutions;
    std::int64_t States = 0;
};

// Tells each level as it is done, from the worker threads, one line at a time.
class TProgress
{
public:
    explicit TProgress(std::chrono::steady_clock::time_point start) : myStart(start) {}

    void operator()(int number, const TMadeLevel &level)
    {
        const std::lock_guard<std::mutex> lock(myPrinting);
        std::fprintf(stderr,
                     "%6.1f s  level %3d: %2d boxes, %3d pushes, D %2d, N< %lld, %zu x %zu, "
                     "%lld states\n",
                     SecondsSince(myStart), number, level.Boxes, level.Pushes, level.Detour,
                     static_cast<long long>(level.BelowOptimum), level.Rows[0].size(),
                     level.Rows.size(), static_cast<long long>(level.StatesSearched));
    }

private:
    std::chrono::steady_clock::time_point myStart;
    std::mutex myPrinting;
};

TMadeSet MakeSet(const TOptions &options, const TInputs &inputs,
                 std::chrono::steady_clock::time_point start)
{
    TProgress progress(start);
    std::function<void(int, const TMadeLevel &)> tell;
    if (options.Progress)
        tell = std::ref(progress);
    TMadeSet made;
    // A check of a part takes the levels before it from the committed text, for the
    // duplicates, instead of making them again.
    made.Levels = MakeLevels(MasterSeed, options.First, options.Last, options.Threads, tell,
                             options.Check ? ReadLevels(inputs.Text) : std::vector<TLevel>());
    for (std::size_t i = 0; i < made.Levels.size(); ++i) {
        const int number = options.First + static_cast<int>(i);
        made.Text += LevelBlock(made.Levels[i], LevelInfoOf(MasterSeed, number));
        made.Solutions += SolutionLine(number, made.Levels[i]);
        made.States += made.Levels[i].StatesSearched;
    }
    return made;
}

int Run(const TOptions &options)
{
    const std::optional<TInputs> inputs = ReadInputs(options);
    if (!inputs)
        return 1;
    if (options.Effort)
        return MeasureCommitted(options, inputs->Text);
    const auto start = std::chrono::steady_clock::now();
    const TMadeSet made = MakeSet(options, *inputs, start);
    std::printf("levels %d..%d: %.1f s, %lld states searched\n", options.First, options.Last,
                SecondsSince(start), static_cast<long long>(made.States));
    if (!options.Check) {
        const std::string docs = WithTable(inputs->Docs, StatisticsTable(made.Levels));
        return WriteAll(options, docs, made.Text, made.Solutions) ? 0 : 1;
    }
    const bool same = Matches(options, *inputs, made.Levels, made.Text, made.Solutions);
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
