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

// The skin author's tools below the dialog's own controls: live reload, magnifier, export,
// the align rectangle as skin keys, the pointer readout and the skin's problems. The strip
// only shows and asks; the dialog does the work.
class WorkbenchStrip final : public QWidget {
    Q_OBJECT
public:
    // Its height in dialog units; the strip spans the dialog's width.
    static constexpr int kHeightUnits = 92;

    explicit WorkbenchStrip(QWidget* parent);
    // Places the two groups in columns with the dialog's own, from its pixels per 4 x 8 units.
    void Place(int unitX, int unitY);

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
