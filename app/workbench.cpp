#include "app/workbench.h"

#include <initializer_list>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "app/all_screens.h"
#include "app/app_resources.h"
#include "app/arrange_commands.h"
#include "app/designer_dialog.h"
#include "app/edit_gestures.h"
#include "app/editor_window.h"
#include "app/element_commands.h"
#include "app/elements_list.h"
#include "app/live_reload.h"
#include "app/magnifier_tool.h"
#include "app/mockup_import_tool.h"
#include "app/package_export.h"
#include "app/pointer_readout.h"
#include "app/preview_export.h"
#include "app/preview_window.h"
#include "app/problems_list.h"
#include "app/skin_editor.h"
#include "app/workbench_strip.h"
#include "skin/element_at.h"
#include "skin/font_cache.h"
#include "skin/lint.h"

namespace pindrel {

namespace {

// More than anyone reads; a hostile skin can have millions.
constexpr size_t kMaxListedProblems = 500;

} // namespace

Workbench::Workbench(DesignerDialog& dialog) : QObject(&dialog), dialog_(dialog) {
    strip_ = new WorkbenchStrip(&dialog);
    const BaseUnits units = dialog.Units();
    const Rect area = DialogRectToPixels(kDialogSize, units);
    strip_->Place(units.x, units.y, kDialogSize.height);
    const int32_t width = MulDiv(WorkbenchStrip::kWidthUnits, units.x, 4);
    strip_->setGeometry(area.Width(), 0, width, area.Height());
    dialog.setFixedSize(area.Width() + width, area.Height());
    strip_->ShowDpi(ScreenDpiY);

    pointer_ = new PointerReadout(dialog, *this, this);
    live_ = new LiveReload(dialog, *strip_, this);
    magnifier_ = new MagnifierTool(dialog, *this, this);
    export_ = new PreviewExport(dialog, *this, this);
    package_ = new PackageExport(dialog, *this, this);
    copyKeys_ = new CopyKeys(dialog, *this, this);
    editor_ = new SkinEditor(dialog, *this, this);
    allScreens_ = new AllScreensTool(dialog, *this, this);
    editorWindow_ = new EditorWindow(dialog, *editor_, *this);
    elements_ = new ElementCommands(dialog, *this, *editor_, this);
    TakeEditInput(*dialog.Preview());
    import_ = new MockupImportTool(dialog, *this, this);
    connect(strip_->importMockup, &QPushButton::clicked, import_, &MockupImportTool::Start);
    magnifier_->SetTool(&editor_->Gestures());
    // The editor window comes and goes with edit mode.
    connect(strip_->editSkin, &QAbstractButton::toggled, editorWindow_, [this](bool on) {
        if (on)
            editorWindow_->Open();
        else
            editorWindow_->hide();
    });
    connect(strip_->editorWindow, &QAbstractButton::clicked, editorWindow_, &EditorWindow::Open);
    for (QCheckBox* box : {strip_->outlines, strip_->keyColour})
        connect(box, &QAbstractButton::toggled, this, &Workbench::SetOverlays);

    PreviewWindow* preview = dialog.Preview();
    connect(preview, &PreviewWindow::PointerMoved, pointer_, &PointerReadout::Show);
    connect(preview, &PreviewWindow::PointerLeft, pointer_, &PointerReadout::Clear);
    // Shows that a button's id reached the phone, which the screen itself never tells.
    connect(preview, &PreviewWindow::CommandSent, this, [this](int id) {
        strip_->ShowStatus(QStringLiteral("Button sent command %1").arg(id));
    });

    // The strip's stops follow the dialog's own last one, before the chain returns to the first.
    QWidget* previous = dialog.Control(IdAlignBottom);
    const std::initializer_list<QWidget*> stops = {
        strip_->reloadOnChange, strip_->magnifier,    strip_->exportPng,    strip_->copyKeys,
        strip_->exportPackage,  strip_->importMockup, strip_->editSkin,     strip_->undo,
        strip_->redo,           strip_->save,         strip_->editorWindow, strip_->lists};
    for (QWidget* w : stops) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

Workbench::~Workbench() {
    // The preview outlives the workbench and would report a last leave to it.
    if (PreviewWindow* preview = dialog_.Preview()) preview->disconnect(this);
    if (PreviewWindow* preview = dialog_.Preview()) preview->disconnect(pointer_);
}

void Workbench::TakeEditInput(PreviewInput& input) {
    connect(&input, &PreviewInput::ContextMenuAt, this, [this](QPoint pixel, QPoint global) {
        // What was right-clicked is what the commands act on.
        const std::vector<PlacedElement> under =
            ElementsUnder(dialog_, {pixel.x(), pixel.y()}, dialog_.GetCallType(nullptr));
        const std::vector<PlacedElement>& selected = editor_->Selected();
        if (!under.empty() &&
            std::find(selected.begin(), selected.end(), under.front()) == selected.end())
            editor_->Select(under.front());
        elements_->SetPlace(pixel);
        QMenu menu(&dialog_);
        menu.addActions(elements_->Menu().actions());
        menu.addSeparator();
        menu.addMenu(&editor_->Arrange().Menu());
        menu.exec(global);
        elements_->SetPlace(std::nullopt);
    });
    connect(&input, &PreviewInput::FilesDropped, this,
            [this](const QStringList& paths, QPoint pixel) {
                for (const QString& path : paths)
                    elements_->AddPicture(path, pixel);
            });
}

void Workbench::SkinLoaded(bool fromDisk) {
    editor_->SkinLoaded(fromDisk);
    if (!fromDisk) return;
    EditsSettled();
    live_->Follow();
}

void Workbench::EditsSettled() {
    const SkinSession& session = dialog_.Session();
    const std::string path = QFile::encodeName(dialog_.SkinPath()).toStdString();
    findings_ = session.HasText() ? LintLoadedSkin(path, session.Parsed(), dialog_,
                                                   session.Report(), kMaxListedProblems)
                                  : LintSummary{{UnreadableSkinFinding(path)}, 1};
    strip_->problems->ShowFindings(findings_);
    // Every edit may move the lines of the sections after it.
    strip_->elements->ShowElements(dialog_, dialog_.GetCallType(nullptr), &session.Report(),
                                   &session.Parsed());
    strip_->elements->Mark(editor_->Selection(), editor_->SelectedSection());
    emit FindingsChanged();
}

void Workbench::Present(PaintDevice& screen, const Canvas& canvas, const ScreenRequest& request) {
    frame_ = ToQImage(canvas.View());
    if (!overlays_.Any()) {
        screen.Present(canvas, request);
        return;
    }
    // The overlays go on a copy: the frame kept for export and readouts is the skin's alone.
    Canvas overlaid = canvas;
    DrawOverlaysOn(overlaid.View(), dialog_, request, dialog_.fontCache, overlays_);
    shown_ = ToQImage(overlaid.View());
    screen.Present(overlaid, request);
}

void Workbench::SetOverlays() {
    overlays_ = {strip_->outlines->isChecked(), strip_->keyColour->isChecked()};
    dialog_.RepaintPreview();
}

void Workbench::ShowOffScreen() {
    if (!overlays_.outlines) {
        strip_->offScreen->clear();
        return;
    }
    const auto o = static_cast<Orientation>(dialog_.orientation);
    const std::vector<int32_t> lines =
        OffScreenElementLines(dialog_, o, kScreenSizes[static_cast<size_t>(o)]);
    if (lines.empty()) {
        strip_->offScreen->setText(QStringLiteral("No element lies off the screen"));
        return;
    }
    QStringList numbers;
    for (const int32_t line : lines)
        numbers.push_back(QString::number(line));
    const QString text =
        QStringLiteral("%1 off the screen: line%2 %3")
            .arg(lines.size() == 1 ? QStringLiteral("1 element")
                                   : QStringLiteral("%1 elements").arg(lines.size()))
            .arg(lines.size() == 1 ? QString() : QStringLiteral("s"))
            .arg(numbers.join(QStringLiteral(", ")));
    strip_->offScreen->setText(text);
    strip_->offScreen->setToolTip(text);
}

void Workbench::Painted() {
    magnifier_->Presented();
    editor_->Painted();
    allScreens_->Refresh();
    ShowOffScreen();
    // A press or a reload may have changed the pixel under a resting pointer.
    pointer_->Refresh();
}

bool Workbench::MayClose() {
    return editor_->MayDropEdits(
        QStringLiteral("The skin has edits that are not saved. Save them before closing?"));
}

bool Workbench::MayOpenAnother() {
    return editor_->MayDropEdits(
        QStringLiteral("The skin has edits that are not saved. Save them before you choose "
                       "another skin file? If you discard them, they are lost once another skin "
                       "opens."));
}

bool Workbench::MayReadAgain() {
    return editor_->MayDropEdits(
        QStringLiteral("The skin has edits that are not saved. Save them before the skin file is "
                       "read again? If you discard them, the file as it is on disk replaces "
                       "them."));
}

} // namespace pindrel
