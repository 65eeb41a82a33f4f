// The property dialogs of points, lines, circles and angles. A dialog only
// changes the object's own fields; the recomputation that follows it moves
// whatever the new values move.
#include "edit.h"
#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "control.h"
#include "line.h"
#include "locus.h"
#include "messages.h"
#include "number.h"
#include "objectlist.h"
#include "resources.h"
#include "selectors.h"
#include "text.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

const int id_colors[ObjectColors::N] = {130, 114, 141, 115, 140, 145};
const int id_linetypes[3] = {12, 10, 11};
const int radios[4] = {103, 108, 105, 106};
const int markertypes[4] = {5, 11, 10, 1};

int ObjectColorItem::OtherButton::command(int) {
    // The chooser offers the colours chosen before as its custom ones.
    ColorSelector chooser(view().owner());
    std::copy(view().Recent, view().Recent + 16, chooser.Cust);
    const long now = C->Value;
    chooser.C = ObjectColors::custom(now) ? ObjectColors::rgb(now)
                                          : objectcolors.dark(static_cast<int>(now), 1);
    chooser.select();
    if (chooser.R != 1) return 1;
    C->Value = ObjectColors::custom(chooser.C);
    if (C->Sel >= 0) C->R[C->Sel]->set(0);
    C->Sel = -1;
    // Newest first; a colour chosen again moves to the front.
    Color* recent = view().Recent;
    Color* at = std::find(recent, recent + 15, chooser.C);
    std::rotate(recent, at, at + 1);
    recent[0] = chooser.C;
    return 1;
}

namespace {

using C = ControlSpec;

// The caption field of every property dialog, and the two dialogs of objects
// that show a text of their own.
enum { CaptionItem = 150, CheckBoxDialog = 138, TextDialog = 139 };

// The rows every property dialog shares, around the rows of its own fields
// and the group of its point or line types.
// Objects that show their own text (texts, check boxes) have no caption.
std::vector<ControlSpec> layout(std::initializer_list<ControlSpec> fields,
                                std::initializer_list<ControlSpec> checks,
                                std::initializer_list<ControlSpec> types, bool captioned = true) {
    std::vector<ControlSpec> v = {
        {C::Static, -1, "Description:", 0, 1},
        {C::Edit, 102, "", 0, 3},
        {C::Static, -1, "Name:", 1, 1},
    };
    if (captioned)
        v.insert(v.end(), {{C::Edit, 101, "", 1, 1},
                           {C::Static, -1, "Caption:", 1, 1},
                           {C::Edit, CaptionItem, "", 1, 1}});
    else
        v.push_back({C::Edit, 101, "", 1, 3});
    v.insert(v.end(), fields);
    v.insert(v.end(), checks);
    v.insert(v.end(), {
                          {C::Check, 109, "Hidden", 5, 1},
                          {C::Check, 110, "Show Name", 5, 1},
                          {C::Group, -1, "Color", 6, 1},
                          {C::Radio, 130, "Black", 7, 1},
                          {C::Radio, 114, "Blue", 7, 1},
                          {C::Radio, 141, "Pink", 7, 1},
                          {C::Radio, 115, "Green", 8, 1},
                          {C::Radio, 140, "Cyan", 8, 1},
                          {C::Radio, 145, "Brown", 8, 1},
                          {C::Button, ObjectColorItem::OtherColor, "Other...", 8, 1},
                          {C::GroupEnd, 0, "", 8, 1},
                      });
    v.insert(v.end(), types);
    if (types.size()) v.push_back({C::GroupEnd, 0, "", 10, 1});
    v.insert(v.end(), {
                          {C::Default, 1, "OK", 11, 1},
                          {C::Button, 2, "Cancel", 11, 1},
                          {C::Button, 9, "Help", 11, 1},
                          {C::Last, 0, nullptr, 0, 0},
                      });
    return v;
}

const std::initializer_list<ControlSpec> linetypes = {
    {C::Group, -1, "Line Type", 9, 1},
    {C::Radio, 12, "Normal", 10, 1},
    {C::Radio, 10, "Fat", 10, 1},
    {C::Radio, 11, "Thin", 10, 1},
};

// The number of a dialog table, defined at its first use.
int define(const DialogSpec& table) {
    if (!finddialog(table.id)) definedialog(&table);
    return table.id;
}

int pointdialog() {
    static const std::vector<ControlSpec> c = layout({{C::Static, -1, "x:", 2, 1},
                                                      {C::Edit, 104, "", 2, 1},
                                                      {C::Static, -1, "y:", 2, 1},
                                                      {C::Edit, 107, "", 2, 1}},
                                                     {{C::Check, 111, "Fixed", 5, 1}},
                                                     {{C::Group, -1, "Point Type", 9, 1},
                                                      {C::Radio, 103, "Square", 10, 1},
                                                      {C::Radio, 108, "Circle", 10, 1},
                                                      {C::Radio, 105, "Dot", 10, 1},
                                                      {C::Radio, 106, "Cross", 10, 1}});
    static const DialogSpec table = {107, "Point Properties", c.data()};
    return define(table);
}

int linedialog() {
    static const std::vector<ControlSpec> c =
        layout({{C::Static, -1, "L\xe4nge:", 2, 1},
                {C::Edit, 104, "", 2, 1},
                {C::Check, 14, "Fix Length", 2, 2}},
               {{C::Check, 13, "Show Length", 5, 1}}, linetypes);
    static const DialogSpec table = {108, "Line", c.data()};
    return define(table);
}

int circledialog() {
    static const std::vector<ControlSpec> c = layout({{C::Static, -1, "Radius:", 2, 1},
                                                      {C::Edit, 104, "", 2, 1},
                                                      {C::Check, 13, "Fixed Radius", 2, 2}},
                                                     {{C::Check, 103, "Full", 5, 1}}, linetypes);
    static const DialogSpec table = {109, "Kreis", c.data()};
    return define(table);
}

int angledialog() {
    static const std::vector<ControlSpec> c =
        layout({{C::Static, -1, "Angle:", 2, 1},
                {C::Edit, 104, "", 2, 1},
                {C::Check, 15, "Fix Size", 2, 2},
                {C::Static, -1, "Display Size (screen width/...):", 3, 2},
                {C::Edit, 13, "", 3, 2}},
               {{C::Check, 14, "Show Size", 5, 1}}, linetypes);
    static const DialogSpec table = {110, "Winkel", c.data()};
    return define(table);
}

int arcdialog() {
    static const std::vector<ControlSpec> c = layout({{C::Static, -1, "Radius:", 2, 1},
                                                      {C::Edit, 104, "", 2, 1},
                                                      {C::Static, -1, "Length:", 3, 1},
                                                      {C::Edit, 105, "", 3, 1}},
                                                     {}, linetypes);
    static const DialogSpec table = {132, "Arc", c.data()};
    return define(table);
}

int regiondialog() {
    static const std::vector<ControlSpec> c = layout({{C::Static, -1, "Area:", 2, 1},
                                                      {C::Edit, 104, "", 2, 1},
                                                      {C::Static, -1, "Perimeter:", 3, 1},
                                                      {C::Edit, 105, "", 3, 1}},
                                                     {{C::Check, 103, "Filled", 5, 1}}, linetypes);
    static const DialogSpec table = {133, "Region", c.data()};
    return define(table);
}

int locusdialog() {
    static const std::vector<ControlSpec> c = layout(
        {{C::Static, -1, "Samples at most:", 2, 1}, {C::Edit, 104, "", 2, 1}}, {}, linetypes);
    static const DialogSpec table = {141, "Locus", c.data()};
    return define(table);
}

// A number field that gives back the exact old value when its text was left
// as it was shown, so that OK alone never rounds a coordinate or a size.
class NumberItem : public DoubleItem {
  public:
    NumberItem(int id, Dialog& d, double x) : DoubleItem(id, d, x), Old(x) {}
    void init() override {
        DoubleItem::init();
        Shown = S.text();
    }
    void exit() override {
        DoubleItem::exit();
        if (Shown == S.text()) X = Old;
    }

  private:
    double Old;
    std::string Shown;
};

// The name field: at most as long as a construction file can read back.
class NameItem : public StringItem {
  public:
    NameItem(int id, Dialog& d, const char* s) : StringItem(id, d, s) {}
    void init() override {
        StringItem::init();
        D->setlimit(Id, std::max(MaxName, characters(S.text())));
        D->offerletters(Id);
    }
};

// The caption field: no longer than a caption may be.
class CaptionText : public StringItem {
  public:
    CaptionText(int id, Dialog& d, const char* s) : StringItem(id, d, s) {}
    void init() override {
        StringItem::init();
        D->setlimit(Id, Object::CaptionMax);
    }
};

// What every property dialog shows: the description, the name, the colour,
// Hidden and Show Name; and the taking over of the values on OK, which marks
// the construction changed when a value differs.
class Common {
  public:
    Common(Dialog& d, Object* o)
        : O(o), Description(102, d, describe(o).c_str()), Name(101, d, o->name()),
          Colour(d, o->Color), Hidden(109, d, o->ishidden), Showname(110, d, o->showname) {
        Description.Readonly = 1;
        d.Focus = 101;
        // The caption field, where the dialog's table has one.
        const DialogSpec* table = finddialog(d.Id);
        for (const ControlSpec* c = table ? table->controls : nullptr; c && c->kind != C::Last; ++c)
            if (c->id == CaptionItem)
                Caption = std::make_unique<CaptionText>(CaptionItem, d, o->Caption.c_str());
    }
    ~Common() {
        if (Changed) objects.changed.set();
    }
    Common(const Common&) = delete;
    Common& operator=(const Common&) = delete;

    // Runs the dialog; 1 when it ended with OK.
    static int run(Dialog& d) {
        d.carryout();
        return d.result() == 1;
    }

    // The new name, unless another object has it: then a warning, and the
    // old name stays. An empty name is no name: the old one stays.
    void rename() {
        std::string wanted(Name.text());
        std::replace(wanted.begin(), wanted.end(), '"', '\'');
        if (wanted.empty() || wanted == O->name()) return;
        O->setname(wanted.c_str());
        if (wanted == O->name())
            Changed = 1;
        else
            Warning(String(48).text(), String(1).text());
    }

    // Colour, Hidden, Show Name and the caption.
    void take() {
        set(O->Color, Colour.Value);
        set(O->ishidden, Hidden.F);
        set(O->showname, Showname.F);
        if (Caption && Caption->text() != O->Caption) {
            O->setcaption(Caption->text());
            Changed = 1;
        }
    }

    template <class T, class V> void set(T& field, V value) {
        if (field == value) return;
        field = value;
        Changed = 1;
    }

    // Sets or clears the fixed bit.
    void fix(int f) { set(O->Class, f ? O->Class | CFixed : O->Class & ~CFixed); }

    static std::string describe(Object* o) {
        char d[DescriptionMax] = "";
        o->writeclear(d);
        return stripnl(d);
    }

    Object* O;
    StringItem Description;
    NameItem Name;
    ObjectColorItem Colour;
    CheckItem Hidden, Showname;
    std::unique_ptr<CaptionText> Caption;
    int Changed = 0;
};

// Whether a fixed length, radius or size is offered: the second defining
// point stands right before the object and depends on nothing.
int fixable(Object* o, Object* p2) {
    return o->Previous == p2 && Parents(p2).size() == 0;
}

// A value field and its fix box, offered only when fixing is possible.
struct Fixing {
    // A length, radius or angle size greater than 0 and at most max.
    Fixing(Dialog& d, int value, int box, double x, Object* o, int offered, double max = 1e15)
        : Value(value, d, x), Box(box, d, (o->Class & CFixed) != 0), Offered(offered) {
        Value.range(0, max, 1);
        if (!Offered) {
            Value.Readonly = 1;
            Box.Disabled = 1;
        }
    }
    // On OK: the fixed bit and the value, at least 2 EPS, when offered.
    void take(Common& common, double& field, double factor = 1) {
        if (!Offered) return;
        common.fix(Box.F);
        if (Box.F) common.set(field, std::max(Value.X * factor, 2 * EPS));
    }
    NumberItem Value;
    CheckItem Box;
    int Offered;
};

// The line type group; an unknown line type shows Normal.
class LineTypeItem : public RadioItem {
  public:
    LineTypeItem(Dialog& d, int linetype)
        : RadioItem(id_linetypes, 3, linetype >= 0 && linetype < 3 ? linetype : 0, d) {}
    void take(Common& common, int& linetype) {
        if (Sel >= 0) common.set(linetype, Sel);
    }
};

int numberdialog(int id, const char* caption, std::initializer_list<ControlSpec> fields) {
    static std::vector<std::vector<ControlSpec>> kept;
    static std::vector<std::unique_ptr<DialogSpec>> tables;
    for (const auto& t : tables)
        if (t->id == id) return define(*t);
    kept.push_back(layout(fields, {}, {}, id != CheckBoxDialog && id != TextDialog));
    tables.push_back(std::make_unique<DialogSpec>(DialogSpec{id, caption, kept.back().data()}));
    return define(*tables.back());
}

// A text field that must hold an expression of the number objects before
// an object (a condition may be empty).
class ExpressionItem : public StringItem {
  public:
    ExpressionItem(int id, Dialog& d, const std::string& s, Object* o, int empty)
        : StringItem(id, d, s.c_str()), O(o), Empty(empty) {}
    const char* refusal() override {
        std::string t = D->gettext(Id).text();
        if (Empty && t.find_first_not_of(" \t") == std::string::npos) return nullptr;
        if (Empty && characters(t.c_str()) > 200) return "A condition has at most 200 characters.";
        Expression e;
        if (e.parse(t, numbersbefore(O->Order ? O : nullptr))) return nullptr;
        Why = "At character " + std::to_string(characters(t.substr(0, e.At).c_str()) + 1) + ": " +
              e.Why + ".";
        return Why.c_str();
    }
    std::string text() const { return S.text(); }

  private:
    Object* O;
    int Empty;
    std::string Why;
};

// A list of the names of the number objects before an object: choosing one
// writes it into a text field, as "{name}" when braces is set.
class InsertItem : public ComboItem {
  public:
    InsertItem(int id, Dialog& d, Object* o, int field, int braces)
        : ComboItem(id, d), O(o), Field(field), Braces(braces) {}
    void init() override {
        for (Object* n = objects.first(); n && n != O; n = n->next())
            if (n->Class & CNumber) insert(n->name());
    }
    int command(int code) override {
        if (code != CBN_SELCHANGE) return 1;
        int n = D->listselection(Id);
        if (n < 0) return 1;
        std::string name = D->listentry(Id, n).text();
        std::string t = D->gettext(Field).text();
        t += Braces ? "{" + name + "}" : name;
        D->settext(Field, t.c_str());
        return 1;
    }

  private:
    Object* O;
    int Field, Braces;
};

// The objects after a check box, to choose the ones it shows; those it
// shows already are chosen.
class ShowsItem : public MultilistItem {
  public:
    ShowsItem(int id, Dialog& d, Object* box) : MultilistItem(id, d), Box(box) {}
    void init() override {
        for (Object* s = Box->next(); s; s = s->next()) {
            char line[DescriptionMax] = "";
            s->writeclear(line);
            int n = insert((std::string(s->name()) + ": " + stripnl(line)).c_str());
            Objects.push_back(s);
            if (s->condition() == Box->name()) select(n);
        }
    }
    void exit() override {
        Chosen.clear();
        for (std::size_t i = 0; i < Objects.size(); ++i)
            Chosen.push_back(selected(static_cast<int>(i)) != 0);
    }
    std::vector<Object*> Objects;
    std::vector<bool> Chosen;

  private:
    Object* Box;
};

// A value of a number in a field: with the places of the object.
std::string valuetext(Number* n) {
    return n->valid ? n->shown() : std::string("?");
}

// The decimal places field: empty for the setting's.
class PlacesItem : public StringItem {
  public:
    PlacesItem(int id, Dialog& d, int places)
        : StringItem(id, d, places >= 0 ? std::to_string(places).c_str() : "") {}
    const char* refusal() override {
        std::string t = D->gettext(Id).text();
        if (t.empty() || (t.size() <= 2 && t.find_first_not_of("0123456789") == std::string::npos &&
                          std::stoi(t) <= 10))
            return nullptr;
        return "Enter a number of decimal places from 0 to 10, or nothing for the setting.";
    }
    int places() const { return S.empty() ? -1 : std::stoi(S.text()); }
};

// The minimum, maximum and step of a slider: the step's field refuses a
// range that is none.
class StepItem : public DoubleItem {
  public:
    StepItem(int id, Dialog& d, double x, int min, int max)
        : DoubleItem(id, d, x), Min(min), Max(max) {}
    const char* refusal() override {
        if (const char* r = DoubleItem::refusal()) return r;
        double lo, hi, step;
        if (!number(Min, lo) || !number(Max, hi) || !number(Id, step)) return nullptr;
        if (Slider::range(lo, hi, step)) return nullptr;
        return "The minimum must be below the maximum, and the step above 0.";
    }

  private:
    bool number(int id, double& x) const {
        std::string t = D->gettext(id).text();
        std::replace(t.begin(), t.end(), ',', '.');
        char* end;
        x = std::strtod(t.c_str(), &end);
        return end != t.c_str();
    }
    int Min, Max;
};

} // namespace

int editnumber(Object* o) {
    auto* number = dynamic_cast<Number*>(o);
    auto* calculation = dynamic_cast<Calculation*>(o);
    auto* slider = dynamic_cast<Slider*>(o);
    auto* box = dynamic_cast<CheckBox*>(o);
    auto* text = dynamic_cast<Text*>(o);
    int id;
    int help = NumberHelp;
    if (calculation) {
        id = numberdialog(136, "Calculation",
                          {{C::Static, -1, "Value:", 2, 1},
                           {C::Edit, 104, "", 2, 1},
                           {C::Static, -1, "Decimal places:", 2, 1},
                           {C::Edit, 105, "", 2, 1},
                           {C::Static, -1, "Expression:", 3, 1},
                           {C::Edit, 106, "", 3, 3},
                           {C::Static, -1, "Shown if:", 4, 1},
                           {C::Edit, 107, "", 4, 1},
                           {C::Static, -1, "Insert:", 4, 1},
                           {C::Combo, 112, "", 4, 1}});
        help = CalculationHelp;
    } else if (slider) {
        id = numberdialog(137, "Slider",
                          {{C::Static, -1, "Value:", 2, 1},
                           {C::Edit, 104, "", 2, 1},
                           {C::Static, -1, "Decimal places:", 2, 1},
                           {C::Edit, 105, "", 2, 1},
                           {C::Static, -1, "Minimum:", 3, 1},
                           {C::Edit, 106, "", 3, 1},
                           {C::Static, -1, "Maximum:", 3, 1},
                           {C::Edit, 108, "", 3, 1},
                           {C::Static, -1, "Step:", 4, 1},
                           {C::Edit, 111, "", 4, 1},
                           {C::Static, -1, "Shown if:", 4, 1},
                           {C::Edit, 107, "", 4, 1}});
        help = SliderHelp;
    } else if (box) {
        id = numberdialog(CheckBoxDialog, "Check Box",
                          {{C::Static, -1, "Caption:", 2, 1},
                           {C::Edit, 106, "", 2, 3},
                           {C::Static, -1, "It shows:", 3, 1},
                           {C::MultiList, 112, "", 3, 3},
                           {C::Static, -1, "Shown if:", 4, 1},
                           {C::Edit, 107, "", 4, 3}});
        help = CheckBoxHelp;
    } else if (text) {
        id = numberdialog(TextDialog, "Text",
                          {{C::Static, -1, "Text:", 2, 1},
                           {C::MultiEdit, 106, "", 2, 3},
                           {C::Static, -1, "Insert:", 3, 1},
                           {C::Combo, 112, "", 3, 1},
                           {C::Static, -1, "Shown if:", 4, 1},
                           {C::Edit, 107, "", 4, 3}});
        help = TextHelp;
    } else if (number) {
        id = numberdialog(135, "Number",
                          {{C::Static, -1, "Value:", 2, 1},
                           {C::Edit, 104, "", 2, 1},
                           {C::Static, -1, "Decimal places:", 2, 1},
                           {C::Edit, 105, "", 2, 1},
                           {C::Static, -1, "Shown if:", 3, 1},
                           {C::Edit, 107, "", 3, 3}});
    } else {
        return 0;
    }
    Dialog d(view().owner(), id, view().help(), help);
    Common common(d, o);
    ExpressionItem condition(107, d, o->condition(), o, 1);
    std::unique_ptr<StringItem> value;
    std::unique_ptr<PlacesItem> places;
    if (number && !box) {
        if (!slider) {
            value = std::make_unique<StringItem>(104, d, valuetext(number).c_str());
            value->Readonly = 1;
        }
        places = std::make_unique<PlacesItem>(105, d, number->Places);
    }
    std::unique_ptr<ExpressionItem> expression;
    std::unique_ptr<InsertItem> insert;
    if (calculation) {
        expression =
            std::make_unique<ExpressionItem>(106, d, calculation->expression().text(), o, 0);
        insert = std::make_unique<InsertItem>(112, d, o, 106, 0);
    }
    std::unique_ptr<NumberItem> now, min, max;
    std::unique_ptr<StepItem> step;
    if (slider) {
        now = std::make_unique<NumberItem>(104, d, slider->Value);
        min = std::make_unique<NumberItem>(106, d, slider->Min);
        max = std::make_unique<NumberItem>(108, d, slider->Max);
        step = std::make_unique<StepItem>(111, d, slider->Step, 106, 108);
    }
    std::unique_ptr<StringItem> caption;
    std::unique_ptr<ShowsItem> shows;
    if (box) {
        caption = std::make_unique<StringItem>(106, d, box->Caption.c_str());
        shows = std::make_unique<ShowsItem>(112, d, o);
    }
    std::unique_ptr<MultilineItem> words;
    if (text) {
        words = std::make_unique<MultilineItem>(106, d, text->source().c_str(), 10000);
        insert = std::make_unique<InsertItem>(112, d, o, 106, 1);
    }
    if (!Common::run(d)) return 0;
    common.rename();
    common.take();
    if (condition.text() != o->condition()) {
        std::string why;
        if (o->condition(condition.text(), why)) common.Changed = 1;
    }
    if (places) common.set(number->Places, places->places());
    if (calculation && expression->text() != calculation->expression().text()) {
        std::string why;
        if (calculation->change(expression->text(), why)) common.Changed = 1;
    }
    if (slider) {
        common.set(slider->Min, min->X);
        common.set(slider->Max, max->X);
        common.set(slider->Step, step->X);
        double before = slider->Value;
        slider->setvalue(now->X);
        if (slider->Value != before) common.Changed = 1;
    }
    if (box) {
        if (caption->text() != box->Caption) common.set(box->Caption, std::string(caption->text()));
        for (std::size_t i = 0; i < shows->Objects.size(); ++i) {
            Object* s = shows->Objects[i];
            const bool chosen = shows->Chosen[i];
            const bool had = s->condition() == o->name();
            std::string why;
            if (chosen != had && s->condition(chosen ? o->name() : "", why)) common.Changed = 1;
        }
    }
    if (text && words->S.text() != text->source()) {
        text->change(words->S.text());
        common.Changed = 1;
    }
    return 1;
}

void Number::edit() {
    editnumber(this);
}

void Text::edit() {
    editnumber(this);
}

void Pointprim::edit() {
    Dialog d(view().owner(), pointdialog(), view().help(), PointHelp);
    Common common(d, this);
    int basic = (Class & CBasic) != 0;
    NumberItem px(104, d, X), py(107, d, Y);
    CheckItem fixed(111, d, !(Class & CMovable));
    int symbol = static_cast<int>(std::find(markertypes, markertypes + 4, Symbol) - markertypes);
    RadioItem type(radios, 4, symbol < 4 ? symbol : 0, d);
    if (!basic) {
        px.Readonly = py.Readonly = 1;
        fixed.Disabled = 1;
    }
    if (!Common::run(d)) return;
    common.rename();
    if (basic) {
        common.set(X, px.X);
        common.set(Y, py.X);
    }
    common.take();
    if (type >= 0) common.set(Symbol, markertypes[type]);
    if (basic) common.set(Class, fixed.F ? Class & ~CMovable : Class | CMovable);
}

void Lineprim::edit() {
    Dialog d(view().owner(), linedialog(), view().help(), LineHelp);
    Common common(d, this);
    int segment = (Class & CSegment) != 0;
    CheckItem labelled(13, d, showlength);
    Fixing fixing(d, 104, 14, R, this, segment && fixable(this, P2));
    LineTypeItem type(d, Linetype);
    if (!segment) labelled.Disabled = 1;
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    common.set(showlength, labelled.F);
    type.take(common, Linetype);
    fixing.take(common, R);
}

void Circle::edit() {
    Dialog d(view().owner(), circledialog(), view().help(), CircleHelp);
    Common common(d, this);
    CheckItem full(103, d, Complete);
    Fixing fixing(d, 104, 13, R, this, fixable(this, P2));
    LineTypeItem type(d, Linetype);
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    common.set(Complete, full.F);
    type.take(common, Linetype);
    fixing.take(common, R);
}

void Angle::edit() {
    Dialog d(view().owner(), angledialog(), view().help(), AngleHelp);
    Common common(d, this);
    CheckItem labelled(14, d, showsize);
    Fixing fixing(d, 104, 15, size(), this, fixable(this, P2), 360);
    LongItem pixels(13, d, Pixelsize);
    pixels.range(5, 100000);
    LineTypeItem type(d, Linetype);
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    common.set(showsize, labelled.F);
    // At least 5, and no larger than a construction file accepts.
    common.set(Pixelsize, static_cast<int>(std::clamp(pixels.N, 5L, 100000L)));
    fixing.take(common, Phi, (1.0 / 180) * M_PI);
    type.take(common, Linetype);
}

namespace {

// A number shown and not changed: a measure of the object.
struct Shown : NumberItem {
    Shown(int id, Dialog& d, double x) : NumberItem(id, d, x) { Readonly = 1; }
};

// The dialog of a region: its measures, the fill and the line type.
void editregion(Object* o, Shape& shape, int& linetype) {
    Dialog d(view().owner(), regiondialog(), view().help(), RegionHelp);
    Common common(d, o);
    Shown area(104, d, shape.area()), perimeter(105, d, shape.perimeter());
    CheckItem filled(103, d, shape.Filled);
    LineTypeItem type(d, linetype);
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    common.set(shape.Filled, filled.F);
    type.take(common, linetype);
}

} // namespace

void Arc::edit() {
    Dialog d(view().owner(), arcdialog(), view().help(), ArcHelp);
    Common common(d, this);
    Shown radius(104, d, R), length(105, d, this->length());
    LineTypeItem type(d, Linetype);
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    type.take(common, Linetype);
}

void Locus::edit() {
    Dialog d(view().owner(), locusdialog(), view().help(), LocusHelp);
    Common common(d, this);
    LongItem samples(104, d, Limit);
    samples.range(MinSamples, MaxSamples);
    LineTypeItem type(d, Linetype);
    if (!Common::run(d)) return;
    common.rename();
    common.take();
    common.set(Limit, static_cast<int>(samples.N));
    type.take(common, Linetype);
}

void Sector::edit() {
    editregion(this, *this, Linetype);
}

void Region::edit() {
    editregion(this, *this, Linetype);
}
