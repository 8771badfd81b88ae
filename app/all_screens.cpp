#include "app/all_screens.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/app_resources.h"
#include "app/designer_dialog.h"
#include "app/tool_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"

namespace pindrel {

namespace {

constexpr std::array<const char*, 3> kOrientationCaptions = {"Portrait", "Landscape", "Square"};
constexpr std::array<const char*, 5> kCallTypeCaptions = {
    "Unknown caller", "Private caller", "Number detected", "Contact found", "Contact with picture"};
// The widest and the tallest screen, the size of a cell's picture area at 1x.
constexpr int kScreenBox = 320;
constexpr int kPad = 6;

size_t IndexOf(Screen s) {
    return static_cast<size_t>(s.orientation) * kCallTypes.size() + CallTypeIndex(s.callType);
}

QString Caption(Screen s) {
    return QStringLiteral("%1 \u00b7 %2")
        .arg(QLatin1String(kOrientationCaptions[static_cast<size_t>(s.orientation)]),
             QLatin1String(kCallTypeCaptions[CallTypeIndex(s.callType)]));
}

// Every other pixel of every other row: nearest neighbour at half the size, straight from the
// canvas (a general scaling costs more than drawing the screen).
QImage Half(ConstPixelView canvas) {
    QImage half(canvas.width / 2, canvas.height / 2, QImage::Format_RGB32);
    for (int y = 0; y < half.height(); ++y) {
        const uint8_t* in = canvas.Row(2 * y);
        auto* out = reinterpret_cast<QRgb*>(half.scanLine(y));
        for (int x = 0; x < half.width(); ++x, in += 6)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return half;
}

} // namespace

ScreenCell::ScreenCell(Screen screen, QWidget* parent) : QWidget(parent), screen_(screen) {
    setAccessibleName(Caption(screen));
    setToolTip(QStringLiteral("%1: click to show this screen in the preview").arg(Caption(screen)));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ScreenCell::SetPicture(const QImage& picture) {
    const bool resized = picture.size() != picture_.size();
    picture_ = picture;
    if (resized) updateGeometry();
    update();
}

void ScreenCell::SetCurrent(bool current) {
    if (current_ == current) return;
    current_ = current;
    update();
}

QSize ScreenCell::sizeHint() const {
    const int box = picture_.isNull() ? kScreenBox : std::max(picture_.width(), picture_.height());
    const int caption = 2 * fontMetrics().height();
    const int words =
        std::max(fontMetrics().horizontalAdvance(
                     QLatin1String(kOrientationCaptions[static_cast<size_t>(screen_.orientation)])),
                 fontMetrics().horizontalAdvance(
                     QLatin1String(kCallTypeCaptions[CallTypeIndex(screen_.callType)])));
    return {std::max(box, words) + 2 * kPad, box + 2 * kPad + caption};
}

void ScreenCell::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), current_ ? palette().highlight() : palette().window());
    painter.setPen(current_ ? palette().highlightedText().color() : palette().windowText().color());
    // The orientation above the call type: one line for both is wider than a screen at ½x.
    const int captionHeight = 2 * fontMetrics().height();
    painter.drawText(
        QRect(0, kPad / 2, width(), captionHeight), Qt::AlignCenter,
        QStringLiteral("%1\n%2").arg(
            QLatin1String(kOrientationCaptions[static_cast<size_t>(screen_.orientation)]),
            QLatin1String(kCallTypeCaptions[CallTypeIndex(screen_.callType)])));
    if (picture_.isNull()) return;
    // At its own pixel size: one screen pixel per preview pixel at 1x, whatever the density.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int left = (width() - picture_.width()) / 2;
    painter.drawImage(QRect(left, captionHeight + kPad, picture_.width(), picture_.height()),
                      picture_);
}

void ScreenCell::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Chosen(screen_);
}

AllScreensWindow::AllScreensWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("All screens"));
    setAccessibleName(QStringLiteral("All screens"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* scaleLabel = new QLabel(QStringLiteral("Size:"), this);
    scale_ = new QComboBox(this);
    scale_->addItems({QStringLiteral("1x"), QStringLiteral("\u00bdx")});
    scale_->setCurrentIndex(1);
    scale_->setToolTip(QStringLiteral("Every screen at its own size, or at half of it"));
    scaleLabel->setBuddy(scale_);
    top->addWidget(scaleLabel);
    top->addWidget(scale_);
    top->addStretch();
    column->addLayout(top);
    auto* scroll = new QScrollArea(this);
    scroll_ = scroll;
    auto* grid = new QWidget(scroll);
    grid_ = grid;
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(kPad);
    for (const Screen s : kAllScreens) {
        auto* cell = new ScreenCell(s, grid);
        cells_[IndexOf(s)] = cell;
        layout->addWidget(cell, s.orientation, static_cast<int>(CallTypeIndex(s.callType)));
        connect(cell, &ScreenCell::Chosen, this, &AllScreensWindow::Chosen);
    }
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    scroll->setWidget(grid);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(scroll);
    connect(scale_, &QComboBox::currentIndexChanged, this, &AllScreensWindow::DivisorChanged);
    resize(WholeSize());
}

QSize AllScreensWindow::WholeSize() const {
    const QMargins outer = layout()->contentsMargins();
    const int frame = 2 * scroll_->frameWidth();
    const QSize grid = grid_->layout()->sizeHint();
    const int top = scale_->sizeHint().height() + layout()->spacing();
    return {grid.width() + frame + outer.left() + outer.right(),
            grid.height() + frame + top + outer.top() + outer.bottom()};
}

int AllScreensWindow::Divisor() const {
    return scale_->currentIndex() == 0 ? 1 : 2;
}

void AllScreensWindow::SetDivisor(int divisor) {
    scale_->setCurrentIndex(divisor == 1 ? 0 : 1);
}

ScreenCell* AllScreensWindow::Cell(Screen screen) const {
    return cells_[IndexOf(screen)];
}

void AllScreensWindow::SetPictures(const std::array<QImage, kScreenCount>& pictures,
                                   Screen current) {
    for (size_t i = 0; i < kScreenCount; ++i) {
        cells_[i]->SetPicture(pictures[i]);
        cells_[i]->SetCurrent(cells_[i]->Which() == current);
    }
}

void AllScreensWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}

// A tool window closes on Escape, as its dialog would.
void AllScreensWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

AllScreensTool::AllScreensTool(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(bench.Strip().allScreens, &QAbstractButton::clicked, this, &AllScreensTool::Open);
}

void AllScreensTool::Open() {
    if (!window_) {
        window_ = new AllScreensWindow(&dialog_);
        connect(window_, &AllScreensWindow::Chosen, this, &AllScreensTool::Choose);
        connect(window_, &AllScreensWindow::DivisorChanged, this, [this] {
            Draw();
            Place();
        });
        Draw();
        Place();
    }
    Draw();
    window_->show();
    window_->raise();
}

// Beside the dialog where the screen has room, scrolling what does not fit.
void AllScreensTool::Place() {
    // The screens' new sizes settle in the layout first.
    window_->layout()->activate();
    ShowToolWindowBeside(dialog_, *window_, window_->WholeSize(),
                         [this](QSize room) { window_->resize(room); });
}

void AllScreensTool::Refresh() {
    if (window_ && window_->isVisible()) Draw();
}

void AllScreensTool::Draw() {
    const Overlays overlays = bench_.ShownOverlays();
    const int divisor = window_->Divisor();
    std::array<QImage, kScreenCount> pictures;
    for (size_t i = 0; i < kScreenCount; ++i) {
        const Screen s = kAllScreens[i];
        const Canvas canvas = dialog_.RenderScreenAs(s, overlays);
        pictures[i] = divisor == 2 ? Half(canvas.View()) : ToQImage(canvas.View());
    }
    window_->SetPictures(pictures, Screen{static_cast<Orientation>(dialog_.orientation),
                                          dialog_.GetCallType(nullptr)});
}

void AllScreensTool::Choose(Screen screen) {
    // As a click on the radios would: their handlers repaint the preview, and this window then.
    static_cast<QAbstractButton*>(
        dialog_.Control(kOrientationIds[static_cast<size_t>(screen.orientation)]))
        ->click();
    static_cast<QAbstractButton*>(dialog_.Control(kCallTypeIds[CallTypeIndex(screen.callType)]))
        ->click();
}

} // namespace pindrel
