#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InitApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    static QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_fr"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
}
