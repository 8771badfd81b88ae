#pragma once

#include <optional>

#include <QPoint>
#include <QWidget>

#include "skin/preview_handler.h"

class QPainter;

namespace pindrel {

class PreviewInput;

// Takes the mouse and the keys of a preview from the skin's buttons while it wants them: the
// designer's edit mode. Positions are in preview pixels, and go beyond the picture's edges.
class PreviewTool {
public:
    virtual ~PreviewTool() = default;
    // Whether the tool takes the events now.
    virtual bool TakesInput() const = 0;
    virtual void Press(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) = 0;
    virtual void Move(PreviewInput& from, QPointF pixel, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods) = 0;
    virtual void Release(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) = 0;
    // True when the key was used.
    virtual bool Key(PreviewInput& from, int key, Qt::KeyboardModifiers mods) = 0;
    // Draws what the author sees over the preview and nothing else does: painter's units are
    // the widget's, pixelsPerPreviewPixel of them to a preview pixel.
    virtual void PaintOver(QPainter& painter, qreal pixelsPerPreviewPixel) = 0;
};

// A widget showing the preview whose left-button mouse events act on the skin at the preview
// pixel under the pointer. Nothing captures the mouse: a release or a move outside the picture
// goes unseen, although Qt delivers it here because of its implicit grab; the second press of a
// double click reaches nothing. While a tool takes the input, it gets the events instead.
class PreviewInput : public QWidget {
    Q_OBJECT
public:
    // The handler must outlive the widget.
    PreviewInput(QWidget* parent, Qt::WindowFlags flags, PreviewHandler& handler);

    // The preview pixel under a point of the widget; nothing outside the picture.
    virtual std::optional<QPoint> PreviewPixel(QPointF position) const = 0;
    // The same without the bounds, in fractions of a preview pixel.
    virtual QPointF PreviewPoint(QPointF position) const = 0;
    // Widget units per preview pixel.
    virtual qreal UnitsPerPixel() const = 0;
    // A tool that may take the input and draws over the picture; null for none. It must
    // outlive the widget or be unset first.
    void SetTool(PreviewTool* tool);

signals:
    // The pointer is over this preview pixel, or has left the picture.
    void PointerMoved(QPoint pixel);
    void PointerLeft();
    // While a tool takes the input: a context menu asked for at a preview pixel (globalPos on
    // the screen), and files dropped at one.
    void ContextMenuAt(QPoint pixel, QPoint globalPos);
    void FilesDropped(const QStringList& paths, QPoint pixel);

protected:
    // The preview the events are meant for.
    virtual PreviewSurface& Surface() = 0;
    bool ToolTakes() const { return tool_ && tool_->TakesInput(); }
    void PaintTool(QPainter& painter);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    PreviewHandler* handler;

private:
    PreviewTool* tool_ = nullptr;
};

} // namespace pindrel
