#pragma once

#include <QObject>

namespace pindrel {

class DesignerDialog;
class MagnifierWindow;
class PreviewTool;
class Workbench;

// The magnifier: a tool window beside the dialog showing every presented frame enlarged, whose
// mouse works at exact preview pixels. Made when first asked for; closing it turns it off.
class MagnifierTool final : public QObject {
    Q_OBJECT
public:
    MagnifierTool(DesignerDialog& dialog, Workbench& bench, QObject* parent);

    // 2, 3 or 4 shows the window at that factor; 0 hides it.
    void SetFactor(int factor);
    // Null until first shown.
    MagnifierWindow* Window() const { return window_; }
    // What draws over the enlarged preview and may take its mouse; kept for the window.
    void SetTool(PreviewTool* tool);
    // The frame just presented.
    void Presented();

private:
    DesignerDialog& dialog_;
    Workbench& bench_;
    MagnifierWindow* window_ = nullptr; // a tool window owned by the dialog
    PreviewTool* tool_ = nullptr;
};

} // namespace pindrel
