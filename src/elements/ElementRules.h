// The rules the workbench applies when the user adds, names or deletes an element: default
// names of new properties, events, methods and external classes, the identifier rule of the
// editors, and the refusals of a deletion.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "elements/DesignClass.h"

namespace quillon {

// `baseWord` followed by the larger of the next numbers of `baseWord` over the items' names and
// of `captionWord` over their captions ("Property4").
std::string DefaultElementName(TModifiedCollection& collection, std::string_view baseWord,
                               std::string_view captionWord);

// Append a new, modified element with its default name: "Property<n>", "Event<n>" (of a
// procedural type), "Method<n>".
TemgProperty& NewProperty(TemgProperties& properties);
TemgProperty& NewEvent(TemgProperties& events);
TemgMethod& NewMethod(TemgMethods& methods);
// Appends a new, modified external class with PropertyName "ExternalProperty<n>", numbered over
// the property names only.
TemgExternalClass& NewExternalClass(TemgExternalClasses& externalClasses);

// An Object Pascal identifier: a letter or underscore, then letters, digits and underscores.
bool IsValidIdent(std::string_view text);

// The check of an editor's identifier field labelled `label`: raises "Please, fill in the field
// '%s'" for an empty value, "The field value is not an identifier", or, when `isUnique` is given
// and answers false, "%s %s is not unique".
void CheckIdentifierField(std::string_view label, std::string_view value,
                          const std::function<bool(std::string_view)>& isUnique = {});

// The parameter list's rule, shared by its editor and the project check: the first refusal of
// `parameters` ("Parameter with default value has wrong order", or a var parameter with a
// default), or empty when there is none.
std::string ParametersRefusal(const TemgParameters& parameters);

// Finds the references to a type over every module of the project: adds an entry to `found` for
// each reference whose name is `name`'s Name (the project's find-or-rename without renaming).
using ReferenceSearch = std::function<void(const TgmcAppellation& name, TStringList& found)>;

// Raises "Current item is system. Action is forbidden" for a system element, and, for a
// registered, enumerated or procedural type that `search` finds references to, "Deletion
// forbidden, because there are references to the deleted item".
void CheckDeletion(const TPersistent& element, const ReferenceSearch& search);

// The delete command: checks the deletion, asks "Delete '<nodeText>'?" and on Yes removes the
// element from its collection, which is marked modified so that saving writes the deletion.
// `beforeRemoving` runs after the Yes, while the element still exists (the workbench closes its
// editor there). Returns whether the element was deleted.
bool DeleteElement(TCollectionItem& element, std::string_view nodeText, const ReferenceSearch& search,
                   const std::function<void()>& beforeRemoving = {});

}  // namespace quillon
