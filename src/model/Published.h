// The published-property tables: each streamed class lists its published properties once, base
// class first, in stream order. The object-text writer and reader, the equality test of
// collections and the workbench's editors all walk the same table.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Persistent.h"

namespace quillon {

class TCollection;

// The identifiers of an enumeration in ordinal order (also the element type of a set).
struct EnumTypeInfo {
    std::string_view name;
    std::vector<std::string_view> identifiers;

    // Ordinal of `identifier` compared without regard to case, or nullopt.
    std::optional<int> ValueOf(std::string_view identifier) const;
    std::string_view NameOf(std::int64_t ordinal) const;
    int Count() const { return static_cast<int>(identifiers.size()); }
};

// A set of enumeration values as a bit mask over their ordinals (at most 32 values).
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr void Include(E v) { bits_ |= Bit(v); }
    constexpr void Exclude(E v) { bits_ &= ~Bit(v); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
    std::uint32_t bits_ = 0;
};

enum class PropKind { Integer, Boolean, Enumeration, Set, Float, String, StringList, Object, Collection };

// One published property. Ordinal kinds (Integer, Boolean, Enumeration, Set) are read and
// written as 64-bit ordinals (a set as its bit mask); Object, StringList and Collection give
// access to the owned sub-object.
struct PropertyInfo {
    std::string name;
    PropKind kind = PropKind::Integer;
    const EnumTypeInfo* type = nullptr;          // Enumeration: its type; Set: the element type
    std::optional<std::int64_t> defaultOrdinal;  // ordinal kinds: the declared default, if any
    // Integer: the range of the accessor's type, so the reader rejects values it would truncate.
    std::int64_t minValue = std::numeric_limits<std::int64_t>::min();
    std::int64_t maxValue = std::numeric_limits<std::int64_t>::max();

    std::function<std::int64_t(const TPersistent&)> getOrdinal;
    std::function<void(TPersistent&, std::int64_t)> setOrdinal;
    std::function<double(const TPersistent&)> getFloat;
    std::function<void(TPersistent&, double)> setFloat;
    std::function<std::string(const TPersistent&)> getString;
    std::function<void(TPersistent&, const std::string&)> setString;
    std::function<TPersistent&(TPersistent&)> object;  // Object, StringList, Collection

    TPersistent& ObjectOf(const TPersistent& owner) const { return object(const_cast<TPersistent&>(owner)); }
};

namespace detail {
template <class F>
struct MemberClassOf;
template <class R, class C>
struct MemberClassOf<R C::*> {
    using type = C;
};
template <class F>
using MemberClass = typename MemberClassOf<F>::type;
}  // namespace detail

// The published properties of one class. Built once per class by its PublishProperties and
// cached by PublishedOf<T>().
class PropertyList {
public:
    explicit PropertyList(std::string_view className) : className_(className) {}

    std::string_view ClassName() const { return className_; }
    const std::vector<PropertyInfo>& Properties() const { return props_; }
    // The property named `name` without regard to case, or nullptr.
    const PropertyInfo* Find(std::string_view name) const;

    template <class G, class S>
    void Integer(std::string name, G get, S set, std::optional<std::int64_t> defaultValue = 0) {
        using C = detail::MemberClass<G>;
        using R = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::Integer);
        p.defaultOrdinal = defaultValue;
        if constexpr (std::is_integral_v<R> && sizeof(R) < sizeof(std::int64_t)) {
            p.minValue = std::numeric_limits<R>::min();
            p.maxValue = std::numeric_limits<R>::max();
        } else if constexpr (std::is_unsigned_v<R>) {
            p.minValue = 0;
        }
        p.getOrdinal = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(std::invoke(get, static_cast<const C&>(o)));
        };
        p.setOrdinal = [set](TPersistent& o, std::int64_t v) { std::invoke(set, static_cast<C&>(o), v); };
    }

    // `defaultValue` nullopt: no declared default, so the value is always written.
    template <class G, class S>
    void Boolean(std::string name, G get, S set, std::optional<bool> defaultValue) {
        using C = detail::MemberClass<G>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::Boolean);
        if (defaultValue) p.defaultOrdinal = *defaultValue ? 1 : 0;
        p.getOrdinal = [get](const TPersistent& o) {
            return std::int64_t{std::invoke(get, static_cast<const C&>(o)) ? 1 : 0};
        };
        p.setOrdinal = [set](TPersistent& o, std::int64_t v) { std::invoke(set, static_cast<C&>(o), v != 0); };
    }

    template <class E, class G, class S>
    void Enumeration(std::string name, G get, S set, const EnumTypeInfo& type, std::optional<E> defaultValue) {
        using C = detail::MemberClass<G>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::Enumeration);
        p.type = &type;
        if (defaultValue) p.defaultOrdinal = static_cast<std::int64_t>(*defaultValue);
        p.getOrdinal = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(std::invoke(get, static_cast<const C&>(o)));
        };
        p.setOrdinal = [set](TPersistent& o, std::int64_t v) {
            std::invoke(set, static_cast<C&>(o), static_cast<E>(v));
        };
    }

    template <class E, class G, class S>
    void Set(std::string name, G get, S set, const EnumTypeInfo& elementType, std::optional<TSet<E>> defaultValue) {
        using C = detail::MemberClass<G>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::Set);
        p.type = &elementType;
        if (defaultValue) p.defaultOrdinal = defaultValue->Bits();
        p.getOrdinal = [get](const TPersistent& o) {
            return static_cast<std::int64_t>(TSet<E>(std::invoke(get, static_cast<const C&>(o))).Bits());
        };
        p.setOrdinal = [set](TPersistent& o, std::int64_t v) {
            std::invoke(set, static_cast<C&>(o), TSet<E>::FromBits(static_cast<std::uint32_t>(v)));
        };
    }

    // Floating point (also date-times); 0 is not written.
    template <class G, class S>
    void Float(std::string name, G get, S set) {
        using C = detail::MemberClass<G>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::Float);
        p.getFloat = [get](const TPersistent& o) {
            return static_cast<double>(std::invoke(get, static_cast<const C&>(o)));
        };
        p.setFloat = [set](TPersistent& o, double v) { std::invoke(set, static_cast<C&>(o), v); };
    }

    // An empty string is not written.
    template <class G, class S>
    void String(std::string name, G get, S set) {
        using C = detail::MemberClass<G>;
        PropertyInfo& p = AddInfo(std::move(name), PropKind::String);
        p.getString = [get](const TPersistent& o) {
            return std::string(std::invoke(get, static_cast<const C&>(o)));
        };
        p.setString = [set](TPersistent& o, const std::string& v) { std::invoke(set, static_cast<C&>(o), v); };
    }

    // An owned sub-object written under the path prefix "Name."; `access` returns a reference.
    template <class F>
    void Object(std::string name, F access) {
        AddObject(std::move(name), PropKind::Object, access);
    }
    template <class F>
    void StringList(std::string name, F access) {
        AddObject(std::move(name), PropKind::StringList, access);
    }
    template <class F>
    void Collection(std::string name, F access) {
        AddObject(std::move(name), PropKind::Collection, access);
    }

private:
    PropertyInfo& AddInfo(std::string name, PropKind kind);

    template <class F>
    void AddObject(std::string name, PropKind kind, F access) {
        using C = detail::MemberClass<F>;
        PropertyInfo& p = AddInfo(std::move(name), kind);
        p.object = [access](TPersistent& o) -> TPersistent& { return std::invoke(access, static_cast<C&>(o)); };
    }

    std::string_view className_;
    std::vector<PropertyInfo> props_;
};

// The cached property list of class T, built by T::PublishProperties under T::kClassName.
template <class T>
const PropertyList& PublishedOf() {
    static const PropertyList list = [] {
        PropertyList p(T::kClassName);
        T::PublishProperties(p);
        return p;
    }();
    return list;
}

}  // namespace quillon
