#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "app/designer_dialog.h"
#include "app/number_edit.h"
#include "app/preview_window.h"
#include "app/up_down.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"

using namespace pindrel;
using namespace pindrel::test;

class TestDesignerDialog : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir::setCurrent(startDir); }

    void stateAfterStart() {
        Harness h;
        DesignerDialog& d = *h.dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("Pindrel"));
        // The dialog's own layout, with the workbench strip beside it.
        const Rect size = DialogRectToPixels(kDialogSize, d.Units());
        const QRect strip = d.Strip()->geometry();
        QCOMPARE(strip.left(), size.Width());
        QCOMPARE(d.size(), QSize(size.Width() + strip.width(), size.Height()));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        for (const ControlSpec& control : DialogControls()) {
            if (control.id == 0) continue;
            const Rect r = DialogRectToPixels(control.rect, d.Units());
            QVERIFY(d.Control(control.id)->geometry().right() < size.Width());
            QCOMPARE(d.Control(control.id)->geometry().top(), r.top);
        }
        // A 1080p laptop screen at 150 % leaves about 1280 x 680 logical pixels, title bar
        // included.
        qInfo("window %dx%d logical, %dx%d physical pixels", d.width(), d.height(),
              qRound(d.width() * d.devicePixelRatioF()),
              qRound(d.height() * d.devicePixelRatioF()));
        QVERIFY(d.width() <= 1280);
        QVERIFY(d.height() + 40 <= 680);
        for (QWidget* w : d.Strip()->findChildren<QWidget*>())
            QVERIFY(!w->isVisibleTo(&d) ||
                    d.rect().contains(w->mapTo(&d, w->rect().bottomRight())));
        QVERIFY(h.Get<QRadioButton>(IdPortrait)->isChecked());
        QVERIFY(h.Get<QRadioButton>(IdUnknownCaller)->isChecked());
        const std::pair<int32_t, const char*> texts[] = {
            {IdName, "First Last"},  {IdCompany, "Company"}, {IdJob, "Job"},
            {IdCategories, "Cat"},   {IdPhone, "123456789"}, {IdNick, "nick"},
            {IdPhoneType, "mobile"}, {IdXPos, "0"},          {IdYPos, "0"},
            {IdXSize, "100"},        {IdYSize, "100"},       {IdSkinPath, ""}};
        for (const auto& [id, text] : texts)
            QCOMPARE(h.Text(id), QString::fromLatin1(text));
        QVERIFY(!h.Get<QLineEdit>(IdSkinPath)->isEnabled());
        QVERIFY(!h.Get<QCheckBox>(IdShowAlign)->isChecked());
        QVERIFY(!d.showAlignRect);
        QCOMPARE(d.alignRect, (Rect{0, 0, 100, 100}));
        QVERIFY(!d.Control(IdHiddenGroup)->isVisible());
        QCOMPARE(d.Preview()->geometry(), QRect(50, 10, 240, 320));
        QCOMPARE(d.focusWidget(), d.Control(IdName));
        QVERIFY(ScreenDpiY > 0);
        QVERIFY(h.chooser->starts.isEmpty());
        QVERIFY(h.sink->messages.isEmpty());
        const QImage screen = h.Screen();
        QCOMPARE(screen.size(), QSize(240, 320));
        QVERIFY(!AnyPixel(screen, screen.rect(), kAlignRed));
        QCOMPARE(screen.pixel(0, 0), kPaper);
        QCOMPARE(screen.pixel(239, 319), kPaper);
    }

    void captionsAndTabOrder() {
        Harness h;
        for (const ControlSpec& control : DialogControls()) {
            if (control.id == 0 || control.caption.empty()) continue;
            auto* button = qobject_cast<QAbstractButton*>(h.dialog->Control(control.id));
            if (!button) continue;
            QCOMPARE(button->text().toStdString(), std::string(control.caption));
            if (auto* push = qobject_cast<QPushButton*>(button)) QVERIFY(!push->autoDefault());
        }
        QCOMPARE(h.dialog->Control(IdCentreVertically)->accessibleName(),
                 QStringLiteral("Centre vertically"));
        // Tab from Name walks the table's order; each radio group is one stop. The workbench's
        // stops come after the last of them.
        const int32_t order[] = {IdCompany,
                                 IdJob,
                                 IdCategories,
                                 IdPhone,
                                 IdUnknownCaller,
                                 IdNick,
                                 IdBrowse,
                                 IdReload,
                                 IdPhoneType,
                                 IdXPos,
                                 IdYPos,
                                 IdXSize,
                                 IdYSize,
                                 IdShowAlign,
                                 IdAlignLeft,
                                 IdAlignTop,
                                 IdCentreHorizontally,
                                 IdAlignRight,
                                 IdCentreVertically,
                                 IdAlignBottom,
                                 IdPortrait,
                                 IdName};
        for (const int32_t id : order) {
            QTest::keyClick(h.dialog->focusWidget(), Qt::Key_Tab);
            while (h.dialog->Strip()->isAncestorOf(h.dialog->focusWidget())) {
                QCOMPARE(id, IdPortrait);
                QTest::keyClick(h.dialog->focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(h.dialog->focusWidget(), h.dialog->Control(id));
        }
    }

    void reloadBeforeBrowse() {
        Harness h;
        h.Click(IdReload);
        QCOMPARE(h.sink->messages, QStringList{"Error while reloading skin !"});
        QCOMPARE(h.Screen().pixel(120, 160), kPaper);
    }

    void browseThenCancel() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Harness h;
        h.BrowseTo(skin);
        const std::size_t paints = h.paints.rects.size();
        h.chooser->answers.push_back(std::nullopt);
        h.Click(IdBrowse);
        QCOMPARE(h.chooser->starts.last(), skin);
        QCOMPARE(h.dialog->SkinPath(), skin);
        QCOMPARE(h.Text(IdSkinPath), QDir::toNativeSeparators(skin));
        QCOMPARE(h.dialog->buttons.size(), std::size_t{2});
        QCOMPARE(h.paints.rects.size(), paints);
        QVERIFY(h.sink->messages.isEmpty());
    }

    void browseLoadsBesideTheSkin() {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString skin = WriteSkin(dir);
        QDir::setCurrent(elsewhere.path());
        Harness h;
        h.BrowseTo(skin);
        QVERIFY(h.sink->messages.isEmpty());
        QCOMPARE(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
        const QImage screen = h.Screen();
        QCOMPARE(screen.pixel(5, 5), kSkinBlue);
        QCOMPARE(screen.pixel(20, 20), kUp);
        QCOMPARE(screen.pixel(59, 49), kUp);
        QCOMPARE(screen.pixel(60, 50), kSkinBlue);
        // "Unknown Caller" in white at the bottom.
        QVERIFY(AnyPixel(screen, QRect(0, 280, 240, 40), kPaper));
    }

    void failedLoadAfterGoodOne() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        const QString empty = dir.filePath("empty.ini");
        QFile(empty).open(QIODevice::WriteOnly);
        Harness h;
        h.Click(IdShowAlign);
        h.BrowseTo(skin);
        h.BrowseTo(empty);
        QCOMPARE(h.sink->messages, QStringList{"Error while loading skin !"});
        QCOMPARE(h.dialog->SkinPath(), empty);
        QCOMPARE(h.Text(IdSkinPath), QDir::toNativeSeparators(empty));
        QVERIFY(h.dialog->buttons.empty());
        const QImage screen = h.Screen();
        QCOMPARE(screen.pixel(30, 30), kPaper);
        QCOMPARE(screen.pixel(0, 0), kAlignRed); // the align rectangle stays
        // Reload retries the same path.
        h.Click(IdReload);
        QCOMPARE(h.sink->messages.last(), QStringLiteral("Error while reloading skin !"));
        QCOMPARE(h.chooser->starts.last(), skin);
    }

    void repaintOnTyping() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Harness h;
        h.BrowseTo(skin);
        h.Click(IdContactFound);
        const QRect label(0, 280, 240, 40);
        h.Get<QLineEdit>(IdName)->clear();
        QVERIFY(!AnyPixel(h.Screen(), label, kPaper));
        for (const int32_t id : {IdName, IdCompany, IdJob, IdCategories, IdPhone}) {
            const std::size_t before = h.paints.rects.size();
            QTest::keyClicks(h.dialog->Control(id), "Wo");
            QCOMPARE(h.paints.rects.size(), before + 2);
            QCOMPARE(h.paints.rects.back(), QRect(0, 0, 240, 320));
        }
        QVERIFY(AnyPixel(h.Screen(), label, kPaper));
    }

    void callerDataFromTheControls() {
        Harness h;
        DesignerDialog& d = *h.dialog;
        QCOMPARE(d.GetFieldText(0), std::string("Unknown Caller"));
        QCOMPARE(d.GetFieldText(4), std::string());
        // The time shows hours and minutes, whatever the locale's short format holds.
        const QString time = QString::fromStdString(d.GetFieldText(5));
        QVERIFY(QRegularExpression(QStringLiteral("\\d[:.]\\d\\d")).match(time).hasMatch());
        QVERIFY2(!QRegularExpression(QStringLiteral("\\d[:.]\\d\\d[:.]\\d")).match(time).hasMatch(),
                 qPrintable(time));
        h.Click(IdNumberDetected);
        QCOMPARE(d.GetCallType(nullptr), CallType::NumberDetected);
        h.Get<QLineEdit>(IdPhoneType)->setText(QStringLiteral("work"));
        QCOMPARE(d.GetFieldText(4), std::string("123456789 (work)"));
        QCOMPARE(d.GetFieldText(0), std::string());
        h.Click(IdContactFound);
        h.Get<QLineEdit>(IdName)->setText(QStringLiteral("Zo\u00eb"));
        QCOMPARE(d.GetFieldText(0), std::string("Zo\xc3\xab"));
        QCOMPARE(d.GetFieldText(9), std::string());
        const std::pair<int32_t, CallType> radios[] = {
            {IdPrivateCaller, CallType::PrivateCaller},
            {IdContactWithPicture, CallType::ContactWithPicture},
            {IdUnknownCaller, CallType::UnknownCaller}};
        for (const auto& [id, type] : radios) {
            h.Click(id);
            ConstPixelView photo;
            QCOMPARE(d.GetCallType(&photo), type);
        }
    }

    void placementPerOrientation() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Harness h;
        h.BrowseTo(skin);
        const struct {
            int32_t id;
            QRect geometry;
            QPoint button;
        } cases[] = {{IdLandscape, {10, 50, 320, 240}, {200, 20}},
                     {IdSquare, {50, 50, 240, 240}, {20, 150}},
                     {IdPortrait, {50, 10, 240, 320}, {20, 20}}};
        for (const auto& c : cases) {
            h.Click(c.id);
            QCOMPARE(h.dialog->Preview()->geometry(), c.geometry);
            QCOMPARE(h.dialog->orientation, c.id - IdPortrait);
            const QImage screen = h.Screen();
            QCOMPARE(screen.size(), c.geometry.size());
            QCOMPARE(screen.pixel(c.button), kUp);
            QCOMPARE(screen.pixel(c.button - QPoint(1, 1)), kSkinBlue);
        }
        // The arrow keys move through a radio group and apply what they select.
        h.dialog->Control(IdPortrait)->setFocus();
        QTest::keyClick(h.dialog->Control(IdPortrait), Qt::Key_Down);
        QVERIFY(h.Get<QRadioButton>(IdLandscape)->isChecked());
        QCOMPARE(h.dialog->Preview()->geometry(), QRect(10, 50, 320, 240));
    }

    void alignButtons_data() {
        QTest::addColumn<int32_t>("orientation");
        QTest::addColumn<QString>("xSize");
        QTest::addColumn<int32_t>("button");
        QTest::addColumn<int32_t>("edit");
        QTest::addColumn<QString>("expected");
        const struct {
            const char* name;
            int32_t orientation;
            const char* xSize;
            int32_t button;
            int32_t edit;
            const char* expected;
        } rows[] = {
            {"portrait R", IdPortrait, "100", IdAlignRight, IdXPos, "140"},
            {"portrait C upper", IdPortrait, "100", IdCentreHorizontally, IdXPos, "70"},
            {"portrait B", IdPortrait, "100", IdAlignBottom, IdYPos, "220"},
            {"portrait C lower", IdPortrait, "100", IdCentreVertically, IdYPos, "110"},
            {"landscape R", IdLandscape, "100", IdAlignRight, IdXPos, "220"},
            {"landscape C upper", IdLandscape, "100", IdCentreHorizontally, IdXPos, "110"},
            {"landscape B", IdLandscape, "100", IdAlignBottom, IdYPos, "140"},
            {"landscape C lower", IdLandscape, "100", IdCentreVertically, IdYPos, "70"},
            {"square R", IdSquare, "100", IdAlignRight, IdXPos, "140"},
            {"square B", IdSquare, "100", IdAlignBottom, IdYPos, "140"},
            {"square C upper", IdSquare, "100", IdCentreHorizontally, IdXPos, "70"},
            {"square C lower", IdSquare, "100", IdCentreVertically, IdYPos, "70"},
            {"too wide R", IdPortrait, "300", IdAlignRight, IdXPos, "-60"},
            {"too wide C", IdPortrait, "300", IdCentreHorizontally, IdXPos, "-30"},
            {"empty size R", IdPortrait, "", IdAlignRight, IdXPos, "240"},
            {"typed 999 R", IdPortrait, "999", IdAlignRight, IdXPos, "-759"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.orientation << QString::fromLatin1(r.xSize) << r.button
                                  << r.edit << QString::fromLatin1(r.expected);
    }

    void alignButtons() {
        QFETCH(int32_t, orientation);
        QFETCH(QString, xSize);
        QFETCH(int32_t, button);
        QFETCH(int32_t, edit);
        QFETCH(QString, expected);
        Harness h;
        h.Click(orientation);
        h.Get<QLineEdit>(IdXPos)->setText(QStringLiteral("5"));
        h.Get<QLineEdit>(IdYPos)->setText(QStringLiteral("5"));
        h.Get<QLineEdit>(IdXSize)->setText(xSize);
        // Unchecked, the buttons change nothing.
        h.Click(button);
        QCOMPARE(h.Text(edit), QStringLiteral("5"));
        h.Click(IdShowAlign);
        QVERIFY(h.dialog->showAlignRect);
        h.Click(button);
        QCOMPARE(h.Text(edit), expected);
        const AlignValues v{ReadAlignValue(h.Text(IdXPos).toStdString()),
                            ReadAlignValue(h.Text(IdYPos).toStdString()),
                            ReadAlignValue(xSize.toStdString()), 100};
        QCOMPARE(h.dialog->alignRect, AlignRectangle(v));
    }

    void alignRectangleOnScreen() {
        Harness h;
        h.Click(IdShowAlign);
        QImage screen = h.Screen();
        QCOMPARE(screen.pixel(0, 0), kAlignRed);
        QCOMPARE(screen.pixel(99, 99), kAlignRed);
        QCOMPARE(screen.pixel(99, 0), kAlignRed);
        QCOMPARE(screen.pixel(50, 50), kPaper);
        QCOMPARE(screen.pixel(100, 100), kPaper);
        // 300 wide, snapped right: starts 60 left of the screen, so its left side is cut off.
        h.Get<QLineEdit>(IdXSize)->setText(QStringLiteral("300"));
        h.Click(IdAlignRight);
        QCOMPARE(h.Text(IdXPos), QStringLiteral("-60"));
        screen = h.Screen();
        QCOMPARE(screen.pixel(0, 0), kAlignRed);
        QCOMPARE(screen.pixel(239, 50), kAlignRed);
        QCOMPARE(screen.pixel(0, 50), kPaper);
        // Unchecking hides it; the buttons then wait for the box again.
        h.Click(IdShowAlign);
        QVERIFY(!AnyPixel(h.Screen(), QRect(0, 0, 240, 320), kAlignRed));
        h.Click(IdAlignLeft);
        QCOMPARE(h.Text(IdXPos), QStringLiteral("-60"));
    }

    void upDownStepping() {
        Harness h;
        auto* edit = h.Get<QLineEdit>(IdXSize);
        auto* upDown = h.Get<UpDown>(IdXSizeUpDown);
        QCOMPARE(static_cast<QLineEdit*>(upDown->Buddy()), edit);

        QCOMPARE(upDown->geometry().left(), edit->geometry().right() + 1);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("101"));
        QCOMPARE(h.dialog->alignRect.right, 101);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("99"));
        // A typed value beyond the range is kept until the next step brings it back.
        edit->clear();
        QTest::keyClicks(edit, "9a-9.9");
        QCOMPARE(edit->text(), QStringLiteral("999"));
        QCOMPARE(h.dialog->alignRect.right, 999);
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("320"));
        edit->setText(QStringLiteral("-60"));
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        const std::size_t paints = h.paints.rects.size();
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        QCOMPARE(h.paints.rects.size(), paints);
        // The arrow buttons step the same way.
        const auto arrows = upDown->findChildren<QToolButton*>();
        QCOMPARE(arrows.size(), 2);
        for (QToolButton* arrow : arrows)
            if (arrow->arrowType() == Qt::UpArrow) QTest::mouseClick(arrow, Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }

    void enterAndEscapeEndTheDialog() {
        {
            Harness h;
            QTest::keyClick(h.dialog->Control(IdXPos), Qt::Key_Return);
            QVERIFY(!h.dialog->isVisible());
            QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
        }
        {
            Harness h;
            QTest::keyClick(h.dialog->Control(IdName), Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(!h.dialog->isVisible());
        }
        {
            Harness h;
            QTest::keyClick(h.dialog->Control(IdPhone), Qt::Key_Escape);
            QVERIFY(!h.dialog->isVisible());
            QCOMPARE(h.dialog->result(), int(QDialog::Rejected));
        }
        {
            // A focused push button takes Enter itself.
            Harness h;
            h.dialog->Control(IdReload)->setFocus();
            QTest::keyClick(h.dialog->Control(IdReload), Qt::Key_Return);
            QVERIFY(h.dialog->isVisible());
            QCOMPARE(h.sink->messages.size(), 1);
        }
    }

    void buttonPressLeaveReturnRelease() {
        QTemporaryDir dir;
        Harness h;
        h.BrowseTo(WriteSkin(dir));
        QWidget* preview = h.dialog->Preview();
        SkinButton& b = h.dialog->buttons[0];
        h.paints.rects.clear();
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(b.pressed && b.tracking);
        QCOMPARE(h.paints.rects, std::vector<QRect>{QRect(20, 20, 40, 30)});
        QCOMPARE(h.Screen().pixel(30, 30), kDown);
        QTest::mouseMove(preview, QPoint(100, 100));
        QVERIFY(!b.pressed && b.tracking);
        QCOMPARE(h.Screen().pixel(30, 30), kUp);
        QTest::mouseMove(preview, QPoint(59, 49));
        QVERIFY(b.pressed);
        QCOMPARE(h.Screen().pixel(30, 30), kDown);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(59, 49));
        QVERIFY(!b.pressed && !b.tracking);
        QCOMPARE(h.Screen().pixel(30, 30), kUp);
        QCOMPARE(h.paints.rects.size(), std::size_t{4});

        // A release outside the window goes unseen: the button keeps following the pointer.
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(-5, 30));
        QVERIFY(b.pressed && b.tracking);
        QTest::mouseMove(preview, QPoint(5, 5));
        QVERIFY(!b.pressed && b.tracking);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!b.tracking);

        // A press outside every button tracks nothing.
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(preview, QPoint(30, 30));
        QVERIFY(!b.pressed);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(30, 30));
        QCOMPARE(h.Screen().pixel(30, 30), kUp);
    }

    // Through the window, as a real pointer's events arrive: nothing captures the mouse, so
    // after a press beside the preview the moves and the release over it still reach it.
    void mouseThroughTheWindow() {
        QTemporaryDir dir;
        Harness h;
        h.BrowseTo(WriteSkin(dir));
        QWindow* window = h.dialog->windowHandle();
        const QPoint origin = h.dialog->Preview()->pos();
        const QPoint beside(h.dialog->Preview()->geometry().right() + 5, 200);
        QVERIFY(!h.dialog->childAt(beside));
        SkinButton& b = h.dialog->buttons[0];

        QTest::mousePress(window, Qt::LeftButton, {}, origin + QPoint(30, 30));
        QTest::mouseRelease(window, Qt::LeftButton, {}, beside);
        QVERIFY(b.pressed && b.tracking);
        QTest::mouseMove(window, origin + QPoint(5, 5));
        QVERIFY(!b.pressed && b.tracking);
        QTest::mousePress(window, Qt::LeftButton, {}, beside);
        QTest::mouseMove(window, origin + QPoint(30, 30));
        QVERIFY(b.pressed);
        QCOMPARE(h.Screen().pixel(30, 30), kDown);
        QTest::mouseRelease(window, Qt::LeftButton, {}, origin + QPoint(30, 30));
        QVERIFY(!b.pressed && !b.tracking);
        QCOMPARE(h.Screen().pixel(30, 30), kUp);

        // A double click's second press reaches nothing: only the first press and its release
        // repaint the button.
        h.paints.rects.clear();
        QTest::mouseDClick(window, Qt::LeftButton, {}, origin + QPoint(30, 30));
        QCOMPARE(h.paints.rects.size(), std::size_t{2});
        QVERIFY(!b.pressed && !b.tracking);
    }

    void latchingButton() {
        QTemporaryDir dir;
        const QString skin = WriteSkin(dir);
        Harness h;
        h.BrowseTo(skin);
        QWidget* preview = h.dialog->Preview();
        QCOMPARE(h.dialog->buttons[1].firesOnPress, 1);
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(110, 210));
        QVERIFY(h.dialog->buttons[1].pressed);
        QCOMPARE(h.Screen().pixel(110, 210), kDown);
        h.paints.rects.clear();
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(110, 210));
        QTest::mouseMove(preview, QPoint(5, 5));
        QVERIFY(h.paints.rects.empty());
        QCOMPARE(h.Screen().pixel(110, 210), kDown);
        // A reload builds fresh buttons.
        h.Click(IdReload);
        QVERIFY(!h.dialog->buttons[1].pressed);
        QCOMPARE(h.Screen().pixel(110, 210), kUp);
    }

    // Each screen pixel of the skin covers a whole block of device pixels, never a blend.
    void previewPixelExact() {
        Harness h;
        h.Click(IdShowAlign);
        const QPixmap pixmap = h.dialog->Preview()->grab();
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const int f = qRound(pixmap.devicePixelRatio());
        if (f != pixmap.devicePixelRatio()) QSKIP("screen pixels fall unevenly on device pixels");
        QCOMPARE(image.size(), QSize(240 * f, 320 * f));
        for (int y = 0; y < 102 * f; ++y)
            for (int x = 0; x < 102 * f; ++x) {
                const bool outline = (x / f == 0 || x / f == 99 || y / f == 0 || y / f == 99) &&
                                     x / f <= 99 && y / f <= 99;
                if (image.pixel(x, y) != (outline ? kAlignRed : kPaper))
                    QFAIL(qPrintable(QStringLiteral("device pixel %1, %2").arg(x).arg(y)));
            }
    }

private:
    QString startDir = QDir::currentPath();
};

QTEST_MAIN(TestDesignerDialog)
#include "tst_designer_dialog.moc"
