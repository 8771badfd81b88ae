#include <QAction>
#include <QLabel>
#include <QMenu>

#include "app/arrange_commands.h"
#include "app/edit_gestures.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "edit_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

// Three labels on a blue screen, apart from one another and from the screen's lines.
constexpr char kThreeLabels[] = "[Background Color]\ncolor=0,0,255\n"
                                "[Label]\nfields=name\nposP=20,20\nsizeP=40,20\n"
                                "[Label]\nfields=name\nposP=100,60\nsizeP=40,20\n"
                                "[Label]\nfields=name\nposP=30,150\nsizeP=60,30\n";

const PlacedElement kA{PlacedKind::Label, 0};
const PlacedElement kB{PlacedKind::Label, 1};
const PlacedElement kC{PlacedKind::Label, 2};

struct ArrangeBench : EditBench {
    explicit ArrangeBench(const QTemporaryDir& dir) : EditBench(dir, kThreeLabels) {
        EditMode(true);
    }
    ArrangeCommands& Arrange() const { return Editor().Arrange(); }
};

} // namespace

class TestArrange : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // A drag snaps an edge or the centre within a few screen pixels onto the screen's centre
    // line or another's edge, with the guide and the distances shown while it is held; Alt
    // turns it off. The same in the magnifier, where the pixels are larger.
    void snapping_data() {
        QTest::addColumn<bool>("magnifier");
        QTest::newRow("preview") << false;
        QTest::newRow("magnifier") << true;
    }
    void snapping() {
        QFETCH(bool, magnifier);
        QTemporaryDir dir;
        ArrangeBench h(dir);
        QWidget* surface = h.dialog->Preview();
        qreal k = 1;
        if (magnifier) {
            h.Strip().SetMagnifierFactor(2);
            MagnifierWindow* m = h.dialog->Tools().Magnifier().Window();
            surface = m;
            k = m->UnitsPerPixel();
        }
        const QByteArray original = SessionText(*h.dialog);
        // Within reach: its left edge 1 short of the other's, its centre 1 short of the screen's
        // centre line.
        const QPointF from(25.5 * k, 25.5 * k), to((25.5 + 79) * k, 25.5 * k);
        Send(surface, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(surface, QEvent::MouseMove, to, Qt::LeftButton);
        const std::optional<SnapResult>& snap = h.Editor().Gestures().LastSnap();
        QVERIFY(snap && snap->guideX && !snap->guideY);
        QVERIFY(h.Editor().Gestures().LastGaps().has_value());
        // Drawn on the screen only.
        QCOMPARE(h.dialog->Tools().Frame().pixel(120, 5), h.dialog->Tools().Frame().pixel(121, 5));
        Send(surface, QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(h.RectOf(kA), QRect(100, 20, 40, 20));
        QVERIFY(!h.Editor().Gestures().LastSnap());
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);

        // Out of reach, counted in screen pixels: no snap.
        const qreal screenPerPixel = k * surface->devicePixelRatioF();
        const int reach = std::max(1, static_cast<int>(EditGestures::kSnapReach / screenPerPixel));
        const QPointF far((25.5 + 80 + reach + 1) * k, 25.5 * k);
        Drag(surface, from, far, true);
        QCOMPARE(h.RectOf(kA), QRect(100 + reach + 1, 20, 40, 20));
        h.Editor().Undo();
        // Within reach but with Alt held: exactly where the mouse went.
        Drag(surface, from, to);
        QCOMPARE(h.RectOf(kA), QRect(99, 20, 40, 20));
        // Nudges never snap.
        h.Editor().Nudge(-1, 0, 0, 0);
        QCOMPARE(h.RectOf(kA), QRect(98, 20, 40, 20));
    }

    // Shift+click and a rubber band select several; a drag moves them all as one step.
    void severalAtOnce() {
        QTemporaryDir dir;
        ArrangeBench h(dir);
        QWidget* preview = h.dialog->Preview();
        Click(preview, QPointF(25, 25));
        Send(preview, QEvent::MouseButtonPress, QPointF(105, 65), Qt::LeftButton,
             Qt::ShiftModifier);
        Send(preview, QEvent::MouseButtonRelease, QPointF(105, 65), Qt::NoButton,
             Qt::ShiftModifier);
        QCOMPARE(h.Editor().Selected(), (std::vector<PlacedElement>{kA, kB}));
        const QByteArray original = SessionText(*h.dialog);
        Drag(preview, QPointF(25, 25), QPointF(30, 35));
        QCOMPARE(h.RectOf(kA), QRect(25, 30, 40, 20));
        QCOMPARE(h.RectOf(kB), QRect(105, 70, 40, 20));
        QCOMPARE(h.RectOf(kC), QRect(30, 150, 60, 30));
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);
        // The arrows move them all, as one step too.
        QTest::keyClick(preview, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(h.RectOf(kA), QRect(30, 20, 40, 20));
        QCOMPARE(h.RectOf(kB), QRect(110, 60, 40, 20));
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);

        // A band from empty screen touching the first and the third.
        Drag(preview, QPointF(5, 300), QPointF(40, 30));
        QCOMPARE(h.Editor().Selected(), (std::vector<PlacedElement>{kA, kC}));
        QVERIFY(h.Strip().selection->text().startsWith(QStringLiteral("2 elements")));
        // Ctrl+A takes all that is drawn.
        h.Editor().SelectAllShown();
        QCOMPARE(h.Editor().Selected().size(), 3u);
        // A click on empty screen selects nothing.
        Click(preview, QPointF(200, 300));
        QVERIFY(h.Editor().Selected().empty());
    }

    // Each command moves the selection as one step; one element aligns to the screen.
    void alignAndDistribute_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QRect>("a");
        QTest::addColumn<QRect>("b");
        QTest::addColumn<QRect>("c");
        const auto row = [](const char* name, int command, QRect a, QRect b, QRect c) {
            QTest::newRow(name) << command << a << b << c;
        };
        row("left", 0, {20, 20, 40, 20}, {20, 60, 40, 20}, {20, 150, 60, 30});
        row("centres", 1, {60, 20, 40, 20}, {60, 60, 40, 20}, {50, 150, 60, 30});
        row("right", 2, {100, 20, 40, 20}, {100, 60, 40, 20}, {80, 150, 60, 30});
        row("top", 3, {20, 20, 40, 20}, {100, 20, 40, 20}, {30, 20, 60, 30});
        row("middles", 4, {20, 90, 40, 20}, {100, 90, 40, 20}, {30, 85, 60, 30});
        row("bottom", 5, {20, 160, 40, 20}, {100, 160, 40, 20}, {30, 150, 60, 30});
        // In the order they stand across: A, C, B; the two outermost stay.
        row("across", 6, {20, 20, 40, 20}, {100, 60, 40, 20}, {50, 150, 60, 30});
        row("down", 7, {20, 20, 40, 20}, {100, 85, 40, 20}, {30, 150, 60, 30});
        // The last one chosen gives the size; only labels and the photo take it.
        row("same width", 8, {20, 20, 60, 20}, {100, 60, 60, 20}, {30, 150, 60, 30});
        row("same height", 9, {20, 20, 40, 30}, {100, 60, 40, 30}, {30, 150, 60, 30});
    }
    void alignAndDistribute() {
        QFETCH(int, command);
        QFETCH(QRect, a);
        QFETCH(QRect, b);
        QFETCH(QRect, c);
        QTemporaryDir dir;
        ArrangeBench h(dir);
        h.Editor().SetSelected({kA, kB, kC});
        const QByteArray original = SessionText(*h.dialog);
        ArrangeCommands& arrange = h.Arrange();
        if (command < 6)
            arrange.AlignSelected(static_cast<AlignTo>(command));
        else if (command < 8)
            arrange.DistributeSelected(command == 6);
        else
            arrange.SameSize(command == 8);
        QCOMPARE(h.RectOf(kA), a);
        QCOMPARE(h.RectOf(kB), b);
        QCOMPARE(h.RectOf(kC), c);
        h.Editor().Undo();
        QCOMPARE(SessionText(*h.dialog), original);
    }

    void oneElementAlignsToTheScreen() {
        QTemporaryDir dir;
        ArrangeBench h(dir);
        h.Editor().Select(kA);
        h.Arrange().AlignSelected(AlignTo::Right);
        QCOMPARE(h.RectOf(kA), QRect(200, 20, 40, 20));
        h.Arrange().AlignSelected(AlignTo::Middle);
        QCOMPARE(h.RectOf(kA), QRect(200, 150, 40, 20));
        QVERIFY(!h.Arrange().Menu().actions().isEmpty());
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestArrange)
#include "tst_arrange.moc"
