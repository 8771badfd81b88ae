// What the designer's workbench costs: keeping a copy of each preview frame, enlarging it for the
// magnifier (beside Qt's own nearest-neighbour scaling), and the work of one live reload of a
// heavy skin (beside the plain load that the Reload button does).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QWindow>

#include "app/all_screens.h"
#include "app/app_resources.h"
#include "app/designer_dialog.h"
#include "app/edit_gestures.h"
#include "app/live_reload.h"
#include "app/magnifier_window.h"
#include "app/preview_window.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "bench_skins.h"
#include "skin/lint.h"

namespace {

using namespace pindrel;

class NoChooser final : public FileChooser {
public:
    std::optional<QString> ChooseSkinFile(QWidget*, const QString&) override { return path; }
    std::optional<QString> ChooseExportFile(QWidget*, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChoosePackageFile(QWidget*, const QString&) override {
        return std::nullopt;
    }
    QString path;
};

class NoSink final : public MessageSink {
public:
    void ShowWarning(QWidget*, const QString&) override {}
    bool Confirm(QWidget*, const QString&, const QString&, const QString&) override {
        return false;
    }
    UnsavedChoice AskUnsaved(QWidget*, const QString&) override { return UnsavedChoice::Discard; }
};

QImage Frame() {
    QImage image(240, 320, QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, x ^ y));
    return image;
}

void BM_KeepFrame(benchmark::State& state) {
    const QImage frame = Frame();
    for (auto _ : state) {
        QImage kept = QImage(frame.constBits(), frame.width(), frame.height(), frame.bytesPerLine(),
                             QImage::Format_BGR888)
                          .copy();
        benchmark::DoNotOptimize(kept.constBits());
    }
}
BENCHMARK(BM_KeepFrame);

void BM_Magnifier(benchmark::State& state) {
    const QImage frame = Frame();
    DesignerDialog dialog(std::make_unique<NoChooser>(), std::make_unique<NoSink>());
    MagnifierWindow magnifier(nullptr, dialog, *dialog.Preview());
    magnifier.SetFactor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        magnifier.SetPicture(frame);
        benchmark::DoNotOptimize(magnifier.Shown().constBits());
    }
}
BENCHMARK(BM_Magnifier)->Arg(2)->Arg(3)->Arg(4);

// Qt's own nearest-neighbour scaling to the same size, for comparison.
void BM_QtScaled(benchmark::State& state) {
    const QImage frame = Frame();
    const auto f = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QImage big = frame.convertToFormat(QImage::Format_RGB32)
                         .scaled(240 * f, 320 * f, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        benchmark::DoNotOptimize(big.constBits());
    }
}
BENCHMARK(BM_QtScaled)->Arg(2)->Arg(3)->Arg(4);

// A generated skin of so many images, buttons and labels, beside its pictures.
struct HeavySkinDir {
    explicit HeavySkinDir(int images = 20, int buttons = 6, int labels = 8) {
        const std::string ini = bench::HeavySkin(dir.Path(), images, buttons, labels);
        bench::WriteFile(dir.Path() / "heavy.ini", ini.data(), ini.size());
    }
    QString Path() const { return QString::fromStdString((dir.Path() / "heavy.ini").string()); }
    bench::BenchDir dir;
};

// The Reload button: the skin loaded again, its problems listed.
void BM_Reload(benchmark::State& state) {
    static const HeavySkinDir skin;
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = skin.Path();
    DesignerDialog dialog(std::move(chooser), std::make_unique<NoSink>());
    dialog.Browse();
    for (auto _ : state)
        dialog.Reload();
}
BENCHMARK(BM_Reload)->Unit(benchmark::kMillisecond);

// A live reload once the files have settled: the same, after a look at the skin file, and the
// watch set up again on the skin and its 34 bitmaps.
void BM_LiveReload(benchmark::State& state) {
    static const HeavySkinDir skin;
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = skin.Path();
    DesignerDialog dialog(std::move(chooser), std::make_unique<NoSink>());
    dialog.Browse();
    dialog.Strip()->reloadOnChange->setChecked(true);
    for (auto _ : state)
        dialog.Tools().Live().Reload();
}
BENCHMARK(BM_LiveReload)->Unit(benchmark::kMillisecond);

QString ExampleSkin() {
    return QStringLiteral(PINDREL_EXAMPLES_DIR "/aurora/aurora.ini");
}

// Shown and exposed, so that a repaint paints at once.
void ShowNow(QWidget& w) {
    w.show();
    for (int i = 0; i < 20 && !w.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Counts the preview's paints, to tell that a benchmark paints what it says.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
    int64_t paints = 0;
};

// The designer shown on the skin at path, in edit mode.
std::unique_ptr<DesignerDialog> EditingDialog(const QString& path) {
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = path;
    auto dialog = std::make_unique<DesignerDialog>(std::move(chooser), std::make_unique<NoSink>());
    ShowNow(*dialog);
    dialog->Browse();
    dialog->Strip()->editSkin->setChecked(true);
    return dialog;
}

// One step of a drag in edit mode on the skin at path: the skin's text edited, loaded again
// from memory with the pictures kept, and the preview repainted. With snapping, the moving
// element's edges and centre are first matched against every other element drawn.
void DragSteps(benchmark::State& state, const QString& path, size_t button, bool snapping) {
    const std::unique_ptr<DesignerDialog> shown = EditingDialog(path);
    DesignerDialog& dialog = *shown;
    PaintCounter counter;
    dialog.Preview()->installEventFilter(&counter);
    EditGestures& gestures = dialog.Tools().Editor().Gestures();
    PreviewWindow& preview = *dialog.Preview();
    const Rect r = dialog.buttons.at(button).rects[0];
    const QPointF centre((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
    const Qt::KeyboardModifiers mods = snapping ? Qt::NoModifier : Qt::AltModifier;
    gestures.Press(preview, centre, {});
    const uint64_t decodes = dialog.Session().Decodes();
    int step = 0;
    for (auto _ : state)
        gestures.Move(preview, centre + QPointF(++step % 2, 0), Qt::LeftButton, mods);
    gestures.Release(preview, centre, {});
    state.counters["decodes_per_step"] =
        static_cast<double>(dialog.Session().Decodes() - decodes) / std::max(step, 1);
    state.counters["paints_per_step"] = static_cast<double>(counter.paints) / std::max(step, 1);
}

void BM_DragStep(benchmark::State& state) {
    DragSteps(state, ExampleSkin(), 1, false);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly();

// 200 elements: the plain drag step beside the snapping one.
void BM_DragStep200(benchmark::State& state) {
    static const HeavySkinDir skin(170, 20, 10);
    DragSteps(state, skin.Path(), 4, state.range(0) != 0);
}
BENCHMARK(BM_DragStep200)
    ->ArgName("snapping")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

// 2,000 sections: 1,000 images, 300 buttons, 696 labels and the four single sections.
const HeavySkinDir& LargeSkin() {
    static const HeavySkinDir skin(1000, 300, 696);
    return skin;
}

void BM_DragStep2000(benchmark::State& state) {
    const HeavySkinDir& skin = LargeSkin();
    DragSteps(state, skin.Path(), 150, false);
}
BENCHMARK(BM_DragStep2000)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly();

// One change in the inspector, a label's colour, with all that follows it at once: the skin's
// text edited by the engine, the label loaded again from its parse, the preview repainted and the
// inspector showing the new value. The whole skin is loaded again and linted only when the author
// pauses.
void InspectorSteps(benchmark::State& state, const QString& path) {
    const std::unique_ptr<DesignerDialog> shown = EditingDialog(path);
    DesignerDialog& dialog = *shown;
    SkinEditor& editor = dialog.Tools().Editor();
    const size_t label = dialog.labels.size() / 2;
    editor.Select(PlacedElement{PlacedKind::Label, label});
    const int32_t section = dialog.labels[label].section;
    bool odd = false;
    for (auto _ : state) {
        editor.ChangeKeys(SectionKind::Label, {section}, {{"color1", odd ? "1,2,3" : "4,5,6"}});
        odd = !odd;
    }
}

void BM_InspectorColour(benchmark::State& state) {
    InspectorSteps(state, ExampleSkin());
}
BENCHMARK(BM_InspectorColour)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

void BM_InspectorColour2000(benchmark::State& state) {
    InspectorSteps(state, LargeSkin().Path());
}
BENCHMARK(BM_InspectorColour2000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

// The same skin read again from its file, as Reload does: read, decoded, linted.
void BM_ExampleReloadFromDisk(benchmark::State& state) {
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = ExampleSkin();
    DesignerDialog dialog(std::move(chooser), std::make_unique<NoSink>());
    ShowNow(dialog);
    dialog.Browse();
    for (auto _ : state)
        dialog.Reload();
}
BENCHMARK(BM_ExampleReloadFromDisk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly();

// What the all-screens window costs at each repaint of the preview: the 15 screens of the
// example skin drawn again and shown at half their size, beside one frame of the preview.
void BM_AllScreensRefresh(benchmark::State& state) {
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = ExampleSkin();
    DesignerDialog dialog(std::move(chooser), std::make_unique<NoSink>());
    ShowNow(dialog);
    dialog.Browse();
    AllScreensTool& screens = dialog.Tools().AllScreens();
    screens.Open();
    screens.Window()->SetDivisor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        screens.Refresh();
}
BENCHMARK(BM_AllScreensRefresh)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PreviewFrame(benchmark::State& state) {
    auto chooser = std::make_unique<NoChooser>();
    chooser->path = ExampleSkin();
    DesignerDialog dialog(std::move(chooser), std::make_unique<NoSink>());
    ShowNow(dialog);
    dialog.Browse();
    PaintCounter counter;
    dialog.Preview()->installEventFilter(&counter);
    for (auto _ : state)
        dialog.RepaintPreview();
    state.counters["paints"] = static_cast<double>(counter.paints) / state.iterations();
}
BENCHMARK(BM_PreviewFrame)->Unit(benchmark::kMillisecond);

// The problems list of a hostile skin (200,000 junk lines), which lists the first 500, beside
// the full lint that pindrel-cli prints.
struct JunkSkin {
    JunkSkin() {
        std::string ini;
        for (int i = 0; i < 200000; ++i)
            ini += "junk\n";
        bench::WriteFile(dir.Path() / "junk.ini", ini.data(), ini.size());
    }
    std::string Path() const { return (dir.Path() / "junk.ini").string(); }
    bench::BenchDir dir;
};

void BM_ProblemsOfJunk(benchmark::State& state) {
    static const JunkSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(LintSkinFirst(skin.Path(), 500));
    state.counters["peak_rss_MiB"] = bench::PeakRssMiB();
}
BENCHMARK(BM_ProblemsOfJunk)->Unit(benchmark::kMillisecond);

void BM_LintAllOfJunk(benchmark::State& state) {
    static const JunkSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(LintSkin(skin.Path()));
    state.counters["peak_rss_MiB"] = bench::PeakRssMiB();
}
BENCHMARK(BM_LintAllOfJunk)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScreenDpiY = 96;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
