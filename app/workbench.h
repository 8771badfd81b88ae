#pragma once

#include <QImage>
#include <QObject>

#include "skin/lint.h"
#include "skin/overlays.h"
#include "skin/preview_handler.h"

namespace pindrel {

class AllScreensTool;
class DesignerDialog;
class LiveReload;
class MagnifierTool;
class MockupImportTool;
class PointerReadout;
class PackageExport;
class PreviewExport;
class CopyKeys;
class EditorWindow;
class ElementCommands;
class PreviewInput;
class SkinEditor;
class WorkbenchStrip;

// The skin author's tools beside the dialog: it builds the strip, owns every tool and tells
// them of the dialog's loads and paints. Tools that change what the dialog does are off until
// the author turns them on.
class Workbench final : public QObject {
    Q_OBJECT
public:
    explicit Workbench(DesignerDialog& dialog);
    ~Workbench() override;

    WorkbenchStrip& Strip() const { return *strip_; }
    LiveReload& Live() const { return *live_; }
    MagnifierTool& Magnifier() const { return *magnifier_; }
    PointerReadout& Pointer() const { return *pointer_; }
    SkinEditor& Editor() const { return *editor_; }
    AllScreensTool& AllScreens() const { return *allScreens_; }
    MockupImportTool& Import() const { return *import_; }
    EditorWindow& Editing() const { return *editorWindow_; }
    ElementCommands& Elements() const { return *elements_; }
    // The context menu and the files dropped of a preview in edit mode: the preview's own, or
    // the magnifier's.
    void TakeEditInput(PreviewInput& input);
    // The preview as last presented, without anything drawn over it: what Export PNG saves.
    const QImage& Frame() const { return frame_; }
    // The same with the overlays the author asked for, as the screen shows it.
    const QImage& Shown() const { return overlays_.Any() ? shown_ : frame_; }
    // The overlays asked for in the strip.
    const Overlays& ShownOverlays() const { return overlays_; }
    // The skin's problems as last found, the first few hundred of them.
    const LintSummary& Findings() const { return findings_; }

    // The dialog's skin was loaded, from its file or from edited text.
    void SkinLoaded(bool fromDisk);
    // An edit, undo or redo is done: the problems follow it.
    void EditsSettled();
    // Presents a frame composed for request on screen, with the overlays asked for, and keeps
    // both.
    void Present(PaintDevice& screen, const Canvas& canvas, const ScreenRequest& request);
    // A paint of the preview has ended.
    void Painted();
    // Whether the dialog may end: no edits would be lost, or the author let them go.
    bool MayClose();
    // Whether another skin may be chosen, or the skin file read again, over the edits: the same
    // question, saying what follows.
    bool MayOpenAnother();
    bool MayReadAgain();

signals:
    void FindingsChanged();

private:
    DesignerDialog& dialog_;
    WorkbenchStrip* strip_ = nullptr; // owned by the dialog as its parent
    LiveReload* live_ = nullptr;      // the tools are children of the workbench
    MagnifierTool* magnifier_ = nullptr;
    PointerReadout* pointer_ = nullptr;
    PreviewExport* export_ = nullptr;
    PackageExport* package_ = nullptr;
    CopyKeys* copyKeys_ = nullptr;
    SkinEditor* editor_ = nullptr;
    AllScreensTool* allScreens_ = nullptr;
    MockupImportTool* import_ = nullptr;
    EditorWindow* editorWindow_ = nullptr; // a tool window owned by the dialog
    ElementCommands* elements_ = nullptr;
    Overlays overlays_;
    LintSummary findings_;
    QImage frame_;
    QImage shown_;

    void SetOverlays();
    void ShowOffScreen();
};

// Hands the composed screen to the workbench, which presents it.
class FrameKeeper final : public PaintDevice {
public:
    FrameKeeper(PaintDevice& screen, Workbench& bench) : screen_(screen), bench_(bench) {}
    void Present(const Canvas& canvas, const ScreenRequest& request) override {
        bench_.Present(screen_, canvas, request);
    }

private:
    PaintDevice& screen_;
    Workbench& bench_;
};

} // namespace pindrel
