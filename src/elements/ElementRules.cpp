#include "elements/ElementRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "elements/ElementMessages.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "elements/RunTimeIdentifiers.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"
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

bool IsReservedWord(std::string_view word) {
    // The reserved words of Delphi 7, the target's compiler. Words that only Free Pascal's Delphi
    // mode reserves besides (bitpacked, otherwise) stay allowed: the target accepts them as names.
    static constexpr std::array<std::string_view, 65> kReservedWords{
        "and",          "array",          "as",        "asm",           "begin",     "case",
        "class",        "const",          "constructor", "destructor",  "dispinterface", "div",
        "do",           "downto",         "else",      "end",           "except",    "exports",
        "file",         "finalization",   "finally",   "for",           "function",  "goto",
        "if",           "implementation", "in",        "inherited",     "initialization", "inline",
        "interface",    "is",             "label",     "library",       "mod",       "nil",
        "not",          "object",         "of",        "or",            "out",       "packed",
        "procedure",    "program",        "property",  "raise",         "record",    "repeat",
        "resourcestring", "set",          "shl",       "shr",           "string",    "then",
        "threadvar",    "to",             "try",       "type",          "unit",      "until",
        "uses",         "var",            "while",     "with",          "xor"};
    // Every name of a design passes here, some more than once: looked up in a set, not compared
    // with each word in turn.
    static const std::unordered_set<std::string_view> kReservedSet(kReservedWords.begin(), kReservedWords.end());
    constexpr std::size_t kLongestReservedWord = 14;  // resourcestring
    return word.size() <= kLongestReservedWord && kReservedSet.count(LowerCase(word)) > 0;
}

bool IsValidIdent(std::string_view text) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (text.empty() || !isLetter(text.front())) return false;
    return std::all_of(text.begin() + 1, text.end(), [&](char c) { return isLetter(c) || (c >= '0' && c <= '9'); }) &&
           !IsReservedWord(text);
}

// How generated code derives a name from a member, and what it calls what it declares under it.
struct NameKind {
    std::string_view prefix;
    std::string_view suffix;
    std::string_view what;
    std::string_view of;
    // Declared once for every member that derives it (the library path field of a class).
    bool shared = false;
    // A type (a method pointer type) rather than a member.
    bool type = false;
};

enum TNameKind : std::uint8_t {
    nkPropertyField, nkPropertyGetter, nkPropertySetter, nkPropertyGetterField, nkPropertyGetterType,
    nkPropertySetterField, nkPropertySetterType,
    nkEventField, nkEventGetter, nkEventSetter, nkEventGetterField, nkEventGetterType, nkEventSetterField,
    nkEventSetterType,
    nkMethodField, nkMethodType,
    nkExternalField, nkExternalGetter, nkExternalCreation, nkExternalRelease, nkLibraryPathField,
    nkGeneratedMember
};

constexpr NameKind kNameKinds[] = {
    {"F", "", "the field", " of property "},
    {"Get", "", "the getter", " of property "},
    {"Set", "", "the setter", " of property "},
    {"FGet", "Method", "the method pointer field", " of property "},
    {"TGet", "Method", "the method pointer type", " of property ", false, true},
    {"FSet", "Method", "the method pointer field", " of property "},
    {"TSet", "Method", "the method pointer type", " of property ", false, true},
    {"F", "", "the field", " of event "},
    {"Get", "", "the getter", " of event "},
    {"Set", "", "the setter", " of event "},
    {"FGet", "Method", "the method pointer field", " of event "},
    {"TGet", "Method", "the method pointer type", " of event ", false, true},
    {"FSet", "Method", "the method pointer field", " of event "},
    {"TSet", "Method", "the method pointer type", " of event ", false, true},
    {"F", "Method", "the method pointer field", " of method "},
    {"T", "Method", "the method pointer type", " of method ", false, true},
    {"F", "", "the field", " of external property "},
    {"Get", "", "the getter", " of external property "},
    {"Create", "", "the creation method", " of external property "},
    {"Free", "", "the release method", " of external property "},
    {"F", "Path", "the library path field", " of class ", true},
    {"", "", "the generated member", " "}};

// A name the generated code declares: the kind's prefix, `subject` and the kind's suffix, the
// member it is derived from (none for the names every generated class or library declares), and
// its place among the names the generated units declare.
struct TakenName {
    std::string_view subject;
    const TemgAppellationItem* source = nullptr;
    TNameKind kind = nkGeneratedMember;
    std::uint32_t order = 0;

    // Whether the source is a system member. Read from the member when a question needs it, which
    // few do: the setting lies apart from the name in the member object, and reading it for every
    // member of a large class was one more walk through memory.
    bool System() const { return source && source->HasSetting(isSystemItem); }

    const NameKind& Kind() const { return kNameKinds[kind]; }
    // "the setter of property Count", put together only for a fault.
    std::string Taker() const { return std::string(Kind().what).append(Kind().of).append(subject); }
    void Spell(std::string& spelling) const {
        spelling.assign(Kind().prefix).append(subject).append(Kind().suffix);
    }
};

// What generated code declares whatever the design holds, in the generated server, controller and
// database support controller classes and the library.
constexpr std::string_view kGeneratedMembers[] = {
    "Create",          "CreateFromPath", "Destroy",         "AfterConstruction", "BeforeDestruction",
    "InitInstance",    "FindInstance",   "FreeInstance",    "SetDLLsPaths",      "FSetDLLsPathsMethod",
    "DllName",         "DllExists",      "LibraryPath",     "FLibraryPath",      "FLibrary",
    "FInstanceID",     "FServer",        "SetApplicationHandle", "ChangeConnection", "Database",
    "FDatabase",       "DoCloseDatabase", "OnChangeConnection", "FOnChangeConnection", "DatabaseName",
    "FDatabaseName",   "SetDatabaseName", "SessionName",    "FSessionName",      "SetSessionName"};

// The kinds of member that names are derived from, each with the kinds of name it derives (in
// the order the generated units declare them) and what Taker calls the member itself.
enum TSubjectOf : std::uint8_t { soProperty, soEvent, soMethod, soExternalProperty, soExternalClass };
constexpr std::size_t kSubjectKinds = 5;
struct SubjectKind {
    TNameKind first;
    std::uint8_t count;
    std::string_view member;  // empty: not a member of the class (the class of an external property)
};
constexpr SubjectKind kSubjectKind[kSubjectKinds] = {
    {nkPropertyField, nkEventField - nkPropertyField, "the property "},
    {nkEventField, nkMethodField - nkEventField, "the event "},
    {nkMethodField, nkExternalField - nkMethodField, "the method "},
    {nkExternalField, nkLibraryPathField - nkExternalField, "the external property "},
    {nkLibraryPathField, nkGeneratedMember - nkLibraryPathField, {}}};

// A spelling that derived names share (a prefix and a suffix), with the kind of name it gives for
// each kind of member (nkGeneratedMember: none). A name is taken apart by each pattern it fits and
// its middle looked up among the members: a table of every derived name (seven a property)
// outgrew the processor's caches in a large class, and filling it was most of the check's time.
struct NamePattern {
    std::string_view prefix;
    std::string_view suffix;
    std::array<TNameKind, kSubjectKinds> kindFor{};

    std::size_t Length() const { return prefix.size() + suffix.size(); }
    // Whether `name` is the prefix, some middle and the suffix, without regard to case.
    bool Fits(std::string_view name) const {
        return name.size() >= Length() && SameText(name.substr(0, prefix.size()), prefix) &&
               SameText(name.substr(name.size() - suffix.size()), suffix);
    }
    std::string_view Middle(std::string_view name) const {
        return name.substr(prefix.size(), name.size() - Length());
    }
};

// Where the name of a member with one pattern may equal the name of a member with a longer
// pattern: the longer pattern adds `head` before the first member's name and `tail` after it.
// A name that does not begin with `head` or end with `tail` meets no name of the other pattern,
// which is all most names need to be told.
struct PatternCrossing {
    std::uint8_t other;
    std::string_view head;
    std::string_view tail;

    // Whether a member of this name may have a derived name of the other pattern; a name shorter
    // than `head` or `tail` is spelt out to tell.
    bool Admits(std::string_view name) const {
        return name.size() < std::max(head.size(), tail.size()) ||
               (SameText(name.substr(0, head.size()), head) && SameText(name.substr(name.size() - tail.size()), tail));
    }
};

struct NamePatterns {
    std::vector<NamePattern> patterns;
    std::array<std::uint8_t, nkGeneratedMember> patternOf{};
    std::vector<std::vector<PatternCrossing>> crossings;  // by pattern

    NamePatterns() {
        for (std::uint8_t of = 0; of < kSubjectKinds; ++of)
            for (int kind = kSubjectKind[of].first; kind < kSubjectKind[of].first + kSubjectKind[of].count; ++kind) {
                const NameKind& spelt = kNameKinds[kind];
                auto found = std::find_if(patterns.begin(), patterns.end(), [&](const NamePattern& pattern) {
                    return pattern.prefix == spelt.prefix && pattern.suffix == spelt.suffix;
                });
                if (found == patterns.end()) {
                    NamePattern pattern{spelt.prefix, spelt.suffix, {}};
                    pattern.kindFor.fill(nkGeneratedMember);
                    found = patterns.insert(patterns.end(), pattern);
                }
                found->kindFor[of] = static_cast<TNameKind>(kind);
                patternOf[static_cast<std::size_t>(kind)] = static_cast<std::uint8_t>(found - patterns.begin());
            }
        // A pair of patterns is looked at from the one with the shorter spelling (for equal
        // lengths, the one found first), whose member then has the longer name.
        crossings.resize(patterns.size());
        for (std::size_t a = 0; a < patterns.size(); ++a)
            for (std::size_t b = 0; b < patterns.size(); ++b) {
                const NamePattern& own = patterns[a];
                const NamePattern& other = patterns[b];
                if (other.Length() < own.Length() || (other.Length() == own.Length() && b <= a)) continue;
                const std::size_t prefix = std::min(own.prefix.size(), other.prefix.size());
                const std::size_t suffix = std::min(own.suffix.size(), other.suffix.size());
                if (!SameText(own.prefix.substr(0, prefix), other.prefix.substr(0, prefix)) ||
                    !SameText(own.suffix.substr(own.suffix.size() - suffix), other.suffix.substr(other.suffix.size() - suffix)))
                    continue;
                crossings[a].push_back({static_cast<std::uint8_t>(b), other.prefix.substr(prefix),
                                        other.suffix.substr(0, other.suffix.size() - suffix)});
            }
    }
};

const NamePatterns& Patterns() {
    static const NamePatterns patterns;
    return patterns;
}

// The names of a class's members and the members, fields and types that the generator derives
// from them and declares beside them in the server, controller, interface and library units,
// looked up by name without regard to case. Every member of a class is checked against all of
// them: a scan per member made the check grow with the square of the class's size.
class ClassNames {
    // Whether the subjects of a group are named `name`.
    auto SpelledBy() const {
        return [this](std::uint32_t group, std::string_view name) {
            return SameText(subjects_[groups_[group].first].name, name);
        };
    }

public:
    // The members' names are copied, in one walk over the members: the questions that follow read
    // them from the names' own compact text instead of from every member object, which in a large
    // class lie far apart in memory.
    explicit ClassNames(const TemgClass& cls) {
        const auto count = [](int n) { return static_cast<std::size_t>(n); };
        subjects_.reserve(count(cls.Properties().Count() + cls.Events().Count() + cls.Methods().Count() +
                                2 * cls.ExternalClasses().Count()));
        std::vector<std::size_t> at;
        at.reserve(subjects_.capacity());
        const auto add = [&](const std::string& name, const TemgAppellationItem& source, TSubjectOf of) {
            at.push_back(text_.size());
            text_.append(name);
            subjects_.push_back({name, &source, of, order_});
            longest_ = std::max(longest_, name.size());
            order_ += kSubjectKind[of].count;
        };
        for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
            for (int i = 0; i < members->Count(); ++i)
                add(members->Items(i)->GetName(), *members->Items(i), members == &cls.Events() ? soEvent : soProperty);
        for (int i = 0; i < cls.Methods().Count(); ++i)
            add(cls.Methods().Items(i)->GetName(), *cls.Methods().Items(i), soMethod);
        for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
            const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
            add(external.GetPropertyName(), external, soExternalProperty);
            add(external.GetName(), external, soExternalClass);
        }
        // The text is whole now: the names point into it instead of into the members.
        for (std::size_t s = 0; s < subjects_.size(); ++s)
            subjects_[s].name = {text_.data() + at[s], subjects_[s].name.size()};
        Index();
    }

    // Calls `visit(name, source, of)` for each member and external class, in the order of the
    // subjects.
    template <typename Visit>
    void ForEachSubject(Visit visit) const {
        for (const Subject& subject : subjects_) visit(subject.name, *subject.source, subject.of);
    }

    // The length of the longest name of a member or external class.
    std::size_t Longest() const { return longest_; }

    // "the method Total" for the first member named `name`, or empty.
    std::string MemberTaker(std::string_view name) const {
        const std::uint32_t group = index_.Find(name, SpelledBy());
        if (group == kEnd) return {};
        for (std::uint8_t of = 0; of < kSubjectKinds; ++of)
            if (const std::uint32_t head = groups_[group].head[of]; head != kEnd && !kSubjectKind[of].member.empty())
                return std::string(kSubjectKind[of].member).append(subjects_[head].name);
        return {};
    }

    // The first derived name equal to `name` that does not come from `member` (any, when `member`
    // is null), or none.
    std::optional<TakenName> Find(const TPersistent* member, std::string_view name) const {
        std::optional<TakenName> first;
        const auto consider = [&](const TakenName& taken) {
            if ((!member || taken.source != member) && (!first || taken.order < first->order)) first = taken;
        };
        const NamePatterns& patterns = Patterns();
        for (const NamePattern& pattern : patterns.patterns) {
            if (!pattern.Fits(name)) continue;
            ForEachNamed(pattern, pattern.Middle(name), [&](const TakenName& taken) {
                if (taken.source == member) return true;
                consider(taken);
                return false;
            });
        }
        if (const std::uint32_t generated = GeneratedIndex().ValueOf(name, kEnd); generated != kEnd)
            consider(Generated(generated));
        return first;
    }

    // Calls `visit(member, name)` for each member (not the class of an external property) whose
    // name an earlier member has.
    template <typename Visit>
    void ForEachRepeated(Visit visit) const {
        std::vector<bool> seen(groups_.size());
        for (const Subject& subject : subjects_) {
            if (kSubjectKind[subject.of].member.empty()) continue;
            if (seen[subject.group]) visit(*subject.source, subject.name);
            seen[subject.group] = true;
        }
    }

    // Calls `visit(spelling, taken)` for every method pointer type, in the order the generated
    // units declare them.
    template <typename Visit>
    void ForEachType(Visit visit) const {
        std::string spelling;
        ForEachName([&](const TakenName& taken) {
            if (!taken.Kind().type) return;
            taken.Spell(spelling);
            visit(std::string_view(spelling), taken);
        });
    }

    // Calls `visit(spelling, own, other)` for each name derived from a member that an earlier
    // name of another member, or a name every class declares, meets; `other` is the first such
    // name and `spelling` how `own` is written. Two library path fields, or two names of system
    // members, are declared once on purpose.
    template <typename Visit>
    void ForEachMeeting(Visit visit) const {
        const std::vector<Crossing> outgoing = Crossings();
        // The same crossings by the group and pattern they lead to, each group's in order.
        std::vector<const Crossing*> incoming;
        incoming.reserve(outgoing.size());
        for (const Crossing& crossing : outgoing) incoming.push_back(&crossing);
        std::sort(incoming.begin(), incoming.end(), [](const Crossing* a, const Crossing* b) {
            return std::tie(a->group, a->pattern, a->from.order) < std::tie(b->group, b->pattern, b->from.order);
        });
        std::vector<bool> reached(groups_.size());
        for (const Crossing& crossing : outgoing) reached[crossing.group] = true;

        const NamePatterns& patterns = Patterns();
        auto next = outgoing.begin();
        std::string spelling;
        for (std::uint32_t s = 0; s < subjects_.size(); ++s) {
            const Subject& subject = subjects_[s];
            const std::uint32_t end = subject.order + kSubjectKind[subject.of].count;
            if (groups_[subject.group].count == 1 && !reached[subject.group] &&
                (next == outgoing.end() || next->from.order >= end))
                continue;
            ForEachNameOf(s, [&](const TakenName& own) {
                std::optional<TakenName> first;
                // Walked in order: the first name that may meet `own` answers for the rest.
                const auto meet = [&](const TakenName& other) {
                    if (other.source && other.order > own.order) return false;
                    const bool meets = other.source != own.source && !(own.Kind().shared && other.Kind().shared) &&
                                       !(own.System() && other.System());
                    if (meets && (!first || other.order < first->order)) first = other;
                    return !meets;
                };
                const std::uint8_t pattern = patterns.patternOf[own.kind];
                ForEachNamed(patterns.patterns[pattern], subject.group, meet);
                for (; next != outgoing.end() && next->from.order == own.order; ++next)
                    ForEachNamed(patterns.patterns[next->pattern], next->group, meet);
                if (reached[subject.group]) {
                    const Crossing key{subject.group, pattern, {}};
                    auto from = std::lower_bound(incoming.begin(), incoming.end(), &key, [](const Crossing* a, const Crossing* b) {
                        return std::tie(a->group, a->pattern) < std::tie(b->group, b->pattern);
                    });
                    for (; from != incoming.end() && (*from)->group == subject.group && (*from)->pattern == pattern; ++from)
                        if (!meet((*from)->from)) break;
                }
                if (!first) return;
                own.Spell(spelling);
                visit(std::string_view(spelling), own, *first);
            });
        }
    }

private:
    static constexpr std::uint32_t kEnd = TextIndex::kNone;

    struct Subject {
        std::string_view name;  // in text_
        const TemgAppellationItem* source;
        TSubjectOf of;
        std::uint32_t order;  // of the first name derived from it
        std::uint32_t group = kEnd;
        std::uint32_t next = kEnd;  // the next subject of the same kind and name
    };
    // The subjects of one name without regard to case: the first of each kind, and how many.
    struct Group {
        std::uint32_t first;
        std::uint32_t count = 0;
        std::array<std::uint32_t, kSubjectKinds> head{kEnd, kEnd, kEnd, kEnd, kEnd};
    };

    // Groups the subjects by name. The index's slots are asked for a few names ahead: a large
    // class's index outgrows the processor's caches, and waiting for each slot in turn was most of
    // the time spent here.
    void Index() {
        constexpr std::size_t kAhead = 16;
        const std::size_t total = subjects_.size();
        std::vector<std::uint32_t> tags(total);
        for (std::size_t s = 0; s < total; ++s) tags[s] = TextTag(subjects_[s].name);
        index_ = TextIndex(total);
        groups_.reserve(total);
        for (std::uint32_t s = 0; s < total; ++s) {
            if (s + kAhead < total) index_.Prefetch(tags[s + kAhead]);
            const auto next = static_cast<std::uint32_t>(groups_.size());
            const std::uint32_t group = index_.InsertTagged(tags[s], next, [&](std::uint32_t stored) {
                return SameText(subjects_[groups_[stored].first].name, subjects_[s].name);
            });
            if (group == next) groups_.push_back({s});
            subjects_[s].group = group;
            ++groups_[group].count;
        }
        // Each kind's subjects of a name in order: linked from the last.
        for (std::uint32_t s = static_cast<std::uint32_t>(total); s-- > 0;) {
            std::uint32_t& head = groups_[subjects_[s].group].head[subjects_[s].of];
            subjects_[s].next = head;
            head = s;
        }
    }

    TakenName NameOf(std::uint32_t s, TNameKind kind) const {
        const Subject& subject = subjects_[s];
        return {subject.name, subject.source, kind,
                subject.order + static_cast<std::uint32_t>(kind - kSubjectKind[subject.of].first)};
    }
    TakenName Generated(std::uint32_t at) const {
        return {kGeneratedMembers[at], nullptr, nkGeneratedMember, order_ + at};
    }

    template <typename Visit>
    void ForEachNameOf(std::uint32_t s, Visit visit) const {
        const SubjectKind& kinds = kSubjectKind[subjects_[s].of];
        for (int kind = kinds.first; kind < kinds.first + kinds.count; ++kind)
            visit(NameOf(s, static_cast<TNameKind>(kind)));
    }
    template <typename Visit>
    void ForEachName(Visit visit) const {
        for (std::uint32_t s = 0; s < subjects_.size(); ++s) ForEachNameOf(s, visit);
    }

    // Calls `visit(taken)` for the names of `pattern` derived from the members of `group` (named
    // `middle`), for each kind of member in order, until it answers false.
    template <typename Visit>
    void ForEachNamed(const NamePattern& pattern, std::uint32_t group, Visit visit) const {
        if (group == kEnd) return;
        for (std::uint8_t of = 0; of < kSubjectKinds; ++of)
            if (const TNameKind kind = pattern.kindFor[of]; kind != nkGeneratedMember)
                for (std::uint32_t s = groups_[group].head[of]; s != kEnd && visit(NameOf(s, kind)); s = subjects_[s].next) {
                }
    }
    template <typename Visit>
    void ForEachNamed(const NamePattern& pattern, std::string_view middle, Visit visit) const {
        ForEachNamed(pattern, index_.Find(middle, SpelledBy()), visit);
    }

    // Where a derived name, or a name every class declares, meets the names of another pattern
    // derived from the members of a group: looked for from the pattern of the shorter spelling,
    // in the order of `from`.
    struct Crossing {
        std::uint32_t group;
        std::uint8_t pattern;
        TakenName from;
    };
    std::vector<Crossing> Crossings() const {
        std::vector<Crossing> found;
        const NamePatterns& patterns = Patterns();
        std::string spelling;
        const auto cross = [&](const TakenName& from, std::string_view name, std::uint8_t pattern) {
            const NamePattern& other = patterns.patterns[pattern];
            if (!other.Fits(name)) return;
            const std::uint32_t group = index_.Find(other.Middle(name), SpelledBy());
            if (group != kEnd) found.push_back({group, pattern, from});
        };
        ForEachName([&](const TakenName& own) {
            for (const PatternCrossing& crossing : patterns.crossings[patterns.patternOf[own.kind]]) {
                if (!crossing.Admits(own.subject)) continue;
                own.Spell(spelling);
                cross(own, spelling, crossing.other);
            }
        });
        for (std::uint32_t at = 0; at < std::size(kGeneratedMembers); ++at)
            for (std::uint8_t pattern = 0; pattern < patterns.patterns.size(); ++pattern)
                cross(Generated(at), kGeneratedMembers[at], pattern);
        return found;
    }

    static const TextMap<std::uint32_t>& GeneratedIndex() {
        static const TextMap<std::uint32_t> index = [] {
            TextMap<std::uint32_t> names(std::size(kGeneratedMembers));
            for (std::uint32_t at = 0; at < std::size(kGeneratedMembers); ++at) names.Add(kGeneratedMembers[at], at);
            return names;
        }();
        return index;
    }

    std::string text_;               // the subjects' names, one after the other
    std::vector<Subject> subjects_;  // in the order the generated units declare their names
    std::vector<Group> groups_;
    TextIndex index_;                // each name's group
    std::uint32_t order_ = 0;        // of the first name every class declares
    std::size_t longest_ = 0;        // of the subjects' names
};

std::string GeneratedMemberTaker(const TemgClass& cls, const TPersistent* member, std::string_view name) {
    const ClassNames names(cls);  // the taken name's subject is in its text
    const std::optional<TakenName> taken = names.Find(member, name);
    return taken ? taken->Taker() : std::string();
}

ClassScope::ClassScope(const TemgClass& cls) : cls_(cls) {}

ClassScope::~ClassScope() = default;

void ClassScope::Gather() const { Names(); }

std::size_t ClassScope::LongestName() const { return Names().Longest(); }

const ClassNames& ClassScope::Names() const {
    if (!names_) names_ = std::make_unique<const ClassNames>(cls_);
    return *names_;
}

void ClassScope::ForEachRepeatedMember(
    const std::function<void(const TPersistent& member, std::string_view name)>& visit) const {
    Names().ForEachRepeated(visit);
}

std::string ClassScope::Taker(std::string_view name) const {
    if (std::string member = Names().MemberTaker(name); !member.empty()) return member;
    if (const std::optional<TakenName> taken = Names().Find(nullptr, name)) return taken->Taker();
    static constexpr std::string_view kInheritedMembers[] = {
        "ClassName",      "ClassType",       "ClassParent",     "ClassInfo",        "ClassNameIs",
        "InstanceSize",   "InheritsFrom",    "MethodAddress",   "MethodName",       "FieldAddress",
        "GetInterface",   "GetInterfaceEntry", "GetInterfaceTable", "Dispatch",     "DefaultHandler",
        "NewInstance",    "CleanupInstance", "SafeCallException", "Free",           "Assign",
        "AssignTo",       "DefineProperties", "GetNamePath",    "GetOwner",         "Owner",
        "Name",           "Tag",             "Components",      "ComponentCount",   "ComponentIndex",
        "ComponentState", "ComponentStyle",  "DesignInfo",      "VCLComObject",     "FindComponent",
        "FreeNotification", "RemoveFreeNotification", "FreeOnRelease", "InsertComponent", "RemoveComponent",
        "DestroyComponents", "Destroying",   "Loaded",          "Notification",     "GetChildren",
        "GetChildOwner",  "GetChildParent",  "SetName",         "SetChildOrder",    "SetParentComponent",
        "HasParent",      "GetParentComponent", "ReadState",    "WriteState",       "Updating",
        "Updated",        "ValidateRename",  "ExecuteAction",   "UpdateAction",     "Factory",
        "Controller",     "RefCount",        "ObjAddRef",       "ObjRelease",       "ObjQueryInterface",
        "Initialize",     "ServerExceptionHandler", "CreateAggregated", "CreateFromFactory", "QueryInterface",
        "_AddRef",        "_Release"};
    for (std::string_view member : kInheritedMembers)
        if (SameText(member, name)) return "the inherited member " + std::string(member);
    // Every method body declares Self: a value of that name written there is the object.
    if (SameText(name, "Self")) return "the object of every method";
    return {};
}

const std::vector<std::string_view>& GeneratedCodeUnits() {
    // The units the generated units, libraries and debug applications use, and the units every
    // program has implicitly.
    static const std::vector<std::string_view> units{
        "System",   "SysInit",  "Windows",  "Messages", "Classes",  "SysUtils",    "Variants",
        "Types",    "Forms",    "Controls", "StdCtrls", "ExtCtrls", "Graphics",    "Dialogs",
        "DB",       "DBTables", "ComObj",   "ComServ",  "ActiveX",  "ShareMem",    "DLLServerCollection",
        "eduPasswordDlg"};
    return units;
}

const std::vector<std::string_view>& RunTimeUnits() {
    static const std::vector<std::string_view> units{
        // Delphi's run-time library, VCL and database units that those above use.
        "SysConst", "RTLConsts", "TypInfo", "Math", "VarUtils", "Contnrs", "SyncObjs", "StrUtils",
        "Consts", "Menus", "ImgList", "ActnList", "StdActns", "CommCtrl", "CommDlg", "Dlgs", "Imm",
        "MultiMon", "HelpIntfs", "Themes", "UxTheme", "FlatSB", "ShellAPI", "ShlObj", "Printers",
        "WinSpool", "Clipbrd", "Buttons", "Mask", "MaskUtils", "Registry", "IniFiles", "ComConst",
        "OleConst", "StdVCL", "AxCtrls", "DBCommon", "DBConsts", "BDE", "BDEConst", "SqlTimSt", "FMTBcd",
        "DBLogDlg", "DBPWDlg", "SMINTF",
        // Free Pascal's: the Delphi mode's unit and the platform units under SysUtils and Classes.
        "ObjPas", "Unix", "BaseUnix", "UnixType", "UnixUtil", "Linux", "SysCall", "Errors", "CTypes",
        "WinDirs", "SysInitPas", "FPIntRes"};
    return units;
}

const std::vector<std::string_view>& GeneratedCodeTypes() {
    static const std::vector<std::string_view> types{
        "TObject",    "TPersistent", "TComponent", "TInterfacedObject", "TComObject", "TAutoObject",
        "TDataModule", "TForm",      "TDataSet",   "TDatabase",         "TSession",   "TQuery",
        "TTable",     "TStoredProc", "TStrings",   "TStringList",       "TGUID",      "THandle",
        "TCloseAction", "TButton",   "TLabel",     "TMemo",             "TPanel",     "TComboBox",
        "TScrollBox", "TSplitter",   "TDLLServer", "IUnknown",          "IDispatch",  "Exception",
        // The library routines' types that the controllers declare.
        "TInitInstance", "TFreeInstance", "TSetDLLsPathsMethod"};
    return types;
}

namespace {

// UnitNameTaker, `typeUnit(name)` giving the first of the registered types' units of that name.
template <typename TypeUnit>
std::string UnitTaker(std::string_view name, const TypeUnit& typeUnit) {
    for (std::string_view unit : GeneratedCodeUnits())
        if (SameText(unit, name)) return "the unit " + std::string(unit);
    if (const std::string* unit = typeUnit(name)) return "the unit " + *unit;
    for (std::string_view unit : RunTimeUnits())
        if (SameText(unit, name)) return "the run-time unit " + std::string(unit);
    return QualifierTaker(name);
}

}  // namespace

std::string UnitNameTaker(std::string_view name, const std::vector<std::string>& typeUnits) {
    return UnitTaker(name, [&](std::string_view wanted) -> const std::string* {
        for (const std::string& unit : typeUnits)
            if (SameText(unit, wanted)) return &unit;
        return nullptr;
    });
}

TNameList::TNameList(std::vector<std::string> names) : names_(std::move(names)), index_(names_.size()) {
    for (std::size_t i = 0; i < names_.size(); ++i) index_.Add(names_[i], static_cast<std::uint32_t>(i));
}

const std::string* TNameList::Find(std::string_view name) const {
    const std::uint32_t at = index_.ValueOf(name, TextIndex::kNone);
    return at == TextIndex::kNone ? nullptr : &names_[at];
}

std::string UnitNameTaker(std::string_view name, const TNameList& typeUnits) {
    return UnitTaker(name, [&](std::string_view wanted) { return typeUnits.Find(wanted); });
}

std::string ProgramNameTaker(std::string_view name, const std::vector<std::string>& programUnits) {
    for (const std::string& unit : programUnits)
        if (SameText(unit, name)) return "the unit " + unit;
    return UnitNameTaker(name, {});
}

std::string NameFault(std::string_view name, std::string_view taker) {
    if (IsReservedWord(name)) return Format(kNameReservedWord, name);
    if (!IsValidIdent(name)) return Format(kNameNotIdentifier, name);
    if (!taker.empty()) return Format(kNameTaken, name, taker);
    return {};
}

namespace {

// The names the forwarding code of `method` uses in its bodies beside its parameters: the
// exported routine's own parameters and its look-up of the object, the controller's local
// variable, fields and the run-time routines it calls. A parameter of such a name hides them.
std::string ForwardingCodeTaker(const TemgMethod& method, std::string_view name) {
    static constexpr std::string_view kForwardingNames[] = {
        "aInstanceID", "VErrorMessage", "FindInstance", "sErrorMessage", "FLibrary", "FInstanceID", "FServer"};
    const bool used = SameText(name, "F" + method.GetName() + "Method") ||
                      std::any_of(std::begin(kForwardingNames), std::end(kForwardingNames),
                                  [&](std::string_view used) { return SameText(used, name); });
    return used ? "the forwarding code of method " + method.GetName() : QualifierTaker(name);
}

}  // namespace

void ClassScope::ForEachMemberNameFault(const NameFaultReport& report,
                                        const std::function<std::string(std::string_view)>& typeTaker) const {
    const ClassNames& names = Names();
    std::vector<const TPersistent*> reported;
    const auto blame = [&](const TPersistent& element, const std::string& fault) {
        reported.push_back(&element);
        report(element, fault);
    };
    const auto check = [&](const TemgAppellationItem& member, std::string_view name, TSubjectOf of) {
        const std::optional<TakenName> taken = names.Find(&member, name);
        // A system member keeps its name: the member the clashing name is derived from answers.
        if (taken && taken->source && of != soExternalProperty && member.HasSetting(isSystemItem)) {
            blame(*taken->source, NameFault(name, taken->Taker()));
            return;
        }
        // The units that qualify what generated code calls would be read as the member.
        if (const std::string fault = NameFault(name, taken ? taken->Taker() : QualifierTaker(name)); !fault.empty())
            blame(member, fault);
    };
    // In the order of the members: properties, events, methods each with its parameters, external
    // properties. The members are read from the scope's copy of their names.
    names.ForEachSubject([&](std::string_view name, const TemgAppellationItem& member, TSubjectOf of) {
        if (of == soExternalClass) return;
        check(member, name, of);
        if (of != soMethod) return;
        const auto& method = static_cast<const TemgMethod&>(member);
        for (int j = 0; j < method.Parameters().Count(); ++j) {
            const TemgParameter& parameter = *method.Parameters().Items(j);
            // A function's body declares Result, and every method's body Self: a parameter of one
            // of these names repeats it or is passed on as the object instead.
            const bool result = method.GetCategory() == mcFunction && SameText(parameter.GetName(), "Result");
            const bool self = SameText(parameter.GetName(), "Self");
            const std::string taker = result ? "the result of function " + method.GetName()
                                      : self ? "the object of method " + method.GetName()
                                             : ForwardingCodeTaker(method, parameter.GetName());
            if (const std::string fault = NameFault(parameter.GetName(), taker); !fault.empty()) report(parameter, fault);
        }
    });
    // Names derived from two members may meet too ("FCreateQueryMethod" of the method CreateQuery
    // and of the property CreateQueryMethod): the second declaration would be left out. A system
    // member keeps its name, the other member answers; each pair is looked at once. The system
    // members of the database support share their routine variable on purpose.
    names.ForEachMeeting([&](std::string_view name, const TakenName& own, const TakenName& other) {
        const bool otherAnswers = other.source && own.System() && !other.System();
        const TPersistent* member = otherAnswers ? other.source : own.source;
        if (std::find(reported.begin(), reported.end(), member) == reported.end())
            blame(*member, NameFault(name, (otherAnswers ? own : other).Taker()));
    });
    // A method pointer type named like a type of the module would be left out or hide it.
    if (!typeTaker) return;
    names.ForEachType([&](std::string_view name, const TakenName& own) {
        // Asked first: a type name is rarely taken, and the system setting is read from the member.
        const std::string taker = typeTaker(name);
        if (taker.empty() || own.System() || std::find(reported.begin(), reported.end(), own.source) != reported.end())
            return;
        blame(*own.source, NameFault(name, taker));
    });
}

namespace {

bool Untyped(const TemgDataTypeItem& item) { return item.DataType().GetName().empty(); }

void ForEachUntypedParameter(const TemgParameters& parameters,
                             const std::function<void(const TemgDataTypeItem&)>& report) {
    for (int i = 0; i < parameters.Count(); ++i)
        if (Untyped(*parameters.Items(i))) report(*parameters.Items(i));
}

}  // namespace

void ForEachUntypedMember(const TemgClass& cls, const std::function<void(const TemgDataTypeItem&)>& report) {
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i)
            if (Untyped(*members->Items(i))) report(*members->Items(i));
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        if (method.GetCategory() == mcFunction && Untyped(method)) report(method);
        ForEachUntypedParameter(method.Parameters(), report);
    }
}

void ForEachUntypedPart(const TemgProceduralType& type, const std::function<void(const TemgDataTypeItem&)>& report) {
    if (type.GetMethodCategory() == mcFunction && Untyped(type)) report(type);
    ForEachUntypedParameter(type.Parameters(), report);
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
