#pragma once

#include <optional>

#include <QPoint>
#include <QRgb>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace pindrel {

class ElementsList;
class GroupFrame;
class ProblemsList;

// The skin author's tools in a column beside the dialog's own controls: live reload, magnifier,
// export, the align rectangle as skin keys, the pointer readout, editing, the skin's problems
// and its elements. Beside rather than below, so that the window fits a laptop screen at 150 %.
// The strip only shows and asks; the workbench's tools do the work.
class WorkbenchStrip final : public QWidget {
    Q_OBJECT
public:
    // Its width in dialog units; the strip spans the dialog's height.
    static constexpr int kWidthUnits = 206;

    explicit WorkbenchStrip(QWidget* parent);
    // Places the groups one above the other, with the margins of the dialog's own groups, from
    // its pixels per 4 x 8 units and the dialog's height in units.
    void Place(int unitX, int unitY, int heightUnits);

    // "x, y" and "r, g, b" of a preview pixel (the colour left out when unknown), and the
    // element drawn there.
    void ShowPointer(QPoint pixel, std::optional<QRgb> colour, const QString& element);
    void ClearPointer();
    void ShowStatus(const QString& text);
    void ShowDpi(int dpi);
    // The magnifier's factor, 0 for off.
    int MagnifierFactor() const;
    void SetMagnifierFactor(int factor);
    // Brings the problems or the elements to the front.
    void ShowProblems();
    void ShowElements();

    QCheckBox* reloadOnChange = nullptr;
    QComboBox* magnifier = nullptr;
    QPushButton* exportPng = nullptr;
    QPushButton* exportPackage = nullptr;
    QPushButton* copyKeys = nullptr;
    QPushButton* allScreens = nullptr;
    QPushButton* importMockup = nullptr;
    QCheckBox* outlines = nullptr;
    QCheckBox* keyColour = nullptr;
    QLabel* offScreen = nullptr; // the elements wholly off the screen, while outlines are shown
    QLabel* pointerPosition = nullptr;
    QLabel* pointerColour = nullptr;
    QLabel* element = nullptr;
    QLabel* status = nullptr;
    QLabel* dpi = nullptr;

    QCheckBox* editSkin = nullptr;
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
    QPushButton* save = nullptr;
    QPushButton* editorWindow = nullptr;
    QPushButton* arrange = nullptr;  // its menu: align, distribute, same size
    QLabel* selection = nullptr;     // the selected element
    QLabel* selectionKeys = nullptr; // its position and size keys in the orientation shown
    QLabel* editState = nullptr;     // whether there are unsaved edits

    QTabWidget* lists = nullptr;
    ProblemsList* problems = nullptr;
    QWidget* elementsPage = nullptr; // the list with its commands above it
    ElementsList* elements = nullptr;
    QToolButton* addElement = nullptr; // its menu: add image, button, label, new skin
    QToolButton* duplicateElement = nullptr;
    QToolButton* deleteElement = nullptr;
    QToolButton* forwardElement = nullptr;
    QToolButton* backwardElement = nullptr;

signals:
    void MagnifierChanged(int factor);

private:
    GroupFrame* tools = nullptr;
    GroupFrame* editing = nullptr;
    QLabel* swatch = nullptr;
};

} // namespace pindrel
