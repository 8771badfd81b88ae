#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <QScrollArea>
#include <QScrollBar>

#include "app/all_screens.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"

using namespace pindrel;
using namespace pindrel::test;

namespace {

constexpr Screen kPortraitUnknown{Portrait, CallType::UnknownCaller};
constexpr Screen kLandscapeContact{Landscape, CallType::ContactFound};

// A skin whose button (id 7) sits at (20, 20) in portrait and at (200, 20) in landscape, with
// an image hidden unless a contact is found, and off the screen in square.
constexpr char kScreensSkin[] = R"([Background Color]
color=0,0,255
[Image]
file=up.bmp
type=8
posP=120,120
posL=120,120
posQ=300,300
[Button]
file_up=up.bmp
file_down=down.bmp
posP=20,20
posL=200,20
id=7
)";

struct ScreensBench : Harness {
    explicit ScreensBench(const QTemporaryDir& dir) : skin(WriteSkin(dir, kScreensSkin)) {
        BrowseTo(skin);
    }
    WorkbenchStrip& Strip() const { return dialog->Tools().Strip(); }
    AllScreensWindow* Open() const {
        Strip().allScreens->click();
        return dialog->Tools().AllScreens().Window();
    }
    QImage CellPicture(pindrel::Screen s) const {
        return dialog->Tools().AllScreens().Window()->Cell(s)->Picture().convertToFormat(
            QImage::Format_ARGB32);
    }
    QString skin;
};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    // Off, nothing is drawn over the preview: what the screen shows is the frame kept.
    void offByDefault() {
        QTemporaryDir dir;
        ScreensBench h(dir);
        QVERIFY(!h.Strip().outlines->isChecked());
        QVERIFY(!h.Strip().keyColour->isChecked());
        QVERIFY(!h.dialog->Tools().AllScreens().Window());
        QCOMPARE(h.Screen(), Kept(h));
        QVERIFY(h.Strip().offScreen->text().isEmpty());
    }

    // Outlines on the screen, never in the frame kept for export; the strip names what lies off.
    void outlinesOnTheScreenOnly() {
        QTemporaryDir dir;
        ScreensBench h(dir);
        h.Strip().outlines->setChecked(true);
        const QImage screen = h.Screen();
        const QImage frame = h.dialog->Tools().Frame().convertToFormat(QImage::Format_ARGB32);
        const QRgb button = qRgb(kButtonOutline.R(), kButtonOutline.G(), kButtonOutline.B());
        QCOMPARE(screen.pixel(20, 20), button);
        QCOMPARE(frame.pixel(20, 20), kUp);
        // The hidden image's ring is dashed: its first dash drawn, the gap after it not.
        const QRgb image = qRgb(kImageOutline.R(), kImageOutline.G(), kImageOutline.B());
        QCOMPARE(screen.pixel(120, 120), image);
        QCOMPARE(screen.pixel(120 + kOutlineDash, 120), kSkinBlue);
        QCOMPARE(h.Strip().offScreen->text(), QStringLiteral("No element lies off the screen"));
        h.Click(IdLandscape);
        QCOMPARE(h.Strip().offScreen->text(), QStringLiteral("No element lies off the screen"));
        h.Click(IdSquare);
        QCOMPARE(h.Strip().offScreen->text(), QStringLiteral("1 element off the screen: line 3"));
        h.Strip().outlines->setChecked(false);
        QCOMPARE(h.Screen(), Kept(h));
    }

    // The window follows every repaint of the preview, and a click there chooses the screen.
    void allScreensFollowAndChoose() {
        QTemporaryDir dir;
        ScreensBench h(dir);
        AllScreensWindow* w = h.Open();
        QVERIFY(w && w->isVisible());
        w->SetDivisor(1);
        QCOMPARE(h.CellPicture(kPortraitUnknown).size(), QSize(240, 320));
        QCOMPARE(h.CellPicture(kLandscapeContact).size(), QSize(320, 240));
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(25, 25), kUp);
        QCOMPARE(h.CellPicture(kLandscapeContact).pixel(205, 25), kUp);
        // The hidden image shows where a contact is found only.
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(125, 125), kSkinBlue);
        QCOMPARE(h.CellPicture(kLandscapeContact).pixel(125, 125), kUp);

        // A button held in the preview is held on every screen.
        QWidget* preview = h.dialog->Preview();
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(25, 25), kDown);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(25, 25), kUp);
        // The align rectangle.
        h.Click(IdShowAlign);
        QCOMPARE(h.CellPicture(kLandscapeContact).pixel(0, 50), kAlignRed);
        h.Click(IdShowAlign);
        // An edit.
        h.Strip().editSkin->setChecked(true);
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(25, 25));
        QTest::keyClick(preview, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(25, 25), kSkinBlue);
        QCOMPARE(h.CellPicture(kPortraitUnknown).pixel(35, 25), kUp);
        h.Strip().editSkin->setChecked(false);
        // A load of another skin, the edit dropped.
        WriteFile(h.skin, "[Background Color]\ncolor=0,255,0\n");
        h.sink->unsaved = UnsavedChoice::Discard;
        h.Click(IdReload);
        QCOMPARE(h.CellPicture(kLandscapeContact).pixel(5, 5), qRgb(0, 255, 0));
        // Outlines there too, at half the size.
        h.Strip().outlines->setChecked(true);
        w->SetDivisor(2);
        QCOMPARE(h.CellPicture(kLandscapeContact).size(), QSize(160, 120));

        // A click on a screen sets the radios, as clicks on them would.
        QTest::mouseClick(w->Cell(kLandscapeContact), Qt::LeftButton, {}, QPoint(60, 60));
        QVERIFY(h.Get<QRadioButton>(IdLandscape)->isChecked());
        QVERIFY(h.Get<QRadioButton>(IdContactFound)->isChecked());
        QCOMPARE(h.dialog->Preview()->size(), QSize(320, 240));
        QCOMPARE(h.dialog->orientation, static_cast<int32_t>(Landscape));
    }

    // Typing sample data redraws the screens with it.
    void allScreensFollowTheSampleData() {
        QTemporaryDir dir;
        ScreensBench h(dir);
        WriteFile(h.skin, "[Label]\nfields=name\nposP=0,0\nsizeP=240,100\n");
        h.Click(IdReload);
        h.Open()->SetDivisor(1);
        const Screen contact{Portrait, CallType::ContactFound};
        const QImage before = h.CellPicture(contact);
        QTest::keyClicks(h.dialog->Control(IdName), "xyz");
        QVERIFY(h.CellPicture(contact) != before);
    }

    // Tool windows open within the screen's available area, scrolling what does not fit: every
    // screen whole at 1x, the magnifier at 4x with its mouse still on exact preview pixels.
    void toolWindowsWithinTheScreen() {
        QTemporaryDir dir;
        ScreensBench h(dir);
        const QRect room = h.dialog->screen()->availableGeometry();
        AllScreensWindow* w = h.Open();
        w->SetDivisor(1);
        QCoreApplication::processEvents(); // the layout settles
        QVERIFY(room.contains(w->frameGeometry()));
        const int caption = 2 * w->fontMetrics().height();
        for (const pindrel::Screen s : kAllScreens) {
            const ScreenCell* cell = w->Cell(s);
            QVERIFY(cell->width() >= cell->Picture().width());
            QVERIFY(cell->height() >= cell->Picture().height() + caption);
        }
        const auto* scroll = w->findChild<QScrollArea*>();
        QVERIFY(scroll);
        if (w->WholeSize().height() > w->height())
            QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        if (w->WholeSize().width() > w->width())
            QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);

        h.Strip().SetMagnifierFactor(4);
        MagnifierWindow* m = h.dialog->Tools().Magnifier().Window();
        QVERIFY(room.contains(m->frameGeometry()));
        QVERIFY(m->ContentSize().height() > m->height());
        QScrollBar* down = nullptr;
        for (QScrollBar* bar : m->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Vertical) down = bar;
        QVERIFY(down && down->isVisible());
        down->setValue(down->maximum());
        const qreal perPixel = m->Scale() / m->devicePixelRatioF();
        // The last row of the view, beside the scroll bar as high as the view.
        const qreal last = down->height() - 0.5;
        QCOMPARE(m->PreviewPixel(QPointF(0, last)),
                 std::optional(QPoint(0, static_cast<int>((last + down->value()) / perPixel))));
        QCOMPARE(m->PreviewPixel(QPointF(0, last))->y(), 319);
    }

private:
    // The frame kept for export, as Harness::Screen gives the screen.
    static QImage Kept(ScreensBench& h) {
        QImage frame = h.dialog->Tools().Frame().convertToFormat(QImage::Format_ARGB32);
        frame.setDevicePixelRatio(h.Screen().devicePixelRatio());
        return frame;
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
