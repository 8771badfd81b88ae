// Shows the designer with a skin loaded, for screenshots:
//   designer_shot SKIN [--magnifier N] [--pointer X,Y] [--reload-on-change] [--edit X,Y[,DX,DY]]
//                 [--hold X,Y,DX,DY] [--select X,Y] [--outlines] [--keys]
//                 [--all-screens OUT.png] [--import MOCKUP] [ID...]
// clicks Browse with SKIN chosen, then clicks each control ID (a radio button, the align box...),
// sets the workbench as asked, and prints the window id for a screen grabber. With
// PINDREL_SHOT_OUT set, it saves its own grab there instead (at the screen's pixel density), the
// magnifier and the editor window beside the dialog when they are open (with --import, the
// review of MOCKUP alone), and exits. --hold drags without letting go, so that the guides show;
// --select clicks an element in edit mode.
#include <cstdio>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "app/all_screens.h"
#include "app/designer_dialog.h"
#include "app/editor_window.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/mockup_import_dialog.h"
#include "app/mockup_import_tool.h"
#include "app/preview_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"

namespace {

class FixedChooser final : public pindrel::FileChooser {
public:
    explicit FixedChooser(QString path) : path_(std::move(path)) {}
    std::optional<QString> ChooseSkinFile(QWidget*, const QString&) override { return path_; }
    std::optional<QString> ChooseMockupFile(QWidget*, const QString&) override {
        if (mockup.isEmpty()) return std::nullopt;
        return mockup;
    }
    QString mockup;
    std::optional<QString> ChooseExportFile(QWidget*, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChoosePackageFile(QWidget*, const QString&) override {
        return std::nullopt;
    }

private:
    QString path_;
};

// Asks nobody: a screenshot's edits are dropped when it closes.
class ShotSink final : public pindrel::MessageSink {
public:
    void ShowWarning(QWidget*, const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool Confirm(QWidget*, const QString&, const QString&, const QString&) override {
        return false;
    }
    pindrel::UnsavedChoice AskUnsaved(QWidget*, const QString&) override {
        return pindrel::UnsavedChoice::Discard;
    }
};

// The dialog and, when open, the magnifier and the editor window to its right, as one picture.
QPixmap GrabAll(pindrel::DesignerDialog& dialog) {
    std::vector<QPixmap> parts = {dialog.grab()};
    pindrel::MagnifierWindow* m = dialog.Tools().Magnifier().Window();
    if (m && m->isVisible()) parts.push_back(m->grab());
    if (dialog.Tools().Editing().isVisible()) parts.push_back(dialog.Tools().Editing().grab());
    if (parts.size() == 1) return parts.front();
    const qreal ratio = parts.front().devicePixelRatio();
    const int gap = 16;
    QSize size(-gap, 0);
    for (const QPixmap& p : parts)
        size = QSize(size.width() + gap + p.width(), std::max(size.height(), p.height()));
    QPixmap all(size);
    all.setDevicePixelRatio(ratio);
    all.fill(dialog.palette().color(QPalette::Window).darker(115));
    QPainter painter(&all);
    int x = 0;
    for (const QPixmap& p : parts) {
        painter.drawPixmap(QPointF(x / ratio, 0), p);
        x += p.width() + gap;
    }
    return all;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: designer_shot SKIN [--magnifier N] [--pointer X,Y] "
                             "[--reload-on-change] [CONTROL-ID...]\n");
        return 2;
    }
    auto chooser = std::make_unique<FixedChooser>(args[1]);
    FixedChooser* files = chooser.get();
    pindrel::DesignerDialog dialog(std::move(chooser), std::make_unique<ShotSink>());
    dialog.show();
    dialog.Browse();
    int magnifier = 0;
    std::optional<QPoint> pointer;
    std::optional<QPoint> edit;
    QPoint editDrag;
    bool hold = false;
    std::optional<QPoint> select;
    QString screensOut;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--magnifier") && i + 1 < args.size()) {
            magnifier = args[++i].toInt();
        } else if (args[i] == QStringLiteral("--pointer") && i + 1 < args.size()) {
            const QStringList xy = args[++i].split(QLatin1Char(','));
            if (xy.size() == 2) pointer = QPoint(xy[0].toInt(), xy[1].toInt());
        } else if (args[i] == QStringLiteral("--edit") && i + 1 < args.size()) {
            // Edit mode, a click on the element at X,Y, and a drag of it by DX,DY.
            const QStringList v = args[++i].split(QLatin1Char(','));
            edit = QPoint(v.value(0).toInt(), v.value(1).toInt());
            editDrag = QPoint(v.value(2).toInt(), v.value(3).toInt());
        } else if (args[i] == QStringLiteral("--hold") && i + 1 < args.size()) {
            const QStringList v = args[++i].split(QLatin1Char(','));
            edit = QPoint(v.value(0).toInt(), v.value(1).toInt());
            editDrag = QPoint(v.value(2).toInt(), v.value(3).toInt());
            hold = true;
        } else if (args[i] == QStringLiteral("--select") && i + 1 < args.size()) {
            const QStringList v = args[++i].split(QLatin1Char(','));
            select = QPoint(v.value(0).toInt(), v.value(1).toInt());
        } else if (args[i] == QStringLiteral("--outlines")) {
            dialog.Strip()->outlines->setChecked(true);
        } else if (args[i] == QStringLiteral("--keys")) {
            dialog.Strip()->keyColour->setChecked(true);
        } else if (args[i] == QStringLiteral("--all-screens") && i + 1 < args.size()) {
            screensOut = args[++i];
        } else if (args[i] == QStringLiteral("--import") && i + 1 < args.size()) {
            files->mockup = args[++i];
        } else if (args[i] == QStringLiteral("--reload-on-change")) {
            dialog.Strip()->reloadOnChange->setChecked(true);
        } else if (auto* b = qobject_cast<QAbstractButton*>(dialog.Control(args[i].toInt()))) {
            b->click();
        }
    }
    if (edit || select) {
        dialog.Strip()->editSkin->setChecked(true);
        QWidget* preview = dialog.Preview();
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, preview->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
            QCoreApplication::sendEvent(preview, &e);
        };
        if (select) {
            send(QEvent::MouseButtonPress, *select, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, *select, Qt::NoButton);
        }
        if (edit) {
            send(QEvent::MouseButtonPress, *edit, Qt::LeftButton);
            send(QEvent::MouseMove, *edit + editDrag, Qt::LeftButton);
            if (!hold) send(QEvent::MouseButtonRelease, *edit + editDrag, Qt::NoButton);
        }
    }
    if (magnifier) dialog.Strip()->SetMagnifierFactor(magnifier);
    if (!screensOut.isEmpty()) dialog.Tools().AllScreens().Open();
    if (!files->mockup.isEmpty()) dialog.Tools().Import().Start();
    if (pointer) {
        QWidget* preview = dialog.Preview();
        QMouseEvent move(QEvent::MouseMove, *pointer, preview->mapToGlobal(*pointer), Qt::NoButton,
                         Qt::NoButton, {});
        QCoreApplication::sendEvent(preview, &move);
    }
    dialog.Control(pindrel::IdName)->setFocus();

    const QString out = qEnvironmentVariable("PINDREL_SHOT_OUT");
    if (!out.isEmpty()) {
        QTimer::singleShot(200, [&] {
            if (pindrel::MockupImportDialog* review = dialog.Tools().Import().Review())
                review->grab().save(out);
            else
                GrabAll(dialog).save(out);
            if (pindrel::AllScreensWindow* w = dialog.Tools().AllScreens().Window())
                w->grab().save(screensOut);
            dialog.accept();
        });
    } else {
        std::printf("%llu\n", static_cast<unsigned long long>(dialog.winId()));
        std::fflush(stdout);
    }
    dialog.exec();
    return 0;
}
