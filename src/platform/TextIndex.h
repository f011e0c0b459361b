// An index of names without regard to case for the tables the check builds over every member,
// enumeration value and derived name of a module, hundreds of thousands of names at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace quillon {

// Numbers by name, compared without regard to case. The names stay with the caller, which keeps
// them in a numbered list: `spells(number, name)` says whether the name stored under a number is
// `name` (without regard to case). The index is one open-addressed array of hash tags and
// numbers, so that a look-up reads one cache line where a node-based map follows a bucket, a node
// and the key, and neither building nor freeing it allocates per name. At a few hundred thousand
// names those cache misses, not the comparisons, were most of the check's time.
class TextIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    explicit TextIndex(std::size_t expected = 0) { Resize(expected); }

    // The number stored under `name`, or kNone.
    template <typename Spells>
    std::uint32_t Find(std::string_view name, const Spells& spells) const {
        const std::uint32_t tag = Tag(name);
        if (!MayHold(tag)) return kNone;
        return slots_[Probe(tag, [&](std::uint32_t number) { return spells(number, name); })].number;
    }

    // Stores `number` under `name` unless a name equal to it is stored; either way returns the
    // number stored under it. `number` is below kNone.
    template <typename Spells>
    std::uint32_t Insert(std::string_view name, std::uint32_t number, const Spells& spells) {
        return InsertTagged(Tag(name), number, [&](std::uint32_t stored) { return spells(stored, name); });
    }

    // For callers that add many names in a row: the tag of a name, a hint to bring the slot of a
    // name to be added soon into the cache (its look-up then need not wait for memory), and Insert
    // with the tag computed beforehand, `same(stored)` saying whether the name stored under a
    // number is the new one.
    static std::uint32_t Tag(std::string_view name) { return static_cast<std::uint32_t>(TextHash()(name)); }
    void Prefetch(std::uint32_t tag) const { __builtin_prefetch(&slots_[tag & (slots_.size() - 1)]); }
    template <typename Same>
    std::uint32_t InsertTagged(std::uint32_t tag, std::uint32_t number, const Same& same) {
        if (3 * (count_ + 1) > 2 * slots_.size()) Resize(2 * count_ + 2);
        Slot& slot = slots_[Probe(tag, same)];
        if (slot.number == kNone) {
            slot = {tag, number};
            ++count_;
            Mark(tag);
        }
        return slot.number;
    }

private:
    // The low half of the name's hash: its low bits place the name, so that growing needs no names.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t number = kNone;
    };

    // The slot of the name `same` finds, or the empty slot where it belongs.
    template <typename Same>
    std::size_t Probe(std::uint32_t tag, const Same& same) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = tag & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.number == kNone || (slot.tag == tag && same(slot.number))) return at;
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
            if (slot.number == kNone) continue;
            std::size_t at = slot.tag & mask;
            while (slots_[at].number != kNone) at = (at + 1) & mask;
            slots_[at] = slot;
            Mark(slot.tag);
        }
    }

    // A filter of eight bits per slot in front of the slots, two set for every name stored: a name
    // whose two bits are not both set is not stored. Most look-ups of the check are of names that
    // are not there (a member's name among the types, an enumeration value among the members):
    // the filter, an eighth of the slots' size, answers those without reading a slot.
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

// Values by name, compared without regard to case; the first value added under a name answers.
// Each entry is one record of the map's own: the value, the name's length and a copy of the name,
// one after another. A look-up that finds a name reads its slot and then one record, most often a
// single cache line, instead of an entry and then the caller's string wherever that was
// allocated: in a large module's indexes those were two more misses per look-up.
template <typename Value>
class TextMap {
    static_assert(std::is_trivially_copyable_v<Value>, "a value is copied into the records as bytes");
    struct Header {
        Value value;
        std::uint32_t size;
    };
    static constexpr std::size_t kWord = sizeof(std::uint64_t);
    static constexpr std::size_t kHeaderWords = (sizeof(Header) + kWord - 1) / kWord;

    Header HeaderAt(std::uint32_t at) const {
        Header header;
        std::memcpy(&header, &records_[at], sizeof header);
        return header;
    }
    std::string_view NameAt(std::uint32_t at) const {
        return {reinterpret_cast<const char*>(records_.data() + at + kHeaderWords), HeaderAt(at).size};
    }
    auto SpelledBy() const {
        return [this](std::uint32_t at, std::string_view name) { return SameText(NameAt(at), name); };
    }

public:
    explicit TextMap(std::size_t expected = 0) : index_(expected) { records_.reserve(expected * (kHeaderWords + 2)); }

    // Adds the entry; true when it is the first under its name.
    bool Add(std::string_view name, Value value) {
        // A record is numbered by the word it starts at.
        const auto at = static_cast<std::uint32_t>(records_.size());
        if (index_.Insert(name, at, SpelledBy()) != at) return false;
        records_.resize(records_.size() + kHeaderWords + (name.size() + kWord - 1) / kWord);
        const Header header{value, static_cast<std::uint32_t>(name.size())};
        std::memcpy(&records_[at], &header, sizeof header);
        std::memcpy(records_.data() + at + kHeaderWords, name.data(), name.size());
        return true;
    }
    // Whether an entry is added under `name`.
    bool Contains(std::string_view name) const { return index_.Find(name, SpelledBy()) != TextIndex::kNone; }
    // The value of the first entry added under `name`, or `otherwise`.
    Value ValueOf(std::string_view name, Value otherwise = {}) const {
        const std::uint32_t at = index_.Find(name, SpelledBy());
        return at == TextIndex::kNone ? otherwise : HeaderAt(at).value;
    }

private:
    std::vector<std::uint64_t> records_;
    TextIndex index_;
};

}  // namespace quillon
