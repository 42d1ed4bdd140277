// levelgen: makes the built-in level set and its solutions, or checks the committed
// files against a fresh run.
//
//   levelgen [--root DIR] [--threads N] [--progress]     write the whole set
//   levelgen --check [--first N] [--last N] [--root DIR]  compare levels N..N with DIR's files
#include "levelset.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>

using namespace levelgen;

namespace
{

struct TOptions {
    std::string Root = VORKADE_SOURCE_DIR;
    int Threads = 2;
    int First = 1;
    int Last = LevelTotal;
    bool Check = false;
    bool Progress = false;
};

const char *const TextFile = "/resources/niveaux.txt";
const char *const SolutionsFile = "/resources/niveaux-solutions.txt";
const char *const DocsFile = "/docs/levels.md";
const char *const TableBegin = "<!-- levelgen statistics begin -->\n";
const char *const TableEnd = "<!-- levelgen statistics end -->\n";

bool ParseOptions(int argc, char **argv, TOptions &options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--check") == 0)
            options.Check = true;
        else if (std::strcmp(argv[i], "--progress") == 0)
            options.Progress = true;
        else if (std::strcmp(argv[i], "--root") == 0 && hasValue)
            options.Root = argv[++i];
        else if (std::strcmp(argv[i], "--threads") == 0 && hasValue)
            options.Threads = std::stoi(argv[++i]);
        else if (std::strcmp(argv[i], "--first") == 0 && hasValue)
            options.First = std::stoi(argv[++i]);
        else if (std::strcmp(argv[i], "--last") == 0 && hasValue)
            options.Last = std::stoi(argv[++i]);
        else
            return false;
    }
    const bool whole = options.First == 1 && options.Last == LevelTotal;
    return options.First >= 1 && options.First <= options.Last && options.Last <= LevelTotal &&
           (options.Check || whole);
}

std::string ReadFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
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

} // namespace

int main(int argc, char **argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: levelgen [--root DIR] [--threads N]\n"
                     "       levelgen --check [--first N] [--last N] [--root DIR] [--threads N]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::mutex printing;
    const auto progress = [&](int number, const TMadeLevel &level) {
        const std::lock_guard<std::mutex> lock(printing);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "%6.1f s  level %3d: %2d boxes, %3d pushes, %lld states\n", seconds,
                     number, level.Boxes, level.Pushes,
                     static_cast<long long>(level.StatesSearched));
    };
    const std::vector<TMadeLevel> levels =
        MakeLevels(MasterSeed, options.First, options.Last, options.Threads,
                   options.Progress ? progress : std::function<void(int, const TMadeLevel &)>());
    std::string text, solutions;
    std::int64_t states = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const int number = options.First + static_cast<int>(i);
        text += LevelBlock(levels[i], LevelInfoOf(MasterSeed, number));
        solutions += SolutionLine(number, levels[i]);
        states += levels[i].StatesSearched;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("levels %d..%d: %.1f s, %lld states searched\n", options.First, options.Last,
                seconds, static_cast<long long>(states));
    if (options.Check) {
        const bool same =
            Committed(ReadFile(options.Root + TextFile), "[LEVEL]\r\n", options.First,
                      options.Last) == text &&
            Committed("\n" + ReadFile(options.Root + SolutionsFile), "\n", options.First,
                      options.Last) == "\n" + solutions.substr(0, solutions.size() - 1);
        std::printf(same ? "the committed files match\n" : "the committed files differ\n");
        return same ? 0 : 1;
    }
    WriteFile(options.Root + TextFile, text);
    WriteFile(options.Root + SolutionsFile, solutions);
    WriteFile(options.Root + DocsFile,
              WithTable(ReadFile(options.Root + DocsFile), StatisticsTable(levels)));
    return 0;
}
