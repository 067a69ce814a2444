// Guards against texts mangled between a messages file and the text a module reads back (escapes, quotes, non-ASCII, trailing blanks, ids) on Windows and Linux alike.
#include <gtest/gtest.h>

#include <string>

#include "host/plres.h"
#include "host/plstring.h"
#include "resources/MessageIds.h"

namespace {

struct Expected {
    unsigned id;
    const wchar_t* text;
};

// Loads `name` the way the module loads its resources, and frees it at the end.
class ResourceModule {
public:
    explicit ResourceModule(const wchar_t* name) : m_handle(PlUtResource::loadDll(name, 0, 0)) {}
    ~ResourceModule() { PlUtResource::freeDll(m_handle, 0); }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    PlResModuleHandle handle() const { return m_handle; }

    /// The text of `id`, or "<missing>" when the module has none.
    std::wstring text(unsigned id) const {
        PlString s;
        if (!s.loadString(PlRxResourceInstance(m_handle), id)) {
            EXPECT_TRUE(s.isEmpty()) << "a failed load must leave the text empty, id " << id;
            return L"<missing>";
        }
        return s.str();
    }

private:
    PlResModuleHandle m_handle;
};

void expectTexts(const ResourceModule& module, std::initializer_list<Expected> cases) {
    for (const Expected& c : cases) {
        EXPECT_EQ(module.text(c.id), c.text) << "id " << c.id;
    }
}

TEST(SceneResources, TextsReadBackAsWrittenAndUnknownIdsAreMissing) {
    EXPECT_EQ(PlUtResource::loadDll(L"PlNoSuchRes.dll", 0, 0), nullptr);
    ResourceModule res(L"PlSceneRes.dll");
    ASSERT_NE(res.handle(), nullptr);
    for (unsigned id : {0u, 2284u, 2286u, 65536u, 70000u}) EXPECT_EQ(res.text(id), L"<missing>") << "id " << id;
    // The current source serves the same texts (escapes and encodings are the generated module's test).
    PlResourceOverride current(res.handle());
    PlString s;
    ASSERT_TRUE(s.loadString(msg::kKindPrompt));
    EXPECT_EQ(s.str(), L"Enter light type [Spot/Point/Distant/Web/Targetpoint/Freespot/freeweB] <%s>: ");
}

// PlTestRes is generated from tests/resources/PlTestRes.messages.
TEST(GeneratedResources, EscapesAndEncodingsSurvive) {
    ResourceModule res(L"PlTestRes.dll");
    ASSERT_NE(res.handle(), nullptr);
    expectTexts(res, {
        {0, L"lowest id"},
        {3, L"newline at the end\n"},
        {5, L"leading zeros in the id"},
        {7, L"plain"},
        {12, L"tab\there, backslash \\ and \\n kept literal"},
        {13, L"quotes \"inside\" and \"\"doubled\"\""},
        {14, L"trigraph ?\?= ?\?/ ?\?( and a lone ?"},
        {15, L"Latin \u00F6\u00E9\u00DF, Euro \u20AC, CJK \u4E2D, astral \U0001F4A1 end"},
        {16, L"%s and %d stay as written; semicolon ; brackets [a/b] <c>"},
        {17, L"  padded both sides  "},
        {18, L"A B _ A B"},
        {65535, L"highest id"},
    });
    EXPECT_EQ(res.text(4), L"<missing>");
}

}  // namespace
