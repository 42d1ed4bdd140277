// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the game's start-up time goes: the steps of its main() run one at a
// time and timed, with the first-time costs hidden inside the windows' creation
// (the font look-up, the level text, the artwork, Qt's first widget) forced
// out as steps of their own, in front of it.
//
//   startup_stages [RUNS]      (default 20; needs a display, as the game does)
//
// Each run is a fresh process, so that every first-time cost is paid again; the
// medians over the runs are printed, in milliseconds from process start.
#include "application.h"
#include "fmain.h"
#include "tileset.h"
#include "ulevels.h"

#include <QApplication>
#include <QFontInfo>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One run, in a process of its own: "<step> <monotonic ms>" per step.
[[noreturn]] void RunOnce(char *program)
{
    auto mark = [](const char *step) { std::printf("%s %.3f\n", step, NowMs()); };
    mark("main");
    int qtArgc = 1;
    char *qtArgv[] = {program, nullptr};
    QApplication application(qtArgc, qtArgv);
    mark("application");
    InitApplication();
    mark("translations");
    (void)QFontInfo(TahomaFont()).family();
    (void)QFontInfo(TahomaFont(true)).family();
    mark("fonts");
    LoadLevels();
    mark("levels");
    for (TTilePicture tile : {TTilePicture::Wall, TTilePicture::Empty})
        (void)TileImage(tile);
    (void)ApplicationIconImage();
    (void)PlayIconImage();
    (void)PlayGlyph(TPlayGlyph::First);
    mark("artwork");
    delete new QMenuBar();
    mark("first-widget");
    CreateMainWindows();
    mark("windows");
    FRMMain->show();
    mark("shown");
    while (!FRMMain->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    mark("exposed");
    QCoreApplication::processEvents();
    mark("painted");
    std::fflush(stdout);
    // Straight out: closing the frame would ask for a confirmation.
    _exit(0);
}

// Starts "program --once" with no shell in between, as a player's desktop
// would start the game, and reads its marks as milliseconds since the start.
bool RunChild(char *program, std::vector<std::pair<std::string, double>> &marks)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(out[0]);
        char once[] = "--once";
        char *childArgv[] = {program, once, nullptr};
        execv("/proc/self/exe", childArgv);
        _exit(127);
    }
    close(out[1]);
    FILE *reader = fdopen(out[0], "r");
    char step[64];
    double at = 0;
    while (reader && std::fscanf(reader, "%63s %lf", step, &at) == 2)
        marks.emplace_back(step, at - start);
    if (reader)
        std::fclose(reader);
    int status = 0;
    waitpid(child, &status, 0);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !marks.empty();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--once") == 0)
        RunOnce(argv[0]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> since_start;
    std::map<std::string, std::vector<double>> took;
    for (int run = 0; run <= runs; ++run) {
        std::vector<std::pair<std::string, double>> marks;
        if (!RunChild(argv[0], marks)) {
            std::fprintf(stderr, "startup_stages: a run failed; '%s --once' shows why\n", argv[0]);
            return 1;
        }
        if (run == 0)
            continue; // a warm-up: the first run fills the page cache
        double previous = 0;
        for (const auto &[name, ms] : marks) {
            if (!since_start.count(name))
                order.push_back(name);
            since_start[name].push_back(ms);
            took[name].push_back(ms - previous);
            previous = ms;
        }
    }

    std::printf("Game start-up by step, median of %d runs (ms from process start)\n\n", runs);
    std::printf("| Step         | Reached at | Step took |\n");
    std::printf("|--------------|-----------:|----------:|\n");
    for (const std::string &name : order) {
        std::printf("| %-12s | %10.1f | %9.1f |\n", name.c_str(), Median(since_start[name]),
                    Median(took[name]));
    }
    return 0;
}
