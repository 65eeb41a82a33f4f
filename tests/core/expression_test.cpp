#include "expression.h"
#include "model.h"

#include <cmath>
#include <map>
#include <string>

namespace {

// Names of stubs standing for number objects, with their values.
struct Numbers {
    std::map<std::string, Object*> Objects;
    std::map<Object*, double> Values;
    Object* add(const std::string& name, double v) {
        Object* o = new Stub;
        Objects[name] = o;
        Values[o] = v;
        return o;
    }
    Expression::Lookup lookup() {
        return [this](const std::string& n) {
            auto i = Objects.find(n);
            return i == Objects.end() ? nullptr : i->second;
        };
    }
    Expression::Value value() {
        return [this](Object* o) { return Values[o]; };
    }
};

using Expressions = Model;

} // namespace

TEST_F(Expressions, KnownValuesAndTheOrderOfOperations) {
    Numbers n;
    n.add("F", 6);
    n.add("c", 4);
    n.add("alpha", 30);
    n.add("d'", -2);
    const std::pair<const char*, double> cases[] = {
        {"2^10", 1024},
        {"sin(30)", 0.5},
        {"cos(60)", 0.5},
        {"tan(45)", 1},
        {"asin(0.5)", 30},
        {"atan(1)", 45},
        {"acos(-1)", 180},
        {"sqrt(16) + abs(-3)", 7},
        {"F*2/c", 3},
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"2^3^2", 512},
        {"-2^2", -4},
        {"2^-1", 0.5},
        {"10 - 4 - 3", 3},
        {"12 / 3 / 2", 2},
        {"min(F, c) + max(F, c)", 10},
        {"sin(alpha) * 2", 1},
        {"d' * -1", 2},
        {"1.5e2 + .5", 150.5},
        {"6 \xe2\x88\x92 1 \xc3\x97 2 \xc3\xb7 4", 5.5},
        {"+-+1", -1},
    };
    for (auto [text, want] : cases) {
        Expression e;
        ASSERT_TRUE(e.parse(text, n.lookup())) << text << ": " << e.Why << " at " << e.At;
        EXPECT_DOUBLE_EQ(e.evaluate(n.value()), want) << text;
    }
    Expression pi;
    ASSERT_TRUE(pi.parse("2*pi + \xcf\x80", n.lookup()));
    EXPECT_DOUBLE_EQ(pi.evaluate(n.value()), 3 * M_PI);
    // Each name once, in order.
    Expression e;
    ASSERT_TRUE(e.parse("F + c*F - alpha", n.lookup()));
    ASSERT_EQ(e.names().size(), 3u);
    EXPECT_EQ(e.names()[0], n.Objects["F"]);
    EXPECT_EQ(e.names()[2], n.Objects["alpha"]);
}

TEST_F(Expressions, NoValueGivesNaNAndFaultsTheirPlace) {
    Numbers n;
    Object* a = n.add("a", 1);
    for (const char* text : {"1/0", "sqrt(-1)", "asin(2)", "tan(90)", "10^400", "a/(a-1)"}) {
        Expression e;
        ASSERT_TRUE(e.parse(text, n.lookup())) << text;
        EXPECT_TRUE(std::isnan(e.evaluate(n.value()))) << text;
    }
    // A name without a value (an invalid object) gives none.
    Expression e;
    ASSERT_TRUE(e.parse("a + 1", n.lookup()));
    n.Values[a] = NAN;
    EXPECT_TRUE(std::isnan(e.evaluate(n.value())));
    n.Values[a] = 2;
    EXPECT_EQ(e.evaluate(n.value()), 3) << "and comes back";

    const std::pair<const char*, std::size_t> bad[] = {
        {"", 0},         {"1 +", 3},    {"(1 + 2", 6}, {"1 2", 2},       {"b + 1", 0},
        {"2 * nope", 4}, {"foo(1)", 0}, {"min(1)", 5}, {"sin(1, 2)", 5}, {"1 + * 2", 4},
        {")", 0},        {"1e999", 0},  {"#", 0},      {"max(1,)", 6},
    };
    for (auto [text, at] : bad) {
        Expression x;
        EXPECT_FALSE(x.parse(text, n.lookup())) << text;
        EXPECT_EQ(x.At, at) << text << ": " << x.Why;
        EXPECT_FALSE(x.Why.empty()) << text;
        EXPECT_TRUE(std::isnan(x.evaluate(n.value()))) << "a failed parse has no value";
    }
    // Nesting has a limit, so no text can exhaust the stack.
    Expression deep;
    EXPECT_FALSE(deep.parse(std::string(100000, '(') + "1" + std::string(100000, ')'), n.lookup()));
    EXPECT_EQ(deep.Why, "nested too deeply");
    Expression minus;
    EXPECT_FALSE(minus.parse(std::string(5000, '-') + "1", n.lookup()));
    Expression ok;
    EXPECT_TRUE(ok.parse(std::string(40, '(') + "1" + std::string(40, ')'), n.lookup()));
}

TEST_F(Expressions, AComparisonIsOneOrZero) {
    Numbers n;
    n.add("d", 3);
    n.add("e", 3.0000000000001);
    auto eval = [&](const std::string& text) {
        Expression e;
        EXPECT_TRUE(e.parse(text, n.lookup())) << text << ": " << e.Why;
        return e.evaluate(n.value());
    };
    const std::pair<const char*, double> cases[] = {
        {"d > 3", 0}, {"d >= 3", 1}, {"d > 2", 1},   {"d < 4", 1},         {"d <= 2", 0},
        {"d = 3", 1}, {"d == 3", 1}, {"d != 3", 0},  {"d = e", 1},         {"d < e", 0},
        {"d ≠ 4", 1}, {"d ≤ 3", 1},  {"d ≥ 3.5", 0}, {"d + 1 > 2 * 2", 0}, {"(d > 2) + 1", 2},
    };
    for (auto [text, want] : cases) EXPECT_EQ(eval(text), want) << text;
    Expression e;
    EXPECT_FALSE(e.parse("d > 2 > 1", n.lookup())) << "one comparison only";
    EXPECT_FALSE(e.parse("d >", n.lookup()));
    EXPECT_EQ(e.At, 3u);
    EXPECT_TRUE(std::isnan(eval("sqrt(-1) > 0"))) << "no value compares to nothing";
}
