#include "app/mockup_import_dialog.h"

#include <vector>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pindrel {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

size_t CountLayers(const std::vector<Layer>& layers) {
    size_t n = 0;
    for (const Layer& l : layers)
        n += 1 + CountLayers(l.children);
    return n;
}

} // namespace

MockupImportDialog::MockupImportDialog(const QString& file, LayeredImage image, bool canAdd,
                                       Orientation proposed, QWidget* parent)
    : QDialog(parent), image_(std::move(image)) {
    setWindowTitle(QStringLiteral("Import mock-up"));
    summary = new QLabel(QStringLiteral("%1: %2 x %3 pixels, %4 layers")
                             .arg(QFileInfo(file).fileName())
                             .arg(image_.width)
                             .arg(image_.height)
                             .arg(CountLayers(image_.layers)),
                         this);
    summary->setAccessibleName(QStringLiteral("Mock-up"));
    newSkin = new QRadioButton(QStringLiteral("Make a new skin"), this);
    newSkin->setToolTip(QStringLiteral("Write a new skin file and its bitmaps, then open it"));
    addOrientation = new QRadioButton(QStringLiteral("Add to the open skin"), this);
    addOrientation->setToolTip(QStringLiteral(
        "Move the open skin's matching elements in this orientation and add the others, as one "
        "step of undo; new bitmaps are written beside the skin"));
    addOrientation->setEnabled(canAdd);
    newSkin->setChecked(true);
    auto* orientationLabel = new QLabel(QStringLiteral("&Orientation:"), this);
    orientation = new QComboBox(this);
    orientation->addItems(
        {QStringLiteral("Portrait"), QStringLiteral("Landscape"), QStringLiteral("Square")});
    orientation->setToolTip(QStringLiteral("The screen the mock-up shows"));
    orientationLabel->setBuddy(orientation);
    int32_t index = proposed;
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        if (kScreenSizes[static_cast<size_t>(o)] == Size{image_.width, image_.height}) index = o;
    }
    orientation->setCurrentIndex(index);

    layers = new QTreeWidget(this);
    layers->setAccessibleName(QStringLiteral("Layers"));
    layers->setHeaderLabels({QStringLiteral("Layer"), QStringLiteral("Becomes")});
    layers->setRootIsDecorated(false);
    layers->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    elements = new QListWidget(this);
    elements->setAccessibleName(QStringLiteral("Elements"));
    warnings = new QListWidget(this);
    warnings->setAccessibleName(QStringLiteral("Warnings"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    importButton = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    importButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choice = new QGridLayout;
    choice->addWidget(newSkin, 0, 0);
    choice->addWidget(addOrientation, 0, 1);
    choice->addWidget(orientationLabel, 0, 2, Qt::AlignRight);
    choice->addWidget(orientation, 0, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addLayout(choice);
    layout->addWidget(new QLabel(QStringLiteral("Layers, bottom first:"), this));
    layout->addWidget(layers, 3);
    layout->addWidget(new QLabel(QStringLiteral("Elements (x,y, size, call types):"), this));
    layout->addWidget(elements, 2);
    layout->addWidget(new QLabel(QStringLiteral("Warnings:"), this));
    layout->addWidget(warnings, 1);
    layout->addWidget(buttons);
    resize(560, 620);

    connect(orientation, &QComboBox::currentIndexChanged, this, &MockupImportDialog::Replan);
    Replan();
}

bool MockupImportDialog::AddsOrientation() const {
    return addOrientation->isChecked();
}

Orientation MockupImportDialog::ChosenOrientation() const {
    return static_cast<Orientation>(orientation->currentIndex());
}

void MockupImportDialog::Replan() {
    MockupPlanResult planned = PlanMockupImport(image_, ChosenOrientation());
    plan_ = std::move(planned.plan);
    layers->clear();
    elements->clear();
    warnings->clear();
    if (!plan_) {
        warnings->addItem(FromUtf8(planned.error));
        importButton->setEnabled(false);
        return;
    }
    for (const MockupLayerRow& row : plan_->layers) {
        auto* item = new QTreeWidgetItem(layers);
        item->setText(0, QString(row.depth * 4, QLatin1Char(' ')) + FromUtf8(row.layer));
        item->setText(1, FromUtf8(row.becomes));
    }
    for (const MockupElement& e : plan_->elements)
        elements->addItem(FromUtf8(ElementLine(e)));
    for (const std::string& w : plan_->warnings)
        warnings->addItem(FromUtf8(w));
    if (plan_->warnings.empty()) warnings->addItem(QStringLiteral("None"));
    importButton->setEnabled(!plan_->elements.empty());
}

} // namespace pindrel
