#include <cmath>
#include <filesystem>
#include <sys/stat.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "app/live_reload.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/problems_list.h"
#include "app/skin_watcher.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"
#include "skin/lint.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

constexpr int kWaitMs = 5000;
constexpr QRgb kGreen = 0xff00ff00;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// As editors save atomically: a new file renamed over the old one.
void SaveAtomically(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".tmp~");
    WriteFile(temp, bytes);
    std::filesystem::rename(QFile::encodeName(temp).toStdString(),
                            QFile::encodeName(path).toStdString());
}

QByteArray GreenSkin() {
    return QByteArray(kSkin).replace("color=0,0,255", "color=0,255,0");
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->item(i)->text());
    return items;
}

// What the problems list should show for a skin file.
QStringList LintItems(const QString& skin) {
    QStringList items;
    for (const LintFinding& f : LintSkin(QFile::encodeName(skin).toStdString()))
        items.push_back(ProblemText(f));
    if (items.isEmpty()) items.push_back(QStringLiteral("No problems found"));
    return items;
}

// A workbench-ready harness: quick timings, and the strip at hand.
struct Bench : Harness {
    Bench() { dialog->Tools().Live().SetTiming(40, 40); }
    WorkbenchStrip& Strip() const { return *dialog->Strip(); }
    void ReloadOnChange(bool on) const { Strip().reloadOnChange->setChecked(on); }
};

// The pointer moving over a widget with no button down, as the window system reports it at an
// exact position (QTest would move the cursor, rounding through the screen's pixels).
void Hover(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     {});
    QCoreApplication::sendEvent(widget, &move);
}

// A point of the magnifier inside the block of preview pixel p.
QPoint MagnifierPoint(const MagnifierWindow& m, QPoint p) {
    const qreal perPixel = m.Scale() / m.devicePixelRatioF();
    return {static_cast<int>(std::ceil(p.x() * perPixel)),
            static_cast<int>(std::ceil(p.y() * perPixel))};
}

} // namespace

class TestWorkbench : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // The tools are off until asked for: nothing is watched, no window opens, nothing is written,
    // so the dialog above works exactly as it does alone.
    void offByDefault() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Bench h;
        QVERIFY(!h.Strip().reloadOnChange->isChecked());
        QCOMPARE(h.Strip().MagnifierFactor(), 0);
        h.BrowseTo(skin);
        QVERIFY(!h.dialog->Tools().Live().Watcher().IsWatching());
        QVERIFY(!h.dialog->Tools().Magnifier().Window());
        const std::size_t paints = h.paints.rects.size();
        WriteFile(skin, GreenSkin());
        QTest::qWait(300);
        QCOMPARE(h.Screen().pixel(5, 5), kSkinBlue);
        QCOMPARE(h.paints.rects.size(), paints);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
        QVERIFY(h.chooser->suggestions.isEmpty());
        QVERIFY(h.sink->messages.isEmpty());
        // The manual Reload still picks the change up.
        h.Click(IdReload);
        QCOMPARE(h.Screen().pixel(5, 5), kGreen);
    }

    void reloadOnChange_data() {
        // Saves one after the other: i in place, a atomically. An in-place save after an atomic
        // one must reach the watch set up on the new file.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("saves");
        QTest::newRow("skin in place") << "skin.ini"
                                       << "ii";
        QTest::newRow("skin atomically") << "skin.ini"
                                         << "aa";
        QTest::newRow("skin atomically, then in place") << "skin.ini"
                                                        << "ai";
        QTest::newRow("bitmap in place") << "up.bmp"
                                         << "ii";
        QTest::newRow("bitmap atomically, then in place") << "up.bmp"
                                                          << "ai";
    }

    void reloadOnChange() {
        QFETCH(QString, file);
        QFETCH(QString, saves);
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Bench h;
        h.BrowseTo(skin);
        h.ReloadOnChange(true);
        // State of the controls that a reload must keep.
        h.Click(IdContactFound);
        h.Get<QLineEdit>(IdName)->setText(QStringLiteral("Ada"));
        h.Click(IdShowAlign);
        h.Get<QLineEdit>(IdXPos)->setText(QStringLiteral("150"));

        const QRgb colours[] = {0xffff00ff, 0xff00ffff};
        for (int i = 0; i < 2; ++i) {
            const QRgb colour = colours[i];
            const QString path = dir.filePath(file);
            QByteArray bytes;
            if (file == QStringLiteral("skin.ini")) {
                bytes = QByteArray(kSkin).replace("color=0,0,255", QStringLiteral("color=%1,%2,%3")
                                                                       .arg(qRed(colour))
                                                                       .arg(qGreen(colour))
                                                                       .arg(qBlue(colour))
                                                                       .toLatin1());
            } else {
                QImage image(40, 30, QImage::Format_RGB32);
                image.fill(colour);
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                QVERIFY(image.save(&buffer, "BMP"));
            }
            if (saves[i] == QLatin1Char('a'))
                SaveAtomically(path, bytes);
            else
                WriteFile(path, bytes);
            const QPoint probe = file == QStringLiteral("skin.ini") ? QPoint(5, 5) : QPoint(25, 25);
            QTRY_COMPARE_WITH_TIMEOUT(h.Screen().pixel(probe), colour, kWaitMs);
        }
        QVERIFY(h.sink->messages.isEmpty());
        QVERIFY(h.Get<QRadioButton>(IdContactFound)->isChecked());
        QCOMPARE(h.Text(IdName), QStringLiteral("Ada"));
        QCOMPARE(h.Text(IdXPos), QStringLiteral("150"));
        QVERIFY(h.dialog->showAlignRect);
        QCOMPARE(h.Screen().pixel(150, 0), kAlignRed);
        QVERIFY(h.Strip().status->text().startsWith(QStringLiteral("Reloaded at")));
    }

    // Other files in the folder (an editor's swap file, an export) are no reason to reload.
    void unrelatedFilesIgnored() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Bench h;
        h.BrowseTo(skin);
        h.ReloadOnChange(true);
        QSignalSpy changes(&h.dialog->Tools().Live().Watcher(), &SkinWatcher::Changed);
        WriteFile(dir.filePath(QStringLiteral(".skin.ini.swp")), "x");
        WriteFile(dir.filePath(QStringLiteral("notes.txt")), "y");
        QTest::qWait(400);
        QCOMPARE(changes.size(), 0);
        // A bitmap the skin names but that was missing counts once it appears.
        WriteFile(skin, QByteArray(kSkin) + "[Image]\nfile=late.bmp\n");
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 1, kWaitMs);
        WriteBmp(QDir(dir.path()), QStringLiteral("late.bmp"), 10, 10, kGreen);
        QTRY_COMPARE_WITH_TIMEOUT(h.Screen().pixel(0, 0), kGreen, kWaitMs);
    }

    // A folder that never falls quiet must not hold a reload back for ever.
    void busyFolder() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        SkinWatcher watcher;
        watcher.SetSettleInterval(100);
        watcher.SetMaxWait(400);
        watcher.Watch({skin});
        QSignalSpy changes(&watcher, &SkinWatcher::Changed);
        WriteFile(skin, GreenSkin());
        QElapsedTimer busy;
        busy.start();
        for (int i = 0; changes.isEmpty() && busy.elapsed() < 3000; ++i) {
            // New names: the folder's watch reports entries made and removed.
            WriteFile(dir.filePath(QStringLiteral("build-%1.o").arg(i)), "o");
            QFile::remove(dir.filePath(QStringLiteral("build-%1.o").arg(i - 1)));
            QTest::qWait(20);
        }
        QCOMPARE(changes.size(), 1);
    }

    // While the skin is rewritten it may be empty for a moment: the last good preview stays,
    // and no message box appears. A file that stays unreadable shows why in the problems.
    void unreadableWhileWriting() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Bench h;
        h.BrowseTo(skin);
        h.dialog->Tools().Live().SetTiming(40, 60000);
        h.ReloadOnChange(true);
        WriteFile(skin, {});
        QTRY_VERIFY_WITH_TIMEOUT(h.Strip().status->text().startsWith(QStringLiteral("Waiting")),
                                 kWaitMs);
        QCOMPARE(h.dialog->buttons.size(), std::size_t{2});
        QCOMPARE(h.Screen().pixel(5, 5), kSkinBlue);
        WriteFile(skin, GreenSkin());
        QTRY_COMPARE_WITH_TIMEOUT(h.Screen().pixel(5, 5), kGreen, kWaitMs);

        h.dialog->Tools().Live().SetTiming(40, 40);
        QFile::remove(skin);
        QTRY_COMPARE_WITH_TIMEOUT(Items(h.Strip().problems),
                                  QStringList{"error: cannot read the skin file: no such file"},
                                  kWaitMs);
        QVERIFY(h.dialog->buttons.empty());
        QCOMPARE(h.Screen().pixel(5, 5), kPaper);
        QVERIFY(h.sink->messages.isEmpty());
        // Back again: the folder is still watched.
        WriteFile(skin, kSkin);
        QTRY_COMPARE_WITH_TIMEOUT(h.Screen().pixel(5, 5), kSkinBlue, kWaitMs);
        QCOMPARE(Items(h.Strip().problems), LintItems(skin));
    }

    void problemsOnEveryLoad() {
        QTemporaryDir dir;
        const QString skin =
            WriteSkin(dir, QByteArray(kSkin) + "[Image]\nfile=missing.bmp\nbogus=1\n");
        Bench h;
        QCOMPARE(h.Strip().problems->count(), 0);
        h.BrowseTo(skin);
        const QStringList expected = LintItems(skin);
        QCOMPARE(Items(h.Strip().problems), expected);
        QVERIFY(expected.contains(
            "21: error: cannot load \"missing.bmp\": cannot open file (status -1); no image"));
        QVERIFY(expected.contains("22: warning: unknown key \"bogus\" in [Image]"));
        QCOMPARE(h.Strip().problems->item(2)->toolTip(),
                 skin + ":21: error: cannot load \"missing.bmp\": cannot open file (status -1); "
                        "no image");
        QVERIFY(h.Strip().problems->item(2)->icon().cacheKey() !=
                h.Strip().problems->item(3)->icon().cacheKey());

        // Reload reads the file again, problems too.
        WriteFile(skin, "[Background Color]\ncolor=1,2,3\n");
        h.Click(IdReload);
        QCOMPARE(Items(h.Strip().problems), QStringList{"No problems found"});
        QCOMPARE(h.Strip().problems->item(0)->flags(), Qt::NoItemFlags);

        // A failed Browse or Reload keeps its message box, and the problems name the reason
        // while it is up.
        QStringList shown;
        h.sink->whileShown = [&] { shown = Items(h.Strip().problems); };
        const QString fifo = dir.filePath(QStringLiteral("fifo.ini"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const std::pair<QString, QString> failures[] = {
            {dir.filePath(QStringLiteral("nothing.ini")), "no such file"},
            {WriteSkin(dir, QByteArray()), "empty file"},
            {fifo, "not a regular file"}};
        for (const auto& [path, reason] : failures) {
            const QStringList listed{"error: cannot read the skin file: " + reason};
            h.BrowseTo(path);
            QCOMPARE(h.sink->messages.takeLast(), QStringLiteral("Error while loading skin !"));
            QCOMPARE(shown, listed);
            h.Click(IdReload);
            QCOMPARE(h.sink->messages.takeLast(), QStringLiteral("Error while reloading skin !"));
            QCOMPARE(shown, listed);
            QCOMPARE(Items(h.Strip().problems), listed);
        }
    }

    // A skin of thousands of bad lines lists a readable number of them.
    void problemsOfAHostileSkin() {
        QTemporaryDir dir;
        const QString skin =
            WriteSkin(dir, QByteArray(kSkin) + QByteArray("junk\n").repeated(2000));
        Bench h;
        h.BrowseTo(skin);
        const QListWidget* list = h.Strip().problems;
        const int total = static_cast<int>(LintSkin(QFile::encodeName(skin).toStdString()).size());
        QVERIFY(total > 2000);
        QCOMPARE(list->count(), 501);
        QCOMPARE(list->item(500)->text(),
                 QStringLiteral("\u2026 %1 more not listed; pindrel-cli lint lists them all")
                     .arg(total - 500));
        QCOMPARE(Items(list).mid(0, 500), LintItems(skin).mid(0, 500));
    }

    void pointerReadout() {
        QTemporaryDir dir;
        Bench h;
        h.BrowseTo(WriteSkin(dir));
        QWidget* preview = h.dialog->Preview();
        const std::size_t paints = h.paints.rects.size();
        Hover(preview, QPoint(30, 30));
        QCOMPARE(h.Strip().pointerPosition->text(), QStringLiteral("30, 30"));
        QCOMPARE(h.Strip().pointerColour->text(), QStringLiteral("0, 192, 0"));
        QCOMPARE(h.Strip().element->text(), QStringLiteral("Button 0, id 7 (up.bmp), line 3"));
        Hover(preview, QPoint(239, 0));
        QCOMPARE(h.Strip().pointerPosition->text(), QStringLiteral("239, 0"));
        QCOMPARE(h.Strip().pointerColour->text(), QStringLiteral("0, 0, 255"));
        QCOMPARE(h.Strip().element->text(), QStringLiteral("Background colour"));
        // Moving repaints nothing.
        QCOMPARE(h.paints.rects.size(), paints);
        // A press changes the pixel under the resting pointer.
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(h.Strip().pointerColour->text(), QStringLiteral("255, 255, 0"));
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(h.Strip().pointerColour->text(), QStringLiteral("0, 192, 0"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(preview, &leave);
        QVERIFY(h.Strip().pointerPosition->text().isEmpty());
        QVERIFY(h.Strip().pointerColour->text().isEmpty());
        QVERIFY(h.Strip().element->text().isEmpty());
    }

    void magnifier_data() {
        QTest::addColumn<int>("factor");
        QTest::newRow("2x") << 2;
        QTest::newRow("3x") << 3;
        QTest::newRow("4x") << 4;
    }

    void magnifier() {
        QFETCH(int, factor);
        QTemporaryDir dir;
        Bench h;
        h.BrowseTo(WriteSkin(dir));
        h.Strip().SetMagnifierFactor(factor);
        MagnifierWindow* m = h.dialog->Tools().Magnifier().Window();
        QVERIFY(m);
        QVERIFY(QTest::qWaitForWindowExposed(m));
        QCOMPARE(m->Factor(), factor);
        // The keyboard stays with the dialog.
        QCOMPARE(QApplication::activeWindow(), h.dialog.get());
        const int scale = m->Scale();
        QCOMPARE(scale,
                 std::max(1, static_cast<int>(std::lround(factor * m->devicePixelRatioF()))));

        // Nearest neighbour: whole blocks of scale x scale screen pixels.
        const QImage shown = m->Shown().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(240, 320) * scale);
        const QImage screen = h.Screen();
        for (const QPoint p : {QPoint(20, 20), QPoint(59, 49), QPoint(60, 50), QPoint(19, 19)})
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    QCOMPARE(shown.pixel(p * scale + QPoint(dx, dy)), screen.pixel(p));

        // The mouse works at exact preview pixels: the button's last pixel presses it, the next
        // one does not.
        SkinButton& b = h.dialog->buttons[0];
        QTest::mousePress(m, Qt::LeftButton, {}, MagnifierPoint(*m, {59, 49}));
        QVERIFY(b.pressed && b.tracking);
        QCOMPARE(h.Screen().pixel(30, 30), kDown);
        QCOMPARE(m->Shown().pixel(30 * scale, 30 * scale), kDown);
        QTest::mouseMove(m, MagnifierPoint(*m, {60, 50}));
        QVERIFY(!b.pressed && b.tracking);
        QCOMPARE(h.Strip().pointerPosition->text(), QStringLiteral("60, 50"));
        QTest::mouseMove(m, MagnifierPoint(*m, {20, 20}));
        QVERIFY(b.pressed);
        QTest::mouseRelease(m, Qt::LeftButton, {}, MagnifierPoint(*m, {20, 20}));
        QVERIFY(!b.pressed && !b.tracking);
        QCOMPARE(h.Strip().status->text(), QStringLiteral("Button sent command 7"));
        QCOMPARE(m->Shown().pixel(30 * scale, 30 * scale), kUp);

        // Orientation changes reach it with the next paint.
        h.Click(IdLandscape);
        QCOMPARE(m->Shown().size(), QSize(320, 240) * scale);

        // Closing the window (Escape does) turns the choice back to off; choosing off hides it.
        QTest::keyClick(m, Qt::Key_Escape);
        QVERIFY(!m->isVisible());
        QCOMPARE(h.Strip().MagnifierFactor(), 0);
        QVERIFY(h.dialog->isVisible());
        h.Strip().SetMagnifierFactor(factor);
        QVERIFY(m->isVisible());
        h.Strip().SetMagnifierFactor(0);
        QVERIFY(!m->isVisible());
    }

    void exportPng() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Bench h;
        h.BrowseTo(skin);
        h.Click(IdPrivateCaller);
        h.Click(IdShowAlign);
        QTest::mousePress(h.dialog->Preview(), Qt::LeftButton, {}, QPoint(30, 30));
        // Cancelled: nothing written.
        h.Click(IdPortrait);
        h.Strip().exportPng->click();
        QCOMPARE(h.chooser->suggestions,
                 QStringList{QDir(dir.path()).filePath("skin-portrait-private.png")});
        QCOMPARE(QDir(dir.path()).entryList({"*.png"}).size(), 0);

        // Saved: the screen as shown, pressed button and align rectangle included.
        const QString out = dir.filePath(QStringLiteral("out.png"));
        h.chooser->exportAnswer = out;
        h.Strip().exportPng->click();
        QImage saved(out);
        QVERIFY(!saved.isNull());
        saved = saved.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(saved, h.dialog->Tools().Frame().convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(saved.size(), QSize(240, 320));
        QCOMPARE(saved.pixel(30, 30), kDown);
        QCOMPARE(saved.pixel(0, 0), kAlignRed);
        QVERIFY(h.sink->messages.isEmpty());

        // Places that cannot take a file say so.
        const QString bad[] = {dir.path(), dir.filePath(QStringLiteral("no/such/folder.png"))};
        for (const QString& path : bad) {
            h.chooser->exportAnswer = path;
            h.Strip().exportPng->click();
            QVERIFY(h.sink->messages.last().startsWith(
                QStringLiteral("Could not export the preview to %1: ")
                    .arg(QDir::toNativeSeparators(path))));
        }
        QCOMPARE(h.sink->messages.size(), 2);
    }

    void copyKeys_data() {
        QTest::addColumn<int32_t>("orientation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("portrait") << int32_t{IdPortrait} << "posP=70,110\nsizeP=100,100";
        QTest::newRow("landscape") << int32_t{IdLandscape} << "posL=70,110\nsizeL=100,100";
        QTest::newRow("square") << int32_t{IdSquare} << "posQ=70,110\nsizeQ=100,100";
    }

    void copyKeys() {
        QFETCH(int32_t, orientation);
        QFETCH(QString, expected);
        Bench h;
        h.Click(orientation);
        h.Get<QLineEdit>(IdXPos)->setText(QStringLiteral("70"));
        h.Get<QLineEdit>(IdYPos)->setText(QStringLiteral("110"));
        const std::size_t paints = h.paints.rects.size();
        h.Strip().copyKeys->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QCOMPARE(h.paints.rects.size(), paints);
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
