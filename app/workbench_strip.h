#pragma once

#include <optional>
#include <vector>

#include <QPoint>
#include <QRgb>
#include <QWidget>

#include "skin/lint.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pindrel {

class GroupFrame;

// The skin author's tools in a column beside the dialog's own controls: live reload, magnifier,
// export, the align rectangle as skin keys, the pointer readout and the skin's problems. Beside
// rather than below, so that the window fits a laptop screen at 150 %. The strip only shows and
// asks; the dialog does the work.
class WorkbenchStrip final : public QWidget {
    Q_OBJECT
public:
    // Its width in dialog units; the strip spans the dialog's height.
    static constexpr int kWidthUnits = 206;

    explicit WorkbenchStrip(QWidget* parent);
    // Places the two groups one above the other, with the margins of the dialog's own groups,
    // from its pixels per 4 x 8 units and the dialog's height in units.
    void Place(int unitX, int unitY, int heightUnits);

    // "x, y" and "r, g, b" of a preview pixel (the colour left out when unknown), and the
    // element drawn there.
    void ShowPointer(QPoint pixel, std::optional<QRgb> colour, const QString& element);
    void ClearPointer();
    // The findings of the skin's last load, "LINE: error: TEXT" each, and a last line for those
    // not listed.
    void ShowFindings(const LintSummary& summary);
    void ClearFindings();
    void ShowStatus(const QString& text);
    void ShowDpi(int dpi);
    // The magnifier's factor, 0 for off.
    int MagnifierFactor() const;
    void SetMagnifierFactor(int factor);

    QCheckBox* reloadOnChange = nullptr;
    QComboBox* magnifier = nullptr;
    QPushButton* exportPng = nullptr;
    QPushButton* copyKeys = nullptr;
    QLabel* pointerPosition = nullptr;
    QLabel* pointerColour = nullptr;
    QLabel* element = nullptr;
    QLabel* status = nullptr;
    QLabel* dpi = nullptr;
    QListWidget* problems = nullptr;

signals:
    void MagnifierChanged(int factor);

private:
    GroupFrame* tools = nullptr;
    GroupFrame* problemsFrame = nullptr;
    QLabel* swatch = nullptr;
};

// "LINE: error: TEXT" (or "warning:"); without the line when the finding is about the whole file.
QString ProblemText(const LintFinding& finding);

} // namespace pindrel
