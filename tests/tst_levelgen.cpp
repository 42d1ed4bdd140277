// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The level generator: its searches against boards worked out by hand and against an
// independent forward search, its starts from random pulls, its own replay check, the
// big levels measured chamber by chamber, a fresh run of the first levels against the
// committed files, and its command's answers to a check of one world and to a bad
// argument.
#include "chambers.h"
#include "effort.h"
#include "global.h"
#include "levelset.h"
#include "prng.h"
#include "puzzle.h"
#include "reversesearch.h"
#include "searchpick.h"
#include "solution.h"
#include "ulevels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <unordered_set>

using namespace levelgen;

namespace
{

using TRows = std::vector<std::string>;

// Depth of the board's position in a reverse search from its solved position, -1
// when the search never reaches it (the board cannot be solved).
int ReverseDepth(const TRows &rows)
{
    const TPuzzle puzzle = TPuzzle::FromRows(rows);
    TReverseSearch search(puzzle.Room, SetOf(puzzle.Targets), ~TCellSet(0), 0);
    search.Run(1 << 20);
    for (int depth = 0; depth <= search.MaxDepth(); ++depth) {
        for (std::uint32_t state = search.LayerStart(depth); state < search.LayerStart(depth + 1);
             ++state) {
            if (search.Boxes(state) == SetOf(puzzle.Boxes) &&
                Holds(search.KeeperArea(state), puzzle.Keeper))
                return depth;
        }
    }
    return -1;
}

// Fewest pushes that solve a level, by a plain breadth-first search forward over
// pushes that shares nothing with the generator. A state is the grid with the boxes
// and a mark on the first cell of the keeper's area.
int ForwardOptimum(const TLevel &level)
{
    const int width = level.Width, cells = level.Width * level.Height;
    std::string start(cells, ' ');
    std::string targets(cells, ' ');
    int keeper = 0;
    for (int i = 0; i < cells; ++i) {
        const char c = level.Tablo[i % width][i / width];
        start[i] = c == '#' ? '#' : IsBoxCell(c) ? '$' : ' ';
        targets[i] = (c == '.' || c == '*' || c == '+') ? '.' : ' ';
        keeper = IsKeeperCell(c) ? i : keeper;
    }
    const int steps[] = {-1, 1, -width, width};
    const auto area = [&](const std::string &grid, int from) {
        std::vector<char> seen(cells, 0);
        std::vector<int> stack{from};
        seen[from] = 1;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            for (const int step : steps)
                if (grid[at + step] == ' ' && !seen[at + step])
                    seen[at + step] = 1, stack.push_back(at + step);
        }
        return seen;
    };
    const auto key = [&](std::string grid, int from) {
        const std::vector<char> seen = area(grid, from);
        grid[std::find(seen.begin(), seen.end(), 1) - seen.begin()] = '@';
        return grid;
    };
    std::unordered_set<std::string> known{key(start, keeper)};
    std::deque<std::pair<std::string, int>> layer{{start, keeper}};
    for (int depth = 0; !layer.empty(); ++depth) {
        std::deque<std::pair<std::string, int>> next;
        for (const auto &[grid, from] : layer) {
            bool solved = true;
            for (int i = 0; i < cells; ++i)
                solved = solved && (grid[i] == '$') == (targets[i] == '.');
            if (solved)
                return depth;
            const std::vector<char> seen = area(grid, from);
            for (int box = 0; box < cells; ++box) {
                for (const int step : steps) {
                    if (grid[box] != '$' || !seen[box - step] || grid[box + step] != ' ')
                        continue;
                    std::string moved = grid;
                    moved[box] = ' ';
                    moved[box + step] = '$';
                    if (known.insert(key(moved, box)).second)
                        next.push_back({moved, box});
                }
            }
        }
        layer.swap(next);
    }
    return -1;
}

// The committed blocks as the game reads them, each written out again with its markers
// and CR LF line ends, the only layout the committed text has (tst_levelset).
QList<QByteArray> CommittedBlocks()
{
    QFile file(":/TXT/NIVEAUX");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    QList<QByteArray> blocks;
    for (const TLines &lines :
         LevelBlocks(SplitLines(std::string_view(text.constData(), text.size())))) {
        QByteArray block = "[LEVEL]\r\n";
        for (const std::string_view line : lines)
            block += QByteArray(line.data(), qsizetype(line.size())) + "\r\n";
        blocks << block + "[/LEVEL]\r\n";
    }
    return blocks;
}

QStringList CommittedSolutions()
{
    QFile file(VORKADE_SOLUTIONS);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

int PushCount(const QString &letters)
{
    return int(std::count_if(letters.begin(), letters.end(), [](QChar c) { return c.isUpper(); }));
}

// The tutorial and the first nine worlds, regenerated once for all rows (well under a
// second in an optimised build).
constexpr int RegeneratedLevels = 100;
// The tutorial and the first three worlds, checked by the forward search.
constexpr int ForwardCheckedLevels = 40;

} // namespace

Q_DECLARE_METATYPE(TRows)

class TstLevelGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reverseDepth_data();
    void reverseDepth();
    void pulledStarts();
    void greedyPlayer_data();
    void greedyPlayer();
    void replayCheck_data();
    void replayCheck();
    void forwardSearchAgrees_data();
    void forwardSearchAgrees();
    void bigLevels_data();
    void bigLevels();
    void regeneration_data();
    void regeneration();
    void statistics();
    void partCheck_data();
    void partCheck();
    void badArgument_data();
    void badArgument();

private:
    std::vector<TMadeLevel> myFresh;
    // The committed files, read once for every row.
    QList<QByteArray> myBlocks;
    QStringList mySolutions;
};

void TstLevelGen::initTestCase()
{
    QCOMPARE(LoadLevels(), std::string());
    myFresh = MakeLevels(MasterSeed, 1, RegeneratedLevels, 2);
    myBlocks = CommittedBlocks();
    mySolutions = CommittedSolutions();
}

// Both searches, the reverse one and the planner that measures a level's depth, on
// boards small enough to count by hand: the detour is the optimum less the matching
// bound at the start; below the optimum are the states whose pushes plus bound fall
// short of it (every A* expands those); expanded adds the states of the optimum's own
// layer the planner takes before the solved one (-1: not checked). Its own solution
// must replay.
void TstLevelGen::reverseDepth_data()
{
    QTest::addColumn<TRows>("rows");
    QTest::addColumn<int>("pushes");
    QTest::addColumn<int>("detour");
    QTest::addColumn<int>("below");
    QTest::addColumn<int>("expanded");
    QTest::newRow("one line") << TRows{"#######", "#@$ . #", "#######"} << 2 << 0 << 0 << 2;
    QTest::newRow("keeper on the far side")
        << TRows{"#######", "#.$ @ #", "#######"} << 1 << 0 << 0 << 1;
    QTest::newRow("a turn") << TRows{"######", "#@   #", "# $  #", "#  . #", "#    #", "######"}
                            << 2 << 0 << 0 << 2;
    QTest::newRow("two rows, two boxes")
        << TRows{"########", "#  $ . #", "#@ $ . #", "########"} << 4 << 0 << 0 << 4;
    QTest::newRow("deep target first")
        << TRows{"#########", "#..  $  #", "###  $  #", "  #    @#", "  #######"} << 8 << 0 << 0
        << 8;
    QTest::newRow("four boxes end as a square") << TRows{"#######", "#@    #", "# $ $ #", "#     #",
                                                         "# $ $ #", "#  .. #", "#  .. #", "#######"}
                                                << 12 << 0 << 0 << 12;
    // The keeper is shut in on the target's side: one push away, three back. Only the
    // start lies below the optimum of 4.
    QTest::newRow("pushed away first")
        << TRows{"########", "#  $@. #", "#   ## #", "########"} << 4 << 2 << 1 << 4;
    // The bound sends the left box home in one push, the other in three; but once the
    // left box is home the other, brought down, cannot be pushed on, and brought down
    // first it would freeze beside it against the wall. Below the optimum of 6: the
    // start, the left box home, then the other brought down.
    QTest::newRow("the nearer target taken by the wrong box")
        << TRows{"###### ", "#@   # ", "# #$ ##", "#.$  .#", "#######"} << 6 << 2 << 3 << 8;
    QTest::newRow("box in a corner")
        << TRows{"#####", "#$  #", "#@ .#", "#####"} << -1 << -1 << 0 << 0;
    QTest::newRow("two boxes abreast in a corridor")
        << TRows{"########", "#@$$ ..#", "########"} << -1 << -1 << 0 << 1;
}

void TstLevelGen::reverseDepth()
{
    QFETCH(TRows, rows);
    QFETCH(int, pushes);
    QFETCH(int, detour);
    QFETCH(int, below);
    QFETCH(int, expanded);
    QCOMPARE(ReverseDepth(rows), pushes);
    const TEffort effort = MeasureEffort(TPuzzle::FromRows(rows), 1 << 20);
    QVERIFY(effort.Complete);
    QCOMPARE(effort.Pushes, pushes);
    QCOMPARE(effort.Detour, detour);
    if (pushes >= 0)
        QCOMPARE(effort.BelowOptimum, std::int64_t(below));
    if (expanded >= 0)
        QCOMPARE(effort.Expanded, std::int64_t(expanded));
    if (pushes >= 0)
        QVERIFY(ReplaySolves(rows, SolutionLetters(TPuzzle::FromRows(rows), effort.Solution)));
}

// A start reached by random pulls can always be solved, and the planner's optimum for
// it is the reverse search's depth; odd seeds pull on from such a start, leaving one
// box out, which must stay where it stood, and the keeper starts in his own area.
// Fixed seeds, so that a failure replays.
void TstLevelGen::pulledStarts()
{
    const TRows rows{"##########", "#@       #", "#  ##    #", "#     #  #",
                     "#  .. #  #", "#  ..    #", "##########"};
    const TPuzzle room = TPuzzle::FromRows(rows);
    const TPuzzle solved{
        .Room = room.Room, .Boxes = room.Targets, .Targets = room.Targets, .Keeper = -1};
    // Shut in on the target's side, the keeper can only start there.
    const TPuzzle shutIn = TPuzzle::FromRows({"########", "#  $@. #", "#   ## #", "########"});
    TCellSet side = 0;
    for (const auto &[x, y] : {std::pair{4, 1}, {5, 1}, {6, 1}, {6, 2}})
        side |= CellBit(shutIn.Room.FloorAt(x, y));
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        TPrng rng(seed);
        QVERIFY(Holds(side, PulledStart(rng, shutIn, SetOf(shutIn.Boxes), 0).Keeper));
        TPuzzle start = PulledStart(rng, solved, SetOf(room.Targets), 25);
        if (seed % 2 == 1) {
            const int still = start.Boxes[seed % start.Boxes.size()];
            start = PulledStart(rng, start, SetOf(start.Boxes) & ~CellBit(still), 10);
            QVERIFY(std::binary_search(start.Boxes.begin(), start.Boxes.end(), still));
        }
        QCOMPARE(start.Boxes.size(), room.Targets.size());
        QVERIFY(!std::binary_search(start.Boxes.begin(), start.Boxes.end(), start.Keeper));
        const TEffort effort = MeasureEffort(start, 1 << 20);
        QVERIFY2(effort.Complete && effort.Pushes >= 0, qPrintable(QString("seed %1").arg(seed)));
        QCOMPARE(effort.Pushes, ReverseDepth(start.Rows()));
    }
}

void TstLevelGen::greedyPlayer_data()
{
    QTest::addColumn<TRows>("rows");
    QTest::addColumn<bool>("solves");
    QTest::newRow("boxes in their own rows")
        << TRows{"########", "#  $ . #", "#@ $ . #", "########"} << true;
    QTest::newRow("nearest target blocks the deep one")
        << TRows{"#########", "#..  $  #", "###  $  #", "  #    @#", "  #######"} << false;
}

void TstLevelGen::greedyPlayer()
{
    QFETCH(TRows, rows);
    QFETCH(bool, solves);
    QCOMPARE(GreedySolves(TPuzzle::FromRows(rows)), solves);
}

void TstLevelGen::replayCheck_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("accepted");
    // Wall, floor, keeper, box, floor, target, wall: two pushes to the right solve it.
    QTest::newRow("walk there and back, then two pushes") << "lrRR" << true;
    QTest::newRow("walk letter that pushes") << "Rr" << false;
    QTest::newRow("push letter that only steps") << "lRRR" << false;
    QTest::newRow("not solved at the end") << "R" << false;
    QTest::newRow("letters after the solution") << "RRl" << false;
    QTest::newRow("step into a wall") << "llrrRR" << false;
    QTest::newRow("not a letter") << "RxR" << false;
}

void TstLevelGen::replayCheck()
{
    QFETCH(QString, letters);
    QFETCH(bool, accepted);
    QCOMPARE(ReplaySolves({"#######", "# @$ .#", "#######"}, letters.toStdString()), accepted);
}

void TstLevelGen::forwardSearchAgrees_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= ForwardCheckedLevels; ++number)
        QTest::newRow(qPrintable(QString("level %1").arg(number))) << number;
}

// The stored solutions are the reverse search's: their push count must be the optimum.
void TstLevelGen::forwardSearchAgrees()
{
    QFETCH(int, number);
    QVERIFY(number <= mySolutions.size());
    const TLevel &level = Levels[number - 1];
    const int optimum = ForwardOptimum(level);
    QCOMPARE(optimum, PushCount(mySolutions[number - 1].section(' ', 1)));
    const TRows rows = TabloRows(level.Tablo, level.Width, level.Height);
    QCOMPARE(MeasureEffort(TPuzzle::FromRows(rows), 1 << 20).Pushes, optimum);
}

void TstLevelGen::bigLevels_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("wide") << WideLevel;
    QTest::newRow("tall") << TallLevel;
}

// A big level is measured chamber by chamber: the chambers' optima add up to the stored
// solution's pushes, and their detours to the whole level's, over its matching bound
// (no box can reach another chamber's target).
void TstLevelGen::bigLevels()
{
    QFETCH(int, number);
    QVERIFY(number <= mySolutions.size());
    const TLevel &big = Levels[number - 1];
    const TRows rows = TabloRows(big.Tablo, big.Width, big.Height);
    const TEffort effort = MeasureChambers(rows, number == WideLevel);
    QVERIFY(effort.Complete);
    const int pushes = PushCount(mySolutions[number - 1].section(' ', 1));
    QCOMPARE(effort.Pushes, pushes);
    const TPuzzle level = TPuzzle::FromRows(rows);
    QCOMPARE(effort.Detour,
             pushes - MatchingBound(LoneBoxDistances(level.Room, level.Targets), level.Boxes));
    QVERIFY(effort.Detour >= 4 && effort.BelowOptimum > 0);
}

void TstLevelGen::regeneration_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= RegeneratedLevels; ++number)
        QTest::newRow(qPrintable(QString("level %1").arg(number))) << number;
}

void TstLevelGen::regeneration()
{
    QFETCH(int, number);
    QVERIFY(number <= myBlocks.size() && number <= mySolutions.size());
    const TMadeLevel &fresh = myFresh[number - 1];
    QCOMPARE(QByteArray::fromStdString(LevelBlock(fresh, LevelInfoOf(MasterSeed, number))),
             myBlocks[number - 1]);
    QCOMPARE(QString::fromStdString(SolutionLine(number, fresh)), mySolutions[number - 1] + "\n");
}

// The statistics of the regenerated worlds, their detours and must-expand counts among
// them, stand in
// the docs as the generator wrote them.
void TstLevelGen::statistics()
{
    QFile docs(QFileInfo(VORKADE_SOLUTIONS).dir().filePath("../docs/levels.md"));
    QVERIFY(docs.open(QIODevice::ReadOnly));
    const QByteArray written = docs.readAll();
    const QList<QByteArray> lines = QByteArray::fromStdString(StatisticsTable(myFresh)).split('\n');
    QCOMPARE(lines.size(), RegeneratedLevels / 10 + 3);
    for (const QByteArray &line : lines)
        QVERIFY2(written.contains(line + '\n'), line.constData());
}

void TstLevelGen::partCheck_data()
{
    QTest::addColumn<QString>("tampered");
    QTest::addColumn<int>("status");
    QTest::newRow("as committed") << QString() << 0;
    QTest::newRow("one push of level 145 changed") << "push" << 1;
    QTest::newRow("the title of level 145 changed") << "title" << 1;
}

// One world is checked alone: the levels before it, for the duplicates, are taken from
// the committed text instead of being made again.
void TstLevelGen::partCheck()
{
    QFETCH(QString, tampered);
    QFETCH(int, status);
    QTemporaryDir root;
    QVERIFY(root.isValid() && QDir(root.path()).mkpath("resources"));
    QFile text(":/TXT/NIVEAUX");
    QVERIFY(text.open(QIODevice::ReadOnly));
    QByteArray levels = text.readAll();
    if (tampered == "title") {
        qsizetype at = -1;
        for (int number = 1; number <= 145; ++number)
            at = levels.indexOf("[LEVEL]", at + 1);
        at = levels.indexOf("Title=", at) + 6;
        levels[at] = levels[at] == 'X' ? 'Y' : 'X';
    }
    QFile copy(root.filePath("resources/niveaux.txt"));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(levels);
    copy.close();
    QStringList solutions = mySolutions;
    if (tampered == "push") {
        QString &line = solutions[144];
        const int push = int(line.indexOf(QRegularExpression("[LURD]")));
        line[push] = line[push] == 'L' ? 'R' : 'L';
    }
    QFile solutionFile(root.filePath("resources/niveaux-solutions.txt"));
    QVERIFY(solutionFile.open(QIODevice::WriteOnly));
    solutionFile.write((solutions.join('\n') + '\n').toLatin1());
    solutionFile.close();
    QProcess levelgen;
    levelgen.start(VORKADE_LEVELGEN,
                   {"--check", "--first", "141", "--last", "150", "--root", root.path()});
    QVERIFY(levelgen.waitForFinished(60000));
    QCOMPARE(levelgen.exitCode(), status);
    QVERIFY(levelgen.readAllStandardOutput().startsWith("levels 141..150: "));
    QCOMPARE(levelgen.readAllStandardError(), QByteArray()); // no progress unless asked
}

void TstLevelGen::badArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{"--fast"};
    QTest::newRow("letters for a number") << QStringList{"--check", "--first", "x"};
    QTest::newRow("number with a tail") << QStringList{"--check", "--last", "12x"};
    QTest::newRow("past the last level") << QStringList{"--check", "--last", "281"};
    QTest::newRow("first after last") << QStringList{"--check", "--first", "5", "--last", "4"};
    QTest::newRow("no workers") << QStringList{"--check", "--threads", "0"};
    QTest::newRow("value missing") << QStringList{"--check", "--last"};
    QTest::newRow("part of the set written") << QStringList{"--first", "2", "--last", "3"};
}

// A usage fault is told in one line with status 2, before any level is made. The root
// does not exist, so a run that took the arguments would stop on it with status 1.
void TstLevelGen::badArgument()
{
    QFETCH(QStringList, arguments);
    QProcess levelgen;
    levelgen.start(VORKADE_LEVELGEN, QStringList{"--root", "/nonexistent/levelgen"} + arguments);
    QVERIFY(levelgen.waitForFinished(10000));
    QCOMPARE(levelgen.exitStatus(), QProcess::NormalExit);
    QCOMPARE(levelgen.exitCode(), 2);
    const QByteArray message = levelgen.readAllStandardError();
    QVERIFY2(message.startsWith("levelgen: ") && message.count('\n') == 1, message.constData());
    QCOMPARE(levelgen.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(TstLevelGen)
#include "tst_levelgen.moc"
