// The file and directory choosers the commands use, behind an interface so that tests answer
// them without a real dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workbench/EditorFramework.h"

class QWidget;

namespace quillon {

class TfrEditButton;

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // An existing file; nothing when the user cancels. `filter` is in Qt's form ("Project (*.qlp)").
    virtual std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                const std::string& filter) = 0;
    // Existing files, in the order the dialog gives them; nothing when the user cancels. Unless
    // overridden, one file is asked for.
    virtual std::optional<std::vector<std::string>> OpenFiles(QWidget* parent, const std::string& title,
                                                              const std::string& dir, const std::string& filter);
    // A file name to save under, with `defaultSuffix` added when the name has none.
    virtual std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                const std::string& filter, const std::string& defaultSuffix) = 0;
    virtual std::optional<std::string> Directory(QWidget* parent, const std::string& title, const std::string& dir) = 0;
    // A directory that the caller creates when it does not exist yet, so it may be typed. Unless
    // overridden, an existing directory is asked for.
    virtual std::optional<std::string> NewDirectory(QWidget* parent, const std::string& title, const std::string& dir);
};

class QtFileDialogs : public IFileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                        const std::string& filter) override;
    std::optional<std::vector<std::string>> OpenFiles(QWidget* parent, const std::string& title,
                                                      const std::string& dir, const std::string& filter) override;
    std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                        const std::string& filter, const std::string& defaultSuffix) override;
    std::optional<std::string> Directory(QWidget* parent, const std::string& title, const std::string& dir) override;
    // TedDirectoryName: typed, or browsed for among the existing directories.
    std::optional<std::string> NewDirectory(QWidget* parent, const std::string& title, const std::string& dir) override;
};

// A directory named by typing (it need not exist) or by browsing with `fileDialogs`: the field
// "Directory" with its "..." button. OK requires a name.
class TedDirectoryName : public TfmBaseDialog {
    Q_OBJECT

public:
    TedDirectoryName(QWidget* parent, const QString& caption, const std::string& dir, IFileDialogs& fileDialogs);

    bool Validate() override;
    TfrEditButton& DirectoryEdit() const { return *FDirectory; }
    // The typed directory made absolute against the directory the dialog started in (else the
    // current directory).
    std::string Chosen() const;

private:
    std::string FStart;
    TfrEditButton* FDirectory = nullptr;
};

}  // namespace quillon
