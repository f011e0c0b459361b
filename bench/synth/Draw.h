// Seeded draws for the synthetic projects and the design generator: a seed gives the same
// sequence on every platform and standard library.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quillon {

// The engine's output sequence is fixed by the standard; the distributions are not, so the
// draws reduce it themselves.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    // 0 .. count-1.
    int Below(int count) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(count)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    std::uint32_t Word() { return static_cast<std::uint32_t>(engine_()); }

    // A class identifier in registry form, upper case.
    std::string Guid() {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string text = "{";
        for (int i = 0; i < 32; ++i) {
            if (i == 8 || i == 12 || i == 16 || i == 20) text += '-';
            text += kHex[Word() % 16];
        }
        return text + "}";
    }

private:
    std::mt19937 engine_;
};

}  // namespace quillon
