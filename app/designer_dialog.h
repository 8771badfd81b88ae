#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QIcon>
#include <QString>

#include "app/align_helper.h"
#include "app/dialog_template.h"
#include "app/seams.h"
#include "base/read_file.h"
#include "render/dib_image.h"
#include "skin/overlays.h"
#include "skin/preview_handler.h"
#include "skin/skin.h"
#include "skin/skin_session.h"

namespace pindrel {

class PreviewWindow;
class Workbench;
class WorkbenchStrip;

// The designer's one window. It is the skin being previewed: the caller data and the call type
// come from its controls, and the preview window's events come back to it. The workbench beside
// it holds the author's tools; the dialog tells it of every load and paint.
class DesignerDialog : public QDialog, public Skin, public PreviewHandler {
    Q_OBJECT
public:
    explicit DesignerDialog(
        std::unique_ptr<FileChooser> chooser = std::make_unique<FileDialogChooser>(),
        std::unique_ptr<MessageSink> sink = std::make_unique<MessageBoxSink>(),
        QWidget* parent = nullptr);
    ~DesignerDialog() override;

    // Skin
    std::string GetFieldText(int32_t field) override;
    CallType GetCallType(ConstPixelView* photo) override;

    // PreviewHandler
    void PaintPreview(PaintDevice& dc, PreviewSurface& window) override;
    void PreviewMouseDown(PreviewSurface& window, int32_t x, int32_t y) override;
    void PreviewMouseUp(PreviewSurface& window, int32_t x, int32_t y) override;
    void PreviewMouseMove(PreviewSurface& window, int32_t x, int32_t y) override;

    // The control with a template id; null for an unknown id.
    QWidget* Control(int32_t id) const;
    PreviewWindow* Preview() const { return preview; }
    const QString& SkinPath() const { return skinPath; }
    // The pixels per 4 x 8 dialog units the controls were placed with.
    BaseUnits Units() const { return units; }
    WorkbenchStrip* Strip() const;
    Workbench& Tools() const { return *workbench; }
    FileChooser& Files() const { return *fileChooser; }
    MessageSink& Messages() const { return *messageSink; }
    // The text the skin is loaded from, its edits and what the last load reported.
    SkinSession& Session() { return session; }
    AlignValues CurrentAlignValues() const;

    // Handlers of the controls' events.
    void ApplyOrientation();
    void RepaintPreview();
    void Browse();
    // Makes path the skin path and loads it, as Browse does with the file chosen.
    void OpenSkin(const QString& path);
    void Reload();
    void AlignUpdate();
    void Align(AlignAction action);

    // Loads the skin file at the skin path from its bytes, read once (or the reason they could
    // not be), as Browse and Reload do but without a message; false when it cannot be read.
    bool LoadFromDisk(ReadFileResult file);
    // Loads the session's text again after an edit, undo or redo, and repaints.
    void LoadEdited();
    // Loads a text on its way to being the session's, without repainting.
    void LoadFrom(const SkinIniFile& draft) { session.LoadDraft(*this, draft); }
    // The sample caller data as typed.
    CallerInfo SampleData() const;
    // One screen of the skin as it is now (sample data, pressed buttons, align rectangle), in
    // any orientation and call type; nothing changes to draw it.
    ScreenRequest RequestFor(Screen screen);
    Canvas RenderScreenAs(Screen screen, const Overlays& overlays);

    // Ends the dialog, unless the workbench has unsaved edits the user keeps.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void InitDialog();
    bool IsChecked(int32_t id) const;
    void SetChecked(int32_t id, bool checked);
    QString Text(int32_t id) const;
    std::string TextBytes(int32_t id) const;
    void SetText(int32_t id, const QString& text);
    void DescribePreview();
    void ForwardToPreview(const QMouseEvent& event);
    bool LoadSkinPath();

    std::unique_ptr<FileChooser> fileChooser;
    std::unique_ptr<MessageSink> messageSink;
    BaseUnits units;
    std::map<int32_t, QWidget*> controls; // owned by the dialog as their parent
    QIcon icon;
    std::optional<DibImage> samplePhoto;
    PreviewWindow* preview = nullptr; // owned by the dialog as its parent
    QString skinPath;
    SkinSession session;
    Workbench* workbench = nullptr; // owned by the dialog as its parent
};

} // namespace pindrel
