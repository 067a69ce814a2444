// A fixture with the light-entity module loaded and one open drawing; a test fails when it
// leaves an object open or the database catches a programming error.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/driver.h"
#include "tests/hostsim/host_fixture.h"

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

    /// A new light named `name` (none when null) appended to model space; it
    /// is still open for write, as append leaves it.
    PlDbLight* appendLight(const wchar_t* name, PlDbDatabase* into = nullptr) {
        PlDbDatabase* target = into ? into : db;
        auto* light = new PlDbLight;
        if (name) {
            EXPECT_EQ(Plad::eOk, light->setName(name)) << "name refused before append";
        }
        PlDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(Plad::eOk, pldbOpenObject(space, target->modelSpaceId(), PlDb::kForWrite));
        if (!space) {
            delete light;
            return nullptr;
        }
        EXPECT_EQ(Plad::eOk, space->appendPlDbEntity(light));
        space->close();
        return light;
    }

    /// The same, closed: answers its id.
    PlDbObjectId addClosedLight(const wchar_t* name, PlDbDatabase* into = nullptr) {
        PlDbLight* light = appendLight(name, into);
        if (!light) return {};
        const PlDbObjectId id = light->objectId();
        light->close();
        return id;
    }

    PlApDocument* doc = nullptr;
    PlDbDatabase* db = nullptr;
};
