#include "app/preview_input.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace pindrel {

PreviewInput::PreviewInput(QWidget* parent, Qt::WindowFlags flags, PreviewHandler& h)
    : QWidget(parent, flags), handler(&h) {
    // Moves arrive with the button up too: a button still tracking after a release outside
    // follows the pointer, and the pointer readout follows it.
    setMouseTracking(true);
}

void PreviewInput::SetTool(PreviewTool* tool) {
    tool_ = tool;
    update();
}

void PreviewInput::PaintTool(QPainter& painter) {
    if (tool_) tool_->PaintOver(painter, UnitsPerPixel());
}

void PreviewInput::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const auto p = PreviewPixel(event->position());
    if (p) emit PointerMoved(*p);
    if (ToolTakes()) {
        tool_->Press(*this, PreviewPoint(event->position()), event->modifiers());
        return;
    }
    if (p) handler->PreviewMouseDown(Surface(), p->x(), p->y());
}

void PreviewInput::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (ToolTakes()) {
        tool_->Release(*this, PreviewPoint(event->position()), event->modifiers());
        return;
    }
    if (const auto p = PreviewPixel(event->position()))
        handler->PreviewMouseUp(Surface(), p->x(), p->y());
}

void PreviewInput::mouseMoveEvent(QMouseEvent* event) {
    const auto p = PreviewPixel(event->position());
    if (p)
        emit PointerMoved(*p);
    else
        emit PointerLeft();
    if (ToolTakes()) {
        tool_->Move(*this, PreviewPoint(event->position()), event->buttons(), event->modifiers());
        return;
    }
    if (p) handler->PreviewMouseMove(Surface(), p->x(), p->y());
}

void PreviewInput::mouseDoubleClickEvent(QMouseEvent* event) {
    // A tool sees a double click as two presses; the skin's buttons never see the second.
    if (ToolTakes() && event->button() == Qt::LeftButton)
        tool_->Press(*this, PreviewPoint(event->position()), event->modifiers());
}

void PreviewInput::keyPressEvent(QKeyEvent* event) {
    if (ToolTakes() && tool_->Key(*this, event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PreviewInput::leaveEvent(QEvent* /*event*/) {
    emit PointerLeft();
}

namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (!data) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile());
    return paths;
}

QPoint Floor(QPointF p) {
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

} // namespace

void PreviewInput::contextMenuEvent(QContextMenuEvent* event) {
    if (!ToolTakes()) return;
    emit ContextMenuAt(Floor(PreviewPoint(event->pos())), event->globalPos());
    event->accept();
}

void PreviewInput::dragEnterEvent(QDragEnterEvent* event) {
    if (ToolTakes() && !LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void PreviewInput::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFiles(event->mimeData());
    if (!ToolTakes() || paths.isEmpty()) return;
    event->acceptProposedAction();
    emit FilesDropped(paths, Floor(PreviewPoint(event->position())));
}

} // namespace pindrel
