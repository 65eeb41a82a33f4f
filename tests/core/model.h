// Helpers for tests of the construction model.
#pragma once

#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <cmath>
#include <gtest/gtest.h>

// A stand-in object computed from up to three parents, with a chosen main
// object, counting its updates; it is near (X, Y) like a point.
class Stub : public Object {
  public:
    explicit Stub(Object* a = nullptr, Object* b = nullptr, Object* c = nullptr) {
        for (Object* p : {a, b, c})
            if (p) P[N++] = p;
        setname("Stub", stubcount());
    }
    int dep(Object** o) override {
        for (int i = 0; i < N; ++i) o[i] = P[i];
        return N;
    }
    Object* original() override { return Main ? Main : this; }
    void update() override {
        ++Updates;
        valid = 1;
        for (int i = 0; i < N; ++i)
            if (!P[i]->valid) valid = 0;
    }
    double distance(double x, double y) override { return std::hypot(x - X, y - Y); }
    static Count& stubcount() {
        static Count c;
        return c;
    }
    Object* P[3] = {};
    int N = 0;
    Object* Main = nullptr;
    int Updates = 0;
    double X = 100, Y = 100;
};

// Every test starts with an empty construction and the plain view.
struct Model : ::testing::Test {
    void SetUp() override {
        objects.clear();
        objects.stopat(0);
        counts.reset();
        Stub::stubcount().C = 1;
        objectcolors.all();
        objectcolors.defcolor(0);
        view().showhidden = 0;
        msize = 150;
    }
    void TearDown() override { objects.clear(); }
};
