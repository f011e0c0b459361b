#include "elements/ElementRules.h"

#include <algorithm>

#include "elements/ElementMessages.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/UserDialogs.h"
#include "source/SourceTypes.h"

namespace quillon {

std::string DefaultElementName(TModifiedCollection& collection, std::string_view baseWord,
                               std::string_view captionWord) {
    const long long number =
        std::max(NextNumber(&collection, baseWord, 0), NextNumber(&collection, captionWord, 1));
    return std::string(baseWord) + std::to_string(number);
}

namespace {

// The name is computed before the item joins the collection; the new item has none anyway.
template <class Item, class Collection>
Item& NewNamedElement(Collection& collection, std::string_view baseWord, std::string_view captionWord) {
    const std::string name = DefaultElementName(collection, baseWord, captionWord);
    Item* item = collection.Add();
    item->SetName(name);
    item->SetModified(true);
    return *item;
}

}  // namespace

TemgProperty& NewProperty(TemgProperties& properties) {
    return NewNamedElement<TemgProperty>(properties, "Property", kPropertyCaptionWord);
}

TemgProperty& NewEvent(TemgProperties& events) {
    TemgProperty& event = NewNamedElement<TemgProperty>(events, "Event", kEventCaptionWord);
    event.SetEvent(true);
    event.DataType().SetCategory(dtProcedural);
    return event;
}

TemgMethod& NewMethod(TemgMethods& methods) {
    return NewNamedElement<TemgMethod>(methods, "Method", kMethodCaptionWord);
}

TemgExternalClass& NewExternalClass(TemgExternalClasses& externalClasses) {
    const std::string propertyName = UniqueText(&externalClasses, "ExternalProperty", 0);
    TemgExternalClass* external = externalClasses.Add();
    external->SetPropertyName(propertyName);
    external->SetModified(true);
    return *external;
}

bool IsValidIdent(std::string_view text) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || !isLetter(text.front())) return false;
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); });
}

void CheckIdentifierField(std::string_view label, std::string_view value,
                          const std::function<bool(std::string_view)>& isUnique) {
    if (value.empty()) throw Exception(Format(kFillInField, label));
    if (!IsValidIdent(value)) throw Exception(std::string(kNotAnIdentifier));
    if (isUnique && !isUnique(value)) throw Exception(Format(kNotUnique, label, value));
}

std::string ParametersRefusal(const TemgParameters& parameters) {
    if (!parameters.DefaultsInOrder()) return std::string(kDefaultsWrongOrder);
    for (int i = 0; i < parameters.Count(); ++i) {
        const TemgParameter& parameter = *parameters.Items(i);
        if (parameter.GetCategory() == pcVar && !parameter.GetDefaultValue().empty())
            return Format(kVarParameterDefault, parameter.GetName());
    }
    return {};
}

namespace {

// The appellation of a type that members refer to by name, or nullptr for other elements.
const TgmcAppellation* ReferencedTypeName(const TPersistent& element) {
    if (const auto* type = dynamic_cast<const TemgRegisteredDataType*>(&element)) return &type->Appellation();
    if (const auto* type = dynamic_cast<const TemgProceduralType*>(&element)) return &type->Appellation();
    if (const auto* type = dynamic_cast<const TgmcEnumType*>(&element)) return &type->Appellation();
    return nullptr;
}

}  // namespace

void CheckDeletion(const TPersistent& element, const ReferenceSearch& search) {
    if (const auto* item = dynamic_cast<const TemgAppellationItem*>(&element); item && item->HasSetting(isSystemItem))
        throw Exception(std::string(kItemIsSystem));
    if (const TgmcAppellation* name = ReferencedTypeName(element); name && search) {
        TStringList found;
        search(*name, found);
        if (found.Count() > 0) throw Exception(std::string(kDeletionForbidden));
    }
}

bool DeleteElement(TCollectionItem& element, std::string_view nodeText, const ReferenceSearch& search,
                   const std::function<void()>& beforeRemoving) {
    CheckDeletion(element, search);
    TCollection* collection = element.Collection();
    if (!collection) return false;
    if (Dialogs().Ask(Format(kDeleteQuestion, nodeText), AskButtons::YesNo) != DialogAnswer::Yes) return false;
    if (beforeRemoving) beforeRemoving();
    collection->Delete(element.Index());
    SetModifiedOf(collection, true);
    return true;
}

}  // namespace quillon
