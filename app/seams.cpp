#include "app/seams.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

namespace {

std::optional<QString> ChooseSaveFile(QWidget* owner, const QString& title,
                                      const QString& suggested, const QString& filter,
                                      const QString& suffix) {
    QFileDialog dialog(owner, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> FileDialogChooser::ChooseExportFile(QWidget* owner,
                                                           const QString& suggested) {
    return ChooseSaveFile(owner, QStringLiteral("Export PNG"), suggested,
                          QStringLiteral("PNG image (*.png)"), QStringLiteral("png"));
}

std::optional<QString> FileDialogChooser::ChoosePackageFile(QWidget* owner,
                                                            const QString& suggested) {
    return ChooseSaveFile(owner, QStringLiteral("Export skin package"), suggested,
                          QStringLiteral("Zip archive (*.zip)"), QStringLiteral("zip"));
}

void MessageBoxSink::ShowWarning(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxSink::Confirm(QWidget* owner, const QString& text, const QString& yes,
                             const QString& no) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, owner);
    QPushButton* first = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(first);
    box.exec();
    return box.clickedButton() == first;
}

UnsavedChoice MessageBoxSink::AskUnsaved(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::Save;
    case QMessageBox::Discard:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Cancel;
    }
}

} // namespace pindrel
