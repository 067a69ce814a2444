// A fixture that starts every test of the stand-in host from a fresh session.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "hostsim/driver.h"

inline bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        plsim::resetSession();
        plsim::setOutputSink(nullptr);
        plsim::setModuleDirectory(L"");
    }
    void TearDown() override {
        plsim::setOutputSink(nullptr);
        plsim::setModuleDirectory(L"");
        plsim::resetSession();
    }
};
