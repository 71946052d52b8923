// The generator's source of chance: a small generator whose sequence is fixed by its seed on every
// platform and standard library (the standard distributions are not), so that a seed names the
// same statements everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace foxgen {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A number in [0, n); 0 when n is 0.
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    // A number in [low, high].
    int between(int low, int high) { return low + static_cast<int>(below(static_cast<std::size_t>(high - low + 1))); }
    // True in 'percent' of the calls.
    bool chance(int percent) { return static_cast<int>(below(100)) < percent; }
    template <typename Items>
    const auto &pick(const Items &items) { return items[below(std::size(items))]; }
    // An index chosen by weight.
    std::size_t weighted(std::initializer_list<int> weights) {
        int total = 0;
        for (int w : weights) total += w;
        int roll = static_cast<int>(below(static_cast<std::size_t>(total)));
        std::size_t index = 0;
        for (int w : weights) {
            if (roll < w) return index;
            roll -= w;
            ++index;
        }
        return weights.size() - 1;
    }

private:
    std::uint64_t state_;
};

// A seed derived from two numbers (a run's seed and a statement's number), so that each statement
// can be made again on its own.
inline std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    Random r(a ^ (b * 0xD1B54A32D192ED03ULL));
    r.next();
    return r.next();
}

}  // namespace foxgen
