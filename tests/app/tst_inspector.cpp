#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "app/editor_window.h"
#include "app/element_commands.h"
#include "app/inspector.h"
#include "app/inspector_fields.h"
#include "app/label_fields_editor.h"
#include "edit_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// One element of each kind on blue, and a button that does not load.
constexpr char kKinds[] = "; every kind\r\n"
                          "[Background Color]\r\ncolor=0,0,255\r\n"
                          "[Image]\r\nfile=up.bmp\r\nposP=10,10\r\n"
                          "[Button]\r\nfile_up=up.bmp\r\nfile_down=down.bmp\r\nposP=100,100\r\n"
                          "id=7\r\n"
                          "[Label]\r\nfields=name,phone\r\nposP=0,200\r\nsizeP=240,40\r\n"
                          "[Button]\r\nfile_up=up.bmp\r\nposP=1,1\r\n"
                          "[Photo Rect]\r\nposP=60,250\r\nsizeP=40,40\r\n";

const PlacedElement kImage{PlacedKind::Image, 0};
const PlacedElement kButton{PlacedKind::Button, 0};
const PlacedElement kLabel{PlacedKind::Label, 0};

struct InspectorBench : EditBench {
    explicit InspectorBench(const QTemporaryDir& dir) : EditBench(dir, kKinds) { EditMode(true); }
    Inspector& Inspect() const { return dialog->Tools().Editing().Inspect(); }
    // Commits a typed number as Enter does.
    static void Type(QLineEdit& field, const QString& text) {
        field.setText(text);
        QTest::keyClick(&field, Qt::Key_Return);
    }
    static void Choose(QComboBox& box, int index) {
        box.setCurrentIndex(index);
        emit box.activated(index);
    }
    static QCheckBox* Box(QWidget& w, const QString& text) {
        for (QCheckBox* b : w.findChildren<QCheckBox*>())
            if (b->text() == text) return b;
        return nullptr;
    }
};

} // namespace

class TestInspector : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // Each control writes its own key, as the skin writes it; Enter commits a typed number and
    // does not end the program; undo and redo give back the bytes exactly.
    void controlsWriteTheirKeys_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        const auto row = [](const char* name, int control, const char* from, const char* to) {
            QTest::newRow(name) << control << QByteArray(from) << QByteArray(to);
        };
        row("call types", 0, "id=7\r\n", "id=7\r\ntype=29\r\n");
        row("command", 1, "id=7", "id=3");
        row("key colour off to on", 2, "id=7\r\n", "id=7\r\ntransp_color=255,0,255\r\n");
        // Square took Landscape's rectangle, which was Portrait's: it keeps it with keys of its
        // own.
        row("landscape x", 3, "id=7\r\n", "id=7\r\nposL=42,100\r\nposQ=100,100\r\n");
        row("picture while pressed", 4, "file_down=down.bmp", "file_down=up.bmp");
    }
    void controlsWriteTheirKeys() {
        QFETCH(int, control);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QTemporaryDir dir;
        InspectorBench h(dir);
        h.Editor().Select(kButton);
        Inspector& in = h.Inspect();
        const QByteArray original = SessionText(*h.dialog);
        switch (control) {
        case 0:
            InspectorBench::Box(in.CallTypes(), QStringLiteral("Private"))->click();
            break;
        case 1:
            InspectorBench::Choose(in.Command(), 1);
            break;
        case 2: {
            auto* on = in.KeyColour().findChild<QCheckBox*>();
            on->click();
            break;
        }
        case 3:
            InspectorBench::Type(in.Placement().Field(Landscape, 0), QStringLiteral("42"));
            break;
        case 4:
            InspectorBench::Choose(in.Picture(1), in.Picture(1).findText(QStringLiteral("up.bmp")));
            break;
        }
        QByteArray expected = original;
        expected.replace(from, to);
        QCOMPARE(SessionText(*h.dialog), expected);
        QVERIFY(h.dialog->isVisible());
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);
        h.Editor().Redo();
        QCOMPARE(SessionText(*h.dialog), expected);
    }

    // A label's fields: added, reordered with their fonts and colours, each field's look set.
    void labelFields() {
        QTemporaryDir dir;
        InspectorBench h(dir);
        h.Editor().Select(kLabel);
        LabelFieldsEditor& fields = h.Inspect().Fields();
        auto* add = fields.findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(add);
        InspectorBench::Choose(*add, add->findText(QStringLiteral("time")));
        QVERIFY(SessionText(*h.dialog).contains("fields=name,phone,time\r\n"));
        QCOMPARE(h.dialog->labels[0].fieldIds.size(), 3u);
        // The colour of the first field, picked from the preview's blue.
        auto* list = fields.findChild<QListWidget*>();
        list->setCurrentRow(0);
        QToolButton* pick = nullptr;
        for (QToolButton* b : fields.Colour().findChildren<QToolButton*>())
            if (b->text() == QStringLiteral("Pick")) pick = b;
        pick->click();
        Click(h.dialog->Preview(), QPointF(5, 150));
        QVERIFY(SessionText(*h.dialog).contains("color1=0,0,255\r\n"));
        // Down moves the first field after the second, and its colour with it.
        list->setCurrentRow(0);
        for (QPushButton* b : fields.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Down")) b->click();
        QVERIFY(SessionText(*h.dialog).contains("fields=phone,name,time\r\n"));
        QVERIFY(SessionText(*h.dialog).contains("color2=0,0,255\r\n"));
        QVERIFY(!SessionText(*h.dialog).contains("color1="));
        // Alignment named in words.
        InspectorBench::Choose(h.Inspect().Horizontal(), 2);
        QVERIFY(SessionText(*h.dialog).contains("hor_align=2\r\n"));
        QCOMPARE(h.dialog->labels[0].horAlign, 2);
    }

    // Nothing selected: the skin's own keys. A section that does not load: mended here.
    void skinKeysAndMending() {
        QTemporaryDir dir;
        InspectorBench h(dir);
        Inspector& in = h.Inspect();
        auto* swatch = in.Background().findChild<QToolButton*>();
        QCOMPARE(swatch->text(), QStringLiteral("0, 0, 255"));
        // The button without its down picture, chosen in the Elements list.
        const int32_t broken = 4;
        h.Editor().SelectSection(broken);
        QLabel* title = nullptr;
        for (QLabel* l : in.findChildren<QLabel*>())
            if (l->accessibleName() == QStringLiteral("What the inspector shows")) title = l;
        QCOMPARE(title->text(), QStringLiteral("Button, line 16"));
        QCOMPARE(h.dialog->buttons.size(), 1u);
        InspectorBench::Choose(in.Picture(1), in.Picture(1).findText(QStringLiteral("down.bmp")));
        QCOMPARE(h.dialog->buttons.size(), 2u);
        QVERIFY(SessionText(*h.dialog).contains(
            "file_up=up.bmp\r\nposP=1,1\r\nfile_down=down.bmp\r\n"));
    }

    // Several selected: the keys they share; a change sets all of them, as one step.
    void sharedKeys() {
        QTemporaryDir dir;
        InspectorBench h(dir);
        h.Editor().SetSelected({kImage, kButton});
        Inspector& in = h.Inspect();
        QVERIFY(!in.Picture(0).isVisibleTo(&in));
        const QByteArray original = SessionText(*h.dialog);
        InspectorBench::Box(in.CallTypes(), QStringLiteral("Unknown"))->click();
        QCOMPARE(h.dialog->images[0].type, 30);
        QCOMPARE(h.dialog->buttons[0].type, 30);
        InspectorBench::Type(in.Placement().Field(Portrait, 1), QStringLiteral("77"));
        QCOMPARE(h.dialog->images[0].rects[Portrait].top, 77);
        QCOMPARE(h.dialog->buttons[0].rects[Portrait].top, 77);
        h.Editor().Undo();
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);
    }

    // Add, duplicate, restack and delete, each one step; new elements where asked.
    void elementCommands() {
        QTemporaryDir dir;
        InspectorBench h(dir);
        ElementCommands& c = h.dialog->Tools().Elements();
        const QByteArray original = SessionText(*h.dialog);
        c.SetPlace(QPoint(30, 40));
        QVERIFY(c.AddLabel());
        QCOMPARE(h.dialog->labels.size(), 2u);
        QCOMPARE(h.Editor().Selection(), std::optional(PlacedElement{PlacedKind::Label, 1}));
        QCOMPARE(h.dialog->labels[1].rects[Portrait], (Rect{30, 40, 150, 60}));
        // A picture from elsewhere is copied in and becomes an image.
        QTemporaryDir other;
        WriteBmp(QDir(other.path()), "logo.bmp", 8, 6, kDown);
        h.chooser->pictureAnswers.push_back(other.filePath(QStringLiteral("logo.bmp")));
        QVERIFY(c.AddImage());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("logo.bmp"))));
        QCOMPARE(h.dialog->images.size(), 2u);
        QCOMPARE(h.dialog->images[1].rects[Portrait], (Rect{116, 157, 124, 163}));
        // Duplicate and restack the first image: the copy comes next, then goes last.
        h.Editor().Select(kImage);
        QVERIFY(c.Duplicate());
        QCOMPARE(h.dialog->images.size(), 3u);
        QCOMPARE(h.Editor().Selection(), std::optional(PlacedElement{PlacedKind::Image, 1}));
        QVERIFY(c.Restack(1));
        QCOMPARE(h.dialog->images[2].file, std::string("up.bmp"));
        QVERIFY(c.Delete());
        QCOMPARE(h.dialog->images.size(), 2u);
        for (int i = 0; i < 5; ++i)
            h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
