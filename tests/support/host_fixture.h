// A fixture that starts every test on a fresh host session with one open drawing, and checks no object is left open.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "hostsim/driver.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        plsim::resetSession();
        drawing = plsim::openDrawing(L"Drawing1");
    }
    void TearDown() override {
        EXPECT_EQ(plsim::openObjectCount(), 0) << "an object was left open";
        plsim::resetSession();
    }

    /// The transcript since the last call, and clears it.
    static std::wstring takeTranscript() {
        std::wstring text = plsim::transcript();
        plsim::clearTranscript();
        return text;
    }

    PlApDocument* drawing = nullptr;
};
