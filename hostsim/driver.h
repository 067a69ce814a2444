// The stand-in host's driver API: what tests and the console use to run the host,
// feed replies, answer dialogs, set variables and look into the drawing.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "host/plexport.h"

class PlApDocument;
class PlDbDatabase;
class PlEdCommand;

namespace plsim {

// ---- The host as a whole ---------------------------------------------------

/// Puts the host back to its starting state: no documents, no queued replies,
/// an empty transcript, system variables at their defaults, no script running,
/// no pending faults. Registered classes, services, commands and loaded
/// modules are kept (they belong to the modules that registered them).
PLHOST_API void resetSession();

/// The folder the host loads modules and resource modules from. Starts as the
/// folder of the host library itself.
PLHOST_API std::wstring moduleDirectory();
PLHOST_API void setModuleDirectory(const std::wstring& folder);

// ---- Applications (modules loaded the way a host loads them) --------------

/// A module loaded by file name whose entry point the host drives.
struct Application;

/// Loads the library `fileName` (relative to the module folder, or a full
/// path), finds "plrxEntryPoint" and sends it message 1 (initialise). Null,
/// with `error` filled, when the file or the entry point is missing. The
/// entry point's answer is kept in `initResult`.
PLHOST_API Application* loadApplication(const std::wstring& fileName, std::wstring* error = nullptr,
                                        int* initResult = nullptr);
/// Sends an entry-point message to the application; answers its result.
PLHOST_API int sendAppMessage(Application* app, int message);
/// The application's answer to "plrxGetApiVersion"; 0 when it has none.
PLHOST_API long applicationApiVersion(Application* app);
/// Sends message 2 (unload) and frees the library.
PLHOST_API void unloadApplication(Application* app);
/// The opaque handle the host passes to the application's entry point.
PLHOST_API void* applicationHandle(Application* app);

/// The address of `symbol` exported by a loaded application, the first
/// loaded first: how another module reaches an application's exported
/// functions. Null when none exports it.
PLHOST_API void* findApplicationSymbol(const char* symbol);

/// How many loads of the resource module `name` ("PlSceneRes.dll") are not
/// freed yet; 0 when it is not loaded.
PLHOST_API int resourceModuleReferences(const std::wstring& name);

// ---- Language --------------------------------------------------------------

/// The language of the user interface, named as its folder ("de"); at the
/// start, and after resetSession, "en", the language the host and its modules
/// are built in. A resource module is loaded from the folder of the language
/// next to the modules; when it is not there, the English one beside the
/// modules is loaded, with a warning on standard error naming its file as it
/// is on this platform (once per module and language). The name holds letters, digits, "-" and "_" only: false, with
/// `error` filled, for anything else. Applies to resource modules loaded later.
PLHOST_API bool setLanguage(const std::wstring& language, std::wstring* error = nullptr);
PLHOST_API std::wstring language();

// ---- Replies ---------------------------------------------------------------

/// One answer to a prompt or a dialog.
struct Reply {
    enum Kind { Text, Cancel };
    Kind kind = Text;
    std::wstring text;  ///< empty: Enter
};

/// Supplies replies when the queue is empty; the console's terminal and
/// script readers are input sources.
class InputSource {
public:
    virtual ~InputSource() = default;
    /// The reply to `prompt`; false when the source has no more input (the
    /// host then takes it as a cancel).
    virtual bool next(const std::wstring& prompt, Reply& reply) = 0;
    /// True when the source shows the prompt and the reply to the user itself
    /// (a terminal); the host then leaves them out of the live output.
    virtual bool showsPrompts() const { return false; }
};

PLHOST_API void queueReply(const std::wstring& text);
PLHOST_API void queueEnter();
PLHOST_API void queueCancel();
/// Queues a typed point "x,y,z".
PLHOST_API void queuePoint(double x, double y, double z);
/// Queues the button to press in the next task dialog.
PLHOST_API void queueButton(int buttonId);
PLHOST_API std::size_t pendingReplies();
PLHOST_API void clearReplies();
/// How many prompts found no reply (queue and source empty) and were cancelled.
PLHOST_API int exhaustedPrompts();
/// Replies come from the queue first, then from `source` (null: none).
PLHOST_API void setInputSource(InputSource* source);
/// While true the host reports a script as running (pledIsLispOrScriptActive).
PLHOST_API void setScriptActive(bool active);
PLHOST_API bool scriptActive();

// ---- Output ----------------------------------------------------------------

/// Everything printed, every prompt and every reply since the last clear.
PLHOST_API std::wstring transcript();
PLHOST_API void clearTranscript();
/// Also sends output, as it is made, to `sink` (null: nowhere).
PLHOST_API void setOutputSink(std::function<void(const std::wstring&)> sink);
/// Ends the current output line if text is pending on it.
PLHOST_API void finishOutputLine();

// ---- System variables ------------------------------------------------------

enum class VarType { Short, Long, Real, Text };

/// Sets a variable from text, read by its type ("2", "0.5", "Lights"). The
/// host's own range checks apply. False with `error` filled when there is no
/// such variable or the text does not fit it.
PLHOST_API bool setVar(const std::wstring& name, const std::wstring& value, std::wstring* error = nullptr);
/// The variable's value as text; empty when there is none.
PLHOST_API std::wstring getVar(const std::wstring& name);
/// Adds a variable of the given type and initial value (for tests of reads
/// of other types). Replaces one of that name.
PLHOST_API void defineVar(const std::wstring& name, VarType type, const std::wstring& value);
PLHOST_API bool removeVar(const std::wstring& name);
PLHOST_API std::vector<std::wstring> varNames();

// ---- User coordinate system ------------------------------------------------

/// Makes the user coordinate system the one with that origin, X axis and Y
/// axis (world coordinates). The X axis is normalised and the Y axis made
/// perpendicular to it within their plane; Z completes a right-handed system.
/// False, and nothing changed, when an axis has no length, the two axes are
/// parallel, or a value is not finite.
PLHOST_API bool setUcs(double ox, double oy, double oz, double xx, double xy, double xz, double yx, double yy,
                       double yz);
/// Makes the user coordinate system the world system again.
PLHOST_API void resetUcs();

// ---- Documents -------------------------------------------------------------

/// Opens a new drawing, makes it current and active and its database the
/// working database.
PLHOST_API PlApDocument* openDrawing(const std::wstring& name = L"Drawing1");
/// Closes a drawing; the next open one (if any) becomes current.
PLHOST_API void closeDrawing(PlApDocument* doc);
PLHOST_API std::vector<PlApDocument*> drawings();
PLHOST_API void setCurrentDrawing(PlApDocument* doc);

// ---- Colour books ----------------------------------------------------------

/// Makes `folder` the colour-book path the host application services report;
/// null makes them report none. resetSession goes back to the default, the
/// folder "colorbooks" in the module folder.
PLHOST_API void setColorBookLocation(const wchar_t* folder);
/// The warnings of the last loading of the colour books, each naming file
/// and line. Each warning is also printed to stderr the first time it arises.
PLHOST_API std::vector<std::wstring> colorBookWarnings();

// ---- Drawing ---------------------------------------------------------------

/// Every database object that is open now, first opened first, as
/// "PlDbLight 1F open for write" (class, handle in hexadecimal, modes).
/// Empty when none is. An object left open after a command is a fault.
PLHOST_API std::vector<std::wstring> openObjects();
PLHOST_API int openObjectCount();
/// The programming errors the database caught since the last clear: an object
/// deleted while its database owns it, a close without an open, a database
/// ended with objects still open, a reactor deleted while still added, an
/// object context menu deleted while added or left by an application that
/// unloaded. Each is also printed to stderr.
PLHOST_API std::vector<std::wstring> drawingErrors();
PLHOST_API void clearDrawingErrors();
/// The names of the layers of `db`, in the order they were made.
PLHOST_API std::vector<std::wstring> layerNames(const PlDbDatabase* db);

// ---- Commands --------------------------------------------------------------

/// Runs a registered command by global or local name ("_NAME": global only).
/// False when there is no such command.
PLHOST_API bool runCommand(const std::wstring& name);
/// The command of that name, or null.
PLHOST_API PlEdCommand* findCommand(const std::wstring& name);
/// Every registered command: group by group in the order the groups were
/// added, each group's commands in the order they were added.
PLHOST_API std::vector<PlEdCommand*> registeredCommands();

// ---- Faults ----------------------------------------------------------------

enum class Fault {
    ModuleLoad,      ///< the next plrxLoadModule of a module not in memory fails
    ResourceLoad,    ///< the next PlUtResource::loadDll fails
    DocumentLock,    ///< the next lockDocument answers 20048
    Allocation,      ///< the next allocation of a database object fails
    OpenObject,      ///< the next pldbOpenObject answers 600 (the last kind: faults.cpp counts by kind)
};
/// Makes the next `count` operations of that kind fail, once `after` more of
/// them have gone through; a count of 0 withdraws a pending fault.
PLHOST_API void injectFault(Fault fault, int count = 1, int after = 0);
/// How many operations of that kind the host has performed since the session
/// was reset (each a place where an injected fault can strike), failed or not.
PLHOST_API int faultOpportunities(Fault fault);

/// What plrx_abort does: by default it prints the message and ends the
/// process. Tests can divert it (the handler must not return normally; it
/// may throw).
PLHOST_API void setAbortHandler(std::function<void(const std::wstring&)> handler);

}  // namespace plsim

namespace plsim {

// ---- Jigs ------------------------------------------------------------------

/// What the host's drag loop has done since the last reset.
struct JigLog {
    int drags = 0;
    int samples = 0;
    int updates = 0;
    std::vector<std::array<double, 3>> points;  ///< every point acquired, world coordinates
};
PLHOST_API const JigLog& jigActivity();
PLHOST_API void resetJigActivity();

}  // namespace plsim
