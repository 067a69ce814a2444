// Which code the calculation runs: the portable loop, or the vector loop of a processor that has it.
#pragma once

#include "illuminance/kernel.h"

namespace plandor::illuminance {

enum class InstructionSet {
    Portable,  ///< plain C++, any processor
    Avx2,      ///< x86-64 with AVX2, chosen at run time
};

/// Whether this processor (and build) can run `set`.
bool available(InstructionSet set);
/// The widest set available here: what a calculation uses unless told otherwise.
InstructionSet widestAvailable();
/// The inner loop of `set`, which must be available.
RowKernel rowKernel(InstructionSet set);

}  // namespace plandor::illuminance
