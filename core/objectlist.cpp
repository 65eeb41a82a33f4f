#include "objectlist.h"
#include "bitmapps.h"
#include "label.h"
#include "point.h"
#include "resources.h"
#include "view.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

ObjectList objects;
Translator* translation = nullptr;

int msize = 150;
int anglesize = 20;
Font* font = nullptr;
Font* symbolfont = nullptr;
Font* pfont = nullptr;
Font* psymbolfont = nullptr;
MyBitmapPS* bitmap = nullptr;

namespace {

View plainview;
View* current = nullptr;

const ControlSpec choicecontrols[] = {
    {ControlSpec::List, 100, "", 0, 1},       {ControlSpec::Default, 1, "Ok", 1, 1},
    {ControlSpec::Button, 2, "Cancel", 1, 1}, {ControlSpec::Button, 9, "Help", 1, 1},
    {ControlSpec::Last, 0, nullptr, 0, 0},
};
const DialogSpec choicedialog = {100, "Object Choice", choicecontrols};

} // namespace

View& view() {
    return current ? *current : plainview;
}

View* setview(View* v) {
    View* before = current;
    current = v;
    return before;
}

ObjectList::ObjectList() : Comment("", 2048) {}

ObjectList::~ObjectList() {
    droplayer();
    while (First) {
        Object* o = First;
        First = o->Next;
        delete o;
    }
}

void ObjectList::add(Object* o) {
    if (Dragged) layerfor(nullptr);
    o->Previous = Last;
    o->Next = nullptr;
    if (Last)
        Last->Next = o;
    else
        First = o;
    Last = o;
    o->Order = ++Orders;
    Names[o->Name.text()].push_back(o);
    ++N;
    changed.set();
    if (Keep) Keep->added(o);
}

void ObjectList::unindex(Object* o, const std::string& name) {
    auto n = Names.find(name);
    if (n == Names.end()) return;
    std::vector<Object*>& v = n->second;
    v.erase(std::remove(v.begin(), v.end(), o), v.end());
    if (v.empty()) Names.erase(n);
}

void ObjectList::renamed(Object* o, const char* old) {
    unindex(o, old);
    index(o);
    if (Keep) Keep->renamed(o, old);
}

void ObjectList::index(Object* o) {
    std::vector<Object*>& v = Names[o->Name.text()];
    auto at = std::lower_bound(v.begin(), v.end(), o, [](const Object* a, const Object* b) {
        return a->Order < b->Order;
    });
    v.insert(at, o);
}

void ObjectList::unlink(Object* o) {
    (o->Previous ? o->Previous->Next : First) = o->Next;
    (o->Next ? o->Next->Previous : Last) = o->Previous;
    o->Next = o->Previous = nullptr;
    unindex(o, o->Name.text());
    o->Order = 0;
    --N;
}

void ObjectList::remove(Object* o) {
    if (Dragged) layerfor(nullptr);
    Object* previous = o->Previous;
    unsigned long order = o->Order;
    unlink(o);
    if (Keep)
        Keep->removed(o, previous, order);
    else
        delete o;
    changed.set();
}

void ObjectList::detach(Object* o) {
    unlink(o);
}

void ObjectList::relink(Object* o, Object* previous, unsigned long order) {
    o->Previous = previous;
    o->Next = previous ? previous->Next : First;
    (previous ? previous->Next : First) = o;
    (o->Next ? o->Next->Previous : Last) = o;
    o->Order = order;
    Orders = std::max(Orders, order);
    index(o);
    ++N;
}

ObjectChain ObjectList::take() {
    ObjectChain c{First, Last, N, std::move(Names)};
    First = Last = nullptr;
    Names.clear();
    N = 0;
    return c;
}

void ObjectList::put(ObjectChain&& c) {
    First = c.First;
    Last = c.Last;
    N = c.N;
    Names = std::move(c.Names);
    c = ObjectChain();
}

void ObjectList::clear() {
    if (Dragged) layerfor(nullptr);
    if (Keep) {
        Keep->cleared(take());
    } else {
        while (First) {
            Object* o = First;
            First = o->Next;
            delete o;
        }
        Last = nullptr;
        Names.clear();
        N = 0;
    }
    if (Stop > 0) Stop = 1;
    changed.clear();
}

void ObjectList::clear(Object* o) {
    Object* p = First;
    mark(o->original());
    while (p) {
        Object* next = p->Next;
        if (p->mark) remove(p);
        p = next;
    }
}

void ObjectList::unmark() {
    for (Object* o = First; o; o = o->Next) o->mark.clear();
}

void ObjectList::mark(Object* p) {
    unmark();
    Object* q = p->original();
    q->mark.set();
    for (Object* o = q->Next; o; o = o->Next)
        if (o->depmarked()) o->mark.set();
}

void ObjectList::update() {
    // While a drag draws from the picture of what it does not move, only
    // what it moves can change (as long as the view is the picture's).
    const View& v = view();
    if (Dragged && Layer && LayerView[0] == v.X1 && LayerView[1] == v.X2 && LayerView[2] == v.Y1 &&
        LayerView[3] == v.Y2) {
        for (Object* o : Moving) o->update();
        return;
    }
    // The objects lie apart in memory: the next one is fetched while this
    // one computes, which hides most of the wait for it.
    for (Object* o = First; o; o = o->Next) {
        __builtin_prefetch(o->Next);
        o->update();
    }
}

void ObjectList::update(Object* p) {
    mark(p);
    for (Object* o = p; o; o = o->Next)
        if (o->mark) o->update();
    changed.set();
}

void ObjectList::unhighlight() {
    for (Object* o = First; o; o = o->Next) o->highlight.clear();
}

void ObjectList::draw(PS& ps) {
    drawall(ps, 0);
}

namespace {

// Draws o; in the modern look a highlighted object lies on a glow and one
// shown though hidden is dashed.
void drawone(PS& ps, Object* o) {
    if (!ps.modern()) {
        o->draw(ps);
        return;
    }
    ps.glow(o->highlight, objectcolors.glow());
    ps.dashed(o->ishidden || !o->conditionholds());
    o->draw(ps);
    ps.glow(0);
    ps.dashed(0);
}

} // namespace

void ObjectList::drawall(PS& ps, int unmarkedonly) {
    ps.erase();
    ps.unclaim();
    view().drawgrid(ps);
    // The insides of regions lie under every line, point and label.
    int k = 0;
    for (Object* o = First; o && (Stop <= 0 || k < Stop); o = o->Next, ++k)
        if ((o->Class & CRegion) && (!unmarkedonly || !o->mark)) o->drawfill(ps);
    Object* shown = nullptr;
    int n = 0;
    // The modern look draws points over the lines through them, and
    // labels beside their dots.
    const int later = ps.modern() ? CPoint : 0;
    for (Object* o = First; later && o; o = o->Next) {
        if ((!unmarkedonly || !o->mark) && (o->Class & CPoint))
            static_cast<Pointprim*>(o)->claimdot(ps);
        if (Stop > 0 && ++n >= Stop) break;
    }
    n = 0;
    for (Object* o = First; o; o = o->Next) {
        __builtin_prefetch(o->Next); // as in update
        if ((!unmarkedonly || !o->mark) && !(o->Class & later)) drawone(ps, o);
        if (!o->hidden()) shown = o;
        ++n;
        if (Stop > 0 && n >= Stop) break;
    }
    n = 0;
    for (Object* o = First; later && o; o = o->Next) {
        if ((!unmarkedonly || !o->mark) && (o->Class & later)) drawone(ps, o);
        if (Stop > 0 && ++n >= Stop) break;
    }
    if (Stop > 0) {
        String s("", 300);
        if (shown) {
            char d[DescriptionMax];
            shown->writeclear(d);
            s.copy(shown->name());
            s.cat(" : ");
            s.cat(d);
        }
        view().inform(s.text());
    }
}

void ObjectList::redraw() {
    if (!bitmap) return;
    if (!drawlayered()) draw(*bitmap);
    bitmap->copy();
}

void ObjectList::layerfor(Object* p) {
    Dragged = p;
    Moving.clear();
    droplayer();
}

namespace {

MyBitmapPS* picturelike(const MyBitmapPS& b, double ratio, int smooth) {
    auto* p = new MyBitmapPS(b.owner(), b.width(), b.height(), 32, ratio);
    p->smooth(smooth);
    p->modern(b.modern());
    p->markersize(b.markersize());
    if (font) p->font(*font);
    return p;
}

} // namespace

void ObjectList::droplayer() {
    // The picture's claims may lie over the layer's.
    if (bitmap && Layer) bitmap->unclaim();
    for (MyBitmapPS*& p :
         {std::ref(Layer), std::ref(LayerIds), std::ref(Front), std::ref(FrontIds)}) {
        delete p;
        p = nullptr;
    }
}

int ObjectList::drawlayered() {
    if (!Dragged || Stop > 0) return 0;
    const int sharp = !bitmap->smooth();
    // The insides of regions are drawn first, under everything: their
    // pixels rank below every object's.
    const unsigned fills = static_cast<unsigned>(N);
    // A sharp picture at a higher density is never made: one pixel a pixel.
    if (sharp && bitmap->ratio() != 1.0) return 0;
    const View& v = view();
    const double key[6] = {
        v.X1, v.X2, v.Y1, v.Y2, static_cast<double>(v.showhidden), static_cast<double>(sharp)};
    if (Layer && (Layer->width() != bitmap->width() || Layer->height() != bitmap->height() ||
                  Layer->ratio() != bitmap->ratio() || Layer->modern() != bitmap->modern() ||
                  !std::equal(key, key + 6, LayerView)))
        droplayer();
    if (!Layer) {
        // What the drag moves: the point, what depends on it, and the points
        // whose tracks grow. Everything else is drawn once, in its order.
        mark(Dragged);
        Moving.clear();
        MovingIds.clear();
        unsigned id = 0;
        for (Object* o = First; o; o = o->Next) {
            ++id;
            auto* p = dynamic_cast<Pointprim*>(o);
            if (p && p->track()) o->mark.set();
            if (o->mark) Moving.push_back(o), MovingIds.push_back(id);
        }
        // When most of the construction moves, a picture of the rest saves
        // less than copying it costs: the frames are drawn whole.
        if (Moving.size() * 2 > static_cast<size_t>(N)) {
            Dragged = nullptr;
            Moving.clear();
            return 0;
        }
        Layer = picturelike(*bitmap, bitmap->ratio(), !sharp);
        drawall(*Layer, 1);
        if (sharp) {
            // Which object painted each pixel last, so that the frames can
            // put the moving objects under the still ones drawn after them.
            LayerIds = picturelike(*bitmap, 1.0, 0);
            LayerIds->identify(1, 0);
            LayerIds->erase();
            view().drawgrid(*LayerIds);
            id = 0;
            for (Object* o = First; o; o = o->Next) {
                ++id;
                if (o->mark || !(o->Class & CRegion)) continue;
                LayerIds->identify(1, fills + id);
                o->drawfill(*LayerIds);
            }
            id = 0;
            for (Object* o = First; o; o = o->Next) {
                ++id;
                if (o->mark) continue;
                LayerIds->identify(1, fills + id);
                o->draw(*LayerIds);
            }
            Front = picturelike(*bitmap, 1.0, 0);
            FrontIds = picturelike(*bitmap, 1.0, 0);
        }
        std::copy(key, key + 6, LayerView);
    }
    if (!sharp) {
        Layer->copy(*bitmap, 0, 0);
        bitmap->claimover(*Layer);
        if (bitmap->modern())
            for (Object* o : Moving)
                if (o->Class & CPoint) static_cast<Pointprim*>(o)->claimdot(*bitmap);
        for (Object* o : Moving)
            if (o->Class & CRegion) o->drawfill(*bitmap);
        for (int points : {0, 1})
            for (Object* o : Moving)
                if (bitmap->modern() ? ((o->Class & CPoint) != 0) == points : !points)
                    drawone(*bitmap, o);
        return 1;
    }
    // The moving objects in their colours and by who they are; each pixel
    // then comes from whichever object the whole drawing would paint last.
    // Front needs no erasing: where no moving object paints, its identity
    // picture is 0 and the still picture wins.
    FrontIds->identify(1, 0);
    FrontIds->erase();
    FrontIds->unclaim();
    Front->claimover(*Layer);
    for (size_t i = 0; i < Moving.size(); ++i) {
        if (!(Moving[i]->Class & CRegion)) continue;
        Moving[i]->drawfill(*Front);
        FrontIds->identify(1, MovingIds[i]);
        Moving[i]->drawfill(*FrontIds);
    }
    for (size_t i = 0; i < Moving.size(); ++i) {
        Moving[i]->draw(*Front);
        FrontIds->identify(1, fills + MovingIds[i]);
        Moving[i]->draw(*FrontIds);
    }
    compose(*bitmap, *Layer, *LayerIds, *Front, *FrontIds);
    return 1;
}

Object* ObjectList::labelat(double x, double y, int* sx, int* sy) {
    if (!bitmap) return nullptr;
    const Object* owner = labelowner(*bitmap, x, y, sx, sy);
    // What the picture shows may have gone since it was drawn.
    for (Object* o = First; o && owner; o = o->Next)
        if (o == owner) return o;
    return nullptr;
}

int ObjectList::select(double x, double y, Object** pret, int flags, int select, int mayhighlight) {
    double d = view().viewwidth() * view().Pixel / std::max(msize, 1);
    unmark();
    Object* found = nullptr;
    int count = 0;
    // A click inside a region, or on a label or text, takes it only when no
    // point or line is near.
    for (int regions = 0; regions < 2 && count == 0; ++regions)
        for (Object* o = First; o; o = o->Next) {
            if (flags && !(o->Class & flags)) continue;
            if (((o->Class & (CRegion | CNumber | CText)) != 0) != (regions != 0)) continue;
            if (!o->valid || o->hidden()) continue;
            if (!(o->distance(x, y) < d)) continue;
            if (!mayhighlight && o->highlight) continue;
            o->mark.set();
            if (*pret && *pret == o) return 1;
            found = o;
            ++count;
        }
    if (found) *pret = found;
    if (count == 0) {
        *pret = nullptr;
        return 0;
    }
    if (count == 1 || !select) return count;

    if (!finddialog(100)) definedialog(&choicedialog);
    Dialog dialog(view().owner(), 100, view().help(), 8);
    ObjectsItem list(100, dialog);
    dialog.carryout();
    if ((dialog.result() == 1 || dialog.result() == 100) && list.N >= 0) {
        int i = 0;
        for (Object* o = First; o; o = o->Next)
            if (o->mark && i++ == list.N) {
                *pret = o;
                return count;
            }
    }
    *pret = nullptr;
    return 0;
}

Object* ObjectList::find(const char* name, int flags, Object* last) {
    if (translation) {
        name = translation->translate(name);
        if (!name) return nullptr;
    }
    auto n = Names.find(name);
    if (n == Names.end()) return nullptr;
    for (Object* o : n->second) {
        if (last && o->Order >= last->Order) break;
        if (!flags || (o->Class & flags)) return o;
    }
    return nullptr;
}

int ObjectList::exists(const char* name) {
    auto n = Names.find(name);
    if (n == Names.end()) return 0;
    for (Object* o : n->second)
        if (o != Last) return 1;
    return 0;
}

void ObjectList::show(String& s) {
    // Collected first and added once: a long listing is not copied once for
    // every object.
    std::string t;
    char d[DescriptionMax];
    for (Object* o = First; o; o = o->Next) {
        o->writeclear(d);
        t += o->name();
        t += " : ";
        t += d;
        t += "\r\n";
    }
    s.cat(t.c_str());
}

void ObjectList::advancestop(int k) {
    if (Stop == 0 || !First) {
        Stop = 0;
        return;
    }
    Object* p = First;
    for (int i = 1; i < Stop && p; ++i) p = p->Next;
    if (!p) return;
    auto help = [](Object* o) { return o && (o->Class & CHelp); };
    if (k > 0) {
        for (int i = 0; i < k && p; ++i) {
            p = p->Next;
            if (p) ++Stop;
            while (p && p->hidden()) {
                p = p->Next;
                if (p) ++Stop;
            }
            while (p && help(p->Next)) {
                p = p->Next;
                ++Stop;
            }
        }
    } else if (k < 0) {
        while (p && help(p)) {
            p = p->Previous;
            --Stop;
        }
        for (int i = 0; i < -k && p; ++i) {
            p = p->Previous;
            --Stop;
            while (p && (p->hidden() || help(p))) {
                p = p->Previous;
                --Stop;
            }
        }
        while (p && help(p->Next)) {
            p = p->Next;
            ++Stop;
        }
        if (Stop <= 0) Stop = 1;
    }
}

namespace {

template <class F> void points(Object* first, F f) {
    for (Object* o = first; o; o = o->Next)
        if (o->Class & CPoint) f(static_cast<Pointprim*>(o));
}

} // namespace

int ObjectList::tracking() {
    int t = 0;
    points(First, [&t](Pointprim* p) { t |= p->track() != nullptr; });
    return t;
}

Pointprim* ObjectList::findtrackpoint() {
    for (Object* o = First; o; o = o->Next)
        if ((o->Class & CPoint) && static_cast<Pointprim*>(o)->trackpoint())
            return static_cast<Pointprim*>(o);
    return nullptr;
}

void ObjectList::resettracks() {
    points(First, [](Pointprim* p) {
        if (!p->trackpoint()) p->resettrack();
    });
}

void ObjectList::updatetracks() {
    points(First, [](Pointprim* p) {
        if (!p->trackpoint()) p->updatetrack();
    });
}

void ObjectList::deletetracks() {
    points(First, [](Pointprim* p) {
        p->deletetrack();
        p->trackpoint(0);
    });
}

void ObjectsItem::init() {
    int n = 0;
    for (Object* o = objects.First; o; o = o->Next)
        if (o->mark) {
            insert(o->name());
            ++n;
        }
    select(n - 1);
}
