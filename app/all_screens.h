#pragma once

#include <array>
#include <optional>

#include <QImage>
#include <QObject>
#include <QWidget>

#include "skin/screens.h"

class QComboBox;
class QLabel;
class QScrollArea;

namespace pindrel {

class DesignerDialog;
class Workbench;

// One screen of the all-screens window: its picture under a caption; a click chooses it.
class ScreenCell final : public QWidget {
    Q_OBJECT
public:
    ScreenCell(Screen screen, QWidget* parent);
    void SetPicture(const QImage& picture);
    void SetCurrent(bool current);
    const QImage& Picture() const { return picture_; }
    Screen Which() const { return screen_; }
    QSize sizeHint() const override;
    // Never squeezed below its picture: the window scrolls instead.
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void Chosen(Screen screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Screen screen_;
    QImage picture_;
    bool current_ = false;
};

// A tool window with the skin's 15 screens side by side, every orientation under every call
// type, at 1x or ½x (nearest neighbour).
class AllScreensWindow final : public QWidget {
    Q_OBJECT
public:
    explicit AllScreensWindow(QWidget* parent);
    // 1 for 1x, 2 for ½x.
    int Divisor() const;
    void SetDivisor(int divisor);
    ScreenCell* Cell(Screen screen) const;
    void SetPictures(const std::array<QImage, kScreenCount>& pictures, Screen current);
    // The size that shows every screen whole, without scrolling.
    QSize WholeSize() const;

signals:
    void Chosen(Screen screen);
    void DivisorChanged();
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QComboBox* scale_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* grid_ = nullptr;
    std::array<ScreenCell*, kScreenCount> cells_{};
};

// "All screens…": opens the window, and draws its 15 screens again at every repaint of the
// preview, as the skin is then: loaded or edited, with the sample data, the align rectangle and
// the buttons held. Clicking a screen chooses its orientation and call type in the dialog.
class AllScreensTool final : public QObject {
    Q_OBJECT
public:
    AllScreensTool(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    void Open();
    // Null until first opened.
    AllScreensWindow* Window() const { return window_; }
    // Draws the screens again, when the window is shown.
    void Refresh();

private:
    void Choose(Screen screen);
    void Draw();
    void Place();

    DesignerDialog& dialog_;
    Workbench& bench_;
    AllScreensWindow* window_ = nullptr; // a tool window owned by the dialog
};

} // namespace pindrel
