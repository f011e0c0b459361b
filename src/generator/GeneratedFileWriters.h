// Where a generation's files go: the writer interface every generated file passes through, the
// writer that puts them on disk, and the planning writer that only works out which files a
// generation would create or change.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "generator/GeneratedFiles.h"

namespace quillon {

class IUnitBuilder;

class IGeneratedFileWriter {
public:
    virtual ~IGeneratedFileWriter() = default;
    // Hands over `text` as the content of `fileName` under `rules`; true when the file is (or
    // would be) written.
    virtual bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) = 0;
    // Write for a text the caller has no further use for: a writer that keeps texts takes it over
    // instead of copying it.
    virtual bool Take(std::string&& text, const std::string& fileName, const TWriteRules& rules) {
        return Write(text, fileName, rules);
    }
    // Whether a file handed over under `rules` would be kept as it stands whatever its text: one
    // written only when absent that exists. Generation then spares building the text. Answered by
    // the disk, which every writer here judges by (the plan starts from it too); safe on any thread.
    virtual bool KeepsExisting(const std::string& fileName, const TWriteRules& rules) const;
    // Raises, before a run hands over its first file, when one of `files` (all the run writes)
    // could not be written, so that the run writes all of them or none. A writer that puts files
    // on disk judges them by CheckFilesWritable; one that writes nothing takes every file.
    virtual void CheckWritable(const std::vector<TGeneratedFile>& files) const;
};

// Writes through WriteGeneratedFile.
class DiskFileWriter final : public IGeneratedFileWriter {
public:
    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override;
    void CheckWritable(const std::vector<TGeneratedFile>& files) const override { CheckFilesWritable(files); }
};

// Touches nothing on disk. Each file is judged by the writing rules against what this plan holds
// for it so far, which starts as what lies on disk: a file written only when absent that exists
// stays, an identical text stays, anything else would be written. A question before replacing is
// not asked; the answer is taken as Yes. What counts in the end is each file's planned content
// against the disk's.
class PlanningFileWriter final : public IGeneratedFileWriter {
public:
    enum class Change { None, Created, Changed };
    struct PlannedFile {
        std::string fileName;
        Change change;
    };

    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override;

    // Every file handed over, once each (by normalised name), in the order first seen, with what
    // would happen to it.
    std::vector<PlannedFile> Files() const;
    // The names of the files that would be created or changed, in the order first seen.
    std::vector<std::string> ChangedFiles() const;

private:
    // What the plan holds for one file. Texts are not kept: a generation of a thousand modules
    // would keep its whole output twice. A planned text that matches the disk's is the disk's
    // file; one that differs is known by its size and hash, enough to tell a later write of the
    // same text from another.
    struct Contents {
        // The file existed when first handed over.
        bool onDisk = false;
        // The planned content is the file on disk (or, for a file not on disk, nothing planned).
        bool sameAsDisk = true;
        std::size_t plannedSize = 0;
        std::size_t plannedHash = 0;
    };

    std::vector<std::string> order_;
    std::map<std::string, Contents> contents_;
};

// What a generation builds its texts with and where it puts its files.
struct GenerationTools {
    const IUnitBuilder& builder;
    IGeneratedFileWriter& writer;
};

}  // namespace quillon
