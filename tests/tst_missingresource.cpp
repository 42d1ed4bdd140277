// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// A program built without the level text: the loader must say so and stay calm.
#include "global.h"
#include "guitest.h"
#include "ulevels.h"

#include <QTest>

class TstMissingResource : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase() { PrepareGuiTest(); }

    void loadWithoutText()
    {
        UseLevels({{"#@$.#"}});
        int refreshed = 0;
        RefreshTargets.Play2D = [&refreshed] { ++refreshed; };

        QCOMPARE(QString::fromStdString(LoadLevels()),
                 QString::fromUtf8("Ressource niveaux non trouvée"));
        QCOMPARE(LevelCount, 0);
        QCOMPARE(CurrentLevel, 0);
        QVERIFY(Levels.empty());
        QCOMPARE(refreshed, 0);

        NextLevel(); // the empty collection is an ordinary one
        QCOMPARE(CurrentLevel, 0);
        QCOMPARE(refreshed, 1);
        RefreshTargets.Play2D = nullptr;
    }

    // The player learns of it from a box as the frame opens, and again on reloading.
    void frameSaysSo()
    {
        const QString missing = QString::fromUtf8("Ressource niveaux non trouvée");
        TBoxWatch boxes;
        boxes.Expect(Qt::Key_Return);
        CreateMainWindows();
        QCOMPARE(boxes.Seen.size(), 1);
        QCOMPARE(boxes.Seen[0].Text, missing);
        QCOMPARE(LevelCount, 0);

        boxes.Expect(Qt::Key_Return); // "Oui"
        boxes.Expect(Qt::Key_Return);
        Item("MNUOutilsRechargerNiveaux")->trigger();
        QCOMPARE(boxes.Seen.size(), 3);
        QCOMPARE(boxes.Seen[2].Text, missing);
        QVERIFY(boxes.Seen[2].Expected);
        DestroyMainWindows();
    }
};

QTEST_MAIN(TstMissingResource)
#include "tst_missingresource.moc"
