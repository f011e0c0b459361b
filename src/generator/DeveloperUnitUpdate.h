// The update of an existing developer's unit ("dev" + N) to the design: a tolerant reader finds
// the developer's class, its methods and sections, the method bodies, the uses clauses and the
// end of the implementation; the update inserts what a fresh unit would hold and the class lacks
// (override declarations, their bodies, uses) and rewrites the headings of overrides whose
// signature the design changed; no other byte of the developer's changes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

class IModuleResolver;
class TemgModule;

// What the update of one developer's unit would do.
struct TDeveloperUnitUpdate {
    std::string fileName;
    std::string original;
    // The original with the insertions and rewritten headings; equal to it when nothing differs.
    std::string updated;
    // The ranges [begin, end) of the original whose text was replaced: the headings of overrides
    // (declaration and body) rewritten to the designed form. Outside them the original is a
    // subsequence of the updated text.
    std::vector<std::pair<std::size_t, std::size_t>> rewritten;
    // The members whose declaration or body is inserted, then the units added to the uses, in
    // the order inserted.
    std::vector<std::string> added;
    // One line per override whose signature differs from the design and is left as it is, per
    // parameter that a rewritten heading renames, and per override of a method the design no
    // longer has: "file(line): ...", with the designed declaration where there is one; in the order
    // of the unit. The lines are those of the updated text, the file as the update writes it.
    std::vector<std::string> findings;
    // The same reports with the lines of the original, for a run that writes nothing.
    std::vector<std::string> findingsBefore;

    bool Changed() const { return updated != original; }
};

// Reads `text`, the developer's unit `fileName` of `module`, and plans its update. Raises
// Exception naming the file and the line where the reader lost its way when it cannot find
// exactly one declaration of the developer's class, its end, the implementation or the final
// "end.".
TDeveloperUnitUpdate PlanDeveloperUnitUpdate(const TemgModule& module, const IModuleResolver& resolver,
                                             const std::string& fileName, std::string_view text);

// Reads the module's developer's unit from disk and plans its update; raises as above, and when
// the file cannot be read.
TDeveloperUnitUpdate PlanDeveloperUnitUpdate(const TemgModule& module, const IModuleResolver& resolver,
                                             std::string_view projectSrcPath);

// The name under which an update keeps the previous text: the unit's name with ".~pas".
std::string DeveloperUnitBackupFileName(std::string_view fileName);

// Writes a changed update: the previous text is kept beside the unit as "dev" + N + ".~pas", then
// the unit is replaced atomically. Raises when the file on disk is no longer the text the update
// was planned from (nothing is written then).
void ApplyDeveloperUnitUpdate(const TDeveloperUnitUpdate& update);

// The names of the overrides a fresh developer's unit would declare and the existing unit at
// `projectSrcPath` lacks; empty when the unit does not exist or cannot be followed. A scan of one
// small file, cheap enough to run after every generation.
std::vector<std::string> MissingDeveloperOverrides(const TemgModule& module, const IModuleResolver& resolver,
                                                   std::string_view projectSrcPath);

// A unified diff (three lines of context) from `before` to `after`, labelled with `fileName`;
// empty when the texts are equal. Line ends stay in the lines as they are.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view fileName);

}  // namespace quillon
