#include "dialog.h"
#include "answerer.h"
#include "dialogpeer.h"
#include "help.h"
#include "messages.h"
#include "qtglue.h"
#include "windowpeer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>
#include <set>

Dialog* activedlg = nullptr;
Dialog* dlgs = nullptr;

Dialogitem::Dialogitem(int id, Dialog& d) : D(&d), Id(id) {
    d.entry(this);
}

Dialogitem::~Dialogitem() {
    if (D) D->unlink(this);
}

int Dialogitem::command(int) {
    changed();
    return 1;
}

void Dialogitem::setreadonly() {
    Readonly = 1;
    D->setreadonly(Id, 1);
}

void Dialogitem::applystate() {
    if (Readonly) D->setreadonly(Id, 1);
    if (Disabled) D->enable(Id, 0);
}

Dialog::Dialog(Window* w, int id, Help* helper, int page)
    : W(w), Id(id), Helper(helper), Page(page) {}

Dialog::~Dialog() {
    teardown();
    for (Dialogitem* i = Items; i; i = i->Next) i->D = nullptr;
}

void Dialog::entry(Dialogitem* item) {
    item->Next = Items;
    Items = item;
}

void Dialog::unlink(Dialogitem* item) {
    for (Dialogitem** p = &Items; *p; p = &(*p)->Next)
        if (*p == item) {
            *p = item->Next;
            return;
        }
}

Dialogitem* Dialog::item(int id) const {
    for (Dialogitem* i = Items; i; i = i->Next)
        if (i->Id == id) return i;
    return nullptr;
}

namespace {

// One control made from its table line.
QWidget* control(Dialog* d, DialogPeer* peer, const ControlSpec& c, QWidget* parent) {
    QWidget* w = nullptr;
    int id = c.id;
    QString caption = qstr(c.caption);
    switch (c.kind) {
    case ControlSpec::Static:
        w = new QLabel(caption, parent);
        break;
    case ControlSpec::Group:
        w = new QGroupBox(caption, parent);
        break;
    case ControlSpec::Button:
    case ControlSpec::Default: {
        auto* b = new QPushButton(caption, parent);
        b->setAutoDefault(false);
        b->setDefault(c.kind == ControlSpec::Default);
        QObject::connect(b, &QPushButton::clicked, [d, id] { d->notify(id, BN_CLICKED); });
        w = b;
        break;
    }
    case ControlSpec::Edit: {
        auto* e = new QLineEdit(parent);
        e->setMinimumWidth(90 * std::max(c.span, 1));
        QObject::connect(e, &QLineEdit::textEdited, [d, id] { d->notify(id, EN_CHANGE); });
        w = e;
        break;
    }
    case ControlSpec::MultiEdit: {
        auto* e = new QPlainTextEdit(parent);
        e->setMinimumSize(320, 160);
        QObject::connect(e, &QPlainTextEdit::textChanged, [d, e, id] {
            if (e->property("user").toBool()) d->notify(id, EN_CHANGE);
        });
        e->setProperty("user", true);
        w = e;
        break;
    }
    case ControlSpec::Check: {
        auto* b = new QCheckBox(caption, parent);
        QObject::connect(b, &QCheckBox::clicked, [d, id] { d->notify(id, BN_CLICKED); });
        w = b;
        break;
    }
    case ControlSpec::Radio: {
        // Radio buttons stay checked when clicked again; their groups are
        // kept by the items, not by the widgets.
        auto* b = new QRadioButton(caption, parent);
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::clicked, [d, b, id] {
            b->setChecked(true);
            d->notify(id, BN_CLICKED);
        });
        w = b;
        break;
    }
    case ControlSpec::List:
    case ControlSpec::MultiList: {
        auto* l = new QListWidget(parent);
        l->setMinimumSize(200, 120);
        if (c.kind == ControlSpec::MultiList)
            l->setSelectionMode(QAbstractItemView::MultiSelection);
        QObject::connect(l, &QListWidget::itemDoubleClicked,
                         [d, id] { d->notify(id, LBN_DBLCLK); });
        QObject::connect(l, &QListWidget::itemSelectionChanged,
                         [d, id] { d->notify(id, LBN_SELCHANGE); });
        w = l;
        break;
    }
    case ControlSpec::Combo: {
        auto* b = new QComboBox(parent);
        QObject::connect(b, &QComboBox::activated, [d, id] { d->notify(id, CBN_SELCHANGE); });
        w = b;
        break;
    }
    case ControlSpec::GroupEnd:
    case ControlSpec::Last:
        break;
    }
    if (w && id > 0) {
        peer->Controls[id] = w;
        peer->Kinds[id] = c.kind;
    }
    return w;
}

// Whether every control of each row is a push button: such rows go to the
// bottom right of the dialog.
std::set<int> buttonrows(const ControlSpec* c) {
    std::set<int> rows, others;
    for (; c->kind != ControlSpec::Last; ++c) {
        if (c->kind == ControlSpec::Button || c->kind == ControlSpec::Default)
            rows.insert(c->row);
        else if (c->kind != ControlSpec::GroupEnd)
            others.insert(c->row);
    }
    for (int r : others) rows.erase(r);
    return rows;
}

} // namespace

int Dialog::build() {
    const DialogSpec* table = finddialog(Id);
    if (!table) return 0;
    Handle = new DialogPeer;
    QWidget* owner = W && W->handle() ? W->handle()->Top : nullptr;
    auto* dw = new DialogWidget(this, owner);
    Handle->Widget = dw;
    dw->setWindowTitle(qstr(table->caption));
    auto* top = new QVBoxLayout(dw);
    std::set<int> buttons = buttonrows(table->controls);
    QHBoxLayout* buttonrow = nullptr;
    QGridLayout* grid = nullptr; // the grid the next control goes to
    QBoxLayout* section = top;   // where a new grid goes: the dialog or a group box
    int row = 0, column = 0, tablerow = 0;
    for (const ControlSpec* c = table->controls; c->kind != ControlSpec::Last; ++c) {
        if (c->kind == ControlSpec::GroupEnd) {
            section = top;
            grid = nullptr;
            continue;
        }
        QWidget* w = control(this, Handle, *c, dw);
        if (c->kind == ControlSpec::Group) {
            top->addWidget(w);
            section = new QVBoxLayout(w);
            grid = nullptr;
            continue;
        }
        if (!w) continue;
        if (buttons.count(c->row)) {
            if (!buttonrow) {
                buttonrow = new QHBoxLayout;
                buttonrow->addStretch(1);
            }
            buttonrow->addWidget(w);
            continue;
        }
        if (!grid) {
            grid = new QGridLayout;
            section->addLayout(grid);
            row = -1;
        }
        if (row < 0 || c->row != tablerow) {
            ++row;
            column = 0;
            tablerow = c->row;
        }
        int span = std::max(c->span, 1);
        grid->addWidget(w, row, column, 1, span);
        column += span;
    }
    if (buttonrow) top->addLayout(buttonrow);
    return 1;
}

void Dialog::open() {
    // The dialog exists but is not shown yet: its items put their values in.
    activedlg = this;
    for (Dialogitem* i = Items; i; i = i->Next) i->init();
    if (Focus) focus(Focus);
    Next = dlgs;
    dlgs = this;
    activedlg = nullptr;
}

int Dialog::carryout() {
    Result = -1;
    activedlg = this;
    if (!build()) {
        activedlg = nullptr;
        return Warning("Could not create the Dialog!", "Error");
    }
    Handle->Carried = 1;
    open();
    Answerer::current().dialog(*this);
    if (isopen()) close(2); // an answer that left it open counts as Cancel
    teardown();
    return 1;
}

int Dialog::isopen() const {
    return Handle && !Handle->Closed;
}

void Dialog::create() {
    if (Handle || !build()) return;
    open();
    Handle->Widget->show();
}

void Dialog::exec() {
    if (!Handle) return;
    Handle->Modal = 1;
    // Modal to its window only: the help, a window of its own, can be read
    // and scrolled while the dialog is open.
    if (Handle->Widget->parentWidget()) Handle->Widget->setWindowModality(Qt::WindowModal);
    Handle->Widget->exec();
}

void Dialog::notify(int id, int code) {
    if (!isopen()) return;
    if (Dialogitem* i = item(id)) {
        if (!i->command(code)) close(id);
        return;
    }
    if (id == 1 || id == 2) {
        close(id);
    } else if (id == 9 || id == 998) {
        if (Helper) Helper->open(Page);
    }
}

void Dialog::close(int id) {
    if (!isopen()) return;
    if (id == 1) {
        for (Dialogitem* i = Items; i; i = i->Next) {
            if (i->Readonly || i->Disabled) continue;
            if (const char* why = i->refusal()) {
                mark(i->Id, why);
                return;
            }
        }
    }
    mark(0, "");
    Handle->Closed = 1;
    Result = id;
    leave();
    for (Dialogitem* i = Items; i; i = i->Next) i->exit();
    if (Handle->Modal) {
        Handle->Widget->done(id);
    } else if (!Handle->Carried) {
        // A modeless dialog goes once the notification that closed it is over.
        Handle->Widget->hide();
        Handle->Widget->deleteLater();
        delete Handle;
        Handle = nullptr;
    }
}

void Dialog::leave() {
    for (Dialog** p = &dlgs; *p; p = &(*p)->Next)
        if (*p == this) {
            *p = Next;
            break;
        }
    Next = nullptr;
}

void Dialog::teardown() {
    if (!Handle) return;
    leave();
    delete Handle->Widget;
    delete Handle;
    Handle = nullptr;
}

namespace {

template <class T> T* widget(const DialogPeer* p, int id) {
    if (!p) return nullptr;
    auto c = p->Controls.find(id);
    return c == p->Controls.end() ? nullptr : qobject_cast<T*>(c->second);
}

} // namespace

int Dialog::hascontrol(int id) const {
    return widget<QWidget>(Handle, id) != nullptr;
}

String Dialog::caption() const {
    return String(Handle ? Handle->Widget->windowTitle().toUtf8().constData() : "");
}

void Dialog::settext(int id, const char* s) {
    QString t = qstr(s);
    if (auto* e = widget<QLineEdit>(Handle, id)) {
        e->setText(t);
    } else if (auto* m = widget<QPlainTextEdit>(Handle, id)) {
        // Line ends are shown as such whether they came as CR LF or LF.
        t.replace("\r\n", "\n");
        m->setProperty("user", false);
        m->setPlainText(t);
        m->setProperty("user", true);
    } else if (auto* b = widget<QAbstractButton>(Handle, id)) {
        b->setText(t);
    } else if (auto* l = widget<QLabel>(Handle, id)) {
        l->setText(t);
    } else if (auto* c = widget<QComboBox>(Handle, id)) {
        c->setCurrentText(t);
    }
}

String Dialog::gettext(int id) const {
    QString t;
    if (auto* e = widget<QLineEdit>(Handle, id))
        t = e->text();
    else if (auto* m = widget<QPlainTextEdit>(Handle, id))
        t = m->toPlainText();
    else if (auto* b = widget<QAbstractButton>(Handle, id))
        t = b->text();
    else if (auto* l = widget<QLabel>(Handle, id))
        t = l->text();
    else if (auto* c = widget<QComboBox>(Handle, id))
        t = c->currentText();
    return String(t.toUtf8().constData());
}

void Dialog::setlimit(int id, int n) {
    if (auto* e = widget<QLineEdit>(Handle, id)) e->setMaxLength(n);
    if (auto* m = widget<QPlainTextEdit>(Handle, id)) {
        m->setProperty("limit", n);
        QObject::connect(m, &QPlainTextEdit::textChanged, m, [m, n] {
            QString t = m->toPlainText();
            if (t.size() <= n) return;
            QSignalBlocker b(m);
            m->setPlainText(t.left(n));
            m->moveCursor(QTextCursor::End);
        });
    }
}

void Dialog::mark(int id, const char* why) {
    if (Refused && Refused != id)
        if (auto* e = widget<QLineEdit>(Handle, Refused)) e->setStyleSheet(QString());
    Refused = id;
    Refusal = why;
    if (!Handle || !Handle->Widget) return;
    if (!id) {
        if (Handle->Refusal) Handle->Refusal->hide();
        return;
    }
    if (!Handle->Refusal) {
        // The line goes above the row of buttons.
        auto* top = qobject_cast<QVBoxLayout*>(Handle->Widget->layout());
        Handle->Refusal = new QLabel(Handle->Widget);
        Handle->Refusal->setStyleSheet("color: #b00000;");
        if (top) top->insertWidget(std::max(top->count() - 1, 0), Handle->Refusal);
    }
    Handle->Refusal->setText(qstr(why));
    Handle->Refusal->show();
    if (auto* e = widget<QLineEdit>(Handle, id)) {
        e->setStyleSheet("QLineEdit { border: 2px solid #c00000; }");
        e->setFocus();
        e->selectAll();
        // Typing takes the mark away again.
        QObject::connect(
            e, &QLineEdit::textEdited, e,
            [this, id] {
                if (Refused == id) mark(0, "");
            },
            Qt::SingleShotConnection);
    }
}

void Dialog::offerletters(int id) {
    auto* e = widget<QLineEdit>(Handle, id);
    if (!e || e->property("letters").toBool()) return;
    e->setProperty("letters", true);
    auto* menu = new QMenu(e);
    const QString letters = QString::fromUtf8(
        "\u03b1\u03b2\u03b3\u03b4\u03b5\u03b6\u03b7\u03b8\u03b9\u03ba\u03bb\u03bc"
        "\u03bd\u03be\u03bf\u03c0\u03c1\u03c3\u03c4\u03c5\u03c6\u03c7\u03c8\u03c9"
        "\u0391\u0392\u0393\u0394\u0395\u0396\u0397\u0398\u0399\u039a\u039b\u039c"
        "\u039d\u039e\u039f\u03a0\u03a1\u03a3\u03a4\u03a5\u03a6\u03a7\u03a8\u03a9");
    // Two rows of lower-case letters and two of capitals, twelve a row.
    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(0);
    layout->setContentsMargins(2, 2, 2, 2);
    for (int i = 0; i < letters.size(); ++i) {
        auto* b = new QToolButton(grid);
        b->setAutoRaise(true);
        b->setText(letters.mid(i, 1));
        b->setObjectName("letter");
        QObject::connect(b, &QToolButton::clicked, e, [e, menu, b] {
            e->insert(b->text());
            menu->close();
        });
        layout->addWidget(b, i / 12, i % 12);
    }
    auto* host = new QWidgetAction(menu);
    host->setDefaultWidget(grid);
    menu->addAction(host);
    QAction* open = e->addAction(QIcon(), QLineEdit::TrailingPosition);
    open->setText(QString::fromUtf8("\u03b1"));
    open->setToolTip("Greek letters");
    open->setObjectName("letters");
    // A text in place of an icon: the letters draw themselves.
    QPixmap face(QSize(16, 16) * e->devicePixelRatioF());
    face.setDevicePixelRatio(e->devicePixelRatioF());
    face.fill(Qt::transparent);
    {
        QPainter p(&face);
        QFont f = e->font();
        f.setPixelSize(15);
        p.setFont(f);
        p.setPen(e->palette().color(QPalette::Text));
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, open->text());
    }
    open->setIcon(QIcon(face));
    QObject::connect(open, &QAction::triggered, e, [e, menu] {
        menu->popup(e->mapToGlobal(QPoint(e->width() - menu->sizeHint().width(), e->height())));
    });
}

void Dialog::setcheck(int id, int f) {
    if (auto* b = widget<QAbstractButton>(Handle, id)) b->setChecked(f);
}

int Dialog::getcheck(int id) const {
    auto* b = widget<QAbstractButton>(Handle, id);
    return b && b->isChecked();
}

void Dialog::enable(int id, int f) {
    if (auto* w = widget<QWidget>(Handle, id)) w->setEnabled(f);
}

void Dialog::setreadonly(int id, int f) {
    if (auto* e = widget<QLineEdit>(Handle, id)) e->setReadOnly(f);
    if (auto* m = widget<QPlainTextEdit>(Handle, id)) m->setReadOnly(f);
}

void Dialog::focus(int id) {
    if (auto* w = widget<QWidget>(Handle, id)) w->setFocus();
}

int Dialog::listinsert(int id, const char* s) {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        QSignalBlocker b(l);
        l->addItem(qstr(s));
        return 1;
    }
    if (auto* c = widget<QComboBox>(Handle, id)) {
        QSignalBlocker b(c);
        c->addItem(qstr(s));
        if (c->count() == 1) c->setCurrentIndex(-1);
        return 1;
    }
    return 0;
}

void Dialog::listremove(int id, int n) {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        QSignalBlocker b(l);
        delete l->takeItem(n);
    }
    if (auto* c = widget<QComboBox>(Handle, id)) {
        QSignalBlocker b(c);
        c->removeItem(n);
    }
}

void Dialog::listselect(int id, int n) {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        QSignalBlocker b(l);
        if (l->selectionMode() == QAbstractItemView::MultiSelection) {
            if (QListWidgetItem* i = l->item(n)) i->setSelected(true);
        } else {
            l->setCurrentRow(n);
            if (n < 0 || n >= l->count()) l->clearSelection();
        }
    }
    if (auto* c = widget<QComboBox>(Handle, id)) {
        QSignalBlocker b(c);
        c->setCurrentIndex(n >= 0 && n < c->count() ? n : -1);
    }
}

void Dialog::listdeselect(int id, int n) {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        QSignalBlocker b(l);
        if (QListWidgetItem* i = l->item(n)) i->setSelected(false);
    }
}

int Dialog::listselected(int id, int n) const {
    auto* l = widget<QListWidget>(Handle, id);
    QListWidgetItem* i = l ? l->item(n) : nullptr;
    return i && i->isSelected();
}

int Dialog::listselection(int id) const {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        QList<QListWidgetItem*> s = l->selectedItems();
        return s.isEmpty() ? -1 : l->row(s.first());
    }
    if (auto* c = widget<QComboBox>(Handle, id)) return c->currentIndex();
    return -1;
}

int Dialog::listcount(int id) const {
    if (auto* l = widget<QListWidget>(Handle, id)) return l->count();
    if (auto* c = widget<QComboBox>(Handle, id)) return c->count();
    return 0;
}

String Dialog::listentry(int id, int n) const {
    QString t;
    if (auto* l = widget<QListWidget>(Handle, id)) {
        if (QListWidgetItem* i = l->item(n)) t = i->text();
    } else if (auto* c = widget<QComboBox>(Handle, id)) {
        t = c->itemText(n);
    }
    return String(t.toUtf8().constData());
}

void Dialog::type(int id, const char* s) {
    settext(id, s);
    notify(id, EN_CHANGE);
}

void Dialog::click(int id) {
    if (auto* b = widget<QAbstractButton>(Handle, id)) {
        if (!b->isEnabled()) return;
        b->click(); // the button's own signal notifies
        return;
    }
    notify(id, BN_CLICKED); // OK, Cancel and Help work without their buttons
}

void Dialog::pick(int id, int n) {
    if (auto* l = widget<QListWidget>(Handle, id)) {
        if (QListWidgetItem* i = l->item(n)) {
            if (l->selectionMode() == QAbstractItemView::MultiSelection)
                i->setSelected(!i->isSelected());
            else
                l->setCurrentItem(i);
        }
        return;
    }
    if (auto* c = widget<QComboBox>(Handle, id)) {
        c->setCurrentIndex(n);
        notify(id, CBN_SELCHANGE);
    }
}

void Dialog::doubleclick(int id, int n) {
    auto* l = widget<QListWidget>(Handle, id);
    if (!l || !l->item(n)) return;
    l->setCurrentRow(n);
    notify(id, LBN_DBLCLK);
}
