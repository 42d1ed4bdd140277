// Installing and packaging the game, done as a packager does it: cmake --install
// into a scratch prefix and cpack into a scratch directory, then a look at what
// lands where desktops and apt look for it.
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

namespace
{

const QString AppId = QStringLiteral("org.vorkade.vorkade2");
const QString DesktopEntry = QStringLiteral("share/applications/") + AppId + ".desktop";
const QList<int> IconSizes{32, 64, 128, 256};
QString Icon(int size)
{
    return QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + AppId + ".png";
}
const QString Metainfo = QStringLiteral("share/metainfo/") + AppId + ".metainfo.xml";
const QString Program = QStringLiteral("games/Vorkade2");
const QString ManPage = QStringLiteral("share/man/man6/Vorkade2.6.gz");
const QString FrenchManPage = QStringLiteral("share/man/fr/man6/Vorkade2.6.gz");
const QString Changelog = QStringLiteral("share/doc/vorkade2/changelog.gz");
const QString Copyright = QStringLiteral("share/doc/vorkade2/copyright");

struct TRun {
    int Status = -1;
    QString Output; // standard output and error, interleaved
};

TRun Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
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
    void manPages_data();
    void manPages();
    void installedProgramSearchesNoPrivatePath();

    void packageHoldsTheInstalledFiles();
    void packageVersionIsTheRelease();
    void packageDependsOnlyOnQtRuntime();
    void packageBringsThePlatformPluginAndFrenchTexts();
    void aptAcceptsThePackage();
    void lintianFindsNoFault();

private:
    QString Installed(const QString &relative) const { return myPrefix.filePath(relative); }
    QString ControlField(const QString &name) const;

    QTemporaryDir myPrefix;
    QTemporaryDir myPackageDir;
    QString myPackage;
};

void TstPackaging::initTestCase()
{
    QVERIFY(myPrefix.isValid());
    const TRun install = Run(QStringLiteral(VORKADE_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(VORKADE_BUILD_DIR),
                              QStringLiteral("--prefix"), myPrefix.path()});
    QVERIFY2(install.Status == 0, qPrintable(install.Output));

    QVERIFY(myPackageDir.isValid());
    const TRun cpack = Run(QStringLiteral(VORKADE_CPACK),
                           {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                            QStringLiteral(VORKADE_BUILD_DIR "/CPackConfig.cmake"),
                            QStringLiteral("-B"), myPackageDir.path()});
    QVERIFY2(cpack.Status == 0, qPrintable(cpack.Output));
    const QStringList debs = QDir(myPackageDir.path()).entryList({QStringLiteral("*.deb")});
    QCOMPARE(debs.size(), 1);
    myPackage = myPackageDir.filePath(debs.first());
}

void TstPackaging::installsWhereDesktopsLook()
{
    QStringList expected{DesktopEntry,  Metainfo,  Program,  ManPage,
                         FrenchManPage, Changelog, Copyright};
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
    // The name a menu shows is the one the frame's title bar shows.
    QTest::newRow("name is the title") << "Name" << QString::fromLatin1(ApplicationTitle);
    QTest::newRow("listed with logic games") << "Categories"
                                             << "Game;LogicGame;";
    // Desktops match the running window to its entry by the X class Qt gives
    // it, the name of the executable.
    QTest::newRow("window matched by program name")
        << "StartupWMClass" << QFileInfo(Program).fileName();
    QTest::newRow("runs the installed program") << "Exec" << QFileInfo(Program).fileName();
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
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
    const QStringList matching = lines.filter(QRegularExpression(QStringLiteral("^%1=").arg(key)));
    QCOMPARE(matching.size(), 1);
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
    QVERIFY(xml.contains(QStringLiteral("<binary>%1</binary>").arg(QFileInfo(Program).fileName())));
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
    // Each pixel of the window icon a square block of the installed one.
    const QImage window = ApplicationIconImage();
    const int factor = size / window.width();
    QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32),
             window.scaled(window.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void TstPackaging::manPages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("told");
    // What the page tells: the keys of the play window and the editor's mouse.
    QTest::newRow("French") << FrenchManPage
                            << QStringList{"NOM",           "Flèches",
                                           "Début",         "Page précédente",
                                           "Page suivante", "Fin",
                                           "Bouton gauche", "Bouton droit",
                                           "Ctrl+F4",       "Recharger les 280 niveaux"};
    QTest::newRow("English") << ManPage << QStringList{"NAME",        "Arrow keys",   "Home",
                                                       "Page Up",     "Page Down",    "End",
                                                       "Left button", "Right button", "Ctrl+F4"};
}

void TstPackaging::manPages()
{
    QFETCH(QString, page);
    QFETCH(QStringList, told);
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
    // Words may be set in bold by overstriking; the plain text is what counts.
    QString text = QString::fromUtf8(man.readAllStandardOutput());
    text.remove(QRegularExpression(QStringLiteral(".\\x08")));
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
    // "-rwxr-xr-x root/root 160800 2026-12-07 21:24 ./usr/bin/Vorkade2"
    QMap<QString, QString> modes;
    for (const QString &line : list.Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('d')))
            continue;
        const QString path = line.section(QLatin1Char(' '), -1);
        QVERIFY2(path.startsWith(QLatin1String("./usr/")), qPrintable(line));
        modes[path.mid(int(qstrlen("./usr/")))] = line.section(QLatin1Char(' '), 0, 1);
    }
    QCOMPARE(modes.keys(), FilesBelow(myPrefix.path()));
    for (auto it = modes.cbegin(); it != modes.cend(); ++it) {
        const QString expected = it.key() == Program ? QStringLiteral("-rwxr-xr-x root/root")
                                                     : QStringLiteral("-rw-r--r-- root/root");
        QVERIFY2(it.value() == expected, qPrintable(it.key() + u' ' + it.value()));
    }
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
    // Debian's own check of a package: no error, and no warning left that the
    // package does not override with its reason.
    const TRun run = Run(QStringLiteral("lintian"),
                         {QStringLiteral("--fail-on"), QStringLiteral("error,warning"),
                          QStringLiteral("--no-tag-display-limit"), myPackage});
    const QStringList findings =
        run.Output.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^[EW]: ")));
    QVERIFY2(run.Status == 0 && findings.isEmpty(), qPrintable(run.Output));
}

QTEST_GUILESS_MAIN(TstPackaging)
#include "tst_packaging.moc"
