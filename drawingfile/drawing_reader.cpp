// Reading a drawing file into plain values, checked whole before any of it is used.
#include "drawingfile/drawing_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <algorithm>
#include <tuple>

#include "drawing/entity_kind.h"
#include "drawing/file_bytes.h"
#include "drawing/utf8.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/light_names.h"

namespace plandor {

namespace {

using plsim::EntityInfo;
using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;
using Reader = JsonReader;

constexpr double kPi = 3.141592653589793;

std::wstring wide(std::string_view utf8) { return fromUtf8(utf8); }

/// A number as a message shows it: its shortest digits ("256", "1.5").
std::wstring numberText(double value) {
    char digits[32];
    return wide(std::string_view(digits, static_cast<std::size_t>(
                                             std::to_chars(digits, digits + sizeof digits, value).ptr - digits)));
}

// ---- Values ----------------------------------------------------------------------------

void readReal(Reader& r, double& value) { static_cast<void>(r.readNumber(value)); }

/// A real that is not negative (`positive`: above 0).
void readLength(Reader& r, double& value, bool positive = false) {
    double x = 0.0;
    if (!r.readNumber(x)) return;
    if (x < 0.0 || (positive && x == 0.0)) {
        r.fail(std::wstring(positive ? L"must be above 0" : L"must not be negative") + L", not " + numberText(x));
        return;
    }
    value = x;
}

/// A whole number from `least` to `most`.
bool readWhole(Reader& r, long long& value, long long least, long long most) {
    double x = 0.0;
    if (!r.readNumber(x)) return false;
    if (x != std::floor(x) || x < static_cast<double>(least) || x > static_cast<double>(most)) {
        r.fail(L"must be a whole number from " + std::to_wstring(least) + L" to " + std::to_wstring(most) + L", not " +
               numberText(x));
        return false;
    }
    value = static_cast<long long>(x);
    return true;
}

template <class T>
void readInteger(Reader& r, T& value, long long least, long long most) {
    long long x = 0;
    if (readWhole(r, x, least, most)) value = static_cast<T>(x);
}

/// One of the whole numbers `choices` names ("1 (distant)"), described for a message.
struct Choice {
    int value;
    const wchar_t* meaning;
};
template <std::size_t N>
void readChoice(Reader& r, int& value, const Choice (&choices)[N]) {
    double x = 0.0;
    if (!r.readNumber(x)) return;
    for (const Choice& choice : choices) {
        if (x == choice.value) {
            value = choice.value;
            return;
        }
    }
    std::wstring list;
    for (std::size_t i = 0; i < N; ++i) {
        list += i == 0 ? L"" : i + 1 == N ? L" or " : L", ";
        list += std::to_wstring(choices[i].value) + (choices[i].meaning ? std::wstring(L" (") + choices[i].meaning + L")" : L"");
    }
    r.fail(L"must be " + list + L", not " + numberText(x));
}

/// A text; it may not hold U+0000, which no text of the host can.
void readText(Reader& r, std::wstring& value) {
    std::string utf8;
    if (!r.readString(utf8)) return;
    if (utf8.find('\0') != std::string::npos) {
        r.fail(L"must not hold the character U+0000");
        return;
    }
    value = wide(utf8);
}

/// A name: not empty, without control characters.
void readName(Reader& r, std::wstring& value) {
    readText(r, value);
    if (r.failed()) return;
    if (value.empty()) return r.fail(L"must not be empty");
    for (const wchar_t c : value) {
        if (c < 0x20 || c == 0x7F) {
            static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
            return r.fail(std::wstring(L"must not hold a control character, as U+00") + kHex[c >> 4] + kHex[c & 0xF] +
                          L" here");
        }
    }
}

void readOptionalName(Reader& r, std::optional<std::wstring>& value) {
    if (r.takeNull()) {
        value.reset();
        return;
    }
    value.emplace();
    readName(r, *value);
}

void readBoolean(Reader& r, bool& value) { static_cast<void>(r.readBoolean(value)); }

void readTriple(Reader& r, double& x, double& y, double& z) {
    if (!r.beginArray()) return;
    double* const parts[] = {&x, &y, &z};
    std::size_t count = 0;
    while (r.nextItem()) {
        if (count == 3) return r.fail(L"is one number too many: a point or vector has three");
        readReal(r, *parts[count++]);
    }
    if (!r.failed() && count < 3) r.fail(L"must be an array of three numbers, not " + std::to_wstring(count));
}
void readPoint(Reader& r, PlGePoint3d& p) { readTriple(r, p.x, p.y, p.z); }
void readVector(Reader& r, PlGeVector3d& v) { readTriple(r, v.x, v.y, v.z); }

void readPoints(Reader& r, std::vector<PlGePoint3d>& points) {
    if (!r.beginArray()) return;
    while (r.nextItem()) readPoint(r, points.emplace_back());
}

/// A handle: hexadecimal digits, not 0.
void readHandle(Reader& r, std::uint64_t& handle) {
    std::string text;
    if (!r.readString(text)) return;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), handle, 16);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || handle == 0)
        r.fail(L"must be a handle, hexadecimal digits other than 0, not \"" + wide(text) + L"\"");
}

void readOptionalHandle(Reader& r, std::uint64_t& handle) {
    handle = 0;
    if (!r.takeNull()) readHandle(r, handle);
}

// ---- Objects ---------------------------------------------------------------------------

template <class T>
struct Member {
    std::string_view name;
    void (*read)(Reader&, T&);
};

/// Reads the rest of the object stepped into into `target`, each member by its entry of
/// `members` (those this version does not know passed over). Answers the members given, a bit
/// each; those not in `optional` must be.
template <class T, std::size_t N>
std::uint64_t readMembers(Reader& r, T& target, const Member<T> (&members)[N], std::uint64_t optional = 0) {
    static_assert(N <= 64);
    std::uint64_t seen = 0;
    std::string_view key;
    std::size_t next = 0;  // members mostly come in the order of the table
    while (r.nextMember(key)) {
        std::size_t i = next;
        while (i < N && key != members[i].name) ++i;
        if (i == N) {
            i = 0;
            while (i < next && key != members[i].name) ++i;
            if (i == next) i = N;
        }
        if (i < N) next = i + 1;
        if (i == N) {
            r.skip();
        } else if (seen & (std::uint64_t{1} << i)) {
            r.fail(L"is given twice");
        } else {
            seen |= std::uint64_t{1} << i;
            members[i].read(r, target);
        }
    }
    for (std::size_t i = 0; i < N && !r.failed(); ++i) {
        if (!(seen & (std::uint64_t{1} << i)) && !(optional & (std::uint64_t{1} << i)))
            r.fail(L"lacks the member \"" + wide(members[i].name) + L"\"");
    }
    return seen;
}

/// readMembers of the object at hand.
template <class T, std::size_t N>
std::uint64_t readObject(Reader& r, T& target, const Member<T> (&members)[N], std::uint64_t optional = 0) {
    return r.beginObject() ? readMembers(r, target, members, optional) : 0;
}

/// Reads each item of the array at hand with `read`, into a new element of `items`.
template <class T, class Read>
void readArray(Reader& r, std::vector<T>& items, Read read) {
    if (!r.beginArray()) return;
    while (r.nextItem()) read(r, items.emplace_back());
}

// A colour as read: its channels and names may be null where they do not apply.
struct ColorRead {
    ColorInfo color;
    std::string method;
    bool red = false, green = false, blue = false, index = false, book = false, name = false;
};

template <bool ColorRead::*Given>
void readChannel(Reader& r, ColorRead& c, int& value) {
    if (r.takeNull()) return;
    readInteger(r, value, 0, 255);
    c.*Given = true;
}

const Member<ColorRead> kColor[] = {
    {"method", [](Reader& r, ColorRead& c) { static_cast<void>(r.readString(c.method)); }},
    {"r", [](Reader& r, ColorRead& c) { readChannel<&ColorRead::red>(r, c, c.color.red); }},
    {"g", [](Reader& r, ColorRead& c) { readChannel<&ColorRead::green>(r, c, c.color.green); }},
    {"b", [](Reader& r, ColorRead& c) { readChannel<&ColorRead::blue>(r, c, c.color.blue); }},
    {"index", [](Reader& r, ColorRead& c) {
         if (r.takeNull()) return;
         readInteger(r, c.color.index, 1, 255);
         c.index = true;
     }},
    {"book", [](Reader& r, ColorRead& c) {
         if (r.takeNull()) return;
         readText(r, c.color.book);
         c.book = !c.color.book.empty();
     }},
    {"name", [](Reader& r, ColorRead& c) {
         if (r.takeNull()) return;
         readText(r, c.color.name);
         c.name = !c.color.name.empty();
     }},
};

void readColor(Reader& r, ColorInfo& color) {
    ColorRead c;
    readObject(r, c, kColor);
    if (r.failed()) return;
    const bool rgb = c.red && c.green && c.blue;
    if (c.method == "rgb" && rgb) {
        c.color.method = ColorInfo::Method::Rgb;
    } else if (c.method == "index" && c.index) {
        c.color.method = ColorInfo::Method::Index;
    } else if (c.method == "book" && rgb && c.book && c.name) {
        c.color.method = ColorInfo::Method::Book;
    } else if (c.method == "rgb" || c.method == "index" || c.method == "book") {
        return r.fail(L"lacks what its method " + wide(c.method) +
                      L" needs: r, g and b for rgb, index for index, r, g, b, book and name for book");
    } else {
        return r.fail(L"has the method \"" + wide(c.method) + L"\": a light's colour is rgb, index or book");
    }
    color = c.color;
}

const Member<plsim::scene::ShadowInfo> kShadow[] = {
    {"on", [](Reader& r, plsim::scene::ShadowInfo& s) { readBoolean(r, s.on); }},
    {"type", [](Reader& r, plsim::scene::ShadowInfo& s) {
         readChoice(r, s.type, {{0, L"ray traced"}, {1, L"shadow map"}, {2, L"sampled"}});
     }},
    {"mapSize", [](Reader& r, plsim::scene::ShadowInfo& s) {
         int size = 0;
         readChoice(r, size, {{64, nullptr}, {128, nullptr}, {256, nullptr}, {512, nullptr}, {1024, nullptr},
                              {2048, nullptr}, {4096, nullptr}});
         s.mapSize = static_cast<unsigned>(size);
     }},
    {"softness", [](Reader& r, plsim::scene::ShadowInfo& s) { readInteger(r, s.softness, 1, 10); }},
    {"shape", [](Reader& r, plsim::scene::ShadowInfo& s) {
         readChoice(r, s.shape, {{0, L"linear"}, {1, L"rectangle"}, {2, L"disk"}, {3, L"cylinder"}, {4, L"sphere"}});
     }},
    {"length", [](Reader& r, plsim::scene::ShadowInfo& s) { readLength(r, s.length); }},
    {"width", [](Reader& r, plsim::scene::ShadowInfo& s) { readLength(r, s.width); }},
    {"radius", [](Reader& r, plsim::scene::ShadowInfo& s) { readLength(r, s.radius); }},
    {"samples", [](Reader& r, plsim::scene::ShadowInfo& s) { readInteger(r, s.samples, 0, 65535); }},
    {"visible", [](Reader& r, plsim::scene::ShadowInfo& s) { readBoolean(r, s.shapeVisible); }},
};

const Member<plsim::scene::AttenuationInfo> kAttenuation[] = {
    {"type", [](Reader& r, plsim::scene::AttenuationInfo& a) {
         readChoice(r, a.type, {{0, L"none"}, {1, L"inverse linear"}, {2, L"inverse square"}});
     }},
    {"useLimits", [](Reader& r, plsim::scene::AttenuationInfo& a) { readBoolean(r, a.useLimits); }},
    {"start", [](Reader& r, plsim::scene::AttenuationInfo& a) { readReal(r, a.start); }},
    {"end", [](Reader& r, plsim::scene::AttenuationInfo& a) { readReal(r, a.end); }},
};

const Member<plsim::scene::PhotometryInfo> kPhotometry[] = {
    {"intensity", [](Reader& r, plsim::scene::PhotometryInfo& p) { readLength(r, p.physicalIntensity); }},
    {"method", [](Reader& r, plsim::scene::PhotometryInfo& p) {
         readChoice(r, p.method, {{0, L"intensity"}, {1, L"flux"}, {2, L"illuminance"}});
     }},
    {"distance", [](Reader& r, plsim::scene::PhotometryInfo& p) { readLength(r, p.distance, true); }},
    {"lampColorType", [](Reader& r, plsim::scene::PhotometryInfo& p) {
         readChoice(r, p.lampColorType, {{0, L"kelvin"}, {1, L"preset"}});
     }},
    {"lampColorTemp", [](Reader& r, plsim::scene::PhotometryInfo& p) { readLength(r, p.lampColorTemp); }},
    {"lampColorPreset", [](Reader& r, plsim::scene::PhotometryInfo& p) { readInteger(r, p.preset, 0, 13); }},
};

struct WebRead {
    std::wstring file;
    PlGeVector3d rotation;
};
const Member<WebRead> kWeb[] = {
    {"file", [](Reader& r, WebRead& w) { readText(r, w.file); }},
    {"rotation", [](Reader& r, WebRead& w) { readVector(r, w.rotation); }},
};

/// A cone angle in degrees, as radians; at least 0 and below half a turn.
void readCone(Reader& r, double& radians) {
    double degrees = 0.0;
    if (!r.readNumber(degrees)) return;
    const double value = degrees / 180.0 * kPi;  // as the spot menu takes a typed angle
    if (!(value >= 0.0 && value < kPi)) return r.fail(L"must be at least 0 and below 180 degrees, not " + numberText(degrees));
    radians = value;
}

const Member<LightInfo> kLight[] = {
    {"handle", [](Reader& r, LightInfo& l) { readHandle(r, l.handle); }},
    {"name", [](Reader& r, LightInfo& l) {
         readName(r, l.name);
         if (!r.failed() && !plsim::scene::isValidLightName(l.name))
             r.fail(L"is no name a light can have: 1 to 255 characters, none of < > / \\ \" : ; ? * | , = `");
     }},
    {"kind", [](Reader& r, LightInfo& l) {
         readChoice(r, l.kind, {{1, L"distant"}, {2, L"point"}, {3, L"spot"}, {10, L"web"}});
     }},
    {"hasTarget", [](Reader& r, LightInfo& l) { readBoolean(r, l.hasTarget); }},
    {"layer", [](Reader& r, LightInfo& l) { readText(r, l.layer); }},
    {"position", [](Reader& r, LightInfo& l) { readPoint(r, l.position); }},
    {"target", [](Reader& r, LightInfo& l) { readPoint(r, l.target); }},
    {"direction", [](Reader& r, LightInfo& l) {
         readVector(r, l.direction);
         if (!r.failed() && l.direction.x == 0.0 && l.direction.y == 0.0 && l.direction.z == 0.0)
             r.fail(L"must not be [0, 0, 0]: a direction has a length");
     }},
    {"on", [](Reader& r, LightInfo& l) { readBoolean(r, l.on); }},
    {"intensity", [](Reader& r, LightInfo& l) { readLength(r, l.intensity); }},
    {"hotspotDeg", [](Reader& r, LightInfo& l) { readCone(r, l.hotspot); }},
    {"falloffDeg", [](Reader& r, LightInfo& l) { readCone(r, l.falloff); }},
    {"color", [](Reader& r, LightInfo& l) { readColor(r, l.color); }},
    {"shadow", [](Reader& r, LightInfo& l) { readObject(r, l.shadow, kShadow); }},
    {"attenuation", [](Reader& r, LightInfo& l) { readObject(r, l.attenuation, kAttenuation); }},
    // lampRgb is the lamp colour's look, made from its temperature: passed over.
    {"photometry", [](Reader& r, LightInfo& l) { readObject(r, l.photometry, kPhotometry); }},
    {"web", [](Reader& r, LightInfo& l) {
         WebRead web;
         readObject(r, web, kWeb);
         l.webFile = web.file;
         l.webRotation = web.rotation;
     }},
};

const Member<DrawingObjects::Layer> kLayer[] = {
    {"name", [](Reader& r, DrawingObjects::Layer& l) { readName(r, l.name); }},
    {"handle", [](Reader& r, DrawingObjects::Layer& l) { readHandle(r, l.handle); }},
};

// An entity as read: its geometry members, each kind needing some of them.
struct EntityRead {
    EntityInfo entity;
    std::string kind;
    PlGePoint3d start, end, position;
    std::vector<PlGePoint3d> boundary;
};
enum EntityMember : std::uint64_t {
    kHandle = 1 << 0, kKind = 1 << 1, kErased = 1 << 2, kStart = 1 << 3, kEnd = 1 << 4, kCenter = 1 << 5,
    kRadius = 1 << 6, kStartAngle = 1 << 7, kEndAngle = 1 << 8, kMajorAxis = 1 << 9, kRatio = 1 << 10,
    kPoints = 1 << 11, kPosition = 1 << 12, kTextMember = 1 << 13, kHeight = 1 << 14, kBoundary = 1 << 15,
};
const Member<EntityRead> kEntity[] = {
    {"handle", [](Reader& r, EntityRead& e) { readHandle(r, e.entity.handle); }},
    {"kind", [](Reader& r, EntityRead& e) { static_cast<void>(r.readString(e.kind)); }},
    {"erased", [](Reader& r, EntityRead& e) {
         readBoolean(r, e.entity.erased);
         if (e.entity.erased) r.fail(L"must be false: a drawing file holds no erased entity");
     }},
    {"start", [](Reader& r, EntityRead& e) { readPoint(r, e.start); }},
    {"end", [](Reader& r, EntityRead& e) { readPoint(r, e.end); }},
    {"center", [](Reader& r, EntityRead& e) { readPoint(r, e.entity.center); }},
    {"radius", [](Reader& r, EntityRead& e) { readReal(r, e.entity.radius); }},
    {"startAngleRad", [](Reader& r, EntityRead& e) { readReal(r, e.entity.startAngle); }},
    {"endAngleRad", [](Reader& r, EntityRead& e) { readReal(r, e.entity.endAngle); }},
    {"majorAxis", [](Reader& r, EntityRead& e) { readVector(r, e.entity.majorAxis); }},
    {"radiusRatio", [](Reader& r, EntityRead& e) { readReal(r, e.entity.radiusRatio); }},
    {"points", [](Reader& r, EntityRead& e) { readPoints(r, e.entity.points); }},
    {"position", [](Reader& r, EntityRead& e) { readPoint(r, e.position); }},
    {"text", [](Reader& r, EntityRead& e) { readText(r, e.entity.text); }},
    {"height", [](Reader& r, EntityRead& e) { readReal(r, e.entity.height); }},
    {"boundary", [](Reader& r, EntityRead& e) { readPoints(r, e.boundary); }},
};

/// The geometry members each kind of entity needs.
std::uint64_t geometryOf(EntityInfo::Kind kind) {
    switch (kind) {
        case EntityInfo::Kind::Line: return kStart | kEnd;
        case EntityInfo::Kind::Arc: return kCenter | kRadius | kStartAngle | kEndAngle;
        case EntityInfo::Kind::Circle: return kCenter | kRadius;
        case EntityInfo::Kind::Ellipse: return kCenter | kMajorAxis | kRatio;
        case EntityInfo::Kind::Polyline:
        case EntityInfo::Kind::Polyline3d:
        case EntityInfo::Kind::Spline:
        case EntityInfo::Kind::Polyline2d: return kPoints;
        case EntityInfo::Kind::Text: return kPosition | kTextMember | kHeight;
        case EntityInfo::Kind::Region: return kBoundary;
    }
    return 0;
}

void readEntity(Reader& r, EntityInfo& entity) {
    EntityRead e;
    const std::uint64_t given = readObject(r, e, kEntity, ~std::uint64_t{kHandle | kKind});
    if (r.failed()) return;
    if (!entityKindNamed(wide(e.kind), e.entity.kind)) {
        return r.fail(L"is of the kind \"" + wide(e.kind) +
                      L"\": an entity is a line, arc, circle, ellipse, pline, 3dpoly, spline, 2dpoly, text or region");
    }
    const std::uint64_t needed = geometryOf(e.entity.kind);
    for (std::size_t i = 0; i < std::size(kEntity); ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        if ((needed & bit) && !(given & bit)) {
            return r.fail(L"lacks the member \"" + wide(kEntity[i].name) + L"\" of a " + wide(e.kind));
        }
    }
    // Members of another kind's geometry are passed over.
    if (e.entity.kind == EntityInfo::Kind::Line) e.entity.points = {e.start, e.end};
    if (e.entity.kind == EntityInfo::Kind::Text) e.entity.center = e.position;
    if (e.entity.kind == EntityInfo::Kind::Region) e.entity.points = std::move(e.boundary);
    entity = std::move(e.entity);
}

const Member<plsim::ViewInfo> kView[] = {
    {"name", [](Reader& r, plsim::ViewInfo& v) { readName(r, v.name); }},
    {"handle", [](Reader& r, plsim::ViewInfo& v) { readHandle(r, v.handle); }},
};

const Member<plsim::scene::NamedPathInfo> kNamedPath[] = {
    {"name", [](Reader& r, plsim::scene::NamedPathInfo& p) { readName(r, p.name); }},
    {"entity", [](Reader& r, plsim::scene::NamedPathInfo& p) { readHandle(r, p.entity); }},
    {"handle", [](Reader& r, plsim::scene::NamedPathInfo& p) { readHandle(r, p.handle); }},
};

const Member<plsim::scene::MotionPathInfo> kMotionPath[] = {
    {"name", [](Reader& r, plsim::scene::MotionPathInfo& m) { readName(r, m.name); }},
    {"cameraPath", [](Reader& r, plsim::scene::MotionPathInfo& m) { readOptionalName(r, m.cameraPath); }},
    {"targetPath", [](Reader& r, plsim::scene::MotionPathInfo& m) { readOptionalName(r, m.targetPath); }},
    {"view", [](Reader& r, plsim::scene::MotionPathInfo& m) { readOptionalName(r, m.view); }},
    {"handle", [](Reader& r, plsim::scene::MotionPathInfo& m) { readHandle(r, m.handle); }},
};

/// The system variables: every one the drawing keeps, by its type (the three that govern
/// light placement among them); others are passed over.
void readVariables(Reader& r, DumpVariables& variables) {
    const std::vector<plsim::DrawingVariable> kept = plsim::drawingVariables();
    std::vector<bool> seen(kept.size(), false);
    if (!r.beginObject()) return;
    std::string_view key;
    while (r.nextMember(key)) {
        std::size_t i = 0;
        while (i < kept.size() && toUtf8(kept[i].name) != key) ++i;
        if (i == kept.size()) {
            r.skip();
            continue;
        }
        if (seen[i]) return r.fail(L"is given twice");
        seen[i] = true;
        plsim::DrawingVariable v = kept[i];
        long long whole = 0;
        double real = 0.0;
        switch (v.type) {
            case plsim::VarType::Text: readText(r, v.value); break;
            case plsim::VarType::Real:
                if (r.readNumber(real)) v.value = numberText(real);
                break;
            case plsim::VarType::Short:
            case plsim::VarType::Long:
                if (readWhole(r, whole, -2147483647 - 1, 2147483647)) v.value = std::to_wstring(whole);
                break;
        }
        if (r.failed()) return;
        if (v.name == L"CVPORT") {
            variables.cvport = static_cast<long>(whole);
        } else if (v.name == L"DEFAULTLIGHTING") {
            variables.defaultLighting = static_cast<long>(whole);
        } else if (v.name == L"LIGHTINGUNITS") {
            variables.lightingUnits = static_cast<long>(whole);
        } else {
            variables.others.push_back(std::move(v));
        }
    }
    for (std::size_t i = 0; i < kept.size() && !r.failed(); ++i) {
        if (!seen[i]) r.fail(L"lacks the member \"" + kept[i].name + L"\"");
    }
}

const Member<plsim::UcsInfo> kUcs[] = {
    {"origin", [](Reader& r, plsim::UcsInfo& u) { readPoint(r, u.origin); }},
    {"xAxis", [](Reader& r, plsim::UcsInfo& u) { readVector(r, u.xAxis); }},
    {"yAxis", [](Reader& r, plsim::UcsInfo& u) { readVector(r, u.yAxis); }},
};

const Member<DrawingObjects> kDictionaries[] = {
    {"namedPaths", [](Reader& r, DrawingObjects& o) { readOptionalHandle(r, o.namedPathDictionary); }},
    {"motionPaths", [](Reader& r, DrawingObjects& o) { readOptionalHandle(r, o.motionPathDictionary); }},
};

const Member<DrawingFile> kDrawing[] = {
    {"layers", [](Reader& r, DrawingFile& d) {
         readArray(r, d.objects.layers, [](Reader& rr, DrawingObjects::Layer& l) { readObject(rr, l, kLayer); });
     }},
    {"lights", [](Reader& r, DrawingFile& d) {
         // Lights take most of a file, a kilobyte and a half each: room for them at once.
         d.lights.reserve(r.remaining() / 1400);
         readArray(r, d.lights, [](Reader& rr, LightInfo& l) { readObject(rr, l, kLight); });
     }},
    {"entities", [](Reader& r, DrawingFile& d) { readArray(r, d.objects.entities, readEntity); }},
    {"views", [](Reader& r, DrawingFile& d) {
         readArray(r, d.objects.views, [](Reader& rr, plsim::ViewInfo& v) { readObject(rr, v, kView); });
     }},
    {"namedPaths", [](Reader& r, DrawingFile& d) {
         readArray(r, d.objects.namedPaths,
                   [](Reader& rr, plsim::scene::NamedPathInfo& p) { readObject(rr, p, kNamedPath); });
     }},
    {"motionPaths", [](Reader& r, DrawingFile& d) {
         readArray(r, d.objects.motionPaths,
                   [](Reader& rr, plsim::scene::MotionPathInfo& m) { readObject(rr, m, kMotionPath); });
     }},
    {"sysvars", [](Reader& r, DrawingFile& d) { readVariables(r, d.variables); }},
    {"ucs", [](Reader& r, DrawingFile& d) { readObject(r, d.ucs, kUcs); }},
    {"nextHandle", [](Reader& r, DrawingFile& d) { readHandle(r, d.nextHandle); }},
    {"pathDictionaries", [](Reader& r, DrawingFile& d) { readObject(r, d.objects, kDictionaries); }},
};

/// The format and its version, the first two members: anything else is no drawing of this plandor.
bool readFormat(Reader& r) {
    std::string_view key;
    std::string format;
    if (!r.nextMember(key) || key != "format") {
        if (!r.failed()) r.failAt("", L"is no plandor drawing: a drawing file starts with \"format\": \"plandor-drawing\"");
        return false;
    }
    if (!r.readString(format)) return false;
    if (format != kDrawingFormat) {
        r.fail(L"is \"" + wide(format) + L"\": this plandor opens \"plandor-drawing\" files");
        return false;
    }
    double version = 0.0;
    if (!r.nextMember(key) || key != "version") {
        if (!r.failed()) r.failAt("", L"lacks the member \"version\" after \"format\"");
        return false;
    }
    if (!r.readNumber(version)) return false;
    if (version != kDrawingFormatVersion) {
        r.fail(L"is " + numberText(version) + L": this plandor reads version " + std::to_wstring(kDrawingFormatVersion) +
               (version > kDrawingFormatVersion ? L", and that one is newer" : L""));
        return false;
    }
    return true;
}

// ---- What the members say of one another ---------------------------------------------

constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

std::string at(const char* list, std::size_t index, const char* member = nullptr) {
    std::string pointer = std::string("/") + list;
    if (index != kNoIndex) pointer += "/" + std::to_string(index);
    return member ? pointer + "/" + member : pointer;
}

/// Where a value was given: a member of an item of a list (or of an object, without an index).
struct Place {
    const char* list = "";
    std::size_t index = kNoIndex;
    const char* member = nullptr;
    std::string pointer() const { return at(list, index, member); }
    std::string item() const { return index == kNoIndex ? pointer() : at(list, index); }
};

/// Keys (handles, or names told apart ignoring letter case) with the place each was given,
/// checked by sorting, which stays quick for what a drawing holds by the hundred thousand.
template <class Key>
class Register {
public:
    struct Entry {
        Key key;
        std::size_t order;
        Place place;
    };

    void add(Key key, Place place) { m_entries.push_back({std::move(key), m_entries.size(), place}); }

    /// Sorts by key, each key's entries in the order given.
    void sort() {
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const Entry& a, const Entry& b) { return a.key < b.key || (a.key == b.key && a.order < b.order); });
    }

    /// After sort: of the keys given twice, the one given again first, with where it was given
    /// before; null when none is.
    const Entry* repeated(const Entry*& earlier) const {
        const Entry* again = nullptr;
        for (std::size_t i = 1; i < m_entries.size(); ++i) {
            if (m_entries[i].key == m_entries[i - 1].key && (!again || m_entries[i].order < again->order)) again = &m_entries[i];
        }
        if (again) earlier = &*std::lower_bound(m_entries.begin(), m_entries.end(), again->key, less);
        return again;
    }

    /// After sort: whether `key` was given.
    bool contains(const Key& key) const {
        const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key, less);
        return it != m_entries.end() && it->key == key;
    }

    /// After sort: the entry of the largest key; null when there is none.
    const Entry* largest() const { return m_entries.empty() ? nullptr : &m_entries.back(); }

private:
    static bool less(const Entry& e, const Key& k) { return e.key < k; }
    std::vector<Entry> m_entries;
};

std::wstring folded(const std::wstring& name) { return plsim::detail::toLower(name); }

struct Checks {
    JsonFault refusal;
    std::vector<JsonFault> warnings;
    bool refused = false;

    bool refuse(std::string pointer, std::wstring reason) {
        if (!refused) refusal = {std::move(pointer), std::move(reason)};
        refused = true;
        return false;
    }

    /// Registers the name of each of `items` (from the list `list`); false (refused) when one
    /// is given twice.
    template <class T, class Name>
    bool names(Register<std::wstring>& names, const std::vector<T>& items, const char* list, Name name, const wchar_t* what) {
        for (std::size_t i = 0; i < items.size(); ++i) names.add(folded(name(items[i])), {list, i, "name"});
        names.sort();
        const Register<std::wstring>::Entry* earlier = nullptr;
        const Register<std::wstring>::Entry* again = names.repeated(earlier);
        if (!again) return true;
        return refuse(again->place.pointer(), L"is \"" + name(items[again->place.index]) + L"\", which " + what + L" at " +
                                                  wide(earlier->place.pointer()) + L" is called already (letter case aside)");
    }
};

template <class T>
const std::wstring& nameOf(const T& item) { return item.name; }

void check(const DrawingFile& d, Checks& c) {
    const DrawingObjects& o = d.objects;
    // Every handle; and what a named path may run along, the lights and the entities.
    Register<std::uint64_t> handles, along;
    const auto add = [&handles](const auto& items, const char* list) {
        for (std::size_t i = 0; i < items.size(); ++i) handles.add(items[i].handle, {list, i, "handle"});
    };
    add(o.layers, "layers");
    add(d.lights, "lights");
    add(o.entities, "entities");
    add(o.views, "views");
    add(o.namedPaths, "namedPaths");
    add(o.motionPaths, "motionPaths");
    if (o.namedPathDictionary) handles.add(o.namedPathDictionary, {"pathDictionaries", kNoIndex, "namedPaths"});
    if (o.motionPathDictionary) handles.add(o.motionPathDictionary, {"pathDictionaries", kNoIndex, "motionPaths"});
    for (std::size_t i = 0; i < d.lights.size(); ++i) along.add(d.lights[i].handle, {});
    for (std::size_t i = 0; i < o.entities.size(); ++i) along.add(o.entities[i].handle, {});
    handles.sort();
    along.sort();
    const Register<std::uint64_t>::Entry* earlier = nullptr;
    if (const auto* again = handles.repeated(earlier)) {
        return static_cast<void>(c.refuse(again->place.pointer(), L"is " + wide(handleHex(again->key)) + L", the handle of " +
                                                                       wide(earlier->place.item()) + L" already"));
    }
    if (const auto* largest = handles.largest(); largest && largest->key >= d.nextHandle) {
        return static_cast<void>(c.refuse("/nextHandle", L"is " + wide(handleHex(d.nextHandle)) +
                                                             L", not above every handle of the drawing (" +
                                                             wide(largest->place.item()) + L" has " + wide(handleHex(largest->key)) + L")"));
    }
    Register<std::wstring> layers, lights, views, paths, motions;
    if (!c.names(layers, o.layers, "layers", nameOf<DrawingObjects::Layer>, L"the layer") ||
        !c.names(lights, d.lights, "lights", nameOf<LightInfo>, L"the light") ||
        !c.names(views, o.views, "views", nameOf<plsim::ViewInfo>, L"the view") ||
        !c.names(paths, o.namedPaths, "namedPaths", nameOf<plsim::scene::NamedPathInfo>, L"the named path") ||
        !c.names(motions, o.motionPaths, "motionPaths", nameOf<plsim::scene::MotionPathInfo>, L"the motion path"))
        return;
    for (std::size_t i = 0; i < d.lights.size(); ++i) {
        const LightInfo& l = d.lights[i];
        // Every drawing has the layer 0.
        if (!l.layer.empty() && folded(l.layer) != L"0" && !layers.contains(folded(l.layer)))
            return static_cast<void>(c.refuse(at("lights", i, "layer"), L"is \"" + l.layer + L"\", which is none of the layers"));
        if (l.hotspot > l.falloff) {
            c.warnings.push_back({at("lights", i, "hotspotDeg"), L"is wider than the falloff; the light keeps both as they are"});
        }
        if (l.attenuation.start < 0.0 || l.attenuation.end < 0.0) {
            c.warnings.push_back({at("lights", i, "attenuation"), L"has a negative limit; the light keeps it as it is"});
        }
    }
    for (std::size_t i = 0; i < o.namedPaths.size(); ++i) {
        const std::uint64_t entity = o.namedPaths[i].entity;
        if (!along.contains(entity))
            return static_cast<void>(c.refuse(at("namedPaths", i, "entity"), L"is " + wide(handleHex(entity)) +
                                                                                  L", which is no entity or light of the drawing"));
    }
    for (std::size_t i = 0; i < o.motionPaths.size(); ++i) {
        const plsim::scene::MotionPathInfo& m = o.motionPaths[i];
        const std::tuple<const std::optional<std::wstring>&, const char*, const Register<std::wstring>&, const wchar_t*> parts[] = {
            {m.cameraPath, "cameraPath", paths, L"named paths"},
            {m.targetPath, "targetPath", paths, L"named paths"},
            {m.view, "view", views, L"views"}};
        for (const auto& [part, member, known, what] : parts) {
            if (part && !known.contains(folded(*part)))
                return static_cast<void>(c.refuse(at("motionPaths", i, member), L"is \"" + *part + L"\", which is none of the " + what));
        }
    }
}

}  // namespace

ReadDrawing readDrawing(std::string_view text) {
    ReadDrawing read;
    Reader r(text);
    DrawingFile drawing;
    if (r.beginObject() && readFormat(r)) {
        // The format and version are read; the rest in any order.
        readMembers(r, drawing, kDrawing);
        r.finish();
    }
    if (r.failed()) {
        read.refusal = r.fault();
        return read;
    }
    Checks checks;
    check(drawing, checks);
    if (checks.refused) {
        read.refusal = checks.refusal;
        return read;
    }
    read.warnings = std::move(checks.warnings);
    read.drawing = std::move(drawing);
    return read;
}

ReadDrawing readDrawingFile(const std::filesystem::path& path) {
    FileBytes file;
    ReadDrawing read;
    if (!file.open(path, read.refusal.reason)) return read;
    return readDrawing(file.bytes());
}

std::wstring faultText(const JsonFault& fault) {
    const std::wstring where = fault.pointer.empty() ? L"the file" : wide(fault.pointer);
    if (fault.line > 0) {
        return L"line " + std::to_wstring(fault.line) + L", column " + std::to_wstring(fault.column) + L" (in " + where +
               L"): " + fault.reason;
    }
    return where + L" " + fault.reason;
}

}  // namespace plandor
