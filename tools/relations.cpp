#include "relations.h"
#include "answerer.h"
#include "constructed.h"
#include "dialog.h"
#include "dialogitems.h"
#include "discover.h"
#include "line.h"
#include "objectlist.h"
#include "point.h"
#include "relation.h"
#include "resources.h"

#include <algorithm>
#include <functional>
#include <string>

RelationAction relationaction;
DiscoverAction discoveraction;

namespace {

using C = ControlSpec;

enum { RelationDialog = 151, DiscoverDialog = 152, RelationHelp = 29 };
enum { Text = 101, List = 101, CounterExample = 102, Show = 102, Make = 103 };

const ControlSpec relationcontrols[] = {
    {C::Static, -1, "What holds among the objects you picked:", 0, 3},
    {C::MultiEdit, Text, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, CounterExample, "Show Counter-Example", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec relationdialog = {RelationDialog, "Relation", relationcontrols};

const ControlSpec discovercontrols[] = {
    {C::Static, -1, "What holds in general and is not how something was made:", 0, 3},
    {C::List, List, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, Show, "Show", 2, 1},
    {C::Button, Make, "Make", 2, 1},
    {C::Button, 9, "Help", 3, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec discoverdialog = {DiscoverDialog, "Discover", discovercontrols};

const bool defined = (definedialog(&relationdialog), definedialog(&discoverdialog), true);

// A button that closes the dialog with its own number.
class Closer : public Dialogitem {
  public:
    Closer(int id, Dialog& d, bool enabled) : Dialogitem(id, d) { Disabled = !enabled; }
    void init() override { applystate(); }
    int command(int) override { return 0; }
};

// Tells the person how far a check of the tool called title is, while it
// lives; the box goes with it.
class Working {
  public:
    explicit Working(int title) : Title(String(title).text()) {}
    ~Working() { Answerer::current().progress(Title.c_str(), "", 1, view().owner()); }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;
    // What the check hears: false once the person stopped it.
    std::function<bool(double)> progress() {
        return [this](double share) {
            if (!Stopped && !Answerer::current().progress(
                                Title.c_str(), "Checking in random positions\xe2\x80\xa6", share,
                                view().owner()))
                Stopped = true;
            return !Stopped;
        };
    }
    bool Stopped = false;

  private:
    std::string Title;
};

// The list of findings, the first chosen.
class Findings : public ListItem {
  public:
    Findings(Dialog& d, const std::vector<Found>& f, bool cut)
        : ListItem(List, d), F(f), Cut(cut) {}
    void init() override {
        for (const Found& x : F) insert(x.R.text().c_str());
        if (F.empty())
            insert(Cut ? "Stopped before anything was found."
                       : "Nothing holds in general beyond how it was made.");
        select(0);
    }

  private:
    const std::vector<Found>& F;
    bool Cut;
};

// The object under (c, r) of the kinds: a point before anything else.
Object* pick(int c, int r, int kinds) {
    const double x = actionx(c), y = actiony(r);
    Object* o = nullptr;
    if (objects.select(x, y, &o, CPoint, 1, 1) && o) return o;
    o = nullptr;
    return objects.select(x, y, &o, kinds & ~CPoint, 1, 1) ? o : nullptr;
}

void unhighlight(std::vector<Object*>& v) {
    for (Object* o : v) o->highlight.clear();
}

// A line through the first two points of a finding of points on one line,
// or the circle through the first three of points on one circle.
void make(const Relation& r) {
    const auto& o = r.Objects;
    auto point = [&](std::size_t i) { return static_cast<Pointprim*>(o[i]); };
    if (r.K == Relation::Collinear) makeline(point(0), point(1));
    if (r.K == Relation::Concyclic) new CircleThrough(point(0), point(1), point(2));
}

} // namespace

void RelationAction::start() {
    unhighlight(Picked);
    Picked.clear();
}

void RelationAction::abort() {
    start();
    objects.redraw();
}

void RelationAction::inform() {
    prompt(Picked.empty() ? 258 : 259);
}

void RelationAction::perform(int c, int r) {
    Object* o = pick(c, r, CStraight | CCircle | CAngle | CNumber);
    if (!o) return;
    if (std::find(Picked.begin(), Picked.end(), o) != Picked.end()) return;
    Picked.push_back(o);
    o->highlight.set();
    objects.redraw();
    if (static_cast<int>(Picked.size()) == Most)
        report();
    else
        inform();
}

void RelationAction::complete() {
    if (Picked.size() >= 2) report();
}

void RelationAction::report() {
    (void)defined;
    const std::vector<Relation> found = relationsamong(Picked);
    std::string lines;
    const Verdict* counter = nullptr;
    std::vector<Verdict> verdicts;
    {
        Working working(260);
        for (const Relation& r : found) {
            verdicts.push_back(checkrelation(r, 1000, 1, working.progress()));
            if (verdicts.back().R == Verdict::Stopped) break;
        }
    }
    Verdict stopped;
    stopped.R = Verdict::Stopped;
    verdicts.resize(found.size(), stopped);
    for (std::size_t i = 0; i < found.size(); ++i) {
        lines += found[i].text() + " \xe2\x80\x94 " + verdicts[i].text() + "\r\n";
        if (!counter && verdicts[i].R == Verdict::HereOnly) counter = &verdicts[i];
    }
    if (found.empty()) lines = "No relation holds among these objects here.";
    start();
    objects.redraw();
    Dialog d(view().owner(), RelationDialog, view().help(), RelationHelp);
    MultilineItem text(Text, d, lines.c_str());
    text.Readonly = 1;
    Closer show(CounterExample, d, counter != nullptr);
    d.carryout();
    if (d.result() == CounterExample && counter) {
        showposition(counter->Counter);
        objects.changed.set();
        objects.redraw();
    }
    inform();
}

void DiscoverAction::perform(int c, int r) {
    Object* o = pick(c, r, CStraight | CCircle);
    if (!o) return;
    o->highlight.set();
    objects.redraw();
    std::vector<Found> found;
    bool stopped;
    {
        Working working(262);
        found = discover(o, 1000, 1, working.progress());
        stopped = working.Stopped;
    }
    o->highlight.clear();
    Dialog d(view().owner(), DiscoverDialog, view().help(), RelationHelp);
    Findings list(d, found, stopped);
    Closer show(Show, d, !found.empty()), make(Make, d, !found.empty());
    d.carryout();
    const int n = list.N;
    if ((d.result() == Show || d.result() == Make) && n >= 0 &&
        n < static_cast<int>(found.size())) {
        const Relation& chosen = found[static_cast<std::size_t>(n)].R;
        if (d.result() == Make) {
            ::make(chosen);
        } else {
            objects.unhighlight();
            for (Object* x : chosen.Objects) x->highlight.set();
        }
    }
    objects.redraw();
    inform();
}
