// Which code the calculation runs: the processor's features, asked once.
#include "illuminance/instruction_set.h"

namespace plandor::illuminance {

bool available(InstructionSet set) {
    switch (set) {
        case InstructionSet::Portable: return true;
        case InstructionSet::Avx2:
#if defined(PL_ILLUMINANCE_AVX2)
            static const bool hasAvx2 = [] {
                __builtin_cpu_init();
                return __builtin_cpu_supports("avx2") != 0;
            }();
            return hasAvx2;
#else
            return false;
#endif
    }
    return false;
}

InstructionSet widestAvailable() {
    return available(InstructionSet::Avx2) ? InstructionSet::Avx2 : InstructionSet::Portable;
}

RowKernel rowKernel(InstructionSet set) {
#if defined(PL_ILLUMINANCE_AVX2)
    if (set == InstructionSet::Avx2 && available(set)) return &avx2Row;
#else
    static_cast<void>(set);
#endif
    return &portableRow;
}

}  // namespace plandor::illuminance
