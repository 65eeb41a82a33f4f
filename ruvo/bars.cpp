#include "bars.h"
#include "qtglue.h"
#include "resources.h"
#include "standardwindow.h"
#include "toolpanel.h"
#include "windowpeer.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>

namespace {

QStatusBar* statusbar(const StatusBar& s) {
    return static_cast<QStatusBar*>(s.Handle);
}
QToolBar* toolbar(const ToolBar& t) {
    return static_cast<QToolBar*>(t.Handle);
}

Qt::Alignment alignof_(int align) {
    return (align == 1   ? Qt::AlignHCenter
            : align == 2 ? Qt::AlignRight
                         : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

QIcon icon(const char* svg) {
    QSvgRenderer r{QByteArray(svg)};
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (r.isValid()) r.render(&p);
    p.end();
    return QIcon(pm);
}

QAction* action(const ToolBar& t, int id) {
    for (QAction* a : toolbar(t)->findChild<QWidget*>("buttons")->actions())
        if (!a->isSeparator() && a->data().toInt() == id) return a;
    return nullptr;
}

} // namespace

StatusBar::StatusBar(StandardWindow& w, int id)
    : W(&w), Text("", 512), Handle(nullptr), Panes(0), Id(id), F(nullptr) {
    if (!w.handle()) w.create();
    QStatusBar* s = w.handle()->Frame->statusBar();
    s->setSizeGripEnabled(true);
    auto* l = new QLabel(s);
    l->setObjectName("pane");
    s->addWidget(l, 1);
    Handle = s;
    w.Sb = this;
}

StatusBar::StatusBar(StandardWindow& w, int panes, double* f, int id)
    : W(&w), Text("", 512), Handle(nullptr), Panes(panes), Id(id), F(f) {
    if (!w.handle()) w.create();
    QStatusBar* s = w.handle()->Frame->statusBar();
    for (int i = 0; i < panes; ++i) {
        auto* l = new QLabel(s);
        l->setObjectName("pane");
        l->setFrameShape(QFrame::StyledPanel);
        s->addWidget(l);
    }
    Handle = s;
    w.Sb = this;
    setpanes();
}

StatusBar::~StatusBar() {
    if (W->Sb == this) W->Sb = nullptr;
}

int StatusBar::setpanes() {
    QStatusBar* s = statusbar(*this);
    if (Panes && F) {
        int w = s->width(), right = 0;
        QList<QLabel*> labels = s->findChildren<QLabel*>("pane");
        for (int i = 0; i < Panes && i < labels.size(); ++i) {
            int r = i == 0 ? static_cast<int>(w * F[0]) : right + static_cast<int>(w * F[i]);
            labels[i]->setFixedWidth(std::max(0, r - right));
            right = r;
        }
    }
    return s->isVisibleTo(s->parentWidget()) ? s->height() : s->sizeHint().height();
}

void StatusBar::settext(const char* s, int align) {
    settext(0, s, align, 0);
}

void StatusBar::settext(int pane, const char* s, int align, int) {
    QList<QLabel*> labels = statusbar(*this)->findChildren<QLabel*>("pane");
    if (pane < 0 || pane >= labels.size()) return;
    if (pane == 0) Text = s;
    labels[pane]->setAlignment(alignof_(align));
    labels[pane]->setText(qstr(s));
}

String StatusBar::text(int pane) const {
    QList<QLabel*> labels = statusbar(*this)->findChildren<QLabel*>("pane");
    if (pane < 0 || pane >= labels.size()) return String("");
    return String(labels[pane]->text().toUtf8().constData());
}

void Buttons::add(int id, const char* tip, int style) {
    if (N >= Max) return;
    B[N] = Button{style == Button::Separator ? -1 : Nb++, id, Button::Enabled, style, 0, N};
    Tip[N] = tip ? tip : "";
    ++N;
}

void Buttons::addbutton(int id, const char* tip) {
    add(id, tip, Button::Push);
}

void Buttons::addcheck(int id, const char* tip) {
    add(id, tip, Button::Check);
}

void Buttons::addseparator() {
    add(0, "", Button::Separator);
}

const char* Buttons::tip(int id) const {
    for (int i = 0; i < N; ++i)
        if (B[i].style != Button::Separator && B[i].command == id) return Tip[i].text();
    return "";
}

const char* Buttons::tipnumber(int i) const {
    for (int k = 0, n = 0; k < N; ++k)
        if (B[k].style != Button::Separator && n++ == i) return Tip[k].text();
    return "";
}

const Button* Buttons::button(int i) const {
    for (int k = 0, n = 0; k < N; ++k)
        if (B[k].style != Button::Separator && n++ == i) return &B[k];
    return nullptr;
}

ToolBar::ToolBar(StandardWindow& w, int bitmapid, Buttons& b, int id)
    : Handle(nullptr), Id(id), W(&w), B(&b) {
    if (!w.handle()) w.create();
    auto* t = new QToolBar(w.handle()->Frame);
    t->setMovable(false);
    t->setFloatable(false);
    t->setFocusPolicy(Qt::NoFocus);
    t->setIconSize(QSize(24, 24));
    Handle = t;
    // The buttons stand in rows on one panel, which fills the bar's width.
    auto* panel = new ToolPanel(t);
    panel->setObjectName("buttons");
    int nimages = 0;
    const char* const* images = findbitmap(bitmapid, nimages);
    for (int i = 0; i < b.size(); ++i) {
        const Button& k = b.buttons()[i];
        if (k.style == Button::Separator) {
            auto* line = new QFrame(panel);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setFixedSize(8, 30);
            panel->flow()->addWidget(line);
            continue;
        }
        auto* a = new QAction(panel);
        a->setData(k.command);
        if (k.image < nimages) a->setIcon(icon(images[k.image]));
        a->setToolTip(qstr(b.tip(k.command)));
        a->setText(qstr(b.tip(k.command)));
        a->setCheckable(true);
        int check = k.style == Button::Check, command = k.command;
        // Push buttons show pressed only when the program says so.
        QObject::connect(a, &QAction::triggered, [a, check, command, this](bool on) {
            if (!check) a->setChecked(!on);
            W->command(command);
        });
        panel->addAction(a);
        auto* button = new QToolButton(panel);
        button->setDefaultAction(a);
        button->setAutoRaise(true);
        button->setIconSize(t->iconSize());
        button->setFocusPolicy(Qt::NoFocus);
        panel->flow()->addWidget(button);
    }
    t->addWidget(panel);
    w.handle()->Frame->addToolBar(Qt::TopToolBarArea, t);
    w.Tb = this;
    w.adjustsize();
}

ToolBar::~ToolBar() {
    if (W->Tb == this) W->Tb = nullptr;
}

void ToolBar::press(int id) {
    if (QAction* a = action(*this, id)) a->setChecked(true);
}

void ToolBar::release(int id) {
    if (QAction* a = action(*this, id)) a->setChecked(false);
}

void ToolBar::check(int id) {
    press(id);
}

void ToolBar::uncheck(int id) {
    release(id);
}

int ToolBar::pressed(int id) const {
    QAction* a = action(*this, id);
    return a && a->isChecked();
}

int ToolBar::checked(int id) const {
    return pressed(id);
}

int ToolBar::height() const {
    QToolBar* t = toolbar(*this);
    return t->isVisibleTo(t->parentWidget()) ? t->height() : t->sizeHint().height();
}

void ToolBar::click(int i) {
    const Button* k = B->button(i);
    if (!k) return;
    if (QAction* a = action(*this, k->command)) a->trigger();
}
