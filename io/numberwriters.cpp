// The writers and readers of the records of calculations, sliders, check
// boxes, texts, circles with a number as radius, and loci.
#include "constructed.h"
#include "control.h"
#include "io.h"
#include "locus.h"
#include "number.h"
#include "objectlist.h"
#include "text.h"

#include <cmath>
#include <string>

namespace {

int finite(Input& in, int i, double& x) {
    return in.number(i, x) && std::isfinite(x);
}

// "h"()=calculate("F*2/c"); the names are those of earlier number objects.
class CalculateIO : public IO {
  public:
    CalculateIO() : IO("calculate") {}
    int texts() const override { return 1; }
    int longrecord() const override { return 1; }
    void depwrite(Object* o) override { text(static_cast<Calculation*>(o)->expression().text()); }
    int interpret(Input& in) override {
        const std::string* t = in.text(0);
        if (!in.shape(1, 1) || !t) return 0;
        Expression e;
        if (!e.parse(*t, numbersbefore(nullptr))) {
            in.Reason = "the expression " + e.Why;
            return 0;
        }
        return in.set(new Calculation(std::move(e)), 0);
    }
};

// "a"()=slider(value,minimum,maximum,step);
class SliderIO : public IO {
  public:
    SliderIO() : IO("slider") {}
    void depwrite(Object* o) override {
        auto* s = static_cast<Slider*>(o);
        for (double x : {s->Value, s->Min, s->Max, s->Step}) number(general(x).c_str());
    }
    int interpret(Input& in) override {
        double v, min, max, step;
        if (!in.shape(1, 4) || !finite(in, 0, v) || !finite(in, 1, min) || !finite(in, 2, max) ||
            !finite(in, 3, step))
            return 0;
        if (!Slider::range(min, max, step)) {
            in.Reason = "a slider needs a minimum below its maximum and a positive step";
            return 0;
        }
        return in.set(new Slider(v, min, max, step), 0);
    }
};

// "b"()=checkbox(1,"caption");
class CheckBoxIO : public IO {
  public:
    CheckBoxIO() : IO("checkbox") {}
    int texts() const override { return 1; }
    int longrecord() const override { return 1; }
    void depwrite(Object* o) override {
        auto* b = static_cast<CheckBox*>(o);
        number(b->Value != 0 ? "1" : "0");
        text(b->Caption);
    }
    int interpret(Input& in) override {
        double v;
        const std::string* t = in.text(1);
        if (!in.shape(1, 2) || !in.number(0, v) || (v != 0 && v != 1) || !t) return 0;
        return in.set(new CheckBox(v != 0, *t), 0);
    }
};

// "t"()=text("...",x,y); or text("...","A");
class TextIO : public IO {
  public:
    TextIO() : IO("text") {}
    int texts() const override { return 1; }
    int longrecord() const override { return 1; }
    void depwrite(Object* o) override {
        auto* t = static_cast<Text*>(o);
        text(t->source());
        if (t->At) {
            depadd(t->At);
        } else {
            number(general(t->X).c_str());
            number(general(t->Y).c_str());
        }
    }
    int interpret(Input& in) override {
        const std::string* t = in.text(0);
        if (in.Nleft != 1 || !t) return 0;
        double x, y;
        if (in.Right.n() == 2) {
            Object* p = in.object(1, CPoint);
            if (!p) return 0;
            return in.set(new Text(*t, 0, 0, static_cast<Pointprim*>(p)), 0);
        }
        if (!in.shape(1, 3) || !finite(in, 1, x) || !finite(in, 2, y)) return 0;
        return in.set(new Text(*t, x, y, nullptr), 0);
    }
};

// "k"()=circleradius("M","r"); or circleradius("M",2.5);
class CircleRadiusIO : public IO {
  public:
    CircleRadiusIO() : IO("circleradius") {}
    void depwrite(Object* o) override {
        auto* c = static_cast<CircleRadius*>(o);
        depadd(c->Centre);
        if (c->Radius)
            depadd(c->Radius);
        else
            number(general(c->Fixed).c_str());
    }
    int interpret(Input& in) override {
        Pointprim* m;
        if (!in.shape(1, 2) || !in.points(&m, 1)) return 0;
        // A name in quotes is a number object before it is a number.
        Object* r = in.quoted(1) ? in.object(1, CNumber) : nullptr;
        double x = 0;
        if (!r && !finite(in, 1, x)) r = in.object(1, CNumber);
        if (!r && !finite(in, 1, x)) return 0;
        return in.set(new CircleRadius(m, static_cast<Number*>(r), x), 0);
    }
};

// "L"()=locus("P","Q"); the traced point, then the driver.
class LocusIO : public IO {
  public:
    LocusIO() : IO("locus") {}
    void depwrite(Object* o) override {
        auto* l = static_cast<Locus*>(o);
        depadd(l->P);
        depadd(l->Q);
    }
    int interpret(Input& in) override {
        if (!in.shape(1, 2)) return 0;
        Object* p = in.object(0, CPoint);
        Object* q = in.object(1, CPoint | CNumber);
        if (!Locus::takes(p, q)) {
            in.Reason = "a locus needs a point and a point on an object or a slider it depends on";
            return 0;
        }
        return in.set(new Locus(static_cast<Pointprim*>(p), q), 0);
    }
};

CalculateIO calculations;
SliderIO sliders;
CheckBoxIO checkboxes;
TextIO texts;
CircleRadiusIO circleradii;
LocusIO loci;

} // namespace

void installnumberrecords() {
    calculateio = &calculations;
    sliderio = &sliders;
    checkboxio = &checkboxes;
    textio = &texts;
    circleradiusio = &circleradii;
    locusio = &loci;
}
