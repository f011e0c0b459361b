#include "workbench/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

// Qt hands back paths with "/"; the core spells them as the system does (with "\\" on Windows).

namespace quillon {

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                   const std::string& filter) {
    QFileDialog dialog(parent, QString::fromStdString(title), QString::fromStdString(dir),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                   const std::string& filter, const std::string& defaultSuffix) {
    QFileDialog dialog(parent, QString::fromStdString(title), QString::fromStdString(dir),
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

std::optional<std::string> QtFileDialogs::Directory(QWidget* parent, const std::string& title, const std::string& dir) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, QString::fromStdString(title),
                                                             QString::fromStdString(dir));
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

}  // namespace quillon
