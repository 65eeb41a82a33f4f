#include "toolpanel.h"

#include <QResizeEvent>
#include <algorithm>

FlowLayout::~FlowLayout() {
    for (QLayoutItem* i : Items) delete i;
}

QLayoutItem* FlowLayout::itemAt(int i) const {
    return i >= 0 && i < count() ? Items[static_cast<size_t>(i)] : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int i) {
    if (i < 0 || i >= count()) return nullptr;
    QLayoutItem* item = Items[static_cast<size_t>(i)];
    Items.erase(Items.begin() + i);
    return item;
}

QSize FlowLayout::sizeHint() const {
    // One row of everything.
    int w = 0, h = 0;
    for (QLayoutItem* i : Items) {
        w += i->sizeHint().width() + spacing();
        h = std::max(h, i->sizeHint().height());
    }
    QMargins m = contentsMargins();
    return QSize(std::max(0, w - spacing()) + m.left() + m.right(), h + m.top() + m.bottom());
}

QSize FlowLayout::minimumSize() const {
    // The widest button: the rows take care of the rest.
    QSize s;
    for (QLayoutItem* i : Items) s = s.expandedTo(i->minimumSize());
    QMargins m = contentsMargins();
    return s + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& r) {
    QLayout::setGeometry(r);
    arrange(r, true);
}

int FlowLayout::arrange(const QRect& r, bool place) const {
    QRect area = r.marginsRemoved(contentsMargins());
    int x = area.x(), y = area.y(), row = 0;
    for (QLayoutItem* i : Items) {
        QSize s = i->sizeHint();
        if (x > area.x() && x + s.width() > area.right() + 1) {
            x = area.x();
            y += row + spacing();
            row = 0;
        }
        if (place) i->setGeometry(QRect(QPoint(x, y), s));
        x += s.width() + spacing();
        row = std::max(row, s.height());
    }
    QMargins m = contentsMargins();
    return y + row - r.y() + m.bottom();
}

ToolPanel::ToolPanel(QWidget* parent) : QWidget(parent), Flow(new FlowLayout(this)) {
    Flow->setContentsMargins(0, 0, 0, 0);
    Flow->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ToolPanel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // A new width may need another number of rows.
    int h = Flow->heightForWidth(e->size().width());
    if (h != height() && h > 0) setFixedHeight(h);
}
