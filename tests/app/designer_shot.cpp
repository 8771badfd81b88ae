// Shows the designer with a skin loaded, for screenshots: designer_shot SKIN [ID...] clicks
// Browse with SKIN chosen, then clicks each control ID (a radio button, the align box...), and
// prints the window id for a screen grabber. With PINDREL_SHOT_OUT set, it saves its own grab
// there (at the screen's pixel density) and exits.
#include <cstdio>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "app/designer_dialog.h"

namespace {

class FixedChooser final : public pindrel::FileChooser {
public:
    explicit FixedChooser(QString path) : path_(std::move(path)) {}
    std::optional<QString> ChooseSkinFile(QWidget*, const QString&) override { return path_; }
    std::optional<QString> ChooseExportFile(QWidget*, const QString&) override {
        return std::nullopt;
    }

private:
    QString path_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: designer_shot SKIN [CONTROL-ID...]\n");
        return 2;
    }
    pindrel::DesignerDialog dialog(std::make_unique<FixedChooser>(args[1]),
                                   std::make_unique<pindrel::MessageBoxSink>());
    dialog.show();
    dialog.Browse();
    for (qsizetype i = 2; i < args.size(); ++i)
        if (auto* b = qobject_cast<QAbstractButton*>(dialog.Control(args[i].toInt()))) b->click();
    dialog.Control(pindrel::IdName)->setFocus();

    const QString out = qEnvironmentVariable("PINDREL_SHOT_OUT");
    if (!out.isEmpty()) {
        QTimer::singleShot(200, [&] {
            dialog.grab().save(out);
            dialog.accept();
        });
    } else {
        std::printf("%llu\n", static_cast<unsigned long long>(dialog.winId()));
        std::fflush(stdout);
    }
    dialog.exec();
    return 0;
}
