// A model that lives in a file of its own, as an item of a collection (the project's module
// entries), and that collection: loading, saving with the replace question, and the check for
// files changed by another program.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/BaseModel.h"
#include "model/ModifiedClasses.h"
#include "platform/DateTime.h"

namespace quillon {

class ModelFilesSave;

class TModelInFile : public TModifiedItem {
public:
    static constexpr std::string_view kClassName = "TModelInFile";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override;

    TModelInFile();
    ~TModelInFile() override;

    // The model file's path. Assigning it changes nothing else (not even the modified flag).
    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(std::string_view value) { FFileName = value; }
    // The option list, read from and written to the file's options as comma text.
    TStringList& Options() { return FOptions; }
    const TStringList& Options() const { return FOptions; }
    // Modification time of the file when this item last read or wrote it; 0 when none.
    TDateTime GetFileDate() const { return FFileDate; }
    // The owned model, made by CreateModel on first use.
    TBaseModel& Model() const;

    std::string GetDisplayName() const override;
    virtual bool CanSave() const { return true; }

    // Reads Dir + the bare name of `fileName`. A missing file is reported ("File '%s' not found",
    // error icon) and changes nothing. Afterwards FileName is that path, the file date its time,
    // the options those of the file, and the model unmodified.
    void LoadFromFile(std::string_view dir, std::string_view fileName);
    // Writes the model to Dir + the bare name of `fileName`; false when the file is locked, the
    // item cannot be saved, or the user declines to replace a file changed on disk (Cancel
    // raises EAbort). FileName itself stays as it is.
    bool SaveToFile(std::string_view dir, std::string_view fileName);
    // SaveToFile's checks and question, then the file added to `save`; the file date and the
    // modified flag change when `save` puts the file in place. False when not added.
    bool AddToSave(ModelFilesSave& save, std::string_view dir, std::string_view fileName);
    void LoadFromDir(std::string_view dir) { LoadFromFile(dir, FFileName); }
    bool SaveToDir(std::string_view dir) { return SaveToFile(dir, FFileName); }
    // True when the file on disk changed since this item read or wrote it; the user is then
    // asked whether to reload it, and Yes reloads it from FileName's directory.
    bool CheckFileChanged();

protected:
    virtual std::unique_ptr<TBaseModel> CreateModel() const = 0;
    virtual std::string ChangedFileQuestion() const;
    // Copies only FileName to another TModelInFile.
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FFileName;
    TStringList FOptions;
    TDateTime FFileDate = 0;
    mutable std::unique_ptr<TBaseModel> FModel;
};

// The collection of file-backed models. An item counts as modified when its model is.
class TModelCollection : public TModifiedCollection {
public:
    using TModifiedCollection::TModifiedCollection;

    TModelInFile* Items(int index) const { return static_cast<TModelInFile*>(Item(index)); }

    bool GetItemModified(int index) const override;
    // Sets the item's flag, then its model's.
    void SetItemModified(int index, bool value) override;

    // Loads every item from `dir` in index order, calling ItemLoaded after each.
    void LoadAll(std::string_view dir);
    // Saves every item whose model is modified; the others are not written.
    void SaveAll(std::string_view dir);
    // The same files added to `save`, to be put in place with others.
    void AddModifiedToSave(ModelFilesSave& save, std::string_view dir);

protected:
    virtual void ItemLoaded(TModelInFile&) {}
};

}  // namespace quillon
