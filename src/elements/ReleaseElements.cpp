#include "elements/ReleaseElements.h"

namespace quillon {

void TReleaseDll::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.String("Path", &TReleaseDll::GetPath, &TReleaseDll::SetPath);
    p.String("DllSubdir", &TReleaseDll::GetDllSubdir, &TReleaseDll::SetDllSubdir);
    p.String("PasSubdir", &TReleaseDll::GetPasSubdir, &TReleaseDll::SetPasSubdir);
    p.Float("DateTime", &TReleaseDll::GetDateTime, &TReleaseDll::SetDateTime);
    p.String("ModuleName", &TReleaseDll::GetModuleName, &TReleaseDll::SetModuleName);
    p.Enumeration<TReleaseOption>("Option", &TReleaseDll::GetOption, &TReleaseDll::SetOption, ReleaseOptionNames,
                                  roProject);
}

void TReleaseDll::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TReleaseDll*>(&dest)) {
        target->SetModuleName(FModuleName);
        target->SetPath(FPath);
        target->SetDateTime(FDateTime);
        target->SetOption(FOption);
        target->SetDllSubdir(FDllSubdir);
        target->SetPasSubdir(FPasSubdir);
    }
}

void TCopyFileItem::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.String("PasPath", &TCopyFileItem::GetPasPath, &TCopyFileItem::SetPasPath);
    p.String("DllPath", &TCopyFileItem::GetDllPath, &TCopyFileItem::SetDllPath);
    p.Boolean("AllDlls", &TCopyFileItem::GetAllDlls, &TCopyFileItem::SetAllDlls, true);
}

void TCopyFileItem::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TCopyFileItem*>(&dest)) {
        target->SetDllPath(FDllPath);
        target->SetPasPath(FPasPath);
        target->SetAllDlls(FAllDlls);
    }
}

}  // namespace quillon
