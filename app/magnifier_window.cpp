#include "app/magnifier_window.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace pindrel {

namespace {

// Nearest neighbour by an integer factor, done by hand: every block is exactly scale pixels
// wide and high, whatever a painter's transform would round. Writes into out, which keeps its
// memory from frame to frame when the size stays.
void Enlarge(const QImage& picture, int scale, QImage& out) {
    const QImage source = picture.format() == QImage::Format_BGR888
                              ? picture
                              : picture.convertToFormat(QImage::Format_BGR888);
    const QSize size = source.size() * scale;
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(y);
        auto* first = reinterpret_cast<QRgb*>(out.scanLine(y * scale));
        for (int x = 0; x < width; ++x, in += 3)
            std::fill_n(first + x * scale, scale, qRgb(in[2], in[1], in[0]));
        for (int r = 1; r < scale; ++r)
            std::memcpy(out.scanLine(y * scale + r), first,
                        static_cast<size_t>(out.bytesPerLine()));
    }
}

} // namespace

MagnifierWindow::MagnifierWindow(QWidget* parent, PreviewHandler& h, PreviewSurface& preview)
    : PreviewInput(parent, Qt::Tool, h), preview_(&preview) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Opening it leaves the keyboard with the dialog, where the sample data is typed.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAccessibleName(QStringLiteral("Magnified preview"));
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_->setAccessibleName(QStringLiteral("Scroll the magnified preview sideways"));
    vertical_->setAccessibleName(QStringLiteral("Scroll the magnified preview up and down"));
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    }
    SetFactor(kMinFactor);
}

void MagnifierWindow::SetFactor(int factor) {
    factor_ = std::clamp(factor, kMinFactor, kMaxFactor);
    setWindowTitle(QStringLiteral("Magnifier %1x").arg(factor_));
    Rebuild();
}

void MagnifierWindow::SetPicture(const QImage& picture) {
    picture_ = picture;
    Rebuild();
}

int MagnifierWindow::Scale() const {
    return std::max(1, static_cast<int>(std::lround(factor_ * devicePixelRatioF())));
}

void MagnifierWindow::SetRoom(QSize room) {
    room_ = room;
    Rebuild();
}

QSize MagnifierWindow::ContentSize() const {
    const QSize pixels = picture_.isNull() ? QSize(240, 320) * Scale() : shown_.size();
    return {static_cast<int>(std::ceil(pixels.width() / shownRatio_)),
            static_cast<int>(std::ceil(pixels.height() / shownRatio_))};
}

void MagnifierWindow::Rebuild() {
    shownRatio_ = devicePixelRatioF();
    const int scale = Scale();
    if (picture_.isNull())
        shown_ = QImage();
    else
        Enlarge(picture_, scale, shown_);
    shown_.setDevicePixelRatio(shownRatio_);
    const QSize content = ContentSize();
    // Scroll bars only where the room is short; one of them takes room from the other side.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool across = room_.isValid() && content.width() > room_.width();
    bool down = room_.isValid() && content.height() > room_.height();
    if (across && !down) down = content.height() + bar > room_.height();
    if (down && !across) across = content.width() + bar > room_.width();
    QSize view = content;
    if (across) view.setWidth(std::max(1, room_.width() - (down ? bar : 0)));
    if (down) view.setHeight(std::max(1, room_.height() - (across ? bar : 0)));
    const QSize fixed(view.width() + (down ? bar : 0), view.height() + (across ? bar : 0));
    if (fixed != minimumSize() || fixed != maximumSize()) setFixedSize(fixed);
    horizontal_->setVisible(across);
    vertical_->setVisible(down);
    horizontal_->setGeometry(0, view.height(), view.width(), bar);
    vertical_->setGeometry(view.width(), 0, bar, view.height());
    horizontal_->setRange(0, across ? content.width() - view.width() : 0);
    vertical_->setRange(0, down ? content.height() - view.height() : 0);
    horizontal_->setPageStep(view.width());
    vertical_->setPageStep(view.height());
    horizontal_->setSingleStep(std::max(1, scale * 8));
    vertical_->setSingleStep(std::max(1, scale * 8));
    update();
}

QPoint MagnifierWindow::Offset() const {
    return {horizontal_->value(), vertical_->value()};
}

QPointF MagnifierWindow::PreviewPoint(QPointF position) const {
    return (position + Offset()) / UnitsPerPixel();
}

qreal MagnifierWindow::UnitsPerPixel() const {
    return Scale() / devicePixelRatioF();
}

std::optional<QPoint> MagnifierWindow::PreviewPixel(QPointF position) const {
    position += Offset();
    const qreal scale = Scale();
    const qreal ratio = devicePixelRatioF();
    const auto x = static_cast<int>(std::floor(position.x() * ratio / scale));
    const auto y = static_cast<int>(std::floor(position.y() * ratio / scale));
    if (x < 0 || y < 0 || x >= picture_.width() || y >= picture_.height()) return std::nullopt;
    return QPoint(x, y);
}

void MagnifierWindow::paintEvent(QPaintEvent* /*event*/) {
    // Moved to a screen of another density: the blocks must be whole pixels of this one.
    if (shownRatio_ != devicePixelRatioF()) Rebuild();
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.translate(-Offset());
    if (!shown_.isNull()) painter.drawImage(QPointF(0, 0), shown_);
    PaintTool(painter);
}

void MagnifierWindow::wheelEvent(QWheelEvent* event) {
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    QScrollBar* bar = sideways || !vertical_->isVisible() ? horizontal_ : vertical_;
    if (!bar->isVisible()) {
        PreviewInput::wheelEvent(event);
        return;
    }
    bar->setValue(bar->value() - event->angleDelta().y() / 120 * bar->singleStep() * 3);
    event->accept();
}

// A tool window closes on Escape, as its dialog would.
void MagnifierWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    PreviewInput::keyPressEvent(event);
}

void MagnifierWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

} // namespace pindrel
