#include "workbench/WorkbenchSettings.h"

#include <QSettings>
#include <QStandardPaths>

namespace quillon {

namespace {
QString Key(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<int>(name.size())); }
}  // namespace

TWorkbenchSettings::TWorkbenchSettings(const std::string& fileName)
    : FFileName(fileName),
      FStore(std::make_unique<QSettings>(QString::fromStdString(fileName), QSettings::IniFormat)) {}

TWorkbenchSettings::~TWorkbenchSettings() = default;

std::string TWorkbenchSettings::DefaultFileName() {
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
