// Reading integer system variables, the lighting units, and switching default lighting off.
#pragma once

/// The variable as an int whatever numeric type the host keeps it in: a real
/// is truncated toward zero. -1 when it cannot be read, is not numeric, or is
/// a real that no int can hold (not a number, or out of range).
int getSysVarInt(const wchar_t* name);

/// Sets "DEFAULTLIGHTING" to 0; true when the host took it.
bool turnOffDefaultLighting();

/// True when "LIGHTINGUNITS" selects photometric lighting (1 or 2).
bool photometricUnits();
