// The release rules of a project and the copy rules of a module: where built libraries and the
// units a host needs are copied to.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "platform/DateTime.h"

namespace quillon {

class TReleaseDll : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TReleaseDll";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TReleaseDll>(); }

    // The release directory, absolute or relative to the project's directory.
    const std::string& GetPath() const { return FPath; }
    void SetPath(std::string_view value) { SetField(FPath, value); }
    const std::string& GetDllSubdir() const { return FDllSubdir; }
    void SetDllSubdir(std::string_view value) { SetField(FDllSubdir, value); }
    const std::string& GetPasSubdir() const { return FPasSubdir; }
    void SetPasSubdir(std::string_view value) { SetField(FPasSubdir, value); }
    TDateTime GetDateTime() const { return FDateTime; }
    void SetDateTime(TDateTime value) { SetField(FDateTime, value); }
    // The class (module) released when Option is roModule.
    const std::string& GetModuleName() const { return FModuleName; }
    void SetModuleName(std::string_view value) { SetField(FModuleName, value); }
    TReleaseOption GetOption() const { return FOption; }
    void SetOption(TReleaseOption value) { SetField(FOption, value); }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FPath;
    std::string FDllSubdir = "dll";
    std::string FPasSubdir = "pas";
    TDateTime FDateTime = 0;
    std::string FModuleName;
    TReleaseOption FOption = roProject;
};

class TReleaseDllCollection : public TTypedCollection<TemgAppellationCollection, TReleaseDll> {
public:
    static constexpr std::string_view kClassName = "TReleaseDllCollection";
    const PropertyList& Published() const override { return PublishedOf<TReleaseDllCollection>(); }
    using TTypedCollection::TTypedCollection;
};

class TCopyFileItem : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TCopyFileItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TCopyFileItem>(); }

    // Directory for the controller units.
    const std::string& GetPasPath() const { return FPasPath; }
    void SetPasPath(std::string_view value) { SetField(FPasPath, value); }
    // Directory for the library.
    const std::string& GetDllPath() const { return FDllPath; }
    void SetDllPath(std::string_view value) { SetField(FDllPath, value); }
    // Also copy the libraries of the modules this module references.
    bool GetAllDlls() const { return FAllDlls; }
    void SetAllDlls(bool value) { SetField(FAllDlls, value); }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FPasPath;
    std::string FDllPath;
    bool FAllDlls = true;
};

class TCopyFileCollection : public TTypedCollection<TemgAppellationCollection, TCopyFileItem> {
public:
    static constexpr std::string_view kClassName = "TCopyFileCollection";
    const PropertyList& Published() const override { return PublishedOf<TCopyFileCollection>(); }
    using TTypedCollection::TTypedCollection;
};

}  // namespace quillon
