// Model-file locking. Locking is switched off: the operations exist and the file layer calls them
// at their points (the check before saving, unlocking before writing), but no file is ever
// reported locked and no lock file is created, read or deleted. The lock record and the lock
// file name stay part of the format.
#pragma once

#include <string>
#include <string_view>

#include "model/BaseModel.h"
#include "platform/DateTime.h"

namespace quillon {

inline constexpr std::string_view kLockSignature = "LCK";
inline constexpr std::string_view kLockExtension = "lck";

// The model object of a lock file.
class TLockInfo : public TBaseModel {
public:
    static constexpr std::string_view kClassName = "TLockInfo";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override;

    const std::string& GetComputerName() const { return FComputerName; }
    void SetComputerName(std::string_view value);
    TDateTime GetLockDate() const { return FLockDate; }
    void SetLockDate(TDateTime value);

    bool GetModified() const override { return FModified; }
    void SetModified(bool value) override { FModified = value; }
    std::string GetName() const override { return FComputerName; }
    bool IsModuleModel() const override { return false; }

private:
    std::string FComputerName;
    TDateTime FLockDate = 0;
    bool FModified = false;
};

// The lock file of a model file: every occurrence of the extension (with its dot) replaced by
// ".lck"; a name without extension gets ".lck" appended.
std::string LockFileName(std::string_view fileName);

// Always false: locking is switched off.
bool IsModelFileLocked(const std::string& fileName);
// Do nothing: locking is switched off.
void LockModelFile(const std::string& fileName);
void UnlockModelFile(const std::string& fileName);

}  // namespace quillon
