// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The built-in level set as the game reads it: the shape of every block, and every
// stored solution played through the game's own rewrite tables.
#include "global.h"
#include "playfixture.h"
#include "ulevels.h"
#include "urules.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <set>

namespace
{

QByteArray BuiltInText()
{
    QFile file(":/TXT/NIVEAUX");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The blocks of the text as the game cuts them, each without its marker lines.
QList<QList<QByteArray>> Blocks(const QByteArray &text)
{
    QList<QList<QByteArray>> blocks;
    for (const TLines &block :
         LevelBlocks(SplitLines(std::string_view(text.constData(), text.size())))) {
        QList<QByteArray> lines;
        for (const std::string_view line : block)
            lines << QByteArray(line.data(), qsizetype(line.size()));
        blocks << lines;
    }
    return blocks;
}

std::vector<TSolution> Solutions()
{
    QFile file(VORKADE_SOLUTIONS);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    return ParseSolutions(std::string_view(text.constData(), text.size()))
        .value_or(std::vector<TSolution>());
}

const QStringList AuthorFirst{"Author", "Title", "Collection", "AuthorMail", "AuthorPage", "Date"};
const QStringList TitleFirst{"Title", "Collection", "Date", "Author", "AuthorMail", "AuthorPage"};

QStringList Keys(const QList<QByteArray> &infoLines)
{
    QStringList keys;
    for (const QByteArray &line : infoLines)
        keys << QString::fromLatin1(line.left(line.indexOf('=')));
    return keys;
}

// Whether the keeper can walk off the grid through cells that are not walls: whether
// his reach holds a cell on the grid's edge.
bool KeeperEscapes(const TLevel &level, int x, int y)
{
    const std::vector<std::vector<char>> reach =
        KeeperReach(level.Tablo, level.Width, level.Height, x, y);
    for (int cx = 0; cx < level.Width; ++cx) {
        for (int cy = 0; cy < level.Height; ++cy) {
            const bool edge = cx == 0 || cy == 0 || cx == level.Width - 1 || cy == level.Height - 1;
            if (edge && reach[cx][cy])
                return true;
        }
    }
    return false;
}

// The grid under its eight turns and mirrors, spelt the smallest way.
QString Canonical(const TLevel &level)
{
    QString best;
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        const bool swap = symmetry & 4;
        QString text;
        for (int v = 0; v < (swap ? level.Width : level.Height); ++v) {
            for (int u = 0; u < (swap ? level.Height : level.Width); ++u) {
                int x = swap ? v : u, y = swap ? u : v;
                x = (symmetry & 1) ? level.Width - 1 - x : x;
                y = (symmetry & 2) ? level.Height - 1 - y : y;
                text += QLatin1Char(level.Tablo[x][y]);
            }
            text += '\n';
        }
        if (best.isEmpty() || text < best)
            best = text;
    }
    return best;
}

int Count(const TLevel &level, const char *cells)
{
    int count = 0;
    for (const auto &column : level.Tablo)
        for (const char cell : column)
            count += std::strchr(cells, cell) != nullptr;
    return count;
}

} // namespace

class TstLevelSet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadsEveryLevel();
    void textLayout();
    void block_data();
    void block();
    void wholeSet();
    void solution_data();
    void solution();

private:
    QByteArray myText;
    QList<QList<QByteArray>> myBlocks;
};

void TstLevelSet::initTestCase()
{
    myText = BuiltInText();
    myBlocks = Blocks(myText);
    QCOMPARE(LoadLevels(), std::string());

    // The checks below must see what they look for where it is. The way out of this
    // grid is its bottom row alone; in the second, every step ends beside the edge.
    QVERIFY(KeeperEscapes(LevelOfRows({"#####", "#@$.#", "#   #"}), 1, 1));
    TLevel open = LevelOfRows({" @$. "});
    QCOMPARE(ReplayLetters(open.Tablo, open.Width, open.Height, "lrR"), std::size_t(3));
    QVERIFY(IsSolvedTablo(open.Tablo));
}

void TstLevelSet::loadsEveryLevel()
{
    QCOMPARE(LevelCount, 280);
    QCOMPARE(int(Levels.size()), 280);
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(myBlocks.size(), 280);
}

// CR LF everywhere, nothing but blocks, no empty line, no blank around a marker.
void TstLevelSet::textLayout()
{
    QVERIFY(myText.endsWith("[/LEVEL]\r\n"));
    QVERIFY(myText.startsWith("[LEVEL]\r\n"));
    QCOMPARE(myText.count('\r'), myText.count('\n'));
    QCOMPARE(myText.count("\r\n"), myText.count('\n'));
    QVERIFY(!myText.contains("\r\n\r\n"));
    QCOMPARE(myText.count("[/LEVEL]\r\n[LEVEL]\r\n"), 279);
    QCOMPARE(myText.count("[LEVEL]"), 280);
    for (const char c : myText)
        QVERIFY2(c == '\r' || c == '\n' || (c >= 32 && c < 127), "plain ASCII only");
}

void TstLevelSet::block_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= 280; ++number)
        QTest::newRow(qPrintable(QString("level %1").arg(number))) << number;
}

void TstLevelSet::block()
{
    QFETCH(int, number);
    QVERIFY(number <= myBlocks.size());
    const QList<QByteArray> &lines = myBlocks[number - 1];
    const TLevel &level = Levels[number - 1];
    QVERIFY(lines.size() > 6);
    const QList<QByteArray> grid = lines.mid(0, lines.size() - 6);
    for (const QByteArray &row : grid)
        QVERIFY2(QRegularExpression("^[# .$*@+]*#[# .$*@+]*$")
                     .match(QString::fromLatin1(row))
                     .hasMatch(),
                 row);
    for (const QByteArray &info : lines.mid(lines.size() - 6))
        QVERIFY2(!info.contains('#'), info);
    const QStringList keys = Keys(lines.mid(lines.size() - 6));
    QVERIFY2(keys == AuthorFirst || keys == TitleFirst, qPrintable(keys.join(',')));

    QCOMPARE(level.Height, int(grid.size()));
    QVERIFY(level.Width >= 5 && level.Width <= 36);
    QVERIFY(level.Height >= 4 && level.Height <= 26);
    QCOMPARE(Count(level, "@+"), 1);
    QCOMPARE(Count(level, "$*"), Count(level, ".*+"));
    QCOMPARE(Count(level, "*"), 0);
    QVERIFY(!IsSolvedTablo(level.Tablo));
    for (int x = 0; x < level.Width; ++x)
        for (int y = 0; y < level.Height; ++y)
            if (IsKeeperCell(level.Tablo[x][y]))
                QVERIFY(!KeeperEscapes(level, x, y));

    const int world = number <= 10 ? 0 : (number - 11) / 10 + 1;
    const QString place = QString::number((number - 1) % 10 + 1).rightJustified(2, '0');
    QCOMPARE(QString::fromStdString(level.Author), QString("Equipe Vorkade"));
    QCOMPARE(QString::fromStdString(level.Collection),
             world == 0 ? QString("TUTORIAL") : QString("MONDE %1").arg(world, 2, 10, QChar('0')));
    if (world == 0)
        QCOMPARE(QString::fromStdString(level.Title), "TUTORIAL " + place);
    QVERIFY(QRegularExpression("^[A-Z0-9][A-Z0-9 '-]*$")
                .match(QString::fromStdString(level.Title))
                .hasMatch());
    QVERIFY(QRegularExpression("^[a-z]+@example\\.org$")
                .match(QString::fromStdString(level.AuthorMail))
                .hasMatch());
    QVERIFY(QRegularExpression("^https://www\\.example\\.org/")
                .match(QString::fromStdString(level.AuthorPage))
                .hasMatch());
    QVERIFY(QRegularExpression("^\\d{4}([-/])\\d{2}\\1\\d{2}$")
                .match(QString::fromStdString(level.Date))
                .hasMatch());
}

// What only the whole set shows: both key orders and date spellings, the big levels,
// rows of unequal length, distinct titles, and no level twice under a turn or mirror.
void TstLevelSet::wholeSet()
{
    std::set<QStringList> keyOrders;
    std::set<QString> titles, separators, mails, pages, grids;
    int wide = 0, tall = 0, ragged = 0;
    for (int i = 0; i < myBlocks.size(); ++i) {
        keyOrders.insert(Keys(myBlocks[i].mid(myBlocks[i].size() - 6)));
        const TLevel &level = Levels[i];
        titles.insert(QString::fromStdString(level.Title));
        grids.insert(Canonical(level));
        separators.insert(QString(QChar(level.Date[4])));
        mails.insert(QString::fromStdString(level.AuthorMail));
        pages.insert(QString::fromStdString(level.AuthorPage));
        wide += level.Width > 31;
        tall += level.Height > 20;
        std::set<qsizetype> lengths;
        for (const QByteArray &row : myBlocks[i].mid(0, level.Height))
            lengths.insert(row.size());
        ragged += lengths.size() > 1;
    }
    QCOMPARE(keyOrders.size(), std::size_t(2));
    QCOMPARE(separators, std::set<QString>({"-", "/"}));
    QCOMPARE(titles.size(), std::size_t(280));
    QCOMPARE(grids.size(), std::size_t(280));
    QCOMPARE(mails.size(), std::size_t(3));
    QCOMPARE(pages.size(), std::size_t(7));
    QVERIFY(wide >= 1 && tall >= 1);
    QVERIFY(ragged >= 50);
}

void TstLevelSet::solution_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("letters");
    const std::vector<TSolution> solutions = Solutions();
    QCOMPARE(solutions.size(), std::size_t(280));
    for (int number = 1; number <= 280; ++number) {
        const TSolution &solution = solutions[std::size_t(number - 1)];
        QCOMPARE(solution.Level, number);
        QTest::newRow(qPrintable(QString("level %1").arg(number)))
            << number << QString::fromStdString(solution.Moves);
    }
}

// Every letter does what its case says, and the level is solved by the last one and
// not before: the solutions are push-optimal, so no shorter prefix can solve it, and
// they end on a push.
void TstLevelSet::solution()
{
    QFETCH(int, number);
    QFETCH(QString, letters);
    QVERIFY(QRegularExpression("^[lurdLURD]+$").match(letters).hasMatch());
    TLevel level = Levels[number - 1];
    const std::string moves = letters.toStdString();
    const std::size_t played = ReplayLetters(level.Tablo, level.Width, level.Height, moves);
    QVERIFY2(played == moves.size(), qPrintable(QString("stopped before letter %1").arg(played)));
    QVERIFY(IsSolvedTablo(level.Tablo));
}

QTEST_GUILESS_MAIN(TstLevelSet)
#include "tst_levelset.moc"
