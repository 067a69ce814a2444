// The command-line options of plandor and their parsing.
#include "console/options.h"

#include <system_error>

#include "drawing/utf8.h"

#if defined(_WIN32)
#  include <windows.h>
#  include <shellapi.h>
#endif

#if !defined(PLANDOR_VERSION)
#  define PLANDOR_VERSION "0.0"
#endif

namespace plandor {

namespace {

/// Splits "--name=value" into its name and value; `hasValue` tells whether
/// the "=" was there.
void splitOption(const std::wstring& arg, std::wstring& name, std::wstring& value, bool& hasValue) {
    const std::size_t eq = arg.find(L'=');
    hasValue = arg.rfind(L"--", 0) == 0 && eq != std::wstring::npos;
    name = hasValue ? arg.substr(0, eq) : arg;
    value = hasValue ? arg.substr(eq + 1) : std::wstring();
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::wstring>& args, std::wstring& error) {
    Options options;
    bool moduleGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::wstring name;
        std::wstring value;
        bool hasValue = false;
        splitOption(args[i], name, value, hasValue);

        // The value of an option that takes one: after "=" or the next argument.
        const auto takeValue = [&](const wchar_t* what) -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= args.size()) {
                error = name + L" needs " + what + L".";
                return false;
            }
            value = args[++i];
            return true;
        };
        // The file of an option that writes one when the session ends, given once.
        const auto takeFile = [&](std::optional<std::filesystem::path>& file) -> bool {
            if (!takeValue(L"a file to write")) {
                return false;
            }
            if (file || value.empty()) {
                error = name + (file ? L" is given more than once." : L" needs a file to write.");
                return false;
            }
            file = widePath(value);
            return true;
        };

        if (name == L"--help" || name == L"-h") {
            options.showHelp = true;
        } else if (name == L"--version") {
            options.showVersion = true;
        } else if (name == L"--module") {
            if (!takeValue(L"a module file")) {
                return std::nullopt;
            }
            if (moduleGiven) {
                error = L"--module is given more than once.";
                return std::nullopt;
            }
            if (value.empty()) {
                error = L"--module needs a module file.";
                return std::nullopt;
            }
            moduleGiven = true;
            options.module = value;
        } else if (name == L"--script") {
            if (!takeValue(L"a script file")) {
                return std::nullopt;
            }
            if (options.script) {
                error = L"--script is given more than once.";
                return std::nullopt;
            }
            if (value.empty()) {
                error = L"--script needs a script file.";
                return std::nullopt;
            }
            options.script = widePath(value);
        } else if (name == L"--dump") {
            if (!takeValue(L"a file to write")) {
                return std::nullopt;
            }
            if (options.dump) {
                error = L"--dump is given more than once.";
                return std::nullopt;
            }
            if (value.empty()) {
                error = L"--dump needs a file to write.";
                return std::nullopt;
            }
            options.dump = widePath(value);
        } else if (name == L"--plan") {
            if (!takeFile(options.plan)) {
                return std::nullopt;
            }
        } else if (name == L"--export") {
            if (!takeFile(options.exportFile)) {
                return std::nullopt;
            }
        } else if (name == L"--open") {
            if (!takeValue(L"a drawing file") || options.open || value.empty()) {
                error = options.open ? L"--open is given more than once." : L"--open needs a drawing file.";
                return std::nullopt;
            }
            options.open = widePath(value);
        } else if (name == L"--colorbooks") {
            if (!takeValue(L"a folder (or \"\" for none)")) {
                return std::nullopt;
            }
            if (options.colorBooks) {
                error = L"--colorbooks is given more than once.";
                return std::nullopt;
            }
            options.colorBooks = value;
        } else if (name == L"--language") {
            if (!takeValue(L"a language such as de")) {
                return std::nullopt;
            }
            if (!options.language.empty()) {
                error = L"--language is given more than once.";
                return std::nullopt;
            }
            if (value.empty()) {
                error = L"--language needs a language such as de.";
                return std::nullopt;
            }
            options.language = value;
        } else if (name == L"--set") {
            if (!takeValue(L"NAME=VALUE")) {
                return std::nullopt;
            }
            const std::size_t eq = value.find(L'=');
            if (eq == std::wstring::npos || eq == 0) {
                error = L"--set expects NAME=VALUE, not \"" + value + L"\".";
                return std::nullopt;
            }
            options.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
        } else if (name == L"--webpath") {
            if (!takeValue(L"a folder")) {
                return std::nullopt;
            }
            std::error_code ec;
            const std::filesystem::path folder = std::filesystem::absolute(widePath(value), ec);
            if (value.empty() || ec || !std::filesystem::is_directory(folder, ec)) {
                error = L"--webpath: \"" + value + L"\" is not a folder.";
                return std::nullopt;
            }
            options.webPaths.push_back(pathText(folder.lexically_normal()));
        } else if (name.rfind(L"-", 0) == 0 && name.size() > 1) {
            error = L"Unknown option \"" + name + L"\". Type plandor --help for the options.";
            return std::nullopt;
        } else {
            error = L"Unexpected argument \"" + args[i] +
                    L"\". To replay a script, use --script FILE.";
            return std::nullopt;
        }
    }
    if (moduleGiven) {
        const std::filesystem::path path = widePath(options.module);
        if (path.has_parent_path()) {
            std::error_code ec;
            const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
            if (!ec) {
                options.module = pathText(absolute);
            }
        }
    }
    return options;
}

std::wstring helpText() {
    return LR"(Usage: plandor [OPTION]...
Loads the scene-and-lighting module into the stand-in host, opens a drawing
and reads commands: typed at a terminal, piped on standard input, or
replayed from a script.

Options:
  --script FILE      replay FILE, then leave as if QUIT were typed; the host
                     knows a script is running while it is replayed
  --set NAME=VALUE   set a system variable before the first command (may be
                     repeated; a bad name or value ends plandor with status 2)
  --dump FILE        when the session ends, write the drawing to FILE as
                     JSON, the file SAVE writes: every light with all its
                     properties, in the order they were added, every other
                     object, the system variables and the user coordinate
                     system; FILE is replaced. A FILE that cannot be written (its folder
                     missing or not writable, a folder, a read-only file,
                     the file of another option) is reported before
                     anything runs, and a dump that cannot be written at
                     the end ends plandor with status 2
  --plan FILE        when the session ends, write a picture of the drawing to
                     FILE as SVG: its plan and front elevation with every
                     light and entity; FILE is replaced and checked before
                     anything runs, as for --dump
  --export FILE      when the session ends, write the drawing to FILE as glTF
                     2.0 for 3D tools: FILE.gltf with FILE.bin and its web
                     files beside it, or everything in one FILE.glb; its
                     lights as photometric lights, its entities as lines and
                     flat meshes. Replaced only when complete and checked
                     before anything runs, as for --dump; the drawing must
                     be lit photometrically (LIGHTINGUNITS 1 or 2)
  --open FILE        start with the drawing FILE (saved by SAVE or --dump)
                     instead of a new one; a file that cannot be opened
                     ends plandor with status 2 before anything runs
  --colorbooks DIR   read the color books from the palette files (*.gpl) in
                     DIR instead of the folder colorbooks next to plandor;
                     --colorbooks "" leaves the host without color books.
                     A palette file starts with the line "GIMP Palette",
                     may name its book with "Name: <book name>" (else the
                     book is named after its file), and lists one color a
                     line: red, green and blue from 0 to 255, then the
                     color's name. Lines starting with # are comments. A
                     line or file that breaks this is skipped with a
                     warning naming file and line
  --webpath DIR      look for web files in DIR after the current folder (may be
                     repeated; searched in the order given)
  --language LANG    show the module's texts in LANG (de: German): its
                     resource module comes from the folder LANG next to the
                     module; when it is not there, the English one is used
                     after a warning. Local keywords are typed in LANG; a
                     reply of "_" and a global name works in every language
  --module FILE      load another module instead of PlZuredUD.vmx; a bare
                     file name is looked up in the host's module folder, a
                     path with a folder is taken from the current folder
  --help             show this text and leave
  --version          show the version and leave

At the "Command: " prompt:
  NAME               run a registered command by its global or local name
                     (any letter case); "_NAME" asks for the global name only
  HELP               list the commands
  SETVAR             list the system variables
  SETVAR NAME        show one system variable
  SETVAR NAME VALUE  set a system variable
  LIST               list the lights of the drawing: name, kind, status,
                     candela, lumens, lamp kelvin, color, intensity factor,
                     position, target, direction and layer
  UCS                show the user coordinate system
  UCS WORLD          make the world system the user coordinate system
  UCS x0,y0,z0 xx,xy,xz yx,yy,yz
                     set the user coordinate system: its origin, the
                     direction of its X axis and a direction in its XY plane
                     on the side of its Y axis (world coordinates); Z
                     completes a right-handed system
  WEBINFO FILE       summarise a photometric web file (.ies): version, type,
                     lamps, peak intensity, flux, beam and field angles
  RESERVED TYPE [LOCAL]
                     the global (or local) form of the reserved name TYPE
                     (a number), or (none)
  RESERVED IS "TEXT" [TYPE]
                     true when TEXT is a reserved name (of TYPE), else false
  RESERVED VIEW "TEXT"
                     true when TEXT is a reserved view name, else false
  RESERVED TRANSLATE "TEXT" LOCAL|GLOBAL
                     the local (or global) form of the reserved name TEXT,
                     or (none); quotes may be left out when TEXT has no blanks
  LINE, ARC, CIRCLE, ELLIPSE, PLINE, 2DPOLY, 3DPOLY, SPLINE, TEXT, REGION
                     draw entities; VIEW, NAMEDPATH and MOTIONPATH make
                     views and paths; ERASE, OOPS, MOVE, SELECT, MENU and
                     PATHS edit and list them (HELP shows each command with
                     its arguments)
  PLAN FILE          write a picture of the drawing to FILE (SVG)
  EXPORT FILE        write the drawing to FILE as glTF 2.0 (.gltf or .glb)
  ILLUMINANCE x,y,z [nx,ny,nz]
                     the direct illuminance at a point on a surface facing
                     the normal (default 0,0,1: facing up)
  ILLUMINANCE GRID x0,y0 x1,y1 SPACING [HEIGHT] [CSV FILE]
                     the illuminance on a horizontal work plane, its
                     statistics, and a CSV file of its points; PLAN draws it
  SAVE [FILE]        save the drawing to FILE (or to its own file)
  OPEN FILE          open the drawing FILE in the place of the open one
  NEW                start a new drawing in the place of the open one
  QUIT, EXIT         leave
  Ctrl-C cancels the prompt in front of it: inside an option of a light's
  menu it goes back to the menu, at the menu it discards the new light, at
  the command prompt it gives a fresh one. End of input (Ctrl-D, or Ctrl-Z
  and Enter on Windows) leaves at the command prompt and cancels the command
  inside one.

Scripts (and piped standard input) hold one reply a line:
  - a line is typed as it stands, then Enter; leading and trailing blanks
    and a Windows line end are ignored
  - a blank line is Enter alone
  - ^C on its own is a cancel (Escape)
  - a line whose first non-blank character is # is a comment, skipped
  - at the end of the input a command still running is cancelled
The transcript shows each prompt with the reply it got. Piped input counts
as typed, not as a script: dialogs are shown and answered by a button id.

Messages and warnings go to standard error, the session to standard output.

Exit status: 0 done, 1 the module could not be loaded or refused to start,
2 a bad option, a missing script or color-book folder, a bad --set or a
dump, picture or export that cannot be written, 3 an unexpected internal error,
4 the session ran to its end but its output could not be written in full.
)";
}

std::wstring versionText() {
    return L"plandor " + fromUtf8(PLANDOR_VERSION) + L"\n";
}

std::vector<std::wstring> programArguments(int argc, char** argv) {
    std::vector<std::wstring> args;
#if defined(_WIN32)
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 1; i < count; ++i) {
            args.emplace_back(wide[i]);
        }
        LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i) {
        args.push_back(fromUtf8(argv[i]));
    }
#endif
    return args;
}

}  // namespace plandor
