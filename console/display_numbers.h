// Numbers and points as the console shows them to a person: short, rounded, locale-free.
#pragma once

#include <string>

namespace plandor {

/// `value` rounded to four decimals, without trailing zeros or a lone
/// decimal point: "1500", "2.5", "0.3333", "-0.01". A number whose whole part
/// has more than 15 digits is shown with an exponent, its first digits rounded
/// to four decimals likewise: "1e+15", "-1.7977e+308". Minus zero shows as "0";
/// values that are not finite as "inf", "-inf" or "nan".
std::wstring displayNumber(double value);

/// Three numbers as "x,y,z", the way points are typed at a prompt.
std::wstring displayTriple(double x, double y, double z);

}  // namespace plandor
