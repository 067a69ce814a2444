// A fixture with the light-entity module loaded and one open drawing; a test fails when it
// leaves an object open or the database catches a programming error.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/driver.h"
#include "tests/hostsim/host_fixture.h"

inline constexpr double kPi = 3.141592653589793;
inline double degrees(double d) { return d * kPi / 180.0; }

class DrawingTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        plsim::clearDrawingErrors();
        ASSERT_TRUE(plrxLoadModule(L"PlSceneOE.dbx", false, false)) << "the light-entity module did not load";
        doc = plsim::openDrawing(L"Drawing1");
        db = doc->database();
    }

    void TearDown() override {
        EXPECT_EQ(0, plsim::openObjectCount()) << "left open: " << joined(plsim::openObjects());
        EXPECT_TRUE(plsim::drawingErrors().empty()) << joined(plsim::drawingErrors());
        HostTest::TearDown();
        plsim::clearDrawingErrors();
        plrxUnloadModule(L"PlSceneOE.dbx", false);
    }

    static std::string joined(const std::vector<std::wstring>& lines) {
        std::string text;
        for (const std::wstring& line : lines) text += std::string(line.begin(), line.end()) + "; ";
        return text;
    }

    /// A new light named `name` (none when null) appended to model space of `into` (the drawing when null)
    /// and closed: answers its id.
    PlDbObjectId addClosedLight(const wchar_t* name, PlDbDatabase* into = nullptr) {
        auto* light = new PlDbLight;
        EXPECT_TRUE(!name || light->setName(name) == Plad::eOk) << "name refused before append";
        PlDbObjectId id;
        EXPECT_EQ(Plad::eOk, plsim::addEntity(into ? into : db, light, id));
        return id;
    }

    PlApDocument* doc = nullptr;
    PlDbDatabase* db = nullptr;
};
