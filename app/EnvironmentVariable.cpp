// Environment variables as wide text on Windows and elsewhere.
#include "app/EnvironmentVariable.h"

#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

std::size_t readEnvironmentVariable(const wchar_t* name, wchar_t* buffer, std::size_t capacity) {
    if (!name || !buffer || capacity == 0) return 0;
#if defined(_WIN32)
    const DWORD answer = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(capacity));
    return static_cast<std::size_t>(answer);
#else
    std::string narrowName;
    for (const wchar_t* p = name; *p; ++p) narrowName += static_cast<char>(*p < 128 ? *p : '?');
    const char* raw = std::getenv(narrowName.c_str());
    if (!raw || !*raw) return 0;
    // Decode UTF-8; a malformed byte stands for itself.
    std::wstring value;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(raw); *p;) {
        unsigned long cp = *p;
        int extra = cp >= 0xF0 ? 3 : cp >= 0xE0 ? 2 : cp >= 0xC0 ? 1 : 0;
        if (extra) cp &= (0x3Fu >> extra);
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) cp = (cp << 6) | (*p & 0x3Fu);
        value += static_cast<wchar_t>(cp);
    }
    if (value.size() + 1 > capacity) return value.size() + 1;
    value.copy(buffer, value.size());
    buffer[value.size()] = L'\0';
    return value.size();
#endif
}

bool marrowEnabledFor(std::size_t length, const wchar_t* value) {
    const bool disabled = length >= 1 && length <= 7 && value && (value[0] == L'Y' || value[0] == L'y');
    return !disabled;
}
