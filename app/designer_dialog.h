#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>

#include "app/align_helper.h"
#include "app/dialog_template.h"
#include "app/seams.h"
#include "app/skin_watcher.h"
#include "render/dib_image.h"
#include "skin/preview_handler.h"
#include "skin/skin.h"

namespace pindrel {

class MagnifierWindow;
class PreviewWindow;
class WorkbenchStrip;

// The designer's one window. It is the skin being previewed: the caller data and the call type
// come from its controls, and the preview window's events come back to it.
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
    WorkbenchStrip* Strip() const { return strip; }
    // Null until the magnifier is first shown.
    MagnifierWindow* Magnifier() const { return magnifier; }
    SkinWatcher& Watcher() { return skinWatcher; }
    // The preview as last drawn.
    const QImage& ShownPreview() const { return shownPreview; }
    // How long a file must be quiet before a live reload, and how long a reload waits for a
    // skin file that cannot be read yet.
    void SetReloadTiming(int settleMs, int retryMs);

    // Handlers of the controls' events.
    void ApplyOrientation();
    void RepaintPreview();
    void Browse();
    void Reload();
    void AlignUpdate();
    void Align(AlignAction action);

    // Handlers of the workbench strip.
    void SetReloadOnChange(bool on);
    void AutoReload();
    void SetMagnifier(int factor);
    void ExportPng();
    void CopyKeys();
    void ShowPointer(QPoint pixel);
    void ClearPointer();

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
    AlignValues ReadAlignValues() const;
    void DescribePreview();
    void ForwardToPreview(const QMouseEvent& event);
    void BuildWorkbench();
    void AfterLoad();
    void WatchSkin();
    QString ExportName();
    void PlaceMagnifier();

    std::unique_ptr<FileChooser> fileChooser;
    std::unique_ptr<MessageSink> messageSink;
    BaseUnits units;
    std::map<int32_t, QWidget*> controls; // owned by the dialog as their parent
    QIcon icon;
    std::optional<DibImage> samplePhoto;
    PreviewWindow* preview = nullptr; // owned by the dialog as its parent
    QString skinPath;

    WorkbenchStrip* strip = nullptr;      // owned by the dialog as its parent
    MagnifierWindow* magnifier = nullptr; // a tool window owned by the dialog
    SkinWatcher skinWatcher;
    QTimer reloadRetry;
    int reloadRetries = 0;
    QImage shownPreview;
    std::optional<QPoint> pointer;
};

} // namespace pindrel
