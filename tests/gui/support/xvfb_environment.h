// A private Xvfb for the whole test program: started before the first test and
// stopped after the last. Tests skip only when no Xvfb is installed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "xvfb_server.h"

namespace gui_test {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (XvfbServer::installed()) started_ = server_.start(error_);
    }
    void TearDown() override { server_.stop(); }
    bool started() const { return started_; }
    const std::string& error() const { return error_; }

private:
    XvfbServer server_;
    bool started_ = false;
    std::string error_;
};

}  // namespace gui_test
