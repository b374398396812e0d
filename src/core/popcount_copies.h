// Compiles the rule engine named by TOMELIN_ENGINE twice: as `generic` for any x86-64 or
// arm64 machine and, where the compiler allows (see bits.h), as `withPopcount` for machines
// with the popcount instruction; the includer picks one at run time with
// bits::hasPopcountInstruction(). Deliberately without an include guard: each engine's
// source includes it once, inside its own anonymous namespace.

namespace generic {
#include TOMELIN_ENGINE
}  // namespace generic

#if TOMELIN_POPCOUNT_COPY
#pragma GCC push_options
#pragma GCC target("popcnt")
namespace withPopcount {
#include TOMELIN_ENGINE
}  // namespace withPopcount
#pragma GCC pop_options
#endif

#undef TOMELIN_ENGINE
