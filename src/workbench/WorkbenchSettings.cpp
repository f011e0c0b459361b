#include "workbench/WorkbenchSettings.h"

#include <QSettings>
#include <QStandardPaths>

namespace quillon {

namespace {
QString Key(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<int>(name.size())); }

// QSettings' native format on Windows is the registry; a file name is an INI file everywhere.
QSettings::Format FormatOf(const QString& fileName) {
#ifdef Q_OS_WIN
    if (fileName.startsWith("HKEY_")) return QSettings::NativeFormat;
#endif
    (void)fileName;
    return QSettings::IniFormat;
}
}  // namespace

TWorkbenchSettings::TWorkbenchSettings(const std::string& fileName)
    : FFileName(fileName),
      FStore(std::make_unique<QSettings>(QString::fromStdString(fileName), FormatOf(QString::fromStdString(fileName)))) {}

TWorkbenchSettings::~TWorkbenchSettings() = default;

std::string TWorkbenchSettings::DefaultFileName() {
#ifdef Q_OS_WIN
    return "HKEY_CURRENT_USER\\quillon";
#endif
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quillon.conf").toStdString();
}

bool TWorkbenchSettings::ValueExists(std::string_view name) const { return FStore->contains(Key(name)); }

std::string TWorkbenchSettings::ReadString(std::string_view name, std::string_view defaultValue) const {
    if (!ValueExists(name)) return std::string(defaultValue);
    return FStore->value(Key(name)).toString().toStdString();
}

int TWorkbenchSettings::ReadInteger(std::string_view name, int defaultValue) const {
    bool ok = false;
    const int value = FStore->value(Key(name)).toInt(&ok);
    return ok ? value : defaultValue;
}

void TWorkbenchSettings::WriteString(std::string_view name, std::string_view value) {
    FStore->setValue(Key(name), QString::fromUtf8(value.data(), static_cast<int>(value.size())));
}

void TWorkbenchSettings::WriteInteger(std::string_view name, int value) { FStore->setValue(Key(name), value); }

void TWorkbenchSettings::Flush() { FStore->sync(); }

}  // namespace quillon
