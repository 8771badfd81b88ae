#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <sys/stat.h>

#include "app/elements_list.h"
#include "app/live_reload.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/problems_list.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "edit_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// Under the pixel (30, 30) lie, topmost first: the label, the button and an image that only a
// contact with picture shows. At (50, 45) the button is the topmost.
constexpr char kStackSkin[] = "; stacked elements\r\n"
                              "[Background Color]\r\n"
                              "color=0,0,255\r\n"
                              "[Image]\r\n"
                              "file=up.bmp\r\n"
                              "type=16\r\n"
                              "posP=20,20\r\n"
                              "[Button]\r\n"
                              "file_up=up.bmp\r\n"
                              "file_down=down.bmp\r\n"
                              "posP=20,20 ; by the corner\r\n"
                              "id=7\r\n"
                              "[Label]\r\n"
                              "fields=name\r\n"
                              "posP=0,0\r\n"
                              "sizeP=40,40\r\n"
                              "color1=255,255,255\r\n";

const PlacedElement kImage{PlacedKind::Image, 0};
const PlacedElement kButton{PlacedKind::Button, 0};
const PlacedElement kLabel{PlacedKind::Label, 0};

// The skin above unless told otherwise.
struct StackBench : EditBench {
    explicit StackBench(const QTemporaryDir& dir, const QByteArray& ini = kStackSkin)
        : EditBench(dir, ini) {}
};

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // Off, the dialog is as it was: the mouse presses the skin's buttons, and nothing is written.
    void offByDefault() {
        QTemporaryDir dir;
        StackBench h(dir);
        QVERIFY(!h.Strip().editSkin->isChecked());
        QCOMPARE(h.dialog->Preview()->focusPolicy(), Qt::NoFocus);
        Send(h.dialog->Preview(), QEvent::MouseButtonPress, QPointF(50, 45), Qt::LeftButton);
        QCOMPARE(h.Screen().pixel(50, 45), kDown);
        Send(h.dialog->Preview(), QEvent::MouseButtonRelease, QPointF(50, 45), Qt::NoButton);
        QVERIFY(!h.Editor().Selection());
        QVERIFY(!h.Strip().save->isEnabled());
        QCOMPARE(ReadAll(h.skin), QByteArray(kStackSkin));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    // A click takes the topmost element there; clicking again walks down the stack, hidden ones
    // last, and round again. The elements list follows, and choosing there selects too.
    void selectAndWalkDown() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        QWidget* preview = h.dialog->Preview();
        for (const PlacedElement& expected : {kLabel, kButton, kImage, kLabel}) {
            Click(preview, QPointF(30.5, 30.5));
            QCOMPARE(h.Editor().Selection(), std::optional(expected));
        }
        // The skin's buttons were not pressed.
        QCOMPARE(h.Screen().pixel(50, 45), kUp);
        Click(preview, QPointF(50, 45));
        QCOMPARE(h.Editor().Selection(), std::optional(kButton));
        QVERIFY(h.Strip().selectionKeys->text() == "posP=20,20 sizeP=40,30");
        QTreeWidget* list = h.Strip().elements;
        QCOMPARE(h.Strip().lists->currentWidget(), h.Strip().elementsPage);
        QCOMPARE(list->topLevelItemCount(), 4); // image, button, label, photo
        QCOMPARE(list->currentItem()->text(0), QStringLiteral("Button 0"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("no")); // hidden by call type
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("4"));
        list->setCurrentItem(list->topLevelItem(2));
        QCOMPARE(h.Editor().Selection(), std::optional(kLabel));
        // Chosen in the list, the arrows move it there too, and the row stays.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(h.RectOf(kLabel), QRect(0, 1, 40, 40));
        QCOMPARE(list->currentItem(), list->topLevelItem(2));
        // The lines shown follow every edit: a line more above every section.
        QVERIFY(h.Editor().ApplyText(Bytes(";\r\n" + SessionText(*h.dialog))));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("5"));
        // Nothing under the pointer: nothing selected.
        Click(preview, QPointF(200, 300));
        QVERIFY(!h.Editor().Selection());
    }

    // A drag is one step: the text in memory changes, the preview shows it, the file does not.
    void dragNudgeResizeUndoRedo() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        QWidget* preview = h.dialog->Preview();
        const QByteArray original = kStackSkin;
        // While the button is held, the strip's keys follow the pointer.
        Send(preview, QEvent::MouseButtonPress, QPointF(50, 45), Qt::LeftButton, Qt::AltModifier);
        Send(preview, QEvent::MouseMove, QPointF(55, 50), Qt::LeftButton, Qt::AltModifier);
        QTRY_COMPARE(h.Strip().selectionKeys->text(), QStringLiteral("posP=25,25 sizeP=40,30"));
        Send(preview, QEvent::MouseMove, QPointF(60.5, 60.5), Qt::LeftButton, Qt::AltModifier);
        Send(preview, QEvent::MouseButtonRelease, QPointF(60.5, 60.5), Qt::NoButton,
             Qt::AltModifier);
        QCOMPARE(h.Editor().Selection(), std::optional(kButton));
        QCOMPARE(h.RectOf(kButton), QRect(30, 35, 40, 30));
        QCOMPARE(h.Screen().pixel(35, 62), kUp);
        QVERIFY(SessionText(*h.dialog).contains("posP=30,35 ; by the corner\r\n"));
        QCOMPARE(ReadAll(h.skin), original);
        QVERIFY(h.Strip().save->isEnabled());
        QCOMPARE(h.Strip().editState->text(), QStringLiteral("Unsaved edits"));
        QCOMPARE(h.Strip().selectionKeys->text(), QStringLiteral("posP=30,35 sizeP=40,30"));

        // Arrows nudge by 1, with Shift by 10; Ctrl resizes.
        QTest::keyClick(preview, Qt::Key_Right);
        QTest::keyClick(preview, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(preview, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(h.RectOf(kButton), QRect(31, 45, 39, 30));

        // The bottom-right handle resizes.
        const QPointF corner(31 + 39, 45 + 30);
        Drag(preview, corner, corner + QPointF(10, 5));
        QCOMPARE(h.RectOf(kButton), QRect(31, 45, 49, 35));

        // Each gesture is one step back and forth, down to the bytes read.
        for (const QRect& r : {QRect(31, 45, 39, 30), QRect(31, 45, 40, 30), QRect(31, 35, 40, 30),
                               QRect(30, 35, 40, 30), QRect(20, 20, 40, 30)}) {
            h.Strip().undo->click();
            QCOMPARE(h.RectOf(kButton), r);
        }
        QCOMPARE(SessionText(*h.dialog), original);
        QVERIFY(!h.Strip().undo->isEnabled());
        QVERIFY(!h.Strip().save->isEnabled());
        h.Strip().redo->click();
        QCOMPARE(h.RectOf(kButton), QRect(30, 35, 40, 30));
        // The problems follow the edits: one off the screen.
        Drag(preview, QPointF(50, 50), QPointF(400, 50));
        bool offScreen = false;
        for (int i = 0; i < h.Strip().problems->count(); ++i)
            offScreen = offScreen || h.Strip().problems->item(i)->text().contains("off-screen");
        QVERIFY(offScreen);
    }

    // A load of the file decodes each picture once, however many elements name it; an edit
    // loads the text again from memory and decodes none.
    void picturesDecodedOncePerLoad() {
        QTemporaryDir dir;
        StackBench h(dir);
        const SkinSession& session = h.dialog->Session();
        QCOMPARE(session.Decodes(), uint64_t{2}); // up.bmp, named twice, and down.bmp
        h.Strip().reloadOnChange->setChecked(true);
        h.dialog->Tools().Live().Reload();
        QCOMPARE(session.Decodes(), uint64_t{4});
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(70, 60));
        QTest::keyClick(h.dialog->Preview(), Qt::Key_Left);
        h.Strip().undo->click();
        QCOMPARE(session.Decodes(), uint64_t{4});
    }

    // The selection is drawn on the screen only: the frame kept for export has none of it.
    void selectionOnTheScreenOnly() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        Click(h.dialog->Preview(), QPointF(50, 45));
        const QImage screen = h.Screen();
        const QImage frame = h.dialog->Tools().Frame().convertToFormat(QImage::Format_ARGB32);
        const QColor selection(0, 160, 255);
        QVERIFY(AnyPixel(screen, QRect(18, 18, 45, 35), selection.rgb()));
        QVERIFY(!AnyPixel(frame, frame.rect(), selection.rgb()));
        QCOMPARE(frame.pixel(55, 45), kUp);
        h.EditMode(false);
        QVERIFY(!AnyPixel(h.Screen(), QRect(18, 18, 45, 35), selection.rgb()));
    }

    // In the magnifier the mouse works at exact preview pixels.
    void editInTheMagnifier() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        h.Strip().SetMagnifierFactor(3);
        MagnifierWindow* m = h.dialog->Tools().Magnifier().Window();
        QVERIFY(m);
        const qreal k = m->UnitsPerPixel();
        Drag(m, QPointF(50.5, 45.5) * k, QPointF(53.5, 44.5) * k);
        QCOMPARE(h.Editor().Selection(), std::optional(kButton));
        QCOMPARE(h.RectOf(kButton), QRect(23, 19, 40, 30));
    }

    // Save writes the text whole, keeps the file's mode, and is no change for live reload.
    void saveKeepsModeAndIsNoReload() {
        QTemporaryDir dir;
        StackBench h(dir);
        QVERIFY(::chmod(QFile::encodeName(h.skin).constData(), 0640) == 0);
        h.Strip().reloadOnChange->setChecked(true);
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(52, 45));
        const QByteArray edited = SessionText(*h.dialog);
        QTest::keyClick(h.dialog->Preview(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadAll(h.skin), edited);
        QCOMPARE(QFileInfo(h.skin).permissions() & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                     QFileDevice::ReadUser | QFileDevice::WriteUser);
        QVERIFY(!h.Strip().save->isEnabled());
        QVERIFY(h.Strip().status->text().startsWith("Saved skin.ini"));
        QTest::qWait(300);
        QVERIFY(h.Strip().status->text().startsWith("Saved skin.ini"));
        QCOMPARE(h.Editor().Selection(), std::optional(kButton));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    // A file changed behind the designer's back is not overwritten; reloading it is offered.
    void saveRefusesAChangedFile() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(52, 45));
        const QByteArray theirs = QByteArray(kStackSkin) + "[Notes]\r\nby=someone else\r\n";
        WriteFile(h.skin, theirs);
        h.sink->confirm = false;
        h.Strip().save->click();
        QCOMPARE(h.sink->questions.size(), 1);
        QCOMPARE(ReadAll(h.skin), theirs);
        QVERIFY(h.dialog->Session().Modified());
        h.sink->confirm = true;
        h.Strip().save->click();
        QCOMPARE(ReadAll(h.skin), theirs);
        QVERIFY(!h.dialog->Session().Modified());
        QCOMPARE(SessionText(*h.dialog), theirs);
        QCOMPARE(h.RectOf(kButton), QRect(20, 20, 40, 30));
    }

    // With edits that are not saved, a change on disk asks before it replaces them.
    void liveReloadAsksFirst() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.Strip().reloadOnChange->setChecked(true);
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(52, 45));
        h.sink->confirm = false;
        WriteFile(h.skin, QByteArray(kStackSkin).replace("color=0,0,255", "color=0,255,0"));
        QTRY_COMPARE(h.sink->questions.size(), 1);
        QVERIFY(h.dialog->Session().Modified());
        QCOMPARE(h.RectOf(kButton), QRect(22, 20, 40, 30));
        QCOMPARE(h.Screen().pixel(200, 200), kSkinBlue);
        // Kept once, not asked again for the same change.
        QTest::qWait(200);
        QCOMPARE(h.sink->questions.size(), 1);
    }

    // Enter, Escape and the close box ask only while edits are unsaved.
    void closingWithUnsavedEdits_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << static_cast<int>(UnsavedChoice::Cancel) << false << false;
        QTest::newRow("discard") << static_cast<int>(UnsavedChoice::Discard) << true << false;
        QTest::newRow("save") << static_cast<int>(UnsavedChoice::Save) << true << true;
    }
    void closingWithUnsavedEdits() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(52, 45));
        const QByteArray edited = SessionText(*h.dialog);
        h.sink->unsaved = static_cast<UnsavedChoice>(answer);
        QTest::keyClick(h.dialog.get(), Qt::Key_Escape);
        QCOMPARE(h.sink->questions.size(), 1);
        QCOMPARE(h.dialog->isVisible(), !closes);
        QCOMPARE(ReadAll(h.skin), saved ? edited : QByteArray(kStackSkin));
    }
    void closingWithoutEditsAsksNothing() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        Click(h.dialog->Preview(), QPointF(50, 45));
        QTest::keyClick(h.dialog.get(), Qt::Key_Escape);
        QVERIFY(h.sink->questions.isEmpty());
        QVERIFY(!h.dialog->isVisible());
    }

    // Browse and Reload over unsaved edits say what the choice leads to; cancelling keeps all.
    void browseAndReloadSayWhatFollows() {
        QTemporaryDir dir;
        StackBench h(dir);
        h.EditMode(true);
        Drag(h.dialog->Preview(), QPointF(50, 45), QPointF(52, 45));
        const QByteArray edited = SessionText(*h.dialog);
        h.sink->unsaved = UnsavedChoice::Cancel;
        const qsizetype chooserStarts = h.chooser->starts.size();
        h.Click(IdBrowse);
        h.Click(IdReload);
        QCOMPARE(h.sink->questions.size(), 2);
        QVERIFY(h.sink->questions[0].contains(QStringLiteral("another skin file")));
        QVERIFY(h.sink->questions[1].contains(QStringLiteral("read again")));
        QCOMPARE(h.chooser->starts.size(), chooserStarts);
        QCOMPARE(SessionText(*h.dialog), edited);
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
