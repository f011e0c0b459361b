// The file and directory choosers the commands use, behind an interface so that tests answer
// them without a real dialog.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace quillon {

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // An existing file; nothing when the user cancels. `filter` is in Qt's form ("Project (*.qlp)").
    virtual std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                const std::string& filter) = 0;
    // A file name to save under, with `defaultSuffix` added when the name has none.
    virtual std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                                const std::string& filter, const std::string& defaultSuffix) = 0;
    virtual std::optional<std::string> Directory(QWidget* parent, const std::string& title, const std::string& dir) = 0;
};

class QtFileDialogs : public IFileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget* parent, const std::string& title, const std::string& dir,
                                        const std::string& filter) override;
    std::optional<std::string> SaveFile(QWidget* parent, const std::string& title, const std::string& dir,
                                        const std::string& filter, const std::string& defaultSuffix) override;
    std::optional<std::string> Directory(QWidget* parent, const std::string& title, const std::string& dir) override;
};

}  // namespace quillon
