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

QFont TahomaFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}
