// Model files: a header object with the file kind's signature, an options object, then the model,
// each in the object-text notation. Reading checks the signature before it touches the model;
// writing goes through a temporary file, so a failure never leaves a half-written model file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Persistent.h"
#include "platform/FileSystem.h"

namespace quillon {

// Signatures and extensions of the file kinds.
inline constexpr std::string_view kModuleSignature = "MIF";
inline constexpr std::string_view kProjectSignature = "PIF";
inline constexpr std::string_view kModuleExtension = "qlm";
inline constexpr std::string_view kProjectExtension = "qlp";

// The first object of every model file.
class TModelFileHeader : public TComponent {
public:
    static constexpr std::string_view kClassName = "TModelFileHeader";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override;

    const std::string& GetSignature() const { return FSignature; }
    void SetSignature(std::string_view value) { FSignature = value; }
    const std::string& GetLockComputerName() const { return FLockComputerName; }
    void SetLockComputerName(std::string_view value) { FLockComputerName = value; }

private:
    std::string FSignature;
    std::string FLockComputerName;
};

// The second object: the file's option list as comma text.
class TModelFileOptions : public TComponent {
public:
    static constexpr std::string_view kClassName = "TModelFileOptions";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override;

    const std::string& GetOptions() const { return FOptions; }
    void SetOptions(std::string_view value) { FOptions = value; }

private:
    std::string FOptions;
};

// Reads a model file into the existing `model`. Raises "Error file format" (and leaves the model
// untouched) when the header's signature is not exactly `signature`, "Cannot open file %s" when
// the file cannot be read, and the reader's messages for text that is not in the notation (with
// the file and the line as their position).
void ReadModelFile(TPersistent& model, const std::string& fileName, std::string_view signature,
                   std::string& options);
// Why the model file `path` cannot be read although FileExists was asked: "File '%s' not found",
// or "'%s' is not a regular file" when something other than a file is there.
std::string MissingModelFileMessage(const std::string& path);
// The same for a model file's text already in memory.
void ReadModelText(TPersistent& model, std::string_view text, std::string_view signature, std::string& options);

// Model files saved together, each whole or as it was (an AtomicFileBatch): Add writes a file's
// temporary file, Commit puts all of them in place and then runs each file's `written` (its new
// date, its model unmodified) in the order added. When a file fails, the files already in place
// keep theirs run before the error goes on; the others stay as they were, their changes unsaved.
class ModelFilesSave {
public:
    void Add(const std::string& path, std::string_view text, std::function<void()> written);
    void Commit();

private:
    AtomicFileBatch batch_;
    std::vector<std::function<void()>> written_;
};

// The text of a model file: header with `signature`, options, model.
std::string ModelFileText(const TPersistent& model, std::string_view signature, std::string_view options);
// Writes the model file through a temporary file beside it that replaces the old one only when
// complete; raises "Cannot create file %s" (the old file stays intact).
void WriteModelFile(const TPersistent& model, const std::string& fileName, std::string_view signature,
                    std::string_view options);

}  // namespace quillon
