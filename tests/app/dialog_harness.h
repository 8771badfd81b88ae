// The designer dialog driven through its controls, with fakes for the file chooser and the
// message box, and a skin folder to browse to.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>

#include "app/designer_dialog.h"
#include "app/preview_window.h"

namespace pindrel::test {

class FakeChooser final : public FileChooser {
public:
    std::optional<QString> ChooseSkinFile(QWidget*, const QString& current) override {
        starts.push_back(current);
        if (answers.empty()) return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> ChooseExportFile(QWidget*, const QString& suggested) override {
        suggestions.push_back(suggested);
        return exportAnswer;
    }
    std::optional<QString> ChooseMockupFile(QWidget*, const QString&) override {
        return mockupAnswer;
    }
    std::optional<QString> ChooseNewSkinFile(QWidget*, const QString& suggested) override {
        suggestions.push_back(suggested);
        return newSkinAnswer;
    }
    std::optional<QString> ChoosePackageFile(QWidget*, const QString& suggested) override {
        packageSuggestions.push_back(suggested);
        return packageAnswer;
    }
    std::optional<QString> ChoosePictureFile(QWidget*, const QString&, const QString&) override {
        if (pictureAnswers.empty()) return std::nullopt;
        std::optional<QString> a = pictureAnswers.front();
        pictureAnswers.pop_front();
        return a;
    }
    std::deque<std::optional<QString>> answers;
    std::deque<std::optional<QString>> pictureAnswers;
    std::optional<QString> mockupAnswer;
    std::optional<QString> newSkinAnswer;
    QStringList starts;
    std::optional<QString> exportAnswer;
    QStringList suggestions;
    std::optional<QString> packageAnswer;
    QStringList packageSuggestions;
};

class FakeSink final : public MessageSink {
public:
    void ShowWarning(QWidget*, const QString& text) override {
        messages.push_back(text);
        if (whileShown) whileShown();
    }
    bool Confirm(QWidget*, const QString& text, const QString&, const QString&) override {
        questions.push_back(text);
        return confirm;
    }
    UnsavedChoice AskUnsaved(QWidget*, const QString& text) override {
        questions.push_back(text);
        return unsaved;
    }
    QStringList messages;
    QStringList questions;
    bool confirm = false;                          // the answer to a yes-or-no question
    UnsavedChoice unsaved = UnsavedChoice::Cancel; // the answer about unsaved edits
    std::function<void()> whileShown;              // runs while the box would be up
};

// Records the rectangle of every paint the preview gets.
class PaintRecorder final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !grabbing)
            rects.push_back(static_cast<QPaintEvent*>(e)->rect());
        return false;
    }
    std::vector<QRect> rects;
    bool grabbing = false; // the test's own grabs are no repaints
};

constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kSkinBlue = 0xff0000ff;
constexpr QRgb kAlignRed = 0xffff0000;
constexpr QRgb kUp = 0xff00c000;   // a button's up picture
constexpr QRgb kDown = 0xffffff00; // its down picture

// A skin on blue: a button (id 7) at (20, 20) in portrait, a latching button (id 3) at
// (100, 200), and a white label of the caller's name at the bottom.
constexpr char kSkin[] = R"([Background Color]
color=0,0,255
[Button]
file_up=up.bmp
file_down=down.bmp
posP=20,20
posL=200,20
posQ=20,150
id=7
[Button]
file_up=up.bmp
file_down=down.bmp
posP=100,200
id=3
[Label]
fields=name
posP=0,280
sizeP=240,40
color1=255,255,255
)";

class Harness {
public:
    Harness() {
        auto c = std::make_unique<FakeChooser>();
        auto s = std::make_unique<FakeSink>();
        chooser = c.get();
        sink = s.get();
        dialog = std::make_unique<DesignerDialog>(std::move(c), std::move(s));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->Preview()->installEventFilter(&paints);
    }

    template <class W> W* Get(int32_t id) const {
        auto* w = qobject_cast<W*>(dialog->Control(id));
        Q_ASSERT(w);
        return w;
    }
    QString Text(int32_t id) const { return Get<QLineEdit>(id)->text(); }
    // Near the left end: a radio button or check box takes clicks on its mark and caption only.
    void Click(int32_t id) const {
        QWidget* w = dialog->Control(id);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
    }

    // The preview as drawn now, one pixel per screen pixel of the device.
    QImage Screen() {
        paints.grabbing = true;
        const QPixmap pixmap = dialog->Preview()->grab();
        paints.grabbing = false;
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        // Nearest-neighbour sampling finds each screen pixel's block also at a fractional ratio.
        const QSize size = dialog->Preview()->size();
        return image.size() == size ? image : image.scaled(size);
    }

    void BrowseTo(const QString& path) {
        chooser->answers.push_back(path);
        Click(IdBrowse);
    }

    FakeChooser* chooser = nullptr;
    FakeSink* sink = nullptr;
    std::unique_ptr<DesignerDialog> dialog;
    PaintRecorder paints;
};

inline void WriteBmp(const QDir& dir, const QString& name, int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(dir.filePath(name), "BMP"));
}

// The test skin in a fresh folder; returns the skin file's path.
inline QString WriteSkin(const QTemporaryDir& dir, const QByteArray& ini = kSkin) {
    WriteBmp(QDir(dir.path()), "up.bmp", 40, 30, kUp);
    WriteBmp(QDir(dir.path()), "down.bmp", 40, 30, kDown);
    QFile f(dir.filePath("skin.ini"));
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(ini);
    return f.fileName();
}

inline bool AnyPixel(const QImage& image, const QRect& r, QRgb color) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) == color) return true;
    return false;
}

} // namespace pindrel::test
