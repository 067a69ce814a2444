// The reserved-name queries ZuredUDKMX exports, over the one table of the process.
#include "app/ZuredUDKMX.h"
#include "common/Messages.h"
#include "reserved/ReservedStringTable.h"

namespace {

/// Built on first use, once, also when several threads ask at the same time;
/// it lives until the module is unloaded and never sees a later change of the
/// resource module.
const ReservedStringTable& reservedStrings() {
    static const ReservedStringTable table([](unsigned id) { return loadMessage(id); });
    return table;
}

}  // namespace

const wchar_t* ZuredUDKMX::getReservedString(ReservedStringType type, bool localized) {
    // The host's types, and those out of range, need no table.
    if (type < kViewCurrent || type > kRenderPresetOvernight) return hostReservedString(type, localized);
    return reservedStrings().form(type, localized);
}

bool ZuredUDKMX::isReservedString(const wchar_t* text, ReservedStringType type) {
    return reservedStrings().isReservedString(text, type);
}

bool ZuredUDKMX::isReservedString(const wchar_t* text) { return reservedStrings().isReservedString(text); }

bool ZuredUDKMX::isReservedViewString(const wchar_t* text) { return reservedStrings().isReservedViewString(text); }

const wchar_t* ZuredUDKMX::translateReservedString(const wchar_t* text, bool toLocalized) {
    return reservedStrings().translateReservedString(text, toLocalized);
}
