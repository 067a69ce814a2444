// CPlAppDefaults: the host's record of application defaults, with the accessors
// this module exports for two of its fields.
#pragma once

#include <cstdint>

#include "common/PlZuredUDExport.h"

class CPlAppDefaults {
public:
    PLZUREDUD_API std::int16_t GetIntelligentUpdate() const;
    PLZUREDUD_API void SetFabricAttributes(int value);
    PLZUREDUD_API int GetFabricAttributes() const;

    std::int16_t m_intelligentUpdate = 0;
    std::int32_t m_fabricAttributes = 0;
};
