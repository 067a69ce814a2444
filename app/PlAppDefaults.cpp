// Accessors of the application-defaults record.
#include "app/PlAppDefaults.h"

std::int16_t CPlAppDefaults::GetIntelligentUpdate() const { return m_intelligentUpdate; }

void CPlAppDefaults::SetFabricAttributes(int value) { m_fabricAttributes = value; }

int CPlAppDefaults::GetFabricAttributes() const { return m_fabricAttributes; }
