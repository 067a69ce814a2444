// Real numbers in plandor's JSON files: the shortest digits that read back to the same value.
#pragma once

#include <string>
#include <string_view>

namespace plandor {

/// `value` as a JSON number that reads back to the same double and is
/// recognisably real ("1.0", "2.5e-07"); null when it is not finite.
std::string jsonReal(double value);
/// The same, appended to `out`.
void appendJsonReal(std::string& out, double value);

/// `json` with each real number (one with a decimal point or an exponent) written as
/// jsonReal writes it: the JSON library's digits read back to the same value, but are not
/// always the fewest. Whole numbers and strings stay as they are.
std::string withShortestReals(std::string_view json);

}  // namespace plandor
