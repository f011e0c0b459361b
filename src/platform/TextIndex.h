// An index of names without regard to case for the tables the check builds over every member,
// enumeration value and derived name of a module, hundreds of thousands of names at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace quillon {

// Numbers by name, compared without regard to case. The names stay with the caller, which keeps
// them in a numbered list: `nameOf(number)` gives the name stored under a number. The index is one
// open-addressed array of hash tags and numbers, so that a look-up reads one cache line where a
// node-based map follows a bucket, a node and the key, and neither building nor freeing it
// allocates per name. At a few hundred thousand names those cache misses, not the comparisons,
// were most of the check's time.
class TextIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    explicit TextIndex(std::size_t expected = 0) { Resize(expected); }

    // The number stored under `name`, or kNone.
    template <typename NameOf>
    std::uint32_t Find(std::string_view name, const NameOf& nameOf) const {
        return slots_[Probe(name, Tag(name), nameOf)].number;
    }

    // Stores `number` under `name` unless a name equal to it is stored; either way returns the
    // number stored under it. `number` is below kNone.
    template <typename NameOf>
    std::uint32_t Insert(std::string_view name, std::uint32_t number, const NameOf& nameOf) {
        if (3 * (count_ + 1) > 2 * slots_.size()) Resize(2 * count_ + 2);
        const std::uint32_t tag = Tag(name);
        Slot& slot = slots_[Probe(name, tag, nameOf)];
        if (slot.number == kNone) {
            slot = {tag, number};
            ++count_;
        }
        return slot.number;
    }

private:
    // The low half of the name's hash: its low bits place the name, so that growing needs no names.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t number = kNone;
    };

    static std::uint32_t Tag(std::string_view name) { return static_cast<std::uint32_t>(TextHash()(name)); }

    // The slot of `name`, or the empty slot where it belongs.
    template <typename NameOf>
    std::size_t Probe(std::string_view name, std::uint32_t tag, const NameOf& nameOf) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = tag & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.number == kNone || (slot.tag == tag && SameText(nameOf(slot.number), name))) return at;
        }
    }

    // Room for `expected` names at two thirds full, a power of two slots.
    void Resize(std::size_t expected) {
        std::size_t size = 16;
        while (2 * size < 3 * expected) size *= 2;
        std::vector<Slot> old(size);
        old.swap(slots_);
        const std::size_t mask = size - 1;
        for (const Slot& slot : old) {
            if (slot.number == kNone) continue;
            std::size_t at = slot.tag & mask;
            while (slots_[at].number != kNone) at = (at + 1) & mask;
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// Values by name, compared without regard to case; the first value added under a name answers.
// The names are views: what they view must outlive the map.
template <typename Value>
class TextMap {
public:
    struct Entry {
        std::string_view name;
        Value value;
    };

    explicit TextMap(std::size_t expected = 0) : index_(expected) { entries_.reserve(expected); }

    void Add(std::string_view name, Value value) {
        entries_.push_back({name, std::move(value)});
        index_.Insert(name, static_cast<std::uint32_t>(entries_.size() - 1), NameOf());
    }
    // The first entry added under `name`, or nullptr.
    const Entry* Find(std::string_view name) const {
        const std::uint32_t found = index_.Find(name, NameOf());
        return found == TextIndex::kNone ? nullptr : &entries_[found];
    }
    // The value of the first entry added under `name`, or `otherwise`.
    Value ValueOf(std::string_view name, Value otherwise = {}) const {
        const Entry* found = Find(name);
        return found ? found->value : otherwise;
    }

private:
    auto NameOf() const {
        return [this](std::uint32_t i) { return entries_[i].name; };
    }

    std::vector<Entry> entries_;
    TextIndex index_;
};

}  // namespace quillon
