#include "model/ComponentFile.h"

#include "model/ModelMessages.h"
#include "model/ObjectText.h"
#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"
#include "platform/TextEncoding.h"

namespace quillon {

void TModelFileHeader::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.String("Signature", &TModelFileHeader::GetSignature, &TModelFileHeader::SetSignature);
    p.String("LockComputerName", &TModelFileHeader::GetLockComputerName, &TModelFileHeader::SetLockComputerName);
}

const PropertyList& TModelFileHeader::Published() const { return PublishedOf<TModelFileHeader>(); }

void TModelFileOptions::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.String("Options", &TModelFileOptions::GetOptions, &TModelFileOptions::SetOptions);
}

const PropertyList& TModelFileOptions::Published() const { return PublishedOf<TModelFileOptions>(); }

void ReadModelText(TPersistent& model, std::string_view text, std::string_view signature, std::string& options) {
    // Editors on Windows put a byte-order mark before UTF-8; the writer never does.
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    ObjectTextReader reader(text);
    TModelFileHeader header;
    reader.ReadObject(header);
    if (header.GetSignature() != signature) throw Exception(std::string(kErrorFileFormat));
    TModelFileOptions fileOptions;
    reader.ReadObject(fileOptions);
    reader.ReadObject(model);
    options = fileOptions.GetOptions();
}

std::string MissingModelFileMessage(const std::string& path) {
    return Format(IsIrregularFile(path) ? kNotRegularFile : kFileNotFound, path);
}

void ReadModelFile(TPersistent& model, const std::string& fileName, std::string_view signature,
                   std::string& options) {
    const std::string text = ReadFileBytes(fileName);
    try {
        ReadModelText(model, text, signature, options);
    } catch (const Exception& e) {
        // The reader knows the line; the file is known here.
        FilePosition position = e.Position();
        if (position.line == 0) throw;
        position.file = fileName;
        throw Exception(e.what(), std::move(position));
    }
}

std::string ModelFileText(const TPersistent& model, std::string_view signature, std::string_view options) {
    TModelFileHeader header;
    header.SetSignature(signature);
    TModelFileOptions fileOptions;
    fileOptions.SetOptions(options);
    std::string text;
    AppendObjectText(text, header, 0);
    AppendObjectText(text, fileOptions, 0);
    AppendObjectText(text, model, 0);
    return text;
}

void ModelFilesSave::Add(const std::string& path, std::string_view text, std::function<void()> written) {
    written_.reserve(written_.size() + 1);
    batch_.Add(path, text);
    written_.push_back(std::move(written));
}

void ModelFilesSave::Commit() {
    try {
        batch_.Commit();
    } catch (...) {
        for (std::size_t i = 0; i < batch_.Committed(); ++i) written_[i]();
        throw;
    }
    for (const std::function<void()>& written : written_) written();
}

void WriteModelFile(const TPersistent& model, const std::string& fileName, std::string_view signature,
                    std::string_view options) {
    WriteFileAtomic(fileName, ModelFileText(model, signature, options));
}

}  // namespace quillon
