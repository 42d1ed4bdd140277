// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The collection commands and the loader of the built-in text, observed through
// the refresh calls they make.
#include "global.h"
#include "playfixture.h"
#include "ulevels.h"

#include <QFile>
#include <QTest>

#include <random>
#include <set>

namespace
{

QStringList refreshes; // "P" for the play window, "E" for the editor, in call order

void WatchWindows(bool play, bool editor)
{
    RefreshTargets.Play2D = nullptr;
    RefreshTargets.Editeur = nullptr;
    if (play)
        RefreshTargets.Play2D = [] { refreshes << "P"; };
    if (editor)
        RefreshTargets.Editeur = [] { refreshes << "E"; };
}

// A collection of `count` levels, level `current` current, refresh log emptied.
void MakeCollection(int count, int current)
{
    QList<QStringList> levels;
    for (int i = 0; i < count; ++i)
        levels << QStringList{"#" + QString::number(i + 1)};
    UseLevels(levels, current);
    refreshes.clear();
}

using Command = void (*)();

} // namespace

class TstCollection : public QObject
{
    Q_OBJECT

private slots:

    void init() { WatchWindows(true, true); }

    void cleanup() { WatchWindows(false, false); }

    void randomDiffersFromStartToStart();
    void navigation_data();
    void navigation();
    void emptyCollection_data();
    void emptyCollection();
    void refreshReachesExistingWindowsInOrder();
    void randomWithOneLevel();
    void randomCoversEveryLevel();
    void deleteAllThenNavigate();
    void loadBuiltInText();
    void loadAfterDeleteAndAppend();
};

// First of all, so that no draw comes before: unseeded, the generator would give
// the same random levels at every start.
void TstCollection::randomDiffersFromStartToStart()
{
    MakeCollection(1000, 1);
    std::mt19937 unseeded;
    std::uniform_int_distribution<int> draw(0, 999);
    bool same = true;
    for (int i = 0; i < 3; ++i) {
        RandomLevel();
        same = same && CurrentLevel == draw(unseeded) + 1;
    }
    QVERIFY(!same);
}

void TstCollection::navigation_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("first from the middle") << Command(FirstLevel) << 5 << 3 << 1;
    QTest::newRow("first on level 1 restarts") << Command(FirstLevel) << 5 << 1 << 1;
    QTest::newRow("previous") << Command(PreviousLevel) << 5 << 3 << 2;
    QTest::newRow("previous on level 1 restarts") << Command(PreviousLevel) << 5 << 1 << 1;
    QTest::newRow("next") << Command(NextLevel) << 5 << 3 << 4;
    QTest::newRow("next on the last restarts") << Command(NextLevel) << 5 << 5 << 5;
    QTest::newRow("last") << Command(LastLevel) << 5 << 2 << 5;
    QTest::newRow("last from the one before") << Command(LastLevel) << 5 << 4 << 5;
    QTest::newRow("last on the last restarts") << Command(LastLevel) << 5 << 5 << 5;
    QTest::newRow("restart") << Command(RestartLevel) << 5 << 4 << 4;
    QTest::newRow("next with one level") << Command(NextLevel) << 1 << 1 << 1;
}

void TstCollection::navigation()
{
    QFETCH(Command, command);
    QFETCH(int, count);
    QFETCH(int, from);
    QFETCH(int, to);
    MakeCollection(count, from);
    command();
    QCOMPARE(CurrentLevel, to);
    QCOMPARE(LevelCount, count);
    QCOMPARE(refreshes, QStringList({"P", "E"}));
}

void TstCollection::emptyCollection_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("first") << Command(FirstLevel);
    QTest::newRow("previous") << Command(PreviousLevel);
    QTest::newRow("next") << Command(NextLevel);
    QTest::newRow("last") << Command(LastLevel);
    QTest::newRow("random") << Command(RandomLevel);
    QTest::newRow("restart") << Command(RestartLevel);
    QTest::newRow("delete all") << Command(DeleteAllLevels);
}

void TstCollection::emptyCollection()
{
    QFETCH(Command, command);
    MakeCollection(0, 0);
    command();
    QCOMPARE(LevelCount, 0);
    QCOMPARE(CurrentLevel, 0);
    QVERIFY(Levels.empty());
    QCOMPARE(refreshes, QStringList({"P", "E"}));
}

void TstCollection::refreshReachesExistingWindowsInOrder()
{
    MakeCollection(3, 2);
    WatchWindows(false, false);
    NextLevel();
    QVERIFY(refreshes.isEmpty());
    WatchWindows(true, false);
    NextLevel();
    QCOMPARE(refreshes, QStringList({"P"}));
    refreshes.clear();
    WatchWindows(false, true);
    NextLevel();
    QCOMPARE(refreshes, QStringList({"E"}));
}

void TstCollection::randomWithOneLevel()
{
    MakeCollection(1, 1);
    for (int i = 0; i < 20; ++i) {
        RandomLevel();
        QCOMPARE(CurrentLevel, 1);
    }
    QCOMPARE(refreshes.size(), 40);
}

void TstCollection::randomCoversEveryLevel()
{
    MakeCollection(6, 1);
    std::set<int> seen;
    for (int i = 0; i < 600; ++i) {
        RandomLevel();
        QVERIFY2(CurrentLevel >= 1 && CurrentLevel <= 6, qPrintable(QString::number(CurrentLevel)));
        seen.insert(CurrentLevel);
    }
    QCOMPARE(seen.size(), std::size_t(6));
}

void TstCollection::deleteAllThenNavigate()
{
    MakeCollection(4, 3);
    DeleteAllLevels();
    QCOMPARE(LevelCount, 0);
    QCOMPARE(CurrentLevel, 0);
    QVERIFY(Levels.empty());
    NextLevel();
    LastLevel();
    QCOMPARE(CurrentLevel, 0);
    QCOMPARE(refreshes, QStringList({"P", "E", "P", "E", "P", "E"}));
}

void TstCollection::loadBuiltInText()
{
    QFile text(":/TXT/NIVEAUX");
    QVERIFY(text.open(QIODevice::ReadOnly));
    const int blocks = text.readAll().count("[LEVEL]\r\n");
    QVERIFY(blocks > 0);

    MakeCollection(2, 2);
    QCOMPARE(LoadLevels(), std::string());
    QCOMPARE(LevelCount, blocks);
    QCOMPARE(Levels.size(), std::size_t(blocks));
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(refreshes, QStringList({"P", "E"}));
}

void TstCollection::loadAfterDeleteAndAppend()
{
    LoadLevels();
    const int builtIn = LevelCount;
    const TLevel first = Levels[0];
    UseLevels({{"#extra#"}});
    refreshes.clear();

    LoadLevels();
    QCOMPARE(LevelCount, builtIn);
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(Levels[0].Tablo, first.Tablo);
    QCOMPARE(Levels[0].Title, first.Title);
    QCOMPARE(refreshes, QStringList({"P", "E"}));
}

QTEST_GUILESS_MAIN(TstCollection)
#include "tst_collection.moc"
