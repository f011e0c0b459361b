#include "workbench/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include "workbench/EditorFrames.h"
#include "workbench/QtText.h"

namespace quillon {

// --- IFileDialogs ----------------------------------------------------------------------------------

std::optional<std::vector<std::string>> IFileDialogs::OpenFiles(QWidget* parent, const std::string& title,
                                                                const std::string& dir, const std::string& filter) {
    const auto chosen = OpenFile(parent, title, dir, filter);
    if (!chosen) return std::nullopt;
    return std::vector<std::string>{*chosen};
}

std::optional<std::string> IFileDialogs::NewDirectory(QWidget* parent, const std::string& title,
                                                      const std::string& dir) {
    return Directory(parent, title, dir);
}

// --- QtFileDialogs ---------------------------------------------------------------------------------

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                   const std::string& filter) {
    QFileDialog dialog(parent, ToQ(title), ToQ(dir), ToQ(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStd(dialog.selectedFiles().first());
}

std::optional<std::vector<std::string>> QtFileDialogs::OpenFiles(QWidget* parent, const std::string& title,
                                                                 const std::string& dir, const std::string& filter) {
    QFileDialog dialog(parent, ToQ(title), ToQ(dir), ToQ(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    std::vector<std::string> files;
    for (const QString& file : dialog.selectedFiles()) files.push_back(ToStd(file));
    return files;
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                   const std::string& filter, const std::string& defaultSuffix) {
    QFileDialog dialog(parent, ToQ(title), ToQ(dir), ToQ(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(ToQ(defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToStd(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileDialogs::Directory(QWidget* parent, const std::string& title, const std::string& dir) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, ToQ(title), ToQ(dir));
    if (chosen.isEmpty()) return std::nullopt;
    return ToStd(chosen);
}

std::optional<std::string> QtFileDialogs::NewDirectory(QWidget* parent, const std::string& title,
                                                       const std::string& dir) {
    TedDirectoryName dialog(parent, ToQ(title), dir, *this);
    if (!ExecDialog(dialog)) return std::nullopt;
    return dialog.Chosen();
}

// --- TedDirectoryName ------------------------------------------------------------------------------

TedDirectoryName::TedDirectoryName(QWidget* parent, const QString& caption, const std::string& dir,
                                   IFileDialogs& fileDialogs)
    : TfmBaseDialog(parent, caption), FStart(dir) {
    setObjectName("edDirectoryName");
    FDirectory = new TfrEditButton(tr("Directory"));
    FDirectory->setObjectName("frDirectory");
    FDirectory->Edit().setObjectName("edDirectory");
    FDirectory->Edit().setPlaceholderText(tr("created when it does not exist"));
    FDirectory->SetText(dir);
    FDirectory->OnBrowse = [this, &fileDialogs, caption] {
        const std::string typed = FDirectory->Text();
        if (const auto chosen = fileDialogs.Directory(this, ToStd(caption), typed.empty() ? FStart : typed))
            FDirectory->SetText(*chosen);
    };
    Body().addWidget(FDirectory);
    Body().addStretch(1);
    resize(560, 120);
}

bool TedDirectoryName::Validate() { return RequireField(*FDirectory); }

std::string TedDirectoryName::Chosen() const {
    const QDir start(FStart.empty() ? QDir::currentPath() : ToQ(FStart));
    return ToStd(QDir::cleanPath(start.absoluteFilePath(ToQ(FDirectory->Text()))));
}

}  // namespace quillon
