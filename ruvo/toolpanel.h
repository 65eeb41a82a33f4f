// The buttons of a tool bar in rows: as many as the width holds, the rest
// on the next row, so that no button hides behind an overflow arrow.
#pragma once

#include <QLayout>
#include <QWidget>
#include <vector>

class FlowLayout : public QLayout {
  public:
    explicit FlowLayout(QWidget* parent) : QLayout(parent) {}
    ~FlowLayout() override;
    void addItem(QLayoutItem* item) override { Items.push_back(item); }
    int count() const override { return static_cast<int>(Items.size()); }
    QLayoutItem* itemAt(int i) const override;
    QLayoutItem* takeAt(int i) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
    void setGeometry(const QRect& r) override;

  private:
    // Places the items in rows within r; returns the height they take.
    int arrange(const QRect& r, bool place) const;
    std::vector<QLayoutItem*> Items;
};

// The widget of the rows; it asks for the height its rows need at its width.
class ToolPanel : public QWidget {
  public:
    explicit ToolPanel(QWidget* parent);
    FlowLayout* flow() const { return Flow; }

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    FlowLayout* Flow;
};
