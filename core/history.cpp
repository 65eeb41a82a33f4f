#include "history.h"

#include <algorithm>

// The list takes its keeper at the first step: a history made before the
// list (static objects) must not have it overwritten.
History::History(ObjectList& list) : L(list) {}

History::~History() {
    // The file name may be gone already at the program's end: only the
    // steps are let go.
    File = nullptr;
    clear();
    if (L.Keep == this) L.Keep = nullptr;
}

std::vector<long> History::counters() {
    std::vector<long> v;
    for (Count* c = counts.First; c; c = c->Next) v.push_back(c->C);
    return v;
}

void History::counters(const std::vector<long>& v) {
    size_t i = 0;
    for (Count* c = counts.First; c && i < v.size(); c = c->Next) c->C = v[i++];
}

void History::begin() {
    if (Open) return;
    L.Keep = this;
    // Something outside the history (the view) changed the saved state.
    if (L.changed && Now == savedstate()) savedstate() = -1;
    Open = std::make_unique<OpenStep>();
    Open->S = std::make_unique<Step>();
    Open->States.resize(static_cast<size_t>(L.count()));
    size_t i = 0;
    for (Object* o = L.first(); o && i < Open->States.size(); o = o->next(), ++i) {
        Open->States[i].first = o;
        o->getstate(Open->States[i].second);
    }
    Open->States.resize(i);
    Open->Newest = L.last() ? L.last()->Order : 0;
    Open->S->CountsBefore = counters();
    Open->S->CommentBefore = L.Comment.text();
    if (File) Open->S->FileBefore = File->text();
}

void History::verb(const char* v) {
    if (Open) Open->S->Verb = v ? v : "";
}

void History::subject(Object* o) {
    if (Open && !Open->S->Subject) Open->S->Subject = o;
}

void History::label(const std::string& l) {
    if (Open) Open->S->Label = l;
}

void History::renamed(Object* o, const char* old) {
    if (Applying) return;
    begin();
    // A new object's names are no change of their own: undo takes it away.
    if (o->Order > Open->Newest) return;
    Step& s = *Open->S;
    s.Ops.push_back({Op::Rename, o, nullptr, s.Renames.size(), nullptr});
    s.Renames.emplace_back(old, o->name());
}

void History::added(Object* o) {
    begin();
    Open->S->Ops.push_back({Op::Add, o, nullptr, o->Order, nullptr});
}

void History::removed(Object* o, Object* previous, unsigned long order) {
    begin();
    Open->S->Ops.push_back({Op::Remove, o, previous, order, nullptr});
}

void History::cleared(ObjectChain&& c) {
    begin();
    auto chain = std::make_unique<ObjectChain>(std::move(c));
    Open->S->Ops.push_back({Op::Clear, nullptr, nullptr, 0, std::move(chain)});
}

void History::end() {
    if (!Open) return;
    std::unique_ptr<OpenStep> open = std::move(Open);
    std::unique_ptr<Step> step = std::move(open->S);
    Step& s = *step;
    int empty = open->States.empty(); // the list was empty when the step began
    int cleared =
        std::any_of(s.Ops.begin(), s.Ops.end(), [](const Op& op) { return op.K == Op::Clear; });
    // After a New or a Load the old objects stand whole in their chain.
    if (!cleared) {
        ObjectState after;
        for (auto& [o, before] : open->States) {
            if (!o->Order) continue; // it left the list in this step
            o->getstate(after);
            if (after != before) s.Changes.push_back({o, before, after});
        }
    }
    open.reset();
    s.CountsAfter = counters();
    s.CommentAfter = L.Comment.text();
    s.CommentChanged = s.CommentAfter != s.CommentBefore;
    if (!s.CommentChanged) s.CommentBefore.clear(), s.CommentAfter.clear();
    if (File) s.FileAfter = File->text();
    s.FileChanged = s.FileAfter != s.FileBefore;
    if (!s.FileChanged) s.FileBefore.clear(), s.FileAfter.clear();
    // An object made and taken away again in the step (a tool's dialog
    // cancelled) is no change.
    for (std::size_t i = 0; i < s.Ops.size(); ++i) {
        if (s.Ops[i].K != Op::Remove) continue;
        auto made =
            std::find_if(s.Ops.begin(), s.Ops.begin() + static_cast<std::ptrdiff_t>(i),
                         [&](const Op& op) { return op.K == Op::Add && op.O == s.Ops[i].O; });
        if (made == s.Ops.begin() + static_cast<std::ptrdiff_t>(i)) continue;
        delete s.Ops[i].O;
        s.Ops.erase(s.Ops.begin() + static_cast<std::ptrdiff_t>(i));
        s.Ops.erase(made);
        i -= 2;
    }
    if (s.Ops.empty() && s.Changes.empty() && !s.CommentChanged) {
        if (!L.changed) savedstate() = Now;
        return;
    }
    name(s);
    // A step that made the list from nothing, or after clearing it, keeps
    // only its clearing: undone, what it made leaves the list in one piece.
    int cut = !s.Ops.empty() && s.Ops[0].K == Op::Clear;
    s.Whole =
        s.Changes.empty() && (empty || cut) &&
        std::all_of(s.Ops.begin() + cut, s.Ops.end(), [](const Op& op) { return op.K == Op::Add; });
    if (s.Whole) s.Ops.erase(s.Ops.begin() + cut, s.Ops.end());
    s.Ops.shrink_to_fit();
    s.Changes.shrink_to_fit();
    s.IdBefore = Now;
    s.Id = ++Ids;
    Now = s.Id;
    for (auto& r : Redo) drop(*r);
    Redo.clear();
    Undo.push_back(std::move(step));
    if (Undo.size() > Depth) {
        drop(*Undo.front());
        Undo.pop_front();
    }
    // Whatever can be undone is a change of the construction, except a New
    // or a Load, which leave it as its file (or as nothing).
    if (!cleared) L.changed.set();
    if (!L.changed) savedstate() = Now;
}

namespace {

// Whether a change is more than a point moving.
bool ownchange(const ObjectState& a, const ObjectState& b) {
    ObjectState x = a;
    if (x.Class & CPoint) x.V[0] = b.V[0], x.V[1] = b.V[1];
    return x != b;
}

} // namespace

void History::name(Step& s) {
    std::string verb = s.Verb;
    Object* subject = s.Subject;
    int clears = 0, adds = 0;
    Object* firstremoved = nullptr;
    Object* lastadded = nullptr;
    Object* renamed = nullptr;
    for (const Op& op : s.Ops) {
        if (op.K == Op::Clear) ++clears;
        if (op.K == Op::Add) ++adds, lastadded = op.O;
        if (op.K == Op::Remove && !firstremoved) firstremoved = op.O;
        if (op.K == Op::Rename && !renamed) renamed = op.O;
    }
    const Change* own = nullptr;
    for (const Change& c : s.Changes)
        if (ownchange(c.Before, c.After)) {
            own = &c;
            break;
        }
    if (clears) {
        if (verb.empty()) verb = adds ? "Load" : "New";
        subject = nullptr;
    } else if (firstremoved) {
        if (verb.empty()) verb = "Delete";
        if (!subject) subject = firstremoved;
    } else if (lastadded) {
        if (verb.empty()) verb = "Add";
        if (!subject) subject = lastadded;
    } else if (own || renamed) {
        if (verb.empty()) {
            int hiding = 0;
            if (own && !renamed && s.Changes.size() == 1) {
                ObjectState x = own->Before;
                x.Flags = own->After.Flags;
                hiding = x == own->After;
            }
            verb = !hiding ? "Edit" : (own->After.Flags & 2) ? "Hide" : "Unhide";
        }
        if (!subject) subject = renamed ? renamed : own->O;
    } else if (!s.Changes.empty()) {
        if (verb.empty()) verb = "Move";
        if (!subject) subject = s.Changes.front().O;
    } else if (verb.empty()) {
        verb = "Edit Comment";
    }
    s.Name = verb;
    if (!s.Label.empty())
        s.Name = s.Label;
    else if (subject)
        s.Name += std::string(" ") + subject->name();
}

std::string History::undoname() const {
    return Undo.empty() ? std::string() : Undo.back()->Name;
}

std::string History::redoname() const {
    return Redo.empty() ? std::string() : Redo.back()->Name;
}

void History::apply(Step& s, int forward) {
    Applying = 1;
    if (s.Whole) {
        if (forward) {
            if (!s.Ops.empty()) *s.Ops[0].Chain = L.take();
            L.put(std::move(*s.Made));
        } else {
            s.Made = std::make_unique<ObjectChain>(L.take());
            if (!s.Ops.empty()) L.put(std::move(*s.Ops[0].Chain));
        }
    } else if (forward) {
        for (Op& op : s.Ops) {
            if (op.K == Op::Add)
                L.relink(op.O, L.last(), op.Order);
            else if (op.K == Op::Remove)
                L.detach(op.O);
            else if (op.K == Op::Rename)
                rename(op.O, s.Renames[op.Order].second);
            else
                *op.Chain = L.take();
        }
    }
    if (forward) {
        for (Change& c : s.Changes) c.O->setstate(c.After);
        recompute(s, 1);
        counters(s.CountsAfter);
        if (s.CommentChanged) L.Comment = s.CommentAfter.c_str();
        if (s.FileChanged && File) *File = s.FileAfter.c_str();
    } else {
        for (auto op = s.Ops.rbegin(); op != s.Ops.rend() && !s.Whole; ++op) {
            if (op->K == Op::Add)
                L.detach(op->O);
            else if (op->K == Op::Remove)
                L.relink(op->O, op->Previous, op->Order);
            else if (op->K == Op::Rename)
                rename(op->O, s.Renames[op->Order].first);
            else
                L.put(std::move(*op->Chain));
        }
        for (auto c = s.Changes.rbegin(); c != s.Changes.rend(); ++c) c->O->setstate(c->Before);
        recompute(s, 0);
        counters(s.CountsBefore);
        if (s.CommentChanged) L.Comment = s.CommentBefore.c_str();
        if (s.FileChanged && File) *File = s.FileBefore.c_str();
    }
    Applying = 0;
}

void History::rename(Object* o, const std::string& name) {
    std::string n(name);
    o->setname1(n.data());
}

void History::recompute(Step& s, int forward) {
    // The changed objects and what depends on them are computed again for
    // their derived numbers (directions, radii, validity), but keep the
    // states the step recorded: computing anew could move a point on an
    // object in its last bit, or move a point that a fixed size moves
    // differently than the order of the original change did.
    if (s.Changes.empty()) return;
    L.unmark();
    for (Change& c : s.Changes) c.O->mark.set();
    ObjectState keep;
    for (Object* o = L.first(); o; o = o->next())
        if (o->mark || o->depmarked()) {
            o->mark.set();
            o->getstate(keep);
            o->update();
            o->setstate(keep);
        }
    for (Change& c : s.Changes) c.O->setstate(forward ? c.After : c.Before);
}

int History::undo() {
    return step(0);
}

int History::redo() {
    return step(1);
}

int History::step(int forward) {
    L.Keep = this;
    end();
    std::deque<std::unique_ptr<Step>>& from = forward ? Redo : Undo;
    std::deque<std::unique_ptr<Step>>& to = forward ? Undo : Redo;
    if (from.empty()) return 0;
    // Something outside the history (the view) changed the saved state.
    if (L.changed && Now == savedstate()) savedstate() = -1;
    std::unique_ptr<Step> s = std::move(from.back());
    from.pop_back();
    apply(*s, forward);
    s->Undone = !forward;
    Now = forward ? s->Id : s->IdBefore;
    to.push_back(std::move(s));
    L.changed = Now != savedstate();
    return 1;
}

void History::saved() {
    savedstate() = Now;
}

long& History::savedstate() {
    auto at = Saved.try_emplace(File ? File->text() : "", -1).first;
    return at->second;
}

namespace {

void deleteall(ObjectChain& c) {
    for (Object* o = c.First; o;) {
        Object* next = o->next();
        delete o;
        o = next;
    }
    c = ObjectChain();
}

} // namespace

void History::drop(Step& s) {
    if (s.Undone && s.Made) deleteall(*s.Made);
    for (Op& op : s.Ops) {
        if (s.Undone && op.K == Op::Add) delete op.O;
        if (!s.Undone && op.K == Op::Remove) delete op.O;
        if (!s.Undone && op.K == Op::Clear) deleteall(*op.Chain);
    }
    s.Ops.clear();
}

void History::clear() {
    if (Open) drop(*Open->S);
    Open.reset();
    for (auto& s : Undo) drop(*s);
    for (auto& s : Redo) drop(*s);
    Undo.clear();
    Redo.clear();
    Saved.clear();
    savedstate() = L.changed ? -1 : Now;
}

size_t History::memory() const {
    size_t n = 0;
    auto add = [&n](const Step& s) {
        n += sizeof s + s.Ops.capacity() * sizeof(Op) + s.Changes.capacity() * sizeof(Change) +
             (s.CountsBefore.capacity() + s.CountsAfter.capacity()) * sizeof(long) +
             s.CommentBefore.capacity() + s.CommentAfter.capacity() + s.Name.capacity() +
             s.FileBefore.capacity() + s.FileAfter.capacity() +
             s.Renames.capacity() * sizeof(s.Renames[0]);
        for (const auto& r : s.Renames) n += r.first.capacity() + r.second.capacity();
        for (const Op& op : s.Ops)
            if (op.Chain) n += sizeof(ObjectChain);
    };
    for (const auto& s : Undo) add(*s);
    for (const auto& s : Redo) add(*s);
    return n;
}
