// The user-visible texts that the design elements raise or write into generated code, each kept
// once and verbatim; callers fill them in with Format.
#pragma once

#include <string_view>

namespace quillon {

// Resolving type references into uses entries.
inline constexpr std::string_view kRegisteredTypeNotFound = "The reference to the registered type %s not found";
inline constexpr std::string_view kProceduralTypeNotFound = "The reference to the procedural type %s not found";

// Deleting an element.
inline constexpr std::string_view kItemIsSystem = "Current item is system. Action is forbidden";
inline constexpr std::string_view kDeletionForbidden =
    "Deletion forbidden, because there are references to the deleted item";
inline constexpr std::string_view kDeleteQuestion = "Delete '%s'?";

// The identifier fields of the element editors.
inline constexpr std::string_view kFillInField = "Please, fill in the field '%s'";
inline constexpr std::string_view kNotAnIdentifier = "The field value is not an identifier";
inline constexpr std::string_view kNotUnique = "%s %s is not unique";

// Names that would not compile in generated code, as the check reports them and generation
// refuses them.
inline constexpr std::string_view kNameNotIdentifier = "Name %s is not an identifier";
inline constexpr std::string_view kNameReservedWord = "Name %s is a reserved word";
// The name, then what the generated code declares under it ("the setter of property Count").
inline constexpr std::string_view kNameTaken = "Name %s is taken by the generated code: %s";

// The parameter list editor.
inline constexpr std::string_view kDefaultsWrongOrder = "Parameter with default value has wrong order";
// Pascal takes defaults only for value and const parameters.
inline constexpr std::string_view kVarParameterDefault = "Parameter %s is a var parameter and cannot have a default value";

// Caption words of new elements (localizable; the base words of their names stay English).
inline constexpr std::string_view kPropertyCaptionWord = "Property";
inline constexpr std::string_view kEventCaptionWord = "Event";
inline constexpr std::string_view kMethodCaptionWord = "Method";
inline constexpr std::string_view kExternalClassCaptionWord = "External Class";

// Written into generated code: the body of a server method without code of its own (inside a
// Pascal string literal, hence the doubled quote), and the developer's AfterInitInstance.
inline constexpr std::string_view kOverrideMethodMessage =
    "You need to override the method %s.%s. Don''t use the reserved word INHERITED.";
inline constexpr std::string_view kAfterInitInstanceComment =
    "External properties are not recommended to use in this method";

}  // namespace quillon
