// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Every built-in level is solved by its stored solution, played as key presses in the play window.
#include "fplay2d.h"
#include "guitest.h"
#include "playfixture.h"

#include <QFile>

#include <memory>

namespace
{

struct TMoveKey {
    char Letter;
    Qt::Key Key;
    int Dx;
    int Dy;
};

constexpr TMoveKey MoveKeys[] = {
    {'l', Qt::Key_Left, -1, 0},
    {'r', Qt::Key_Right, 1, 0},
    {'u', Qt::Key_Up, 0, -1},
    {'d', Qt::Key_Down, 0, 1},
};

const TMoveKey *KeyOf(char letter)
{
    for (const TMoveKey &move : MoveKeys) {
        if (move.Letter == QChar::fromLatin1(letter).toLower().toLatin1())
            return &move;
    }
    return nullptr;
}

} // namespace

class TstSolutions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLevelIsSolvedByItsSolution();

private:
    QMap<int, QByteArray> mySolutions;
};

void TstSolutions::initTestCase()
{
    PrepareGuiTest();
    QFile file(QStringLiteral(VORKADE_SOLUTIONS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const auto solutions = ParseSolutions(std::string_view(text.constData(), text.size()));
    QVERIFY(solutions);
    for (const TSolution &solution : *solutions) {
        QVERIFY(!mySolutions.contains(solution.Level));
        mySolutions[solution.Level] = QByteArray::fromStdString(solution.Moves);
    }
}

void TstSolutions::everyLevelIsSolvedByItsSolution()
{
    QCOMPARE(LoadLevels(), std::string());
    QCOMPARE(mySolutions.size(), LevelCount);
    TFRMPlay2D window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TBoxWatch boxes;

    for (int level = 1; level <= LevelCount; ++level) {
        CurrentLevel = level;
        RefreshWindows();
        const QByteArray solution = mySolutions.value(level);
        QVERIFY2(!solution.isEmpty(), qPrintable(QString::number(level)));
        for (qsizetype i = 0; i < solution.size(); ++i) {
            const char letter = solution[i];
            const TMoveKey *move = KeyOf(letter);
            const QString where = QStringLiteral("level %1, letter %2").arg(level).arg(i + 1);
            QVERIFY2(move, qPrintable(where));
            const bool push = QChar::fromLatin1(letter).isUpper();
            const int x = window.PlayerX(), y = window.PlayerY();
            const char ahead = window.GetCell(x + move->Dx, y + move->Dy);
            QVERIFY2(IsBoxCell(ahead) == push,
                     qPrintable(where + " pushes when it should not, or not when it should"));
            const TTablo before = window.Tablo();

            const bool last = i + 1 == solution.size();
            if (last)
                boxes.Expect(Qt::Key_Return);
            QTest::keyClick(&window, move->Key);

            if (!last) {
                QCOMPARE(window.PlayerX(), x + move->Dx);
                QCOMPARE(window.PlayerY(), y + move->Dy);
                QVERIFY2(window.Tablo() != before, qPrintable(where));
                QVERIFY2(boxes.Seen.isEmpty(), qPrintable(where + " solved too early"));
            }
        }
        QVERIFY2(boxes.Seen.size() == 1,
                 qPrintable(QStringLiteral("level %1 not solved").arg(level)));
        QCOMPARE(boxes.Seen[0].Text, QString::fromUtf8("Félicitations ! Entrepôt rangé !"));
        QVERIFY(boxes.Seen[0].Expected);
        QCOMPARE(CurrentLevel, std::min(level + 1, LevelCount));
        boxes.Seen.clear();
    }
}

QTEST_MAIN(TstSolutions)
#include "tst_solutions.moc"
