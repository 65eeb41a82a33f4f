#include "menu.h"
#include "qtglue.h"
#include "resources.h"
#include "standardwindow.h"
#include "windowpeer.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenuBar* bar(const Menu& m) {
    return static_cast<QMenuBar*>(m.Handle);
}

// A caption of the menu table as Qt shows it: the key hint after a tab.
QString captiontext(const char* caption) {
    return qstr(caption).replace(" \t", "\t");
}

QAction* item(QWidget* parent, StandardWindow* w, const char* caption, int id) {
    auto* a = new QAction(captiontext(caption), parent);
    a->setData(id);
    QObject::connect(a, &QAction::triggered, [w, id] { w->command(id); });
    return a;
}

// Builds the lines of one popup up to its End; returns the line after it.
const MenuSpec* build(QMenu* menu, StandardWindow* w, const MenuSpec* p) {
    for (; p->kind != MenuSpec::End; ++p) {
        switch (p->kind) {
        case MenuSpec::Popup:
            p = build(menu->addMenu(qstr(p->caption)), w, p + 1);
            break;
        case MenuSpec::Item:
            menu->addAction(item(menu, w, p->caption, p->id));
            break;
        case MenuSpec::Separator:
            menu->addSeparator();
            break;
        case MenuSpec::End:
            break;
        }
    }
    return p;
}

void actions(QWidget* w, int id, QList<QAction*>& found) {
    for (QAction* a : w->actions()) {
        if (a->menu()) actions(a->menu(), id, found);
        if (!a->isSeparator() && !a->menu() && a->data().toInt() == id) found.append(a);
    }
}

QMenu* popup(const Menu& m, int sub) {
    if (!bar(m)) return nullptr;
    QList<QAction*> top = bar(m)->actions();
    return sub >= 0 && sub < top.size() ? top[sub]->menu() : nullptr;
}

// The popup of that caption in w or a popup of it.
QMenu* named(QWidget* w, const QString& caption) {
    if (!w) return nullptr;
    for (QAction* a : w->actions()) {
        if (!a->menu()) continue;
        if (a->text() == caption) return a->menu();
        if (QMenu* m = named(a->menu(), caption)) return m;
    }
    return nullptr;
}

} // namespace

Menu::Menu(StandardWindow& w, const char* name) : W(&w), Name(name) {
    ready();
}

Menu::~Menu() {
    while (First) {
        Menuentry* e = First;
        First = e->Next;
        delete e;
    }
    if (W->menu() == this) W->setmenu(nullptr);
    // An attached menu bar belongs to the window's widgets.
    if (!Attached) delete bar(*this);
}

void Menu::create() {
    if (Handle) return;
    W->setmenu(this);
    auto* mb = new QMenuBar;
    Handle = mb;
    const MenuSpec* p = findmenu(Name.text());
    for (; p && p->kind != MenuSpec::End; ++p) {
        if (p->kind == MenuSpec::Popup)
            p = build(mb->addMenu(qstr(p->caption)), W, p + 1);
        else if (p->kind == MenuSpec::Item)
            mb->addAction(item(mb, W, p->caption, p->id));
    }
}

void Menu::init() {
    create();
    if (!W->handle()) W->create();
    if (!Attached) W->handle()->Frame->setMenuBar(bar(*this));
    Attached = 1;
}

void Menu::add(int id, Handler f) {
    First = new Menuentry{First, id, f};
}

int Menu::call(int id) {
    Command = id;
    for (Menuentry* e = First; e; e = e->Next)
        if (e->Id == id) {
            if (e->F) e->F();
            return 1;
        }
    return 0;
}

void Menu::append(int sub, int id, const char* s, Handler f) {
    appendto(popup(*this, sub), id, s, f);
}

void Menu::append(const char* popup, int id, const char* s, Handler f) {
    appendto(named(bar(*this), qstr(popup)), id, s, f);
}

void Menu::remove(const char* popup, int id) {
    removefrom(named(bar(*this), qstr(popup)), id);
}

void Menu::appendto(QMenu* m, int id, const char* s, Handler f) {
    if (!m) return;
    m->addAction(item(m, W, s, id));
    add(id, f);
}

void Menu::removefrom(QMenu* m, int id) {
    if (m) {
        QList<QAction*> found;
        actions(m, id, found);
        for (QAction* a : found) delete a;
    }
    drop(id);
}

void Menu::drop(int id) {
    for (Menuentry** e = &First; *e;) {
        if ((*e)->Id == id) {
            Menuentry* gone = *e;
            *e = gone->Next;
            delete gone;
        } else {
            e = &(*e)->Next;
        }
    }
}

void Menu::remove(int sub, int id) {
    removefrom(popup(*this, sub), id);
}

void Menu::check(int id, int f) {
    if (!bar(*this)) return;
    QList<QAction*> found;
    actions(bar(*this), id, found);
    for (QAction* a : found) {
        a->setCheckable(true);
        a->setChecked(f);
    }
}

void Menu::enable(int id, int f) {
    if (!bar(*this)) return;
    QList<QAction*> found;
    actions(bar(*this), id, found);
    for (QAction* a : found) a->setEnabled(f);
}

void Menu::settext(int id, const char* caption) {
    if (!bar(*this)) return;
    QList<QAction*> found;
    actions(bar(*this), id, found);
    for (QAction* a : found) a->setText(captiontext(caption));
}

int Menu::checked(int id) const {
    QList<QAction*> found;
    if (bar(*this)) actions(bar(*this), id, found);
    return !found.isEmpty() && found.first()->isChecked();
}

int Menu::enabled(int id) const {
    QList<QAction*> found;
    if (bar(*this)) actions(bar(*this), id, found);
    return !found.isEmpty() && found.first()->isEnabled();
}

int Menu::items(int sub) const {
    QMenu* m = popup(*this, sub);
    return m ? static_cast<int>(m->actions().size()) : 0;
}

String Menu::caption(int sub, int index) const {
    QMenu* m = popup(*this, sub);
    if (!m || index < 0 || index >= m->actions().size()) return String("");
    return String(m->actions()[index]->text().toUtf8().constData());
}

int Accelerators::findkey(int vk, int modifiers) const {
    for (int i = 0; i < N; ++i)
        if (T[i].kind == Accel::Key && T[i].key == vk && T[i].modifiers == modifiers)
            return T[i].id;
    return 0;
}

int Accelerators::findchar(int c) const {
    for (int i = 0; i < N; ++i)
        if (T[i].kind == Accel::Char && T[i].key == c) return T[i].id;
    return 0;
}
