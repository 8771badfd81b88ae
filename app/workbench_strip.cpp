#include "app/workbench_strip.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/dialog_template.h"
#include "app/group_frame.h"
#include "app/push_button.h"

namespace pindrel {

namespace {

QLabel* MakeReadout(QWidget* parent, const QString& accessibleName, const QString& widest) {
    auto* label = new QLabel(parent);
    label->setAccessibleName(accessibleName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest));
    return label;
}

} // namespace

WorkbenchStrip::WorkbenchStrip(QWidget* parent) : QWidget(parent) {
    tools = new GroupFrame(QStringLiteral("Workbench"), this, GroupFrame::Role::Container);
    reloadOnChange = new QCheckBox(QStringLiteral("Reload on change"), tools);
    reloadOnChange->setToolTip(
        QStringLiteral("Reload the skin shortly after its file or one of its bitmaps is saved"));
    auto* magnifierLabel = new QLabel(QStringLiteral("Magnifier:"), tools);
    magnifier = new QComboBox(tools);
    magnifier->addItems(
        {QStringLiteral("Off"), QStringLiteral("2x"), QStringLiteral("3x"), QStringLiteral("4x")});
    magnifierLabel->setBuddy(magnifier);
    exportPng = MakePushButton(QStringLiteral("Export PNG\u2026"), tools);
    exportPng->setToolTip(QStringLiteral("Save the preview as it is drawn now as a PNG image"));
    copyKeys = MakePushButton(QStringLiteral("Copy keys"), tools);
    copyKeys->setToolTip(QStringLiteral(
        "Copy the align rectangle as the skin keys of this orientation, e.g. posP and sizeP"));
    auto* pointerLabel = new QLabel(QStringLiteral("Pointer:"), tools);
    pointerPosition =
        MakeReadout(tools, QStringLiteral("Pointer position"), QStringLiteral("000, 000"));
    swatch = new QLabel(tools);
    const int side = fontMetrics().ascent();
    swatch->setFixedSize(side, side);
    pointerColour = MakeReadout(tools, QStringLiteral("Colour under the pointer"),
                                QStringLiteral("000, 000, 000"));
    element = new QLabel(tools);
    element->setAccessibleName(QStringLiteral("Element under the pointer"));
    element->setMinimumWidth(1);
    dpi = new QLabel(tools);
    dpi->setToolTip(QStringLiteral(
        "Font sizes in points become pixels at this resolution; pindrel-cli uses --dpi 96"));
    status = new QLabel(tools);
    status->setAccessibleName(QStringLiteral("Workbench status"));
    status->setMinimumWidth(1);

    auto* grid = new QGridLayout(tools);
    grid->addWidget(reloadOnChange, 0, 0, 1, 2);
    auto* magnifierRow = new QHBoxLayout;
    magnifierRow->addStretch();
    magnifierRow->addWidget(magnifierLabel);
    magnifierRow->addWidget(magnifier);
    grid->addLayout(magnifierRow, 0, 2, 1, 2);
    grid->addWidget(exportPng, 1, 0, 1, 2);
    grid->addWidget(copyKeys, 1, 2, 1, 2);
    auto* pointerRow = new QHBoxLayout;
    pointerRow->addWidget(pointerLabel);
    pointerRow->addWidget(pointerPosition);
    pointerRow->addWidget(swatch);
    pointerRow->addWidget(pointerColour);
    pointerRow->addStretch();
    pointerRow->addWidget(dpi);
    grid->addLayout(pointerRow, 2, 0, 1, 4);
    grid->addWidget(element, 3, 0, 1, 4);
    grid->addWidget(status, 4, 0, 1, 4);

    problemsFrame = new GroupFrame(QStringLiteral("Problems"), this, GroupFrame::Role::Container);
    problems = new QListWidget(problemsFrame);
    problems->setAccessibleName(QStringLiteral("Problems"));
    // Long findings wrap rather than hide behind a horizontal scroll bar.
    problems->setWordWrap(true);
    problems->setResizeMode(QListView::Adjust);
    problems->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    problems->setTextElideMode(Qt::ElideNone);
    const int iconSide = problems->fontMetrics().height();
    problems->setIconSize(QSize(iconSide, iconSide));
    auto* column = new QVBoxLayout(problemsFrame);
    column->addWidget(problems);

    connect(magnifier, &QComboBox::currentIndexChanged, this,
            [this] { emit MagnifierChanged(MagnifierFactor()); });
    ClearPointer();
    ClearFindings();
}

void WorkbenchStrip::Place(int unitX, int unitY, int heightUnits) {
    const BaseUnits units{unitX, unitY};
    // The tools take what they need; the problems the rest of the column.
    const Rect column = DialogRectToPixels({0, 7, kWidthUnits - 7, heightUnits - 14}, units);
    const int gap = MulDiv(7, unitY, 8);
    const int toolsHeight = std::min(tools->sizeHint().height(), column.Height() / 2);
    tools->setGeometry(column.left, column.top, column.Width(), toolsHeight);
    const int problemsTop = column.top + toolsHeight + gap;
    problemsFrame->setGeometry(column.left, problemsTop, column.Width(),
                               column.bottom - problemsTop);
}

void WorkbenchStrip::ShowPointer(QPoint pixel, std::optional<QRgb> colour,
                                 const QString& elementText) {
    pointerPosition->setText(QStringLiteral("%1, %2").arg(pixel.x()).arg(pixel.y()));
    element->setText(elementText);
    element->setToolTip(elementText);
    if (!colour) {
        pointerColour->clear();
        swatch->clear();
        return;
    }
    pointerColour->setText(
        QStringLiteral("%1, %2, %3").arg(qRed(*colour)).arg(qGreen(*colour)).arg(qBlue(*colour)));
    QPixmap chip(swatch->size() * swatch->devicePixelRatioF());
    chip.setDevicePixelRatio(swatch->devicePixelRatioF());
    chip.fill(QColor::fromRgb(*colour));
    swatch->setPixmap(chip);
}

void WorkbenchStrip::ClearPointer() {
    pointerPosition->clear();
    element->clear();
    pointerColour->clear();
    swatch->clear();
}

QString ProblemText(const LintFinding& finding) {
    const QString severity =
        finding.error ? QStringLiteral("error: ") : QStringLiteral("warning: ");
    const QString text = severity + QString::fromStdString(finding.text);
    return finding.line > 0 ? QString::number(finding.line) + QStringLiteral(": ") + text : text;
}

void WorkbenchStrip::ShowFindings(const LintSummary& summary) {
    problems->clear();
    problemsFrame->setTitle(summary.total == 0
                                ? QStringLiteral("Problems")
                                : QStringLiteral("Problems (%1)").arg(summary.total));
    if (summary.total == 0) {
        auto* none = new QListWidgetItem(QStringLiteral("No problems found"), problems);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const LintFinding& f : summary.findings) {
        auto* item = new QListWidgetItem(f.error ? errorIcon : warningIcon, ProblemText(f));
        item->setToolTip(QString::fromStdString(FormatFinding(f)));
        item->setData(Qt::UserRole, f.line);
        problems->addItem(item);
    }
    if (summary.total > summary.findings.size()) {
        auto* more = new QListWidgetItem(
            QStringLiteral("\u2026 %1 more not listed; pindrel-cli lint lists them all")
                .arg(summary.total - summary.findings.size()),
            problems);
        more->setFlags(Qt::NoItemFlags);
    }
}

void WorkbenchStrip::ClearFindings() {
    problems->clear();
    problemsFrame->setTitle(QStringLiteral("Problems"));
}

void WorkbenchStrip::ShowStatus(const QString& text) {
    status->setText(text);
    status->setToolTip(text);
}

void WorkbenchStrip::ShowDpi(int value) {
    dpi->setText(QStringLiteral("%1 dpi").arg(value));
}

int WorkbenchStrip::MagnifierFactor() const {
    const int index = magnifier->currentIndex();
    return index <= 0 ? 0 : index + 1;
}

void WorkbenchStrip::SetMagnifierFactor(int factor) {
    magnifier->setCurrentIndex(factor < 2 || factor > 4 ? 0 : factor - 1);
}

} // namespace pindrel
