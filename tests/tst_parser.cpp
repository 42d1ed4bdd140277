// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The level text reader and the solutions reader, driven with whole texts.
#include "global.h"
#include "playfixture.h"
#include "ulevels.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <string>

namespace
{

std::vector<TLevel> Read(const QByteArray &text)
{
    return ReadLevels(std::string_view(text.constData(), text.size()));
}

QString Text(const std::string &s)
{
    return QString::fromLatin1(s.data(), s.size());
}

} // namespace

class TstParser : public QObject
{
    Q_OBJECT

private slots:

    void exampleBlock();
    void lineEnds_data();
    void lineEnds();
    void blocks_data();
    void blocks();
    void grid_data();
    void grid();
    void infos_data();
    void infos();
    void anyBytes();
    void solutions_data();
    void solutions();
};

void TstParser::exampleBlock()
{
    const std::vector<TLevel> levels = Read("[LEVEL]\n"
                                            " ####\n"
                                            " #. ##\n"
                                            "##$  #\n"
                                            "##@  #\n"
                                            " #####\n"
                                            "\n"
                                            "title=EXEMPLE\n"
                                            "Date=2024/01/31\n"
                                            "Collection=ESSAI\n"
                                            "[/LEVEL]\n");
    QCOMPARE(levels.size(), std::size_t(1));
    const TLevel &level = levels[0];
    QVERIFY(Levels.empty()); // the reader leaves the collection alone
    QCOMPARE(level.Width, 6);
    QCOMPARE(level.Height, 5);
    QCOMPARE(RowsOf(level), QStringList({" #### ", " #. ##", "##$  #", "##@  #", " #####"}));
    QCOMPARE(level.Tablo[2][1], '.');
    QCOMPARE(level.Tablo[2][2], '$');
    QCOMPARE(level.Tablo[2][3], '@');
    QCOMPARE(Text(level.Title), QString("EXEMPLE"));
    QCOMPARE(Text(level.Date), QString("2024/01/31"));
    QCOMPARE(Text(level.Collection), QString("ESSAI"));
    QVERIFY(level.Author.empty() && level.AuthorMail.empty() && level.AuthorPage.empty());
}

void TstParser::lineEnds_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF alone") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("tab after CR") << QByteArray("a\r\tb") << QStringList{"a", "\tb"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 9) << QStringList{"a", "b"};
    QTest::newRow("NUL first") << QByteArray("\0a", 2) << QStringList{};
    QTest::newRow("empty text") << QByteArray() << QStringList{};
}

void TstParser::lineEnds()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    QStringList got;
    for (const std::string_view line : SplitLines(std::string_view(text.constData(), text.size())))
        got << QString::fromLatin1(line.data(), line.size());
    QCOMPARE(got, lines);
}

// Which blocks become levels: each level is named by its grid's first row.
void TstParser::blocks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("firstRows");

    QTest::newRow("two blocks") << QByteArray("[LEVEL]\n#a\n[/LEVEL]\n[LEVEL]\n#b\n[/LEVEL]\n")
                                << QStringList{"#a", "#b"};
    QTest::newRow("never closed") << QByteArray("[LEVEL]\n#a\n") << QStringList{};
    QTest::newRow("reopened drops the first part")
        << QByteArray("[LEVEL]\n#a\n[LEVEL]\n#b\n[/LEVEL]\n") << QStringList{"#b"};
    QTest::newRow("lone closer takes lines from the start")
        << QByteArray("#a\n[/LEVEL]\n") << QStringList{"#a"};
    QTest::newRow("closer after closer makes an empty level")
        << QByteArray("[LEVEL]\n#a\n[/LEVEL]\n[/LEVEL]\n") << QStringList{"#a", ""};
    QTest::newRow("lines between blocks are dropped")
        << QByteArray("#x\n[LEVEL]\n#a\n[/LEVEL]\n#y\n[LEVEL]\n#b\n[/LEVEL]\n")
        << QStringList{"#a", "#b"};
    QTest::newRow("lines after the last closer are ignored")
        << QByteArray("[LEVEL]\n#a\n[/LEVEL]\n#z\nTitle=Z\n") << QStringList{"#a"};
    QTest::newRow("markers with blanks and tabs")
        << QByteArray("  [LEVEL]\t\n#a\n\t[/LEVEL]  \n") << QStringList{"#a"};
    QTest::newRow("control characters around markers are trimmed")
        << QByteArray("\x01[LEVEL]\x1f\n#a\n\x1f[/LEVEL]\x01\n") << QStringList{"#a"};
    QTest::newRow("DEL is not trimmed")
        << QByteArray("[LEVEL]\n#a\n\x7f[/LEVEL]\n") << QStringList{};
    QTest::newRow("markers in other case are ordinary lines")
        << QByteArray("[level]\n#a\n[/Level]\n[LEVEL]\n#b\n[/LEVEL]\n") << QStringList{"#b"};
    QTest::newRow("marker with text around is a line")
        << QByteArray("[LEVEL]\n#a [/LEVEL]\n[/LEVEL]\n") << QStringList{"#a [/LEVEL]"};
}

void TstParser::blocks()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, firstRows);
    const std::vector<TLevel> levels = Read(text);
    QCOMPARE(levels.size(), std::size_t(firstRows.size()));
    for (std::size_t i = 0; i < levels.size(); ++i)
        QCOMPARE(RowsOf(levels[i]).value(0), firstRows[int(i)]);
}

// The grid of a one-level text, as rows.
void TstParser::grid_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("leading blanks keep their columns")
        << QByteArray("   #\n#") << QStringList{"   #", "#   "};
    QTest::newRow("unequal rows are filled with spaces")
        << QByteArray("#####\n#@#\n##") << QStringList{"#####", "#@#  ", "##   "};
    QTest::newRow("trailing blanks count")
        << QByteArray("##\n#.    \n###") << QStringList{"##    ", "#.    ", "###   "};
    QTest::newRow("row without a wall is not a row")
        << QByteArray("###\n $.\n#@#") << QStringList{"###", "#@#"};
    QTest::newRow("info line with # is also a row")
        << QByteArray("###\nTitle=N#1\n###") << QStringList{"###      ", "Title=N#1", "###      "};
    QTest::newRow("any byte is a cell")
        << QByteArray("#\x01\xff-Z") << QStringList{QString::fromLatin1("#\x01\xff-Z")};
    QTest::newRow("only info lines: no grid") << QByteArray("Title=X\nAuthor=Y") << QStringList{};
    QTest::newRow("interleaved rows and infos")
        << QByteArray("#1\nTitle=T\n#2\n\n#3") << QStringList{"#1", "#2", "#3"};
}

void TstParser::grid()
{
    QFETCH(QByteArray, block);
    QFETCH(QStringList, rows);
    const std::vector<TLevel> levels = Read("[LEVEL]\n" + block + "\n[/LEVEL]\n");
    QCOMPARE(levels.size(), std::size_t(1));
    const TLevel &level = levels[0];
    QCOMPARE(RowsOf(level), rows);
    QCOMPARE(level.Height, rows.size());
    QCOMPARE(level.Width, rows.isEmpty() ? 0 : rows[0].size());
    QCOMPARE(level.Tablo.size(), std::size_t(level.Width));
    for (const auto &column : level.Tablo)
        QCOMPARE(column.size(), std::size_t(level.Height));
}

void TstParser::infos_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("title");

    QTest::newRow("exact keys") << QByteArray("Author=A\nTitle=T") << "A"
                                << "T";
    QTest::newRow("key case is free") << QByteArray("author=A\nTITLE=T") << "A"
                                      << "T";
    QTest::newRow("blank before the key") << QByteArray(" Author=A") << ""
                                          << "";
    QTest::newRow("blank before the equals") << QByteArray("Author =A") << ""
                                             << "";
    QTest::newRow("value is untrimmed") << QByteArray("Author= A \t") << " A \t"
                                        << "";
    QTest::newRow("equals inside the value") << QByteArray("Title=a=b=") << ""
                                             << "a=b=";
    QTest::newRow("first occurrence wins") << QByteArray("Title=one\ntitle=two") << ""
                                           << "one";
    QTest::newRow("empty value counts as found") << QByteArray("Title=\nTitle=late") << ""
                                                 << "";
    QTest::newRow("unknown keys ignored") << QByteArray("Auteur=X\nTitre=Y") << ""
                                          << "";
    QTest::newRow("key with # still an info") << QByteArray("Title=#5") << ""
                                              << "#5";
}

void TstParser::infos()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, author);
    QFETCH(QString, title);
    const std::vector<TLevel> levels = Read("[LEVEL]\n" + block + "\n[/LEVEL]\n");
    QCOMPARE(levels.size(), std::size_t(1));
    QCOMPARE(Text(levels[0].Author), author);
    QCOMPARE(Text(levels[0].Title), title);
}

// Whatever the bytes, the reader keeps the record invariants and never fails.
void TstParser::anyBytes()
{
    QRandomGenerator random(20261207);
    // Only a sized array holds a NUL: from a plain "\0" the array would be empty.
    const QByteArray nul(1, '\0');
    const QByteArray pieces[] = {"[LEVEL]", "[/LEVEL]", "#", "=", "\r", "\n", nul, " ", "\t"};
    for (int round = 0; round < 300; ++round) {
        QByteArray text;
        const int length = random.bounded(400);
        for (int i = 0; i < length; ++i) {
            if (random.bounded(3) == 0)
                text += pieces[random.bounded(int(std::size(pieces)))];
            else
                text += char(random.bounded(256));
        }
        for (const TLevel &level : Read(text)) {
            QVERIFY((level.Width == 0) == (level.Height == 0));
            QCOMPARE(level.Tablo.size(), std::size_t(level.Width));
            for (const auto &column : level.Tablo) {
                QCOMPARE(column.size(), std::size_t(level.Height));
                QVERIFY(!std::count(column.begin(), column.end(), '\0')); // a NUL ends the text
            }
        }
    }
}

void TstParser::solutions_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines"); // {"-"}: the text is refused

    const QStringList refused{"-"};
    QTest::newRow("two lines") << QByteArray("1 rR\n12 lurdLURD\n")
                               << QStringList{"1 rR", "12 lurdLURD"};
    QTest::newRow("no line") << QByteArray() << QStringList{};
    QTest::newRow("largest number") << QByteArray("999999 r\n") << QStringList{"999999 r"};
    QTest::newRow("number of seven digits") << QByteArray("1000000 r\n") << refused;
    QTest::newRow("last line without its end") << QByteArray("1 r\n2 l") << refused;
    QTest::newRow("level 0") << QByteArray("0 r\n") << refused;
    QTest::newRow("space first") << QByteArray(" 1 r\n") << refused;
    QTest::newRow("no moves") << QByteArray("1 \n") << refused;
    QTest::newRow("no space") << QByteArray("1r\n") << refused;
    QTest::newRow("letter in the number") << QByteArray("1a r\n") << refused;
    QTest::newRow("not a move") << QByteArray("1 rx\n") << refused;
    QTest::newRow("CR before the LF") << QByteArray("1 r\r\n") << refused;
}

void TstParser::solutions()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    const auto solutions = ParseSolutions(std::string_view(text.constData(), text.size()));
    QStringList read{"-"};
    if (solutions) {
        read.clear();
        for (const TSolution &solution : *solutions)
            read << QString::number(solution.Level) + ' ' + Text(solution.Moves);
    }
    QCOMPARE(read, lines);
}

QTEST_GUILESS_MAIN(TstParser)
#include "tst_parser.moc"
