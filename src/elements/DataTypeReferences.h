// The rules for data type references: copying one into the source model, collecting the
// references of one category, finding or renaming references to a type, and resolving the
// referenced registered and procedural types of a module into uses entries.
#pragma once

#include <string_view>

#include "elements/ElementBase.h"
#include "elements/ElementContext.h"
#include "source/SourceDeclarations.h"

namespace quillon {

class TemgProceduralType;
class TemgRegisteredDataType;

// Sets the source type's Name to the reference's Name; nothing else is copied.
void CopyToSource(const TemgDataType& reference, TgmcDataType& target);

// Appends the reference's Name (with the reference as object) to `all`, and to `exported` when
// given and `exportedMember` holds, but only for a reference of `category` with a Name.
void CollectReference(const TemgDataType& reference, TReferencedDataTypes& all, TReferencedDataTypes* exported,
                      TDataTypeCategory category, bool exportedMember);
// CollectReference for every reference of `source` (a property, a method, a procedural type or a
// collection of them), in the order its ForEachReference walks them.
template <class Source>
void CollectReferences(const Source& source, TReferencedDataTypes& all, TReferencedDataTypes* exported,
                       TDataTypeCategory category) {
    source.ForEachReference([&](const TemgDataType& reference, bool exportedMember) {
        CollectReference(reference, all, exported, category, exportedMember);
    });
}

// When the reference names `oldName` (without regard to case): takes the Name of `newName` when
// given, and adds an entry with the reference as object to `found` when given.
void FindOrRenameReference(TemgDataType& reference, const TgmcAppellation& oldName, const TgmcAppellation* newName,
                           TStringList* found);

// The registered type or procedural type named `name` (without regard to case): the module's
// own first, then the project's first module's, which holds the built-in and system types.
const TemgRegisteredDataType* FindRegisteredType(const IElementContext& context, std::string_view name);
const TemgProceduralType* FindProceduralType(const IElementContext& context, std::string_view name);

// For every name in order, a uses entry named after the unit that declares the registered type
// (an empty unit name gives an entry the uses writer leaves out). Raises "The reference to the
// registered type %s not found" for a name that no registered type has.
void ResolveRegisteredTypes(const IElementContext& context, const TStringList& names, TgmcUsesModules& uses);
// Procedural types are declared in the unit that refers to them, so they need no unit; a name
// that no procedural type has raises "The reference to the procedural type %s not found".
void ResolveProceduralTypes(const IElementContext& context, const TStringList& names);

// Collects the references of the procedural type `name` (found as by FindProceduralType); raises
// "The reference to the procedural type %s not found" when there is none.
void CollectReferencesOf(const IElementContext& context, std::string_view name, TReferencedDataTypes& all,
                         TReferencedDataTypes* exported, TDataTypeCategory category);

}  // namespace quillon
