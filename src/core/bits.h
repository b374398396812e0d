#pragma once
// Fixed-width bit sets for the rule engines: W 64-bit words, cells as bit indices in the
// layout of Position (column by column, stride side + 2).

#include <cstdint>

#include "core/position.h"

// The rule engines are compiled a second time for the popcount instruction where the
// compiler lets a region of code change its target: GCC on x86-64. Clang (the fuzzing and
// sanitizer builds) keeps the portable copy only.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TOMELIN_POPCOUNT_COPY 1
#else
#define TOMELIN_POPCOUNT_COPY 0
#endif

namespace tomelin::bits {

inline int popcount(std::uint64_t v) {
    return __builtin_popcountll(v);
}

// Whether the rule engines may run their copies built for the popcount instruction. Only
// x86-64 asks: its baseline lacks the instruction, while arm64 always counts bits fast.
inline bool hasPopcountInstruction() {
#if TOMELIN_POPCOUNT_COPY
    static const bool has = __builtin_cpu_supports("popcnt");
    return has;
#else
    return false;
#endif
}

template <int W>
struct Bits {
    std::uint64_t w[W];

    static Bits load(const std::uint64_t* p) {
        Bits b;
        for (int i = 0; i < W; ++i)
            b.w[i] = p[i];
        return b;
    }
    static Bits load(const Words& a) { return load(a.data()); }
    static Bits none() {
        Bits b;
        for (int i = 0; i < W; ++i)
            b.w[i] = 0;
        return b;
    }
    static Bits single(int bit) {
        Bits b = none();
        b.w[bit >> 6] = std::uint64_t{1} << (bit & 63);
        return b;
    }
    void store(Words& a) const {
        for (int i = 0; i < W; ++i)
            a[static_cast<std::size_t>(i)] = w[i];
    }

    friend Bits operator&(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i)
            a.w[i] &= b.w[i];
        return a;
    }
    friend Bits operator|(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i)
            a.w[i] |= b.w[i];
        return a;
    }
    friend Bits operator^(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i)
            a.w[i] ^= b.w[i];
        return a;
    }
    friend Bits operator~(Bits a) {
        for (int i = 0; i < W; ++i)
            a.w[i] = ~a.w[i];
        return a;
    }
    // a without b.
    friend Bits minus(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i)
            a.w[i] &= ~b.w[i];
        return a;
    }
    bool any() const {
        std::uint64_t v = 0;
        for (int i = 0; i < W; ++i)
            v |= w[i];
        return v != 0;
    }
    bool test(int bit) const { return (w[bit >> 6] >> (bit & 63)) & 1U; }
    int count() const {
        int n = 0;
        for (int i = 0; i < W; ++i)
            n += popcount(w[i]);
        return n;
    }

    // Towards higher bits by k, 0 < k < 64.
    Bits up(int k) const {
        Bits r;
        r.w[0] = w[0] << k;
        for (int i = 1; i < W; ++i)
            r.w[i] = (w[i] << k) | (w[i - 1] >> (64 - k));
        return r;
    }
    // Towards lower bits by k, 0 < k < 64.
    Bits down(int k) const {
        Bits r;
        for (int i = 0; i + 1 < W; ++i)
            r.w[i] = (w[i] >> k) | (w[i + 1] << (64 - k));
        r.w[W - 1] = w[W - 1] >> k;
        return r;
    }
    Bits shifted(int offset) const { return offset > 0 ? up(offset) : down(-offset); }

    // Calls f(bit) for every set bit, lowest first: the board's scan order.
    template <class F>
    void forEach(F&& f) const {
        for (int i = 0; i < W; ++i) {
            for (std::uint64_t v = w[i]; v; v &= v - 1)
                f(i * 64 + __builtin_ctzll(v));
        }
    }
};

// The cells next to any cell of b (b's own cells included), by the logic's neighbours.
template <int W>
Bits<W> neighbourhood(const Bits<W>& b, bool star, int stride) {
    if (star) {
        const Bits<W> h = b | b.up(1) | b.down(1);
        return h | h.up(stride) | h.down(stride);
    }
    return b | b.up(1) | b.down(1) | b.up(stride) | b.down(stride);
}

// The cells within reach of any cell of b, copies and jumps together (b's cells included).
template <int W>
Bits<W> reach(const Bits<W>& b, bool star, int stride) {
    if (star) {
        const Bits<W> h = b | b.up(1) | b.down(1) | b.up(2) | b.down(2);
        return h | h.up(stride) | h.down(stride) | h.up(2 * stride) | h.down(2 * stride);
    }
    const Bits<W> box = neighbourhood(b, true, stride);
    return box | b.up(2) | b.down(2) | b.up(2 * stride) | b.down(2 * stride);
}

// Runs f.template operator()<W>() with the word count of the position as a constant.
template <class F>
decltype(auto) withWords(int words, F&& f) {
    switch (words) {
        case 1:
            return f.template operator()<1>();
        case 2:
            return f.template operator()<2>();
        case 3:
            return f.template operator()<3>();
        case 4:
            return f.template operator()<4>();
        default:
            return f.template operator()<5>();
    }
}

}  // namespace tomelin::bits
