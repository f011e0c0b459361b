// The texts the workbench shows or asks, each kept once and verbatim; callers fill them in with
// Format.
#pragma once

#include <string_view>

namespace quillon {

inline constexpr std::string_view kApplicationTitle = "Quillon 2.3";
inline constexpr std::string_view kNoProject = "No project";
inline constexpr std::string_view kNoCurrentClass = "Current node doesn't relate to any of the class";
inline constexpr std::string_view kNotDebugApplication = "Current node is not Debug Application";
inline constexpr std::string_view kSaveQuestion = "Save '%s'?";
inline constexpr std::string_view kCannotCreateDirectory = "Cannot create the directory '%s'";
inline constexpr std::string_view kModelFileNotInProjectDir = "Model file must be in the project's directory (%s)";
inline constexpr std::string_view kModuleAlreadyInProject = "%s is already in the project";
inline constexpr std::string_view kGenerateDebugAppAndClass = "Generate '%s' and '%s'";
inline constexpr std::string_view kGenerateDebugAppAndReferenced = "Generate '%s' and all referenced classes";
// The editor area without an editor: no project, or the current node's editor closed.
inline constexpr std::string_view kNoProjectOpen = "Open or create a project";
inline constexpr std::string_view kNoProjectOpenDetails =
    "File \u2192 New... creates a project with its common types module; File \u2192 Open... opens an existing one.";
inline constexpr std::string_view kEditorClosed = "The editor is closed. Click the node to open it again.";
// A file or folder handed to the desktop that has no program for it.
inline constexpr std::string_view kNoDesktopProgram = "The desktop has no program to open '%s'";

// The element editors' validations and reports.
inline constexpr std::string_view kTypeNotRegistered = "Type '%s' is not registered";
inline constexpr std::string_view kTypeAlreadyRegistered = "Type '%s' is already registered";
inline constexpr std::string_view kReadOrWriteMustBeSet = "Read or Write must be set";
inline constexpr std::string_view kEnumNeedsValue = "There must be at least one value of enumerated type";
inline constexpr std::string_view kCreateMethodMustBeChecked = "At least one of 'Create' method must be checked";
inline constexpr std::string_view kObjectNotFound = "Object not found";
inline constexpr std::string_view kReferencedClassNotFound = "Referenced class not found";
inline constexpr std::string_view kCopyFilesQuestion = "Copy files to %s?";
inline constexpr std::string_view kUnitFileNotGenerated = "File '%s' does not exist yet: generate the class first";
// A generated-unit kind the module never writes (the unit's caption, then the server option's).
inline constexpr std::string_view kUnitNotForServerOption = "%s is not generated for the server option %s";
inline constexpr std::string_view kUnitNotForCommonTypes = "%s is not generated for the common types module";
inline constexpr std::string_view kUnitOnlyForCommonTypes = "%s is generated only for the common types module";
inline constexpr std::string_view kUnitOnlyForOwnConnection =
    "%s is generated only for a module with its own database connection";
inline constexpr std::string_view kFormFileUnreadable = "Form file '%s' cannot be read: %s";
inline constexpr std::string_view kFormFileWithoutForm =
    "Form file '%s' does not begin with an object declaration; the form name stays empty";
inline constexpr std::string_view kReleaseProblems = "Release '%s' finished with problems:";
inline constexpr std::string_view kCopyRuleProblems = "Copying '%s' finished with problems:";
inline constexpr std::string_view kFilesCopied = "Files of '%s' are copied";
// A renamed class module's file (its new bare name; then the name it keeps).
inline constexpr std::string_view kRenameModuleFileQuestion = "Rename the module file to %s?";
inline constexpr std::string_view kModuleFileKept = "%s exists: the module keeps its file %s";
inline constexpr std::string_view kAddToProjectTitle = "Add to project";
inline constexpr std::string_view kDelphiUnitFilter = "Delphi unit (*.pas)";

// File dialog filters and default extensions.
inline constexpr std::string_view kProjectFilter = "Project (*.qlp)";
inline constexpr std::string_view kClassFilter = "Class (*.qlm)";
inline constexpr std::string_view kProjectExtension = "qlp";

// Tree group captions.
inline constexpr std::string_view kReleasesNode = "Releases";
inline constexpr std::string_view kAddedUnitsNode = "Added Units";
inline constexpr std::string_view kCopyFilesNode = "Copy Files";
inline constexpr std::string_view kGeneratedUnitsNode = "Generated Units";
inline constexpr std::string_view kEnumTypesNode = "Enumerated Types";
inline constexpr std::string_view kProceduralTypesNode = "Procedural Types";
inline constexpr std::string_view kRegisteredTypesNode = "Registered Types";
inline constexpr std::string_view kMethodsNode = "Methods";
inline constexpr std::string_view kPropertiesNode = "Properties";
inline constexpr std::string_view kEventsNode = "Events";
inline constexpr std::string_view kExternalPropertiesNode = "External Properties";
inline constexpr std::string_view kDebugApplicationsNode = "Debug Applications";

// The user guide: beside the program in the build tree, under share/quillon once installed.
inline constexpr std::string_view kGuideFileName = "guide.html";
inline constexpr std::string_view kInstalledGuideDir = "../share/quillon";

// The update of a developer's unit.
inline constexpr std::string_view kDevUnitLacksOverridesHint =
    "The developer's unit %s lacks the overrides %s; Generate > Update Developer's Unit adds them";
inline constexpr std::string_view kDevUnitNotWritten =
    "The developer's unit %s does not exist yet; generating the class writes it";
inline constexpr std::string_view kDevUnitUpToDate = "The developer's unit %s lacks nothing of the design";
inline constexpr std::string_view kDevUnitUpdated = "Updated %s; the previous text is kept as %s";

}  // namespace quillon
