#include "app/group_frame.h"

#include <QPainter>
#include <QStyle>

namespace pindrel {

GroupFrame::GroupFrame(const QString& title, QWidget* parent, Role role)
    : QGroupBox(title, parent) {
    // A drawn box lets clicks through to what lies beneath it; a container's children take them.
    if (role == Role::Drawn) setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics fm = fontMetrics();
    const int indent = fm.averageCharWidth();
    const QRect text(indent, 0, fm.horizontalAdvance(title()) + indent, fm.height());

    // The style's own group frame would leave room for a caption above it, so the line is
    // drawn here, in the colour the style outlines its frames with.
    const QRectF frame = QRectF(rect()).adjusted(0.5, fm.height() / 2 + 0.5, -0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Window).darker(140));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, 2, 2);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.fillRect(text, palette().window());
    style()->drawItemText(&painter, text, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

} // namespace pindrel
