#include "app/workbench_strip.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialog_template.h"
#include "app/elements_list.h"
#include "app/group_frame.h"
#include "app/problems_list.h"
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

QLabel* MakeLine(QWidget* parent, const QString& accessibleName) {
    auto* label = new QLabel(parent);
    label->setAccessibleName(accessibleName);
    label->setMinimumWidth(1);
    return label;
}

QPushButton* MakeTool(const QString& caption, const QString& tip, QWidget* parent) {
    QPushButton* button = MakePushButton(caption, parent);
    button->setToolTip(tip);
    return button;
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
    magnifier->setToolTip(QStringLiteral("Show the preview enlarged in a window of its own"));
    magnifierLabel->setBuddy(magnifier);
    exportPng =
        MakeTool(QStringLiteral("Export PNG\u2026"),
                 QStringLiteral("Save the preview as it is drawn now as a PNG image"), tools);
    exportPackage = MakeTool(
        QStringLiteral("Export skin package\u2026"),
        QStringLiteral("Save the skin file and exactly the pictures it uses as one zip to hand "
                       "on, after checking it as the device reads names"),
        tools);
    exportPackage->setAccessibleName(QStringLiteral("Export skin package"));
    copyKeys = MakeTool(
        QStringLiteral("Copy keys"),
        QStringLiteral(
            "Copy the align rectangle as the skin keys of this orientation, e.g. posP and sizeP"),
        tools);
    allScreens = MakeTool(QStringLiteral("All screens\u2026"),
                          QStringLiteral("Show the skin's 15 screens, every orientation under "
                                         "every call type, in a window of their own"),
                          tools);
    importMockup =
        MakeTool(QStringLiteral("Import mock-up\u2026"),
                 QStringLiteral("Make a skin, or one orientation of the open skin, from a layered "
                                "mock-up (OpenRaster or PSD): shows what each layer becomes first"),
                 tools);
    importMockup->setAccessibleName(QStringLiteral("Import mock-up"));
    outlines = new QCheckBox(QStringLiteral("Outlines"), tools);
    outlines->setToolTip(QStringLiteral(
        "Draw every element's rectangle over the preview, in the colour of its kind: dashed "
        "where the call type hides it (never into the skin's pictures or the export)"));
    keyColour = new QCheckBox(QStringLiteral("Key colour"), tools);
    keyColour->setToolTip(QStringLiteral(
        "Tint the pixels a transparent colour keys out, and hatch the elements whose "
        "transparent colour cannot act because they are drawn resized"));
    offScreen = MakeLine(tools, QStringLiteral("Elements off the screen"));
    auto* pointerLabel = new QLabel(QStringLiteral("Pointer:"), tools);
    pointerPosition =
        MakeReadout(tools, QStringLiteral("Pointer position"), QStringLiteral("000, 000"));
    swatch = new QLabel(tools);
    const int side = fontMetrics().ascent();
    swatch->setFixedSize(side, side);
    pointerColour = MakeReadout(tools, QStringLiteral("Colour under the pointer"),
                                QStringLiteral("000, 000, 000"));
    element = MakeLine(tools, QStringLiteral("Element under the pointer"));
    dpi = new QLabel(tools);
    dpi->setToolTip(QStringLiteral(
        "Font sizes in points become pixels at this resolution; pindrel-cli uses --dpi 96"));
    status = MakeLine(tools, QStringLiteral("Workbench status"));
    // Room for two lines, wrapped at spaces and after path separators, so it is shown whole.
    status->setWordWrap(true);
    status->setMinimumHeight(2 * status->fontMetrics().lineSpacing());
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* grid = new QGridLayout(tools);
    grid->addWidget(reloadOnChange, 0, 0, 1, 2);
    auto* magnifierRow = new QHBoxLayout;
    magnifierRow->addStretch();
    magnifierRow->addWidget(magnifierLabel);
    magnifierRow->addWidget(magnifier);
    grid->addLayout(magnifierRow, 0, 2, 1, 2);
    grid->addWidget(exportPng, 1, 0, 1, 2);
    grid->addWidget(copyKeys, 1, 2, 1, 2);
    grid->addWidget(allScreens, 2, 0, 1, 2);
    grid->addWidget(exportPackage, 2, 2, 1, 2);
    grid->addWidget(importMockup, 3, 0, 1, 2);
    auto* overlayRow = new QHBoxLayout;
    overlayRow->addWidget(outlines);
    overlayRow->addWidget(keyColour);
    overlayRow->addStretch();
    grid->addLayout(overlayRow, 3, 2, 1, 2);
    auto* pointerRow = new QHBoxLayout;
    pointerRow->addWidget(pointerLabel);
    pointerRow->addWidget(pointerPosition);
    pointerRow->addWidget(swatch);
    pointerRow->addWidget(pointerColour);
    pointerRow->addStretch();
    pointerRow->addWidget(dpi);
    grid->addLayout(pointerRow, 4, 0, 1, 4);
    grid->addWidget(element, 5, 0, 1, 4);
    grid->addWidget(status, 6, 0, 1, 4);
    grid->addWidget(offScreen, 7, 0, 1, 4);

    editing = new GroupFrame(QStringLiteral("Edit"), this, GroupFrame::Role::Container);
    editSkin = new QCheckBox(QStringLiteral("Edit skin"), editing);
    editSkin->setToolTip(QStringLiteral(
        "Select elements in the preview, drag, nudge and resize them, and save the skin file; "
        "while this is on, the skin's buttons are not pressed"));
    undo = MakeTool(QStringLiteral("Undo"), QStringLiteral("Undo the last edit (Ctrl+Z)"), editing);
    redo = MakeTool(QStringLiteral("Redo"), QStringLiteral("Redo the edit undone (Ctrl+Shift+Z)"),
                    editing);
    save = MakeTool(QStringLiteral("Save"),
                    QStringLiteral("Write the edits to the skin file (Ctrl+S)"), editing);
    editorWindow =
        MakeTool(QStringLiteral("Editor\u2026"),
                 QStringLiteral("Show the skin file's text in a window of its own"), editing);
    arrange = MakeTool(QStringLiteral("Arrange"),
                       QStringLiteral("Align, distribute or make the same size the elements "
                                      "selected (Shift+click, a rubber band or Ctrl+A)"),
                       editing);
    selection = MakeLine(editing, QStringLiteral("Selected element"));
    selectionKeys = MakeLine(editing, QStringLiteral("Keys of the selected element"));
    selectionKeys->setTextInteractionFlags(Qt::TextSelectableByMouse);
    editState = MakeLine(editing, QStringLiteral("Edit state"));
    auto* editGrid = new QGridLayout(editing);
    editGrid->addWidget(editSkin, 0, 0);
    editGrid->addWidget(undo, 0, 1);
    editGrid->addWidget(redo, 0, 2);
    editGrid->addWidget(save, 0, 3);
    editGrid->addWidget(selection, 1, 0, 1, 4);
    editGrid->addWidget(selectionKeys, 2, 0, 1, 4);
    editGrid->addWidget(editState, 3, 0, 1, 2);
    editGrid->addWidget(arrange, 3, 2);
    editGrid->addWidget(editorWindow, 3, 3);

    lists = new QTabWidget(this);
    problems = new ProblemsList(lists);
    elementsPage = new QWidget(lists);
    auto* page = new QVBoxLayout(elementsPage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(2);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    const auto command = [&](QToolButton*& button, const QString& caption, const QString& tip) {
        button = new QToolButton(elementsPage);
        button->setText(caption);
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        commands->addWidget(button);
    };
    command(addElement, QStringLiteral("Add"),
            QStringLiteral("Add an image, a button or a label, or start a new skin"));
    addElement->setPopupMode(QToolButton::InstantPopup);
    command(duplicateElement, QStringLiteral("Copy"),
            QStringLiteral("Duplicate the selected element (Ctrl+D)"));
    command(deleteElement, QStringLiteral("Delete"),
            QStringLiteral("Delete the selected elements (Del)"));
    command(forwardElement, QStringLiteral("Up"),
            QStringLiteral("Bring forward: drawn over the next element of its kind"));
    command(backwardElement, QStringLiteral("Down"),
            QStringLiteral("Send backward: drawn under the element of its kind before it"));
    commands->addStretch();
    page->addLayout(commands);
    elements = new ElementsList(elementsPage);
    page->addWidget(elements);
    lists->addTab(problems, QStringLiteral("Problems"));
    lists->addTab(elementsPage, QStringLiteral("Elements"));
    connect(problems, &ProblemsList::CountChanged, this, [this](size_t total) {
        lists->setTabText(0, total == 0 ? QStringLiteral("Problems")
                                        : QStringLiteral("Problems (%1)").arg(total));
    });

    connect(magnifier, &QComboBox::currentIndexChanged, this,
            [this] { emit MagnifierChanged(MagnifierFactor()); });
    ClearPointer();
}

void WorkbenchStrip::Place(int unitX, int unitY, int heightUnits) {
    const BaseUnits units{unitX, unitY};
    // The groups take what they need; the lists the rest of the column, and never less than a
    // few rows of it.
    const Rect column = DialogRectToPixels({0, 7, kWidthUnits - 7, heightUnits - 14}, units);
    const int gap = MulDiv(4, unitY, 8);
    const int minLists = 6 * fontMetrics().height();
    int top = column.top;
    for (GroupFrame* group : {tools, editing}) {
        const int room = column.bottom - top - gap - minLists;
        const int height = std::max(0, std::min(group->sizeHint().height(), room));
        group->setGeometry(column.left, top, column.Width(), height);
        top += height + gap;
    }
    lists->setGeometry(column.left, top, column.Width(), column.bottom - top);
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

void WorkbenchStrip::ShowStatus(const QString& text) {
    // A zero-width space after each separator lets a long path wrap there.
    QString shown = text;
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200b"));
    status->setTextFormat(Qt::PlainText);
    status->setText(shown);
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

void WorkbenchStrip::ShowProblems() {
    lists->setCurrentWidget(problems);
}

void WorkbenchStrip::ShowElements() {
    lists->setCurrentWidget(elementsPage);
}

} // namespace pindrel
