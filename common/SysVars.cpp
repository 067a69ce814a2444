// System variables through the host's result buffers.
#include "common/SysVars.h"

#include <cmath>
#include <limits>

#include "host/pled.h"

int getSysVarInt(const wchar_t* name) {
    resbuf value;
    if (pledGetVar(name, &value) != PLRTNORM) return -1;
    switch (value.restype) {
        case PLRTREAL: {
            const double truncated = std::trunc(value.resval.rreal);
            if (!(truncated >= static_cast<double>(std::numeric_limits<int>::min()) &&
                  truncated <= static_cast<double>(std::numeric_limits<int>::max())))
                return -1;  // not a number, or no int holds it
            return static_cast<int>(truncated);
        }
        case PLRTSHORT:
            return value.resval.rint;
        case PLRTLONG:
            return value.resval.rlong;
        case PLRTSTR:
            pledFreeString(value.resval.rstring);
            return -1;
        default:
            return -1;
    }
}

bool photometricUnits() {
    const int units = getSysVarInt(L"LIGHTINGUNITS");
    return units == 1 || units == 2;
}

bool turnOffDefaultLighting() {
    resbuf value;
    value.restype = PLRTSHORT;
    value.resval.rint = 0;
    return pledSetVar(L"DEFAULTLIGHTING", &value) == PLRTNORM;
}
