// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Per-event costs of the windows, on the offscreen platform.
#include "fediteur.h"
#include "fplay2d.h"
#include "global.h"
#include "imageview.h"
#include "ulevels.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace
{

// A 36 x 26 level with a keeper walking a free row: every press is a step or a
// push, and the solved test scans the whole grid each time.
void UseLargeLevel()
{
    TLevel level;
    level.Width = 36;
    level.Height = 26;
    SizeTablo(level.Tablo, level.Width, level.Height, ' ');
    for (int x = 0; x < level.Width; ++x) {
        level.Tablo[x][0] = '#';
        level.Tablo[x][level.Height - 1] = '#';
    }
    for (int y = 0; y < level.Height; ++y) {
        level.Tablo[0][y] = '#';
        level.Tablo[level.Width - 1][y] = '#';
    }
    for (int y = 2; y < level.Height - 2; y += 2) {
        for (int x = 3; x < level.Width - 3; x += 4) {
            level.Tablo[x][y] = '$';
            level.Tablo[x + 1][y] = '.';
        }
    }
    level.Tablo[1][1] = '@';
    Levels = {level};
    LevelCount = 1;
    CurrentLevel = 1;
}

void BM_PlayArrowKey(benchmark::State &state)
{
    UseLargeLevel();
    TFRMPlay2D window;
    int step = 0;
    for (auto _ : state) {
        // Walk right along row 1 and back, so that no press is ever blocked for long.
        if ((step++ / 30) % 2 == 0)
            window.MoveRight();
        else
            window.MoveLeft();
    }
}

BENCHMARK(BM_PlayArrowKey)->Unit(benchmark::kMicrosecond);

void BM_PlayLoadLevel(benchmark::State &state)
{
    UseLargeLevel();
    TFRMPlay2D window;
    for (auto _ : state)
        window.LoadLevel();
}

BENCHMARK(BM_PlayLoadLevel)->Unit(benchmark::kMicrosecond);

// One mouse move with the left button held, painting the cell under the pointer.
void BM_EditorPaintingMove(benchmark::State &state)
{
    UseLargeLevel();
    TFRMEditeur editor;
    TImageView *view = editor.ImageEditor();
    const QPoint offset = view->PictureOffset();
    int step = 0;
    for (auto _ : state) {
        const int x = offset.x() + 8 + 16 * (step++ % 36);
        QMouseEvent move(QEvent::MouseMove, QPointF(x, offset.y() + 40),
                         QPointF(x, offset.y() + 40), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
}

BENCHMARK(BM_EditorPaintingMove)->Unit(benchmark::kMicrosecond);

void BM_EditorDrawBoard(benchmark::State &state)
{
    UseLargeLevel();
    TFRMEditeur editor;
    for (auto _ : state)
        editor.DrawBoard();
}

BENCHMARK(BM_EditorDrawBoard)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // The benchmarks draw off-screen; no display is needed.
    int qtArgc = 3;
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char *qtArgv[] = {argv[0], platform, offscreen, nullptr};
    QApplication application(qtArgc, qtArgv);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
