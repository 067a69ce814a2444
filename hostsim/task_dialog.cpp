// Task dialogs: loading a dialog by id from a definitions file and showing it on the command line.
//
// A definitions file "/Assembly;component/Sub/File.xaml" is the file
// <module folder>/Assembly/Sub/File.xaml, written as
//   <TaskDialogs>
//     <TaskDialog Id="..." Title="..." MainInstruction="..." Content="..."
//                 VerificationText="..." VerificationChecked="false">
//       <Button Id="1001" Text="..."/>
//     </TaskDialog>
//   </TaskDialogs>
// in UTF-8. The stand-in shows a dialog as lines of the transcript and reads
// the user's choice as a reply: a button id, "V" for the check box, or a cancel.
#include "host/nltaskdialog.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/numbers.h"
#include "hostsim/xml_reader.h"

namespace {

struct TaskButton {
    int id = 0;
    std::wstring text;
    bool enabled = true;
};

#if defined(_WIN32)
constexpr wchar_t kSeparator = L'\\';
#else
constexpr wchar_t kSeparator = L'/';
#endif

// The file a component path names; empty when it is not one. Parts that
// would leave the module folder ("..", absolute parts) are refused.
std::wstring componentFile(const std::wstring& component) {
    static const std::wstring kMarker = L";component/";
    if (component.size() < 2 || component.front() != L'/') return L"";
    const std::size_t marker = component.find(kMarker);
    if (marker == std::wstring::npos || marker < 2) return L"";
    const std::wstring assembly = component.substr(1, marker - 1);
    std::wstring path = plsim::moduleDirectory() + kSeparator + assembly;
    std::wstring rest = component.substr(marker + kMarker.size());
    std::vector<std::wstring> parts{assembly};
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = rest.find(L'/', start);
        parts.push_back(rest.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start));
        if (slash == std::wstring::npos) break;
        start = slash + 1;
    }
    for (const std::wstring& part : parts) {
        if (part.empty() || part == L"." || part == L".." || part.find_first_of(L"\\:;") != std::wstring::npos)
            return L"";
    }
    for (std::size_t i = 1; i < parts.size(); ++i) path += kSeparator + parts[i];
    return path;
}

bool readFile(const std::wstring& path, std::string& bytes) {
#if defined(_WIN32)
    std::ifstream in(path.c_str(), std::ios::binary);
#else
    std::ifstream in(plsim::detail::toUtf8(path), std::ios::binary);
#endif
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Replaces every "{key}" of the table in one pass; inserted values are not
// searched again, and unknown keys stay as they are.
std::wstring substitute(const std::wstring& text, const NlHostKeyValue* table, int count) {
    if (!table || count <= 0) return text;
    std::wstring out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find(L'{', pos);
        const std::size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'}', open);
        if (close == std::wstring::npos) break;
        out.append(text, pos, open - pos);
        const std::wstring key = text.substr(open + 1, close - open - 1);
        const NlHostKeyValue* found = nullptr;
        for (int i = 0; i < count && !found; ++i)
            if (table[i].key && key == table[i].key) found = &table[i];
        if (found) {
            out += found->value ? found->value : L"";
            pos = close + 1;
        } else {
            out += L'{';
            pos = open + 1;
        }
    }
    out.append(text, pos, std::wstring::npos);
    return out;
}

bool readBool(const std::wstring* text) {
    return text && (plsim::detail::iequals(*text, L"true") || *text == L"1");
}

}  // namespace

struct NlHostTaskDialog::Impl final : INlHostActiveTaskDialog {
    bool loaded = false;
    std::wstring title;
    std::wstring instruction;
    std::wstring content;
    std::wstring verificationText;
    bool verificationChecked = false;
    std::vector<TaskButton> buttons;
    NlHostTaskDialogCallback callback = nullptr;
    std::uint64_t userData = 0;

    void setButtonEnabled(int buttonId, bool enabled) override {
        for (TaskButton& b : buttons)
            if (b.id == buttonId) b.enabled = enabled;
    }
    bool isVerificationChecked() const override { return verificationChecked; }

    bool notify(NlHostTaskDialogEventArgs::Notification what, int buttonId = 0) {
        if (!callback) return false;
        NlHostTaskDialogEventArgs args;
        args.notification = what;
        args.buttonId = buttonId;
        args.verificationChecked = verificationChecked;
        return callback(this, args, userData);
    }

    const TaskButton* enabledButton(int id) const {
        for (const TaskButton& b : buttons)
            if (b.id == id && b.enabled) return &b;
        return nullptr;
    }

    void printChoices() const {
        std::wstring lines;
        for (const TaskButton& b : buttons)
            if (b.enabled) lines += L"  " + std::to_wstring(b.id) + L"  " + b.text + L"\n";
        if (!verificationText.empty())
            lines += std::wstring(verificationChecked ? L"  [x] " : L"  [ ] ") + verificationText + L"\n";
        plsim::detail::emit(lines);
    }

    std::wstring prompt() const {
        std::wstring ids;
        for (const TaskButton& b : buttons)
            if (b.enabled) ids += (ids.empty() ? L"" : L"/") + std::to_wstring(b.id);
        const bool box = !verificationText.empty();
        std::wstring p;
        if (!ids.empty()) p = L"Choose a button [" + ids + L"]";
        if (box) p += p.empty() ? L"Press V to toggle the check box" : L" or V to toggle the check box";
        // Esc cancels in the host; at a console it is Ctrl-C (a script's ^C).
        return p + (p.empty() ? L"Esc or Ctrl-C cancels: " : L", Esc or Ctrl-C cancels: ");
    }
};

NlHostTaskDialog::NlHostTaskDialog() : m_impl(new Impl) {}
NlHostTaskDialog::~NlHostTaskDialog() { delete m_impl; }

bool NlHostTaskDialog::loadFromFile(const wchar_t* file, const wchar_t* dialogId, const NlHostKeyValue* substitutions,
                                    int count) {
    Impl& d = *m_impl;
    d.loaded = false;
    if (!file || !dialogId) return false;
    const std::wstring path = componentFile(file);
    std::string bytes;
    if (path.empty() || !readFile(path, bytes)) return false;

    plsim::detail::XmlElement root;
    std::wstring error;
    if (!plsim::detail::parseXml(plsim::detail::fromUtf8(bytes), root, error)) {
        plsim::finishOutputLine();
        plsim::detail::emit(L"Task dialog definitions " + std::wstring(file) + L" cannot be read: " + error + L".\n");
        return false;
    }
    if (root.name != L"TaskDialogs") return false;
    for (const plsim::detail::XmlElement& dialog : root.children) {
        const std::wstring* id = dialog.attribute(L"Id");
        if (dialog.name != L"TaskDialog" || !id || *id != dialogId) continue;
        const auto text = [&](const plsim::detail::XmlElement& e, const wchar_t* name) {
            const std::wstring* value = e.attribute(name);
            return value ? substitute(*value, substitutions, count) : std::wstring();
        };
        std::vector<TaskButton> buttons;
        for (const plsim::detail::XmlElement& child : dialog.children) {
            if (child.name != L"Button") continue;
            const std::wstring* buttonId = child.attribute(L"Id");
            long long number = 0;
            if (!buttonId || !plsim::detail::parseInteger(*buttonId, number) || number <= 0 || number > 0x7fffffff)
                continue;  // a button the user could not name
            buttons.push_back(TaskButton{static_cast<int>(number), text(child, L"Text"), true});
        }
        d.title = text(dialog, L"Title");
        d.instruction = text(dialog, L"MainInstruction");
        d.content = text(dialog, L"Content");
        d.verificationText = text(dialog, L"VerificationText");
        d.verificationChecked = readBool(dialog.attribute(L"VerificationChecked"));
        d.buttons = std::move(buttons);
        d.loaded = true;
        return true;
    }
    return false;
}

void NlHostTaskDialog::setCallback(NlHostTaskDialogCallback callback, std::uint64_t userData) {
    m_impl->callback = callback;
    m_impl->userData = userData;
}

int NlHostTaskDialog::showDialog(void* /*parentWindow*/) {
    Impl& d = *m_impl;
    if (!d.loaded) return -1;
    plsim::finishOutputLine();
    std::wstring head;
    for (const std::wstring* line : {&d.title, &d.instruction, &d.content})
        if (!line->empty()) head += *line + L"\n";
    plsim::detail::emit(head);
    d.notify(NlHostTaskDialogEventArgs::kCreated);
    d.printChoices();

    while (true) {
        const std::wstring prompt = d.prompt();
        plsim::Reply reply;
        if (!plsim::detail::nextReply(prompt, reply)) {
            plsim::detail::emitExchange(prompt, L"*Cancel*", true);
            return kCancelled;
        }
        const bool live = !plsim::detail::replyShownBySource();
        if (reply.kind == plsim::Reply::Cancel) {
            plsim::detail::emitExchange(prompt, L"*Cancel*", live);
            return kCancelled;
        }
        plsim::detail::emitExchange(prompt, reply.text, live);
        const std::wstring text = plsim::detail::trimBlanks(reply.text);

        if ((text == L"V" || text == L"v") && !d.verificationText.empty()) {
            d.verificationChecked = !d.verificationChecked;
            d.notify(NlHostTaskDialogEventArgs::kVerificationClicked);
            d.printChoices();
            continue;
        }
        long long id = 0;
        if (plsim::detail::parseInteger(text, id) && id > 0 && id <= 0x7fffffff &&
            d.enabledButton(static_cast<int>(id))) {
            if (d.notify(NlHostTaskDialogEventArgs::kButtonClicked, static_cast<int>(id))) continue;
            return static_cast<int>(id);
        }
        plsim::detail::emit(L"Choose one of the buttons shown, or press Esc or Ctrl-C.\n");
    }
}

void* plHostMainWindow() {
    static char window = 0;
    return &window;
}
