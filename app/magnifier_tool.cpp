#include "app/magnifier_tool.h"

#include <algorithm>

#include "app/designer_dialog.h"
#include "app/magnifier_window.h"
#include "app/pointer_readout.h"
#include "app/preview_window.h"
#include "app/tool_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"

namespace pindrel {

MagnifierTool::MagnifierTool(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(&bench.Strip(), &WorkbenchStrip::MagnifierChanged, this, &MagnifierTool::SetFactor);
}

void MagnifierTool::SetTool(PreviewTool* tool) {
    tool_ = tool;
    if (window_) window_->SetTool(tool);
}

void MagnifierTool::SetFactor(int factor) {
    if (factor == 0) {
        if (window_) window_->hide();
        return;
    }
    if (!window_) {
        window_ = new MagnifierWindow(&dialog_, dialog_, *dialog_.Preview());
        window_->SetTool(tool_);
        connect(window_, &MagnifierWindow::Closed, this,
                [this] { bench_.Strip().SetMagnifierFactor(0); });
        connect(window_, &MagnifierWindow::PointerMoved, &bench_.Pointer(), &PointerReadout::Show);
        connect(window_, &MagnifierWindow::PointerLeft, &bench_.Pointer(), &PointerReadout::Clear);
        bench_.TakeEditInput(*window_);
    }
    window_->SetFactor(factor);
    window_->SetPicture(bench_.Shown());
    // Each factor has its own size: placed again, so that it neither covers the dialog's
    // controls nor runs past the screen's edge, scrolling what does not fit.
    ShowToolWindowBeside(dialog_, *window_, window_->ContentSize(),
                         [this](QSize room) { window_->SetRoom(room); });
    window_->raise();
    // The keyboard stays with the dialog, where the sample data is typed.
    dialog_.activateWindow();
}

void MagnifierTool::Presented() {
    if (window_ && window_->isVisible()) window_->SetPicture(bench_.Shown());
}

} // namespace pindrel
