#include "app/pointer_readout.h"

#include "app/designer_dialog.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "skin/element_at.h"

namespace pindrel {

PointerReadout::PointerReadout(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {}

void PointerReadout::Show(QPoint pixel) {
    pointer_ = pixel;
    std::optional<QRgb> colour;
    const QImage& frame = bench_.Frame();
    if (frame.valid(pixel)) colour = frame.pixel(pixel);
    const std::string element = DescribeElement(
        dialog_, ElementAt(dialog_, {pixel.x(), pixel.y()}, dialog_.GetCallType(nullptr)));
    bench_.Strip().ShowPointer(pixel, colour, QString::fromStdString(element));
}

void PointerReadout::Clear() {
    pointer_.reset();
    bench_.Strip().ClearPointer();
}

void PointerReadout::Refresh() {
    if (pointer_) Show(*pointer_);
}

} // namespace pindrel
