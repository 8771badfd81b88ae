#include "app/magnifier_window.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

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

void MagnifierWindow::Rebuild() {
    shownRatio_ = devicePixelRatioF();
    const int scale = Scale();
    if (picture_.isNull())
        shown_ = QImage();
    else
        Enlarge(picture_, scale, shown_);
    shown_.setDevicePixelRatio(shownRatio_);
    const QSize pixels = picture_.isNull() ? QSize(240, 320) * scale : shown_.size();
    const QSize fixed(static_cast<int>(std::ceil(pixels.width() / shownRatio_)),
                      static_cast<int>(std::ceil(pixels.height() / shownRatio_)));
    if (fixed != minimumSize() || fixed != maximumSize()) setFixedSize(fixed);
    update();
}

QPointF MagnifierWindow::PreviewPoint(QPointF position) const {
    return position / UnitsPerPixel();
}

qreal MagnifierWindow::UnitsPerPixel() const {
    return Scale() / devicePixelRatioF();
}

std::optional<QPoint> MagnifierWindow::PreviewPixel(QPointF position) const {
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
    if (!shown_.isNull()) painter.drawImage(QPointF(0, 0), shown_);
    PaintTool(painter);
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
