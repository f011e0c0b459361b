// An index of names without regard to case for the tables the check builds over every member,
// enumeration value and derived name of a module, hundreds of thousands of names at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace quillon {

// An open-addressed array of slots, each placed by the 32-bit tag of its name (the low half of the
// name's hash: its low bits place the slot, so that growing needs no names), for the indexes below.
// A slot is a `Slot` with a `tag` and `Empty()`; a default `Slot` is empty. `same(slot)` says
// whether a slot with the tag holds the name asked for.
template <typename Slot>
class TaggedSlots {
public:
    explicit TaggedSlots(std::size_t expected = 0) { Resize(expected); }

    // The slot holding the name, or nullptr.
    template <typename Same>
    const Slot* Find(std::uint32_t tag, const Same& same) const {
        if (!MayHold(tag)) return nullptr;
        const Slot& slot = slots_[Probe(tag, same)];
        return slot.Empty() ? nullptr : &slot;
    }

    // The slot holding the name, and false; else the slot `make()` made for it, and true.
    template <typename Same, typename Make>
    std::pair<const Slot*, bool> Insert(std::uint32_t tag, const Same& same, const Make& make) {
        if (3 * (count_ + 1) > 2 * slots_.size()) Resize(2 * count_ + 2);
        Slot& slot = slots_[Probe(tag, same)];
        if (!slot.Empty()) return {&slot, false};
        slot = make();
        ++count_;
        Mark(tag);
        return {&slot, true};
    }

    // A hint to bring the slot of a name to be added soon into the cache, so that its insertion
    // need not wait for memory.
    void Prefetch(std::uint32_t tag) const { __builtin_prefetch(&slots_[tag & (slots_.size() - 1)]); }

private:
    // The slot of the name `same` finds, or the empty slot where it belongs.
    template <typename Same>
    std::size_t Probe(std::uint32_t tag, const Same& same) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = tag & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.Empty() || (slot.tag == tag && same(slot))) return at;
        }
    }

    // Room for `expected` names at two thirds full, a power of two slots.
    void Resize(std::size_t expected) {
        std::size_t size = 16;
        int bits = 4;
        while (2 * size < 3 * expected) {
            size *= 2;
            ++bits;
        }
        std::vector<Slot> old(size);
        old.swap(slots_);
        filter_.assign(size / 8, 0);
        filterShift_ = 32 - (bits + 3);
        const std::size_t mask = size - 1;
        for (const Slot& slot : old) {
            if (slot.Empty()) continue;
            std::size_t at = slot.tag & mask;
            while (!slots_[at].Empty()) at = (at + 1) & mask;
            slots_[at] = slot;
            Mark(slot.tag);
        }
    }

    // A filter of eight bits per slot in front of the slots, two set for every name stored: a name
    // whose two bits are not both set is not stored. Most look-ups of the check are of names that
    // are not there (a member's name among the types, an enumeration value among the members):
    // the filter, far smaller than the slots, answers those without reading a slot.
    std::array<std::uint32_t, 2> FilterBits(std::uint32_t tag) const {
        return {(tag * 0x9E3779B1u) >> filterShift_, (tag * 0x85EBCA77u) >> filterShift_};
    }
    bool MayHold(std::uint32_t tag) const {
        for (const std::uint32_t bit : FilterBits(tag))
            if (!(filter_[bit >> 6] >> (bit & 63) & 1)) return false;
        return true;
    }
    void Mark(std::uint32_t tag) {
        for (const std::uint32_t bit : FilterBits(tag)) filter_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::vector<std::uint64_t> filter_;
    int filterShift_ = 0;
};

// The tag that places a name in the tables below.
inline std::uint32_t TextTag(std::string_view name) { return static_cast<std::uint32_t>(TextHash()(name)); }

// Numbers by name, compared without regard to case. The names stay with the caller, which keeps
// them in a numbered list: `spells(number, name)` says whether the name stored under a number is
// `name` (without regard to case). A slot is a tag and a number, so that a look-up reads one cache
// line where a node-based map follows a bucket, a node and the key, and neither building nor
// freeing it allocates per name. At a few hundred thousand names those cache misses, not the
// comparisons, were most of the check's time.
class TextIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    explicit TextIndex(std::size_t expected = 0) : slots_(expected) {}

    // The number stored under `name`, or kNone.
    template <typename Spells>
    std::uint32_t Find(std::string_view name, const Spells& spells) const {
        const Slot* slot = slots_.Find(TextTag(name), [&](const Slot& stored) { return spells(stored.number, name); });
        return slot ? slot->number : kNone;
    }

    // Stores `number` under `name` unless a name equal to it is stored; either way returns the
    // number stored under it. `number` is below kNone.
    template <typename Spells>
    std::uint32_t Insert(std::string_view name, std::uint32_t number, const Spells& spells) {
        return InsertTagged(TextTag(name), number, [&](std::uint32_t stored) { return spells(stored, name); });
    }

    // For callers that add many names in a row: a hint to bring the slot of a name's tag (TextTag)
    // into the cache beforehand, and Insert with the tag computed beforehand, `same(stored)` saying
    // whether the name stored under a number is the new one.
    void Prefetch(std::uint32_t tag) const { slots_.Prefetch(tag); }
    template <typename Same>
    std::uint32_t InsertTagged(std::uint32_t tag, std::uint32_t number, const Same& same) {
        return slots_.Insert(tag, [&](const Slot& stored) { return same(stored.number); },
                             [&] { return Slot{tag, number}; })
            .first->number;
    }

private:
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t number = kNone;
        bool Empty() const { return number == kNone; }
    };

    TaggedSlots<Slot> slots_;
};

// Values by name, compared without regard to case; the first value added under a name answers.
// The map keeps its own copy of every name, in the slot itself beside the value when the name is
// short, as most are: a look-up that finds a name reads one slot, one cache line, where a slot
// pointing to a record of the name read two, and in a large module's indexes each was a miss.
template <typename Value>
class TextMap {
    static_assert(std::is_trivially_copyable_v<Value> && sizeof(Value) <= 8, "a value is kept in the slot");
    static constexpr std::size_t kInline = 16;
    static constexpr std::uint32_t kFree = UINT32_MAX;

    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t size = kFree;  // of the name
        Value value{};
        // The name when it has at most kInline bytes, else where it starts in longNames_.
        char text[kInline]{};
        bool Empty() const { return size == kFree; }
    };

    std::string_view NameOf(const Slot& slot) const {
        if (slot.size <= kInline) return {slot.text, slot.size};
        std::uint64_t at;
        std::memcpy(&at, slot.text, sizeof at);
        return {longNames_.data() + at, slot.size};
    }
    auto Spelling(std::string_view name) const {
        return [this, name](const Slot& slot) { return slot.size == name.size() && SameText(NameOf(slot), name); };
    }

public:
    explicit TextMap(std::size_t expected = 0) : slots_(expected) {}

    // Adds the entry; true when it is the first under its name.
    bool Add(std::string_view name, Value value) {
        const std::uint32_t tag = TextTag(name);
        return slots_
            .Insert(tag, Spelling(name),
                    [&] {
                        Slot slot{tag, static_cast<std::uint32_t>(name.size()), value};
                        if (name.size() <= kInline) {
                            std::memcpy(slot.text, name.data(), name.size());
                        } else {
                            const std::uint64_t at = longNames_.size();
                            longNames_.append(name);
                            std::memcpy(slot.text, &at, sizeof at);
                        }
                        return slot;
                    })
            .second;
    }
    // Whether an entry is added under `name`; with its tag (TextTag(name)) when the caller asks
    // several tables about one name.
    bool Contains(std::string_view name) const { return Contains(name, TextTag(name)); }
    bool Contains(std::string_view name, std::uint32_t tag) const { return slots_.Find(tag, Spelling(name)) != nullptr; }
    // The value of the first entry added under `name`, or `otherwise`.
    Value ValueOf(std::string_view name, Value otherwise = {}) const {
        const Slot* slot = slots_.Find(TextTag(name), Spelling(name));
        return slot ? slot->value : otherwise;
    }

private:
    TaggedSlots<Slot> slots_;
    std::string longNames_;
};

}  // namespace quillon
