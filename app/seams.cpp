#include "app/seams.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace pindrel {

std::optional<QString> FileDialogChooser::ChooseSkinFile(QWidget* owner, const QString& current) {
    // A file name in the start directory makes the dialog open on that file's folder with the
    // file selected; an empty one opens on the current directory.
    const QString path =
        QFileDialog::getOpenFileName(owner, QStringLiteral("Load skin"), current,
                                     QStringLiteral("Skin file (*.ini);;All Files (*.*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> FileDialogChooser::ChooseExportFile(QWidget* owner,
                                                           const QString& suggested) {
    QFileDialog dialog(owner, QStringLiteral("Export PNG"), suggested,
                       QStringLiteral("PNG image (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

void MessageBoxSink::ShowWarning(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

} // namespace pindrel
