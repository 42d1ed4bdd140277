// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Installing and packaging the game, done as a packager does it: cmake --install
// into a scratch prefix, and the Debian package that scripts/package.sh built
// (tests/packaging/reproducible.sh leaves it in VORKADE_PACKAGE_DIR), then a look
// at what lands where desktops and apt look for it.
#include "application.h"
#include "tileset.h"

#include <QDir>
#include <QDirIterator>
#include <QLibraryInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>

namespace
{

const QString AppId = QStringLiteral("org.vorkade.vorkade2");
const QString DesktopEntry = QStringLiteral("share/applications/") + AppId + ".desktop";
const QList<int> IconSizes{32, 48, 64, 128, 256};
QString Icon(int size)
{
    return QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + AppId + ".png";
}
const QString ScalableIcon = QStringLiteral("share/icons/hicolor/scalable/apps/") + AppId + ".svg";
const QString Metainfo = QStringLiteral("share/metainfo/") + AppId + ".metainfo.xml";
const QString ProgramName = QStringLiteral("vorkade2");
// Where cmake --install puts it, and where the Debian package does.
const QString Program = QStringLiteral(VORKADE_INSTALL_BINDIR "/") + ProgramName;
const QString PackagedProgram = QStringLiteral("games/") + ProgramName;
const QString ManPage = QStringLiteral("share/man/man6/vorkade2.6.gz");
const QString FrenchManPage = QStringLiteral("share/man/fr/man6/vorkade2.6.gz");
const QString Changelog = QStringLiteral("share/doc/vorkade2/changelog.gz");
const QString Copyright = QStringLiteral("share/doc/vorkade2/copyright");
const QString LintianOverrides = QStringLiteral("share/lintian/overrides/vorkade2");

struct TRun {
    int Status = -1;
    QString Output; // standard output and error, interleaved
};

TRun Run(const QString &program, const QStringList &arguments,
         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.Output = program + QStringLiteral(" did not finish: ") + process.errorString();
        return run;
    }
    run.Status = process.exitCode();
    run.Output = QString::fromLocal8Bit(process.readAll());
    return run;
}

// Every file below a directory, as paths relative to it; directories left out.
QStringList FilesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The package names of a control field such as "libc6 (>= 2.34), a | b".
QStringList PackageNames(const QString &field)
{
    QStringList names;
    for (const QString &alternatives : field.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        for (const QString &choice : alternatives.split(QLatin1Char('|')))
            names
                << choice.trimmed().section(QLatin1Char(' '), 0, 0).section(QLatin1Char(':'), 0, 0);
    }
    return names;
}

// The Debian package that installed a file on this machine.
QString OwnerOf(const QString &path)
{
    const TRun run = Run(QStringLiteral("dpkg-query"), {QStringLiteral("-S"), path});
    return run.Status == 0 ? run.Output.section(QLatin1Char(':'), 0, 0).trimmed() : QString();
}

} // namespace

class TstPackaging : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void installsWhereDesktopsLook();
    void desktopEntryValidates();
    void desktopEntry_data();
    void desktopEntry();
    void metainfoValidates();
    void metainfoNamesTheEntryAndProgram();
    void metainfoForSoftwareCentres();
    void iconIsTheWindowIcon_data();
    void iconIsTheWindowIcon();
    void scalableIconIsTheWindowIcon();
    void manPages_data();
    void manPages();
    void installedProgramSearchesNoPrivatePath();

    void packageHoldsTheInstalledFiles();
    void packageVersionIsTheRelease();
    void packageDependsOnlyOnQtRuntime();
    void packageBringsThePlatformPluginAndFrenchTexts();
    void packagedProgramIsHardened();
    void aptAcceptsThePackage();
    void lintianFindsNoFault();

private:
    QString Installed(const QString &relative) const { return myPrefix.filePath(relative); }
    QString ControlField(const QString &name) const;

    QTemporaryDir myPrefix;
    QTemporaryDir myUnpacked;
    QString myPackage;
};

void TstPackaging::initTestCase()
{
    QVERIFY(myPrefix.isValid());
    const TRun install = Run(QStringLiteral(VORKADE_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(VORKADE_BUILD_DIR),
                              QStringLiteral("--prefix"), myPrefix.path()});
    QVERIFY2(install.Status == 0, qPrintable(install.Output));

    const QDir packageDir(QStringLiteral(VORKADE_PACKAGE_DIR));
    const QStringList debs = packageDir.entryList({QStringLiteral("*.deb")});
    QCOMPARE(debs.size(), 1);
    myPackage = packageDir.filePath(debs.first());
    QVERIFY(myUnpacked.isValid());
    const TRun unpack =
        Run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), myPackage, myUnpacked.path()});
    QVERIFY2(unpack.Status == 0, qPrintable(unpack.Output));
}

void TstPackaging::installsWhereDesktopsLook()
{
    QStringList expected{DesktopEntry,  Metainfo,  Program,   ManPage,
                         FrenchManPage, Changelog, Copyright, ScalableIcon};
    for (int size : IconSizes)
        expected << Icon(size);
    expected.sort();
    QCOMPARE(FilesBelow(myPrefix.path()), expected);
    QVERIFY(QFileInfo(Installed(Program)).isExecutable());
}

void TstPackaging::desktopEntryValidates()
{
    const TRun run = Run(QStringLiteral("desktop-file-validate"), {Installed(DesktopEntry)});
    QVERIFY2(run.Status == 0 && run.Output.isEmpty(), qPrintable(run.Output));
}

void TstPackaging::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    // The name a menu shows is the one the frame's title bar shows, in every
    // language.
    QTest::newRow("name is the title") << "Name" << QString::fromLatin1(ApplicationTitle);
    QTest::newRow("no French name") << "Name[fr]" << QString();
    // The untranslated texts in English, the French ones beside them.
    QTest::newRow("comment") << "Comment"
                             << "Tidy the warehouse: push every box onto a target";
    QTest::newRow("French comment") << "Comment[fr]"
                                    << "Rangez l'entrepôt : poussez chaque caisse sur une cible";
    QTest::newRow("generic name") << "GenericName"
                                  << "Puzzle Game";
    QTest::newRow("French generic name") << "GenericName[fr]"
                                         << "Jeu de réflexion";
    QTest::newRow("French keywords") << "Keywords[fr]"
                                     << "caisse;entrepôt;réflexion;puzzle;";
    QTest::newRow("listed with logic games") << "Categories"
                                             << "Game;LogicGame;";
    // Desktops match the running window to its entry by the class of its
    // WM_CLASS, which Qt sets to the application name (tst_installed.py reads
    // it from the running game).
    QTest::newRow("window matched by its class")
        << "StartupWMClass" << QString::fromLatin1(ApplicationTitle);
    // The scratch prefix is on no search path: the entry names the program by
    // its whole path (tst_installed.py starts the game from it).
    QTest::newRow("runs the installed program") << "Exec" << Installed(Program);
    QTest::newRow("icon is the installed one") << "Icon" << AppId;
}

void TstPackaging::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    // Read as text, not through QSettings: the values hold ";" and ":" that
    // an INI reader would take apart.
    QFile file(Installed(DesktopEntry));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeIf([](const QString &line) { return line.isEmpty() || line.startsWith(u'#'); });
    QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
    const QStringList matching = lines.filter(
        QRegularExpression(QStringLiteral("^%1=").arg(QRegularExpression::escape(key))));
    QCOMPARE(matching.size(), expected.isNull() ? 0 : 1);
    if (!expected.isNull())
        QCOMPARE(matching.first().section(QLatin1Char('='), 1), expected);
}

void TstPackaging::metainfoValidates()
{
    const TRun run =
        Run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             QStringLiteral("--pedantic"), Installed(Metainfo)});
    QVERIFY2(run.Status == 0, qPrintable(run.Output));
}

void TstPackaging::metainfoNamesTheEntryAndProgram()
{
    QFile file(Installed(Metainfo));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    QVERIFY(xml.contains(QStringLiteral("<id>%1</id>").arg(AppId)));
    QVERIFY(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">%1</launchable>")
                             .arg(QFileInfo(DesktopEntry).fileName())));
    QVERIFY(xml.contains(QStringLiteral("<binary>%1</binary>").arg(ProgramName)));
    QVERIFY(xml.contains(QStringLiteral("<project_license>GPL-3.0-or-later</project_license>")));
}

void TstPackaging::metainfoForSoftwareCentres()
{
    QFile file(Installed(Metainfo));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    // The game speaks French: a software centre in French shows French texts.
    QVERIFY(xml.contains(QStringLiteral("<summary xml:lang=\"fr\">")));
    QVERIFY(xml.contains(QStringLiteral("<p xml:lang=\"fr\">")));
    QVERIFY(xml.contains(QStringLiteral("<content_rating type=\"oars-1.1\"")));
    QVERIFY(xml.contains(QStringLiteral("<developer_name>")));
}

void TstPackaging::iconIsTheWindowIcon_data()
{
    QTest::addColumn<int>("size");
    for (int size : IconSizes)
        QTest::addRow("%d", size) << size;
}

void TstPackaging::iconIsTheWindowIcon()
{
    QFETCH(int, size);
    const QImage icon(Installed(Icon(size)), "PNG");
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(size, size));
    // Nearest-neighbour: each pixel is the window icon's pixel it lies on, so
    // every window icon pixel is a block (of one or two pixels each way at 48).
    const QImage window = ApplicationIconImage();
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb expected =
                window.pixel(x * window.width() / size, y * window.height() / size);
            if (argb.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(argb.pixel(x, y), 8, 16)
                                     .arg(expected, 8, 16)));
        }
    }
}

void TstPackaging::scalableIconIsTheWindowIcon()
{
    // The drawing read back as pixels: each rectangle one run of one row, with
    // crisp edges so that no size blends it, and together exactly the window
    // icon's pixels, each run whole (its neighbours on the row have another
    // colour) and none painted twice.
    QFile file(Installed(ScalableIcon));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    const QImage window = ApplicationIconImage();
    QImage drawn(window.size(), QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    int rectangles = 0;
    while (svg.readNextStartElement()) {
        const auto attribute = [&svg](const char *name) {
            return svg.attributes().value(QLatin1String(name)).toString();
        };
        if (svg.name() == QLatin1String("svg")) {
            QCOMPARE(attribute("viewBox"),
                     QStringLiteral("0 0 %1 %2").arg(window.width()).arg(window.height()));
            QCOMPARE(attribute("shape-rendering"), QStringLiteral("crispEdges"));
            continue;
        }
        QCOMPARE(svg.name().toString(), QStringLiteral("rect"));
        const int x = attribute("x").toInt(), y = attribute("y").toInt();
        const int width = attribute("width").toInt();
        QCOMPARE(attribute("height"), QStringLiteral("1"));
        QVERIFY(width >= 1 && x >= 0 && x + width <= window.width());
        QVERIFY(y >= 0 && y < window.height());
        const QColor colour(attribute("fill"));
        QVERIFY2(colour.isValid() && colour.alpha() == 255, qPrintable(attribute("fill")));
        for (int i = x; i < x + width; ++i) {
            QVERIFY2(qAlpha(drawn.pixel(i, y)) == 0, "a pixel painted twice");
            drawn.setPixel(i, y, colour.rgba());
        }
        for (int neighbour : {x - 1, x + width}) {
            if (neighbour >= 0 && neighbour < window.width())
                QVERIFY2(window.pixel(neighbour, y) != colour.rgba(), "a run cut in two");
        }
        ++rectangles;
        svg.skipCurrentElement();
    }
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    QVERIFY(rectangles > 0);
    QCOMPARE(drawn, window.convertToFormat(QImage::Format_ARGB32));
}

void TstPackaging::manPages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("language");
    // What the page tells: the keys of the play window, the editor's mouse
    // (a drag paints only where the editor sees the pointer), and which
    // commands ask first.
    QTest::newRow("French") << FrenchManPage
                            << QStringList{"NOM",
                                           "Flèches",
                                           "Début",
                                           "Page précédente",
                                           "Page suivante",
                                           "Fin",
                                           "Bouton gauche",
                                           "un glissement rapide saute les cases",
                                           "Bouton droit",
                                           "Ctrl+F4",
                                           "Recharger les 280 niveaux",
                                           "Nouveau, quitter, supprimer et recharger les niveaux "
                                           "demandent d'abord une confirmation"}
                            << "fr";
    QTest::newRow("English") << ManPage
                             << QStringList{"NAME",
                                            "Arrow keys",
                                            "Home",
                                            "Page Up",
                                            "Page Down",
                                            "End",
                                            "Left button",
                                            "a fast drag skips the cells",
                                            "Right button",
                                            "Ctrl+F4",
                                            "Nouveau, quitting, deleting and reloading the levels "
                                            "ask for confirmation"}
                             << "C";
}

void TstPackaging::manPages()
{
    QFETCH(QString, page);
    QFETCH(QStringList, told);
    QFETCH(QString, language);
    // What "man vorkade2" finds below the prefix, in the page's language.
    QProcessEnvironment manPath = QProcessEnvironment::systemEnvironment();
    manPath.insert(QStringLiteral("MANPATH"), Installed(QStringLiteral("share/man")));
    const TRun where =
        Run(QStringLiteral("man"),
            {QStringLiteral("-L"), language, QStringLiteral("-w"), ProgramName}, manPath);
    QCOMPARE(where.Output.trimmed(), Installed(page));
    // Formatted as man formats it, with its warnings on: none may come.
    QProcess man;
    man.setProcessEnvironment([] {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return environment;
    }());
    man.start(QStringLiteral("man"),
              {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
               QStringLiteral("-l"), Installed(page)});
    QVERIFY(man.waitForFinished(60000));
    const QString errors = QString::fromUtf8(man.readAllStandardError());
    QVERIFY2(man.exitCode() == 0 && errors.isEmpty(), qPrintable(errors));
    // Words may be set in bold by overstriking, hyphenated at a line's end and
    // spaced out to fill lines; the plain text is what counts.
    QString text = QString::fromUtf8(man.readAllStandardOutput());
    text.remove(QRegularExpression(QStringLiteral(".\\x08")));
    text.remove(QRegularExpression(QStringLiteral("\u2010\\n\\s*")));
    text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    QVERIFY(text.contains(QStringLiteral("VORKADE2(6)")));
    for (const QString &words : told)
        QVERIFY2(text.contains(words), qPrintable(words));
}

void TstPackaging::installedProgramSearchesNoPrivatePath()
{
    const TRun run = Run(QStringLiteral("readelf"), {QStringLiteral("-d"), Installed(Program)});
    QVERIFY2(run.Status == 0, qPrintable(run.Output));
    QVERIFY2(!run.Output.contains(QLatin1String("RPATH")) &&
                 !run.Output.contains(QLatin1String("RUNPATH")),
             qPrintable(run.Output));
}

QString TstPackaging::ControlField(const QString &name) const
{
    const TRun run = Run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), myPackage, name});
    return run.Status == 0 ? run.Output.trimmed() : QString();
}

void TstPackaging::packageHoldsTheInstalledFiles()
{
    const TRun list = Run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), myPackage});
    QVERIFY2(list.Status == 0, qPrintable(list.Output));
    // "-rwxr-xr-x root/root 160800 2026-12-07 21:24 ./usr/games/vorkade2"
    QMap<QString, QString> modes;
    for (const QString &line : list.Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('d')))
            continue;
        const QString path = line.section(QLatin1Char(' '), -1);
        QVERIFY2(path.startsWith(QLatin1String("./usr/")), qPrintable(line));
        modes[path.mid(int(qstrlen("./usr/")))] = line.section(QLatin1Char(' '), 0, 1);
    }
    // What cmake --install puts in place, the program in Debian's place for
    // games, and lintian's overrides with their reasons.
    QStringList expected = FilesBelow(myPrefix.path());
    expected.replaceInStrings(QRegularExpression(QStringLiteral("^") + Program + u'$'),
                              PackagedProgram);
    expected << LintianOverrides;
    expected.sort();
    QCOMPARE(modes.keys(), expected);
    for (auto it = modes.cbegin(); it != modes.cend(); ++it) {
        const QString mode = it.key() == PackagedProgram ? QStringLiteral("-rwxr-xr-x root/root")
                                                         : QStringLiteral("-rw-r--r-- root/root");
        QVERIFY2(it.value() == mode, qPrintable(it.key() + u' ' + it.value()));
    }
    // The package's menu entry names the program alone: /usr/games is on the
    // search path (tst_installed.py starts the installed package from it).
    QFile entry(myUnpacked.filePath(QStringLiteral("usr/") + DesktopEntry));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(entry.readAll())
                .split(u'\n')
                .contains(QStringLiteral("Exec=") + ProgramName));
}

void TstPackaging::packageVersionIsTheRelease()
{
    // Software centres show the metainfo's newest release; apt shows the package's.
    QFile file(Installed(Metainfo));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString version = ControlField(QStringLiteral("Version"));
    QVERIFY(!version.isEmpty());
    QVERIFY2(QString::fromUtf8(file.readAll())
                 .contains(QStringLiteral("<release version=\"%1\"").arg(version)),
             qPrintable(version));
}

void TstPackaging::packageDependsOnlyOnQtRuntime()
{
    QCOMPARE(ControlField(QStringLiteral("Package")), QStringLiteral("vorkade2"));
    QCOMPARE(ControlField(QStringLiteral("Section")), QStringLiteral("games"));
    const QStringList depends = PackageNames(ControlField(QStringLiteral("Depends")));
    QVERIFY(depends.contains(QStringLiteral("libqt6widgets6")));
    // Qt's runtime libraries and the C and C++ runtimes under them; no
    // development package, nothing built here.
    const QRegularExpression allowed(
        QStringLiteral("^(libqt6[a-z0-9]*6|libc6|libgcc-s1|libstdc\\+\\+6)$"));
    for (const QString &name : depends)
        QVERIFY2(allowed.match(name).hasMatch(), qPrintable(name));
    // Each is a real Debian package: the build machine has it installed.
    for (const QString &name : depends + PackageNames(ControlField(QStringLiteral("Recommends")))) {
        const TRun known = Run(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), name});
        QVERIFY2(known.Status == 0, qPrintable(known.Output));
    }
}

void TstPackaging::packageBringsThePlatformPluginAndFrenchTexts()
{
    // The X11 platform plugin must come with a package the game depends on,
    // or the game cannot open a window on a fresh machine.
    const QString plugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so");
    const QString pluginPackage = OwnerOf(plugin);
    QVERIFY2(!pluginPackage.isEmpty(), qPrintable(plugin));
    QVERIFY2(PackageNames(ControlField(QStringLiteral("Depends"))).contains(pluginPackage),
             qPrintable(pluginPackage));

    // Qt's own texts in French come with a recommended package.
    const QString texts =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm");
    const QString textsPackage = OwnerOf(texts);
    QVERIFY2(!textsPackage.isEmpty(), qPrintable(texts));
    QVERIFY2(PackageNames(ControlField(QStringLiteral("Recommends"))).contains(textsPackage),
             qPrintable(textsPackage));

    // So does the native Wayland platform plugin.
    const QString wayland = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                            QStringLiteral("/platforms/libqwayland-generic.so");
    const QString waylandPackage = OwnerOf(wayland);
    QVERIFY2(!waylandPackage.isEmpty(), qPrintable(wayland));
    QVERIFY2(PackageNames(ControlField(QStringLiteral("Recommends"))).contains(waylandPackage),
             qPrintable(waylandPackage));
}

void TstPackaging::packagedProgramIsHardened()
{
    // Built with Debian's hardening flags (scripts/package.sh): position
    // independent, stack protector, read-only relocations bound at start.
    const QString program = myUnpacked.filePath(QStringLiteral("usr/") + PackagedProgram);
    const TRun run = Run(QStringLiteral("hardening-check"), {QStringLiteral("--verbose"), program});
    QVERIFY2(run.Output.contains(program), qPrintable(run.Output));
    QStringList failed =
        run.Output.split(u'\n').filter(QRegularExpression(QStringLiteral("^ [^:]+: no")));
    // Two checks this Debian cannot pass honestly. Fortified functions replace
    // calls whose buffer sizes the compiler knows; the program calls only
    // memcpy, memmove and memset, on sizes known when it runs, so there are
    // none to replace. And control-flow protection needs every object linked
    // to be marked, the C library's start files included, which Debian 12's
    // are not. Either exception holds only as long as that is so.
    const QRegularExpression sizeKnownWhenRun(
        QStringLiteral("^\\tunprotected: mem(cpy|move|set)$"));
    const QStringList unprotected =
        run.Output.split(u'\n').filter(QRegularExpression(QStringLiteral("^\\tunprotected: ")));
    const bool nothingToFortify =
        std::all_of(unprotected.cbegin(), unprotected.cend(),
                    [&](const QString &line) { return sizeKnownWhenRun.match(line).hasMatch(); });
    const QString startFile =
        Run(QStringLiteral("gcc"), {QStringLiteral("-print-file-name=Scrt1.o")}).Output.trimmed();
    const bool startFileUnmarked =
        !Run(QStringLiteral("readelf"), {QStringLiteral("--notes"), startFile})
             .Output.contains(QLatin1String("IBT, SHSTK"));
    failed.removeIf([&](const QString &line) {
        return (nothingToFortify &&
                line.startsWith(QLatin1String(" Fortify Source functions: "))) ||
               (startFileUnmarked && line.startsWith(QLatin1String(" Control flow integrity: ")));
    });
    QVERIFY2(failed.isEmpty(), qPrintable(run.Output));
    for (const char *check : {" Position Independent Executable: yes", " Stack protected: yes",
                              " Read-only relocations: yes", " Immediate binding: yes"})
        QVERIFY2(run.Output.contains(QLatin1String(check)), qPrintable(run.Output));
}

void TstPackaging::aptAcceptsThePackage()
{
    // A dry run: apt reads the package and resolves its dependencies against
    // what is installed here, without changing anything ("--reinstall" so that
    // a copy installed by hand does not turn the run into a no-op).
    const TRun run =
        Run(QStringLiteral("apt-get"),
            {QStringLiteral("install"), QStringLiteral("--simulate"), QStringLiteral("--reinstall"),
             QStringLiteral("--no-download"), myPackage});
    QVERIFY2(run.Status == 0, qPrintable(run.Output));
    QVERIFY2(run.Output.contains(QLatin1String("Inst vorkade2")), qPrintable(run.Output));
}

void TstPackaging::lintianFindsNoFault()
{
    // Debian's own check of a package: no error, no warning and no remark left
    // that the package does not override with its reason.
    const TRun run = Run(QStringLiteral("lintian"),
                         {QStringLiteral("--display-info"), QStringLiteral("--fail-on"),
                          QStringLiteral("error,warning,info"),
                          QStringLiteral("--tag-display-limit"), QStringLiteral("0"), myPackage});
    const QStringList findings =
        run.Output.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^[EWI]: ")));
    QVERIFY2(run.Status == 0 && findings.isEmpty(), qPrintable(run.Output));
}

QTEST_GUILESS_MAIN(TstPackaging)
#include "tst_packaging.moc"
