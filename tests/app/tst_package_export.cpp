#include <QLabel>
#include <QPushButton>

#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"
#include "support/zip_reader.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// A skin without findings: a button at its natural size in every orientation.
constexpr char kCleanSkin[] = "[Background Color]\ncolor=0,0,255\n"
                              "[Button]\nfile_up=up.bmp\nfile_down=down.bmp\nid=7\n";

// The skin as myskin/myskin.ini in dir, with its pictures and a file it does not use; returns
// the skin file's path.
QString WriteSkinFolder(const QTemporaryDir& dir, const QByteArray& ini) {
    QDir(dir.path()).mkdir(QStringLiteral("myskin"));
    const QDir folder(dir.filePath(QStringLiteral("myskin")));
    WriteBmp(folder, "up.bmp", 40, 30, kUp);
    WriteBmp(folder, "down.bmp", 40, 30, kDown);
    WriteBmp(folder, "unused.bmp", 4, 4, kUp);
    QFile f(folder.filePath(QStringLiteral("myskin.ini")));
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(ini);
    return f.fileName();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList EntryNames(const QString& zip) {
    const QByteArray bytes = ReadAll(zip);
    QStringList names;
    for (const ZipItem& item : ReadZip({reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size())}))
        names.push_back(QString::fromStdString(item.name));
    return names;
}

QByteArray EntryData(const QString& zip, const std::string& name) {
    const QByteArray bytes = ReadAll(zip);
    for (const ZipItem& item : ReadZip({reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size())}))
        if (item.name == name)
            return QByteArray(reinterpret_cast<const char*>(item.data.data()),
                              static_cast<qsizetype>(item.data.size()));
    return {};
}

const QStringList kPacked = {"myskin/", "myskin/myskin.ini", "myskin/down.bmp", "myskin/up.bmp"};

} // namespace

class TestPackageExport : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    void namedForAssistiveTools() {
        Harness h;
        QPushButton* button = h.dialog->Strip()->exportPackage;
        QCOMPARE(button->accessibleName(), QStringLiteral("Export skin package"));
        QVERIFY(!button->toolTip().isEmpty());
        QVERIFY(button->isVisible());
    }

    // A clean skin goes straight to the file chooser, which starts on SKIN.zip beside the skin's
    // folder; the package holds the skin and exactly its pictures.
    void cleanSkinIsPackedBesideItsFolder() {
        QTemporaryDir dir;
        const QString skin = WriteSkinFolder(dir, kCleanSkin);
        Harness h;
        h.BrowseTo(skin);
        h.dialog->Strip()->exportPackage->click();
        const QString suggested = QDir(dir.path()).filePath(QStringLiteral("myskin.zip"));
        QCOMPARE(h.chooser->packageSuggestions, QStringList{suggested});
        QVERIFY(h.sink->questions.isEmpty());
        QVERIFY(!QFile::exists(suggested));

        h.chooser->packageAnswer = suggested;
        h.dialog->Strip()->exportPackage->click();
        QCOMPARE(EntryNames(suggested), kPacked);
        QCOMPARE(EntryData(suggested, "myskin/myskin.ini"), QByteArray(kCleanSkin));
        QVERIFY(h.sink->messages.isEmpty());
        QVERIFY(h.dialog->Strip()->status->text().endsWith(
            QStringLiteral(": the skin and 2 pictures")));
    }

    // Errors need the author's word, as --force does; warnings are shown too.
    void findingsShownFirst_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("yes");
        QTest::newRow("error") << QByteArray(kCleanSkin).append("[Image]\nfile=gone.bmp\n")
                               << "Packing myskin.ini found 1 error:\n\n8: error: cannot load "
                                  "\"gone.bmp\""
                               << "Pack anyway";
        QTest::newRow("warning") << QByteArray(kCleanSkin).append("bogus=1\n")
                                 << "Packing myskin.ini found 1 warning:\n\n7: warning: unknown "
                                    "key \"bogus\""
                                 << "Pack";
    }

    void findingsShownFirst() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString skin = WriteSkinFolder(dir, ini);
        const QString out = dir.filePath(QStringLiteral("out.zip"));
        Harness h;
        h.BrowseTo(skin);
        h.chooser->packageAnswer = out;
        h.sink->confirm = false;
        h.dialog->Strip()->exportPackage->click();
        QCOMPARE(h.sink->questions.size(), 1);
        QVERIFY2(h.sink->questions.front().startsWith(shown),
                 qPrintable(h.sink->questions.front()));
        QVERIFY(h.chooser->packageSuggestions.isEmpty());
        QVERIFY(!QFile::exists(out));
        QCOMPARE(h.dialog->Strip()->status->text(), QStringLiteral("Package not exported"));

        h.sink->confirm = true;
        h.dialog->Strip()->exportPackage->click();
        QCOMPARE(EntryNames(out), kPacked);
    }

    // The skin as the designer holds it: edits not yet saved go into the package, and the file
    // on disk stays as it is.
    void unsavedEditsArePacked() {
        QTemporaryDir dir;
        const QString skin = WriteSkinFolder(dir, kCleanSkin);
        const QString out = dir.filePath(QStringLiteral("out.zip"));
        Harness h;
        h.BrowseTo(skin);
        const QByteArray edited = QByteArray(kCleanSkin).replace("0,0,255", "0,255,0");
        SkinIniFile parsed;
        parsed.Parse(std::vector<uint8_t>(edited.begin(), edited.end()));
        h.dialog->Session().Edit(std::move(parsed));
        h.dialog->LoadEdited();
        h.chooser->packageAnswer = out;
        h.dialog->Strip()->exportPackage->click();
        QCOMPARE(EntryData(out, "myskin/myskin.ini"), edited);
        QCOMPARE(ReadAll(skin), QByteArray(kCleanSkin));
        QVERIFY(h.dialog->Strip()->status->text().contains(QStringLiteral("unsaved edits")));
    }

    void placesThatCannotTakeItSaySo() {
        Harness h;
        h.dialog->Strip()->exportPackage->click();
        QCOMPARE(h.sink->messages,
                 QStringList{QStringLiteral("Load a skin before exporting its package.")});
        QVERIFY(h.chooser->packageSuggestions.isEmpty());

        QTemporaryDir dir;
        const QString skin = WriteSkinFolder(dir, kCleanSkin);
        h.BrowseTo(skin);
        const QString bad[] = {dir.path(), dir.filePath(QStringLiteral("no/such/folder.zip")), skin,
                               dir.filePath(QStringLiteral("myskin/up.bmp"))};
        for (const QString& path : bad) {
            h.chooser->packageAnswer = path;
            h.dialog->Strip()->exportPackage->click();
            QVERIFY2(h.sink->messages.last().startsWith(
                         QStringLiteral("Could not export the package to %1: ")
                             .arg(QDir::toNativeSeparators(path))),
                     qPrintable(h.sink->messages.last()));
        }
        QCOMPARE(h.sink->messages.size(), 5);
        QCOMPARE(ReadAll(skin), QByteArray(kCleanSkin));
    }

private:
    const QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestPackageExport)
#include "tst_package_export.moc"
