// Editor services: command-line input, output, system variables, coordinate systems, units.
#pragma once

#include "host/plexport.h"
#include "host/plge.h"
#include "host/plstatus.h"
#include "host/plstring.h"

/// A result buffer: one typed value (the host chains them through rbnext).
struct resbuf {
    resbuf* rbnext = nullptr;
    short restype = 0;  ///< a ResbufType
    union {
        double rreal;
        short rint;
        int rlong;
        wchar_t* rstring;  ///< owned by the buffer's filler; free with pledFreeString
        double rpoint[3];
    } resval{};
};

// ---- Output --------------------------------------------------------------

/// Prints to the command line. `format` follows PlString::format; never pass a
/// text that a user typed as the format.
PLHOST_API int plutPrintf(const wchar_t* format, ...);

// ---- Input ---------------------------------------------------------------

/// Flags of pledInitGet.
enum PledInitGetFlags : int {
    PLRSG_NONULL = 1,  ///< an empty reply is refused
    PLRSG_NOZERO = 2,  ///< zero is refused
    PLRSG_NONEG = 4,   ///< a negative number is refused
    PLRSG_OTHER = 128, ///< a reply that is no declared keyword comes back as text
};

/// Declares flags and keywords for the next input call only. The keyword list
/// holds the local names separated by spaces and, after a lone "_", the
/// global names in the same order; without "_" the local names are global too.
PLHOST_API int pledInitGet(int flags, const wchar_t* keywordList);
/// Asks for a keyword. On 5100 `reply` holds the global name (or, with flag
/// 128, the text typed; a text that is a number is then refused under flags 2
/// and 4 as at a number prompt). 5000 on an empty reply.
PLHOST_API int pledGetKword(const wchar_t* prompt, PlString& reply);
/// Asks for a text. allowSpaces 1: the reply may hold spaces and ends with
/// Enter; 0: a space also ends it.
PLHOST_API int pledGetString(int allowSpaces, const wchar_t* prompt, PlString& reply);
/// Asks for a number; `value` is written only on 5100. A declared keyword
/// answers -5005 and is read with pledGetInput.
PLHOST_API int pledGetReal(const wchar_t* prompt, double* value);
/// Asks for a whole number in the 32-bit range (the host refuses others).
PLHOST_API int pledGetShort(const wchar_t* prompt, int* value);
/// Asks for a point, typed "x,y" or "x,y,z" in user coordinates; answered in
/// world coordinates. `basePoint` (world) may be null; with it, "@dx,dy,dz" is
/// relative to it. A declared keyword answers -5005.
PLHOST_API int pledGetPoint(const PlGePoint3d* basePoint, const wchar_t* prompt, PlGePoint3d& point);
/// The keyword (global name) of the last input call that answered -5005.
PLHOST_API int pledGetInput(PlString& keyword);
/// True while a script or an expression drives the command line.
PLHOST_API bool pledIsLispOrScriptActive();

// ---- System variables ------------------------------------------------------

/// Reads a system variable. 5100, or -5001 when there is no such variable.
/// A text value is allocated into rstring: release it with pledFreeString.
PLHOST_API int pledGetVar(const wchar_t* name, resbuf* value);
/// Writes a system variable. 5100, or -5001 when there is no such variable,
/// it is read-only, or the value has the wrong type or is out of its range.
PLHOST_API int pledSetVar(const wchar_t* name, const resbuf* value);
PLHOST_API void pledFreeString(wchar_t* text);

// ---- Coordinate systems ----------------------------------------------------

/// Coordinate systems of pledTrans.
enum PledCoordSystem : int { PLED_WCS = 0, PLED_UCS = 1 };
/// Converts a point (or with `displacement` a vector) between coordinate
/// systems. Answers 5100, or -5001 for an unknown system.
PLHOST_API int pledTrans(const double in[3], int from, int to, bool displacement, double out[3]);

// ---- Units -----------------------------------------------------------------

/// Linear unit modes: 1 scientific, 2 decimal, 3 engineering, 4 architectural,
/// 5 fractional; -1 the drawing's current mode ("LUNITS").
/// Formats a value. precision -1 takes the drawing's "LUPREC". 5100, or
/// -5001 for an unknown mode or a value that is not finite.
PLHOST_API int pldbRToS(double value, int unit, int precision, PlString& text);
/// Reads a distance written in a unit mode. 5100, or -5001 when the text is
/// not a distance in that mode.
PLHOST_API int pldbDisToF(const wchar_t* text, int unit, double* value);
