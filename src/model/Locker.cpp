#include "model/Locker.h"

#include "model/ModifiedClasses.h"
#include "model/Published.h"

namespace quillon {

void TLockInfo::PublishProperties(PropertyList& p) {
    TBaseModel::PublishProperties(p);
    p.String("ComputerName", &TLockInfo::GetComputerName, &TLockInfo::SetComputerName);
    p.Float("LockDate", &TLockInfo::GetLockDate, &TLockInfo::SetLockDate);
}

const PropertyList& TLockInfo::Published() const { return PublishedOf<TLockInfo>(); }

void TLockInfo::SetComputerName(std::string_view value) { ChangeField(FComputerName, value, FModified); }

void TLockInfo::SetLockDate(TDateTime value) { ChangeField(FLockDate, value, FModified); }

std::string LockFileName(std::string_view fileName) {
    const std::size_t nameStart = fileName.find_last_of("/\\:") + 1;  // npos + 1 == 0
    const std::size_t dot = fileName.rfind('.');
    std::string replacement = ".";
    replacement += kLockExtension;
    if (dot == std::string_view::npos || dot < nameStart) return std::string(fileName) + replacement;
    const std::string_view extension = fileName.substr(dot);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = fileName.find(extension); at != std::string_view::npos;
         at = fileName.find(extension, from)) {
        result.append(fileName.substr(from, at - from));
        result += replacement;
        from = at + extension.size();
    }
    result.append(fileName.substr(from));
    return result;
}

bool IsModelFileLocked(const std::string&) { return false; }

void LockModelFile(const std::string&) {}

void UnlockModelFile(const std::string&) {}

}  // namespace quillon
