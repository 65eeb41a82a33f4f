// What the tests of the tools share: a host that keeps the prompt, the
// pixels of places in the plain view, and a fixture that starts tools,
// clicks, and aborts every tool it started at the end.
#pragma once

#include "action.h"
#include "objectlist.h"
#include "scripted.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct Recorder : ToolHost {
    void inform(const char* t) override { Prompt = t; }
    std::string Prompt;
};

// The plain view: 500 x 500 pixels over [-7, 7].
inline int px(double x) {
    return static_cast<int>(std::lround((x + 7) / 14 * 500));
}
inline int py(double y) {
    return static_cast<int>(std::lround((7 - y) / 14 * 500));
}

struct ToolTest : ::testing::Test {
    Recorder host;
    ScriptedAnswerer s;
    std::vector<Action*> Used;
    void SetUp() override {
        sethost(&host);
        objects.clear();
        counts.reset();
    }
    void TearDown() override {
        for (Action* a : Used) a->abort();
        objects.clear();
        sethost(nullptr);
    }
    void use(Action& a) {
        Used.push_back(&a);
        a.abort();
        a.start();
        a.inform();
    }
    static void click(Action& a, double x, double y) { a.perform(px(x), py(y)); }
};
