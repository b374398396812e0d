#pragma once
// A scripted random source for tests: returns its values in turn and counts the draws.

#include <cstddef>
#include <vector>

#include "core/ports.h"

namespace tomelin::test {

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> values = {0.5}) : m_values(std::move(values)) {}
    double next() override {
        const double v = m_values[m_draws % m_values.size()];
        ++m_draws;
        return v;
    }
    std::size_t draws() const { return m_draws; }

private:
    std::vector<double> m_values;
    std::size_t m_draws = 0;
};

}  // namespace tomelin::test
