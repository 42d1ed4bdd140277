// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// A program built without the level text: the loader must say so and stay calm.
#include "global.h"
#include "playfixture.h"
#include "ulevels.h"

#include <QTest>

class TstMissingResource : public QObject
{
    Q_OBJECT

private slots:

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
};

QTEST_GUILESS_MAIN(TstMissingResource)
#include "tst_missingresource.moc"
