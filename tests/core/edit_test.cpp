#include "angle.h"
#include "bitmapps.h"
#include "circle.h"
#include "derived.h"
#include "edit.h"
#include "intersection.h"
#include "line.h"
#include "model.h"
#include "scripted.h"

#include <cmath>
#include <string>

namespace {

struct Edit : Model {
    ScriptedAnswerer answers;
    // The user's part of the next dialog; OK closes it unless told otherwise.
    void next(std::function<void(Dialog&)> f, int close = 1) {
        answers.Dialogs.push_back([f, close](Dialog& d) {
            f(d);
            d.click(close);
        });
    }
    // Edits o as the edit tool does: the dialog, then the recomputation.
    static void edit(Object* o) {
        o->edit();
        objects.update();
    }
    static std::string description(Dialog& d) { return d.gettext(102).text(); }
};

} // namespace

TEST_F(Edit, PointDialogRenamesRecoloursAndMovesBasicPoints) {
    Point* a = new Point(1, 2);
    Point* b = new Point(3, 4);
    Segment* s = new Segment(a, b);
    std::string shown, caption;
    next([&](Dialog& d) {
        caption = d.caption().text();
        shown = description(d);
        EXPECT_STREQ(d.gettext(101).text(), "Point_1");
        EXPECT_STREQ(d.gettext(104).text(), "1");
        EXPECT_STREQ(d.gettext(107).text(), "2");
        EXPECT_TRUE(d.getcheck(130)) << "black";
        EXPECT_TRUE(d.getcheck(103)) << "square";
        d.type(101, "Point_2"); // taken by the other point
        d.click(141);           // pink
        d.type(104, "-2.5");
        d.type(107, "0.5");
        d.click(106); // cross
        d.click(110);
        d.click(111);
    });
    edit(a);
    EXPECT_EQ(caption, "Point Properties");
    EXPECT_EQ(shown, "Basic Point");
    ASSERT_EQ(answers.AskedBoxes.size(), 1u);
    EXPECT_EQ(answers.AskedBoxes[0].kind, Box::Warning);
    EXPECT_EQ(answers.AskedBoxes[0].text, "Name has been used before!");
    EXPECT_EQ(answers.AskedBoxes[0].title, "Gyrel");
    EXPECT_STREQ(a->name(), "Point_1") << "the refused name leaves the old one";
    EXPECT_EQ(a->color(), 2) << "while the other values are taken";
    EXPECT_EQ(a->x(), -2.5);
    EXPECT_EQ(a->y(), 0.5);
    EXPECT_EQ(a->Symbol, 1);
    EXPECT_TRUE(a->showname);
    EXPECT_FALSE(a->objectclass() & CMovable) << "Fixed";
    EXPECT_NEAR(s->length(), std::hypot(5.5, 3.5), 1e-12) << "the segment follows";
    EXPECT_TRUE(objects.changed);

    // A free name is taken without a word; the own name changes nothing.
    objects.changed.clear();
    next([](Dialog& d) {
        d.type(101, "A");
        d.click(111); // movable again
    });
    edit(a);
    EXPECT_STREQ(a->name(), "A");
    EXPECT_EQ(objects.find("A", 0, nullptr), a);
    EXPECT_EQ(objects.find("Point_1", 0, nullptr), nullptr);
    EXPECT_TRUE(a->objectclass() & CMovable);
    next([](Dialog&) {});
    objects.changed.clear();
    edit(b);
    EXPECT_EQ(answers.AskedBoxes.size(), 1u);
    EXPECT_FALSE(objects.changed) << "OK without a change changes nothing";
    EXPECT_EQ(b->x(), 3);
}

TEST_F(Edit, ACoordinateThatIsNoNumberKeepsTheDialogOpen) {
    Point* a = new Point(1, 2);
    objects.changed.clear();
    std::vector<std::string> why;
    next([&](Dialog& d) {
        for (const char* bad : {"abc", "1e999", "", "nan", "2,5,1"}) {
            d.type(104, bad);
            d.click(1);
            EXPECT_TRUE(d.isopen()) << bad;
            EXPECT_EQ(d.Refused, 104) << bad;
            why.push_back(d.Refusal.text());
        }
        d.type(104, "-2,5");
        d.type(107, " +7 ");
    });
    edit(a);
    EXPECT_EQ(why, std::vector<std::string>(5, "Enter a number, such as 2.5."));
    EXPECT_EQ(a->x(), -2.5) << "a decimal comma reads as a point";
    EXPECT_EQ(a->y(), 7);
    EXPECT_TRUE(objects.changed);
}

TEST_F(Edit, CancelChangesNothing) {
    Point* a = new Point(1.0 / 3, 2);
    objects.changed.clear();
    next(
        [](Dialog& d) {
            d.type(101, "Other");
            d.type(104, "5");
            d.click(145);
            d.click(109);
            d.click(108);
        },
        2);
    edit(a);
    EXPECT_STREQ(a->name(), "Point_1");
    EXPECT_EQ(a->x(), 1.0 / 3);
    EXPECT_EQ(a->color(), 0);
    EXPECT_FALSE(a->ishidden);
    EXPECT_EQ(a->Symbol, 5);
    EXPECT_FALSE(objects.changed);
    EXPECT_TRUE(answers.AskedBoxes.empty());

    // OK with the coordinates left as shown keeps them exactly, unrounded.
    next([](Dialog& d) { EXPECT_STREQ(d.gettext(104).text(), "0.3333333333"); });
    edit(a);
    EXPECT_EQ(a->x(), 1.0 / 3);
    EXPECT_FALSE(objects.changed);
}

TEST_F(Edit, NamesAreStoredWithoutQuotesAndNoLongerThanAFileReads) {
    Point* a = new Point(0, 0);
    Point* b = new Point(1, 1);
    next([](Dialog& d) { d.type(101, "the \"top\""); });
    edit(a);
    EXPECT_STREQ(a->name(), "the 'top'");
    EXPECT_TRUE(answers.AskedBoxes.empty()) << "the quotes are replaced, not refused";
    // The same name written with quotes is the name already in use.
    next([](Dialog& d) { d.type(101, "the \"top'"); });
    edit(b);
    EXPECT_STREQ(b->name(), "Point_2");
    EXPECT_EQ(answers.AskedBoxes.size(), 1u);

    std::string longname(100, 'n');
    next([&](Dialog& d) { d.type(101, longname.c_str()); });
    edit(b);
    EXPECT_EQ(std::string(b->name()), std::string(MaxName, 'n'));
    next([](Dialog& d) { d.type(101, ""); });
    edit(b);
    EXPECT_EQ(std::string(b->name()), std::string(MaxName, 'n')) << "an empty name is no name";
}

TEST_F(Edit, NumbersThatAreNoValuesKeepTheOldOnes) {
    Point* a = new Point(1, 2);
    next([](Dialog& d) {
        d.type(104, "abc");
        d.type(107, "inf");
    });
    edit(a);
    EXPECT_EQ(a->x(), 1);
    EXPECT_EQ(a->y(), 2);
    next([](Dialog& d) {
        d.type(104, "nan");
        d.type(107, "1e999");
    });
    edit(a);
    EXPECT_EQ(a->x(), 1);
    EXPECT_EQ(a->y(), 2);
    // A far-away point, and the lines through it, draw without trouble.
    Point* b = new Point(0, 0);
    new Line(a, b);
    new Circle(b, a);
    next([](Dialog& d) { d.type(104, "1e300"); });
    edit(a);
    EXPECT_EQ(a->x(), 1e300);
    Window w;
    BitmapPS ps(w, 100, 100);
    objects.draw(ps);
}

TEST_F(Edit, ConstructedPointsShowTheirPositionOnly) {
    Point* a = new Point(-1, 0);
    Point* b = new Point(1, 0);
    Point* c = new Point(0, -1);
    Point* d = new Point(0, 1);
    Line* l = new Line(a, b);
    Line* m = new Line(c, d);
    l->setname("l");
    m->setname("m");
    Intersection* i = new Intersection(l, m);
    std::string shown;
    next([&](Dialog& dlg) {
        shown = description(dlg);
        dlg.type(104, "4");
        dlg.type(107, "5");
        dlg.click(111); // disabled: nothing happens
        dlg.click(105); // dot
        dlg.type(101, "S");
    });
    edit(i);
    EXPECT_EQ(shown, "Intersection of l and m");
    EXPECT_NEAR(i->x(), 0, 1e-12);
    EXPECT_NEAR(i->y(), 0, 1e-12);
    EXPECT_EQ(i->objectclass(), CPoint);
    EXPECT_EQ(i->Symbol, 10);
    EXPECT_STREQ(i->name(), "S");

    // A point with a symbol of no button shows the first one.
    i->Symbol = 7;
    next([](Dialog& dlg) {
        EXPECT_TRUE(dlg.getcheck(103));
        EXPECT_FALSE(dlg.getcheck(108) || dlg.getcheck(105) || dlg.getcheck(106));
    });
    edit(i);
    EXPECT_EQ(i->Symbol, 5);
}

TEST_F(Edit, SegmentsFixTheirLengthLinesAndRaysDoNot) {
    Point* a = new Point(0, 0);
    Point* b = new Point(3, 4);
    Segment* s = new Segment(a, b);
    std::string caption, label;
    next([&](Dialog& d) {
        caption = d.caption().text();
        EXPECT_STREQ(d.gettext(104).text(), "5");
        EXPECT_TRUE(d.getcheck(12)) << "normal";
        d.click(13);
        d.type(104, "10");
        d.click(14);
        d.click(10); // fat
    });
    edit(s);
    EXPECT_EQ(caption, "Line");
    EXPECT_TRUE(s->objectclass() & CFixed);
    EXPECT_TRUE(s->showlength);
    EXPECT_EQ(s->Linetype, 1);
    EXPECT_NEAR(b->x(), 6, 1e-12);
    EXPECT_NEAR(b->y(), 8, 1e-12);
    // Dragging the end point keeps the length.
    b->set(0, 1);
    objects.update();
    EXPECT_NEAR(b->y(), 10, 1e-12);
    // Unfixing clears the bit; a length typed then is ignored.
    next([](Dialog& d) {
        d.click(14);
        d.type(104, "2");
    });
    edit(s);
    EXPECT_FALSE(s->objectclass() & CFixed);
    EXPECT_NEAR(s->length(), 10, 1e-12);

    Point* c = new Point(1, 1);
    Point* e = new Point(2, 1);
    for (Lineprim* l :
         {static_cast<Lineprim*>(new Line(c, e)), static_cast<Lineprim*>(new Ray(c, e))}) {
        next([](Dialog& d) {
            d.type(104, "7");
            d.click(14);
            d.click(13);
            d.click(11); // thin
        });
        edit(l);
        EXPECT_FALSE(l->objectclass() & CFixed);
        EXPECT_FALSE(l->showlength);
        EXPECT_NEAR(l->length(), 1, 1e-12);
        EXPECT_EQ(l->Linetype, 2);
    }

    // A segment whose end point is not the object before it offers no fixing.
    Segment* t = new Segment(e, c);
    next([](Dialog& d) {
        d.type(104, "7");
        d.click(14);
    });
    edit(t);
    EXPECT_FALSE(t->objectclass() & CFixed);
    EXPECT_NEAR(t->length(), 1, 1e-12);
}

TEST_F(Edit, CirclesFixTheirRadiusWhenTheRadiusPointIsTheirs) {
    Point* m = new Point(1, 1);
    Point* p = new Point(1, 2);
    Circle* k = new Circle(m, p);
    std::string caption;
    next([&](Dialog& d) {
        caption = d.caption().text();
        EXPECT_TRUE(d.getcheck(103)) << "full";
        d.type(104, "3");
        d.click(13);
        d.click(103);
        d.click(115); // green
    });
    edit(k);
    EXPECT_EQ(caption, "Kreis");
    EXPECT_TRUE(k->objectclass() & CFixed);
    EXPECT_FALSE(k->Complete);
    EXPECT_EQ(k->color(), 3);
    EXPECT_NEAR(k->r(), 3, 1e-12);
    EXPECT_NEAR(p->x(), 1, 1e-12);
    EXPECT_NEAR(p->y(), 4, 1e-12) << "the radius point moved along its ray";

    std::string why;
    next(
        [&](Dialog& d) {
            d.type(104, "0");
            d.click(1);
            why = d.Refusal.text();
        },
        2);
    edit(k);
    EXPECT_EQ(why, "Enter a number greater than 0 and at most 1e+15.");
    EXPECT_NEAR(k->r(), 3, 1e-12) << "a radius of 0 is refused";
    next([](Dialog& d) { d.type(104, "1e-11"); });
    edit(k);
    EXPECT_NEAR(k->r(), 2e-10, 1e-15) << "a fixed radius is at least 2 EPS";
    EXPECT_TRUE(k->valid);

    // Radius point made before the centre: nothing to fix.
    Point* q = new Point(5, 5);
    Point* c = new Point(4, 5);
    Circle* n = new Circle(c, q);
    next([](Dialog& d) {
        d.type(104, "3");
        d.click(13);
    });
    edit(n);
    EXPECT_FALSE(n->objectclass() & CFixed);
    EXPECT_NEAR(n->r(), 1, 1e-12);
    // A radius typed without "Fixed Radius" is ignored.
    Point* z = new Point(7, 7);
    Circle* o = new Circle(c, z);
    next([](Dialog& d) { d.type(104, "9"); });
    edit(o);
    EXPECT_FALSE(o->objectclass() & CFixed);
    EXPECT_NEAR(o->r(), std::hypot(3, 2), 1e-12);
}

TEST_F(Edit, AnglesFixTheirSizeAndKeepTheirDisplaySizeSane) {
    Point* p1 = new Point(1, 0);
    Point* m = new Point(0, 0);
    Point* p2 = new Point(1, 1);
    Angle* w = new Angle(p1, m, p2);
    std::string caption;
    next([&](Dialog& d) {
        caption = d.caption().text();
        EXPECT_STREQ(d.gettext(104).text(), "45");
        d.type(104, "90");
        d.click(15);
        d.click(14);
        d.type(13, "5");
    });
    edit(w);
    EXPECT_EQ(caption, "Winkel");
    EXPECT_TRUE(w->objectclass() & CFixed);
    EXPECT_TRUE(w->showsize);
    EXPECT_NEAR(w->size(), 90, 1e-9);
    EXPECT_NEAR(p2->x(), 0, 1e-12);
    EXPECT_NEAR(p2->y(), std::sqrt(2.0), 1e-12) << "the second point turned about the corner";
    EXPECT_EQ(w->Pixelsize, 5);

    // Sizes out of bounds are refused, each with what the field takes.
    std::vector<std::string> why;
    next([&](Dialog& d) {
        d.type(13, "99999999999");
        d.type(104, "-3");
        d.click(1);
        why.push_back(d.Refusal.text());
        d.type(13, "100000");
        d.click(1);
        why.push_back(d.Refusal.text());
        d.type(104, "360.5");
        d.click(1);
        why.push_back(d.Refusal.text());
        d.type(104, "1e999");
        d.click(1);
        why.push_back(d.Refusal.text());
        d.type(104, "90,5");
        d.click(1);
        EXPECT_FALSE(d.isopen()) << "a decimal comma reads";
    });
    edit(w);
    EXPECT_EQ(why, (std::vector<std::string>{"Enter a whole number from 5 to 100000.",
                                             "Enter a number greater than 0 and at most 360.",
                                             "Enter a number greater than 0 and at most 360.",
                                             "Enter a number greater than 0 and at most 360."}));
    EXPECT_EQ(w->Pixelsize, 100000);
    EXPECT_NEAR(w->size(), 90.5, 1e-9);

    // Corner made last: the second point is not right before the angle.
    Angle* v = new Angle(p2, p1, m);
    next([](Dialog& d) {
        d.type(104, "10");
        d.click(15);
    });
    edit(v);
    EXPECT_FALSE(v->objectclass() & CFixed);
}

TEST_F(Edit, HelpPointsAndDerivedLinesUseTheirKindsDialogs) {
    Point* a = new Point(0, 0);
    Point* b = new Point(2, 0);
    Point* c = new Point(1, 1);
    Segment* s = new Segment(a, b);
    DepLine* l = makeparallel(c, s, 0);
    std::string shown;
    next([&](Dialog& d) {
        shown = description(d);
        d.click(14);
        d.type(104, "9");
        d.click(140);
    });
    edit(l);
    EXPECT_EQ(shown, "Parallel line to Segment_1 through Point_3");
    EXPECT_FALSE(l->objectclass() & CFixed);
    EXPECT_EQ(l->color(), 4);

    view().showhidden = 1;
    Point* r1 = new Point(3, 3);
    Point* r2 = new Point(4, 3);
    Circle3* h = new Circle3(c, r1, r2);
    h->ishidden = 1;
    Circle3Circle* k = new Circle3Circle(h);
    h->c(k);
    next([&](Dialog& d) {
        shown = description(d);
        d.type(104, "5");
        d.click(13);
    });
    edit(k);
    EXPECT_FALSE(k->objectclass() & CFixed) << "its radius point is a help point";
    EXPECT_NEAR(k->r(), 1, 1e-12);
    next([&](Dialog& d) {
        shown = d.caption().text();
        d.click(109);
    });
    edit(h);
    EXPECT_EQ(shown, "Point Properties");
    EXPECT_FALSE(h->ishidden);
}

TEST_F(Edit, OtherColoursComeFromTheChooserAndAreOfferedAgain) {
    Point* a = new Point(1, 2);
    a->setcolor(1);
    answers.Colors.push_back(Color(255, 136, 0));
    next([&](Dialog& d) {
        EXPECT_TRUE(d.getcheck(114)) << "blue";
        d.click(ObjectColorItem::OtherColor);
        EXPECT_FALSE(d.getcheck(114)) << "no named colour while another is chosen";
    });
    edit(a);
    EXPECT_EQ(a->color(), ObjectColors::custom(Color(255, 136, 0)));
    EXPECT_EQ(view().Recent[0], Color(255, 136, 0)) << "offered next time";
    // A colour of any value shows no named one and stays on OK; Cancel of
    // the chooser keeps it; a named one chosen after it wins.
    next([&](Dialog& d) {
        for (int id : id_colors) EXPECT_FALSE(d.getcheck(id));
        d.click(ObjectColorItem::OtherColor);
    });
    edit(a);
    EXPECT_EQ(a->color(), ObjectColors::custom(Color(255, 136, 0)));
    answers.Colors.push_back(Color(1, 2, 3));
    next([&](Dialog& d) {
        d.click(ObjectColorItem::OtherColor);
        d.click(115); // green
    });
    edit(a);
    EXPECT_EQ(a->color(), 3);
    EXPECT_EQ(view().Recent[0], Color(1, 2, 3));
    EXPECT_EQ(view().Recent[1], Color(255, 136, 0));
}

TEST_F(Edit, ACaptionIsShownInPlaceOfTheNameAndNeverBreaksARecord) {
    Point* a = new Point(1, 2);
    Segment* s = new Segment(a, new Point(3, 4));
    ObjectState before;
    a->getstate(before);
    next([](Dialog& d) {
        EXPECT_STREQ(d.gettext(150).text(), "");
        d.type(150, "the \"top\"\nleft");
    });
    edit(a);
    EXPECT_EQ(a->Caption, "the 'top' left") << "no quote, no line break";
    EXPECT_STREQ(a->labelname(), "the 'top' left");
    EXPECT_STREQ(a->name(), "Point_1") << "the name stays";
    ObjectState after;
    a->getstate(after);
    EXPECT_NE(before, after) << "undo takes the caption back";
    a->setstate(before);
    EXPECT_EQ(a->Caption, "");
    // An emptied caption shows the name again; a long one is cut whole.
    a->setcaption(std::string(300, 'x'));
    EXPECT_EQ(a->Caption.size(), std::size_t(Object::CaptionMax));
    a->setcaption(std::string(300, '\xce') + "\xb1");
    EXPECT_LE(a->Caption.size(), std::size_t(Object::CaptionMax));
    a->setcaption("\xce\xb1\xce\xb2");
    EXPECT_EQ(a->Caption, "\xce\xb1\xce\xb2");
    next([](Dialog& d) { d.type(150, ""); });
    edit(a);
    EXPECT_STREQ(a->labelname(), a->name());
    // Every kind's dialog has the field, but texts and check boxes, which
    // show their own text.
    bool has = false;
    next([&](Dialog& d) { has = d.hascontrol(150); });
    edit(s);
    EXPECT_TRUE(has);
}
