#include "model/ModelInFile.h"

#include "model/ComponentFile.h"
#include "model/Locker.h"
#include "model/ModelMessages.h"
#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"

namespace quillon {

namespace {

std::string ModelFilePath(std::string_view dir, std::string_view fileName) {
    return IncludeTrailingPathDelimiter(dir) + ExtractFileName(fileName);
}

}  // namespace

void TModelInFile::PublishProperties(PropertyList& p) {
    TModifiedItem::PublishProperties(p);
    p.String("FileName", &TModelInFile::GetFileName, &TModelInFile::SetFileName);
}

const PropertyList& TModelInFile::Published() const { return PublishedOf<TModelInFile>(); }

TModelInFile::TModelInFile() = default;

TModelInFile::~TModelInFile() = default;

TBaseModel& TModelInFile::Model() const {
    // Made on first use: a constructor cannot reach the derived class's CreateModel.
    if (!FModel) FModel = CreateModel();
    return *FModel;
}

std::string TModelInFile::GetDisplayName() const { return Model().GetName(); }

void TModelInFile::AssignTo(TPersistent& dest) const {
    if (auto* other = dynamic_cast<TModelInFile*>(&dest)) {
        other->FFileName = FFileName;
        return;
    }
    TModifiedItem::AssignTo(dest);
}

std::string TModelInFile::ChangedFileQuestion() const { return Format(kFileChangedQuestion, FFileName); }

void TModelInFile::LoadFromFile(std::string_view dir, std::string_view fileName) {
    const std::string path = ModelFilePath(dir, fileName);
    if (!FileExists(path)) {
        Dialogs().ShowMessage(MessageKind::Error, MissingModelFileMessage(path));
        return;
    }
    std::string options;
    ReadModelFile(Model(), path, kModuleSignature, options);
    FFileName = path;
    FFileDate = FileAge(path).value_or(0);
    FOptions.SetCommaText(options);
    Model().SetModified(false);
}

bool TModelInFile::SaveToFile(std::string_view dir, std::string_view fileName) {
    ModelFilesSave save;
    const bool added = AddToSave(save, dir, fileName);
    save.Commit();
    return added;
}

bool TModelInFile::AddToSave(ModelFilesSave& save, std::string_view dir, std::string_view fileName) {
    const std::string path = ModelFilePath(dir, fileName);
    if (IsModelFileLocked(path)) return false;
    if (!CanSave()) return false;
    if (SameText(FFileName, path)) {
        const std::optional<TDateTime> diskDate = FileAge(path);
        if (diskDate && *diskDate != FFileDate) {
            const std::string question = Format(kFileReplaceQuestion, FFileName, DateTimeToText(*diskDate),
                                                DateTimeToText(FFileDate == 0 ? Now() : FFileDate));
            switch (Dialogs().Ask(question, AskButtons::YesNoCancel)) {
            case DialogAnswer::Yes: break;
            case DialogAnswer::No: return false;
            case DialogAnswer::Cancel: Abort();
            }
        }
    }
    UnlockModelFile(path);
    save.Add(path, ModelFileText(Model(), kModuleSignature, FOptions.CommaText()), [this, path] {
        FFileDate = FileAge(path).value_or(0);
        Model().SetModified(false);
    });
    return true;
}

bool TModelInFile::CheckFileChanged() {
    // A file that is gone has nothing to reload from; any other change of its time counts.
    const std::optional<TDateTime> diskDate = FileAge(FFileName);
    if (!diskDate || *diskDate == FFileDate) return false;
    if (Dialogs().Ask(ChangedFileQuestion(), AskButtons::YesNo) == DialogAnswer::Yes)
        LoadFromDir(ExtractFilePath(FFileName));
    return true;
}

bool TModelCollection::GetItemModified(int index) const { return Items(index)->Model().GetModified(); }

void TModelCollection::SetItemModified(int index, bool value) {
    TModelInFile* item = Items(index);
    item->SetModified(value);
    item->Model().SetModified(value);
}

void TModelCollection::LoadAll(std::string_view dir) {
    for (int i = 0; i < Count(); ++i) {
        Items(i)->LoadFromDir(dir);
        ItemLoaded(*Items(i));
    }
}

void TModelCollection::SaveAll(std::string_view dir) {
    ModelFilesSave save;
    AddModifiedToSave(save, dir);
    save.Commit();
}

void TModelCollection::AddModifiedToSave(ModelFilesSave& save, std::string_view dir) {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Model().GetModified()) Items(i)->AddToSave(save, dir, Items(i)->GetFileName());
}

}  // namespace quillon
