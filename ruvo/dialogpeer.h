// The Qt widgets behind an open Dialog. Internal to ruvo.
#pragma once

#include "dialog.h"
#include "resources.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <map>

class DialogWidget : public QDialog {
  public:
    DialogWidget(Dialog* d, QWidget* parent) : QDialog(parent), D(d) {}
    void reject() override { D->notify(2, BN_CLICKED); }
    void accept() override { D->notify(1, BN_CLICKED); }

  protected:
    // F1 asks for the dialog's help page, as its Help button does.
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_F1)
            D->notify(998, BN_CLICKED);
        else
            QDialog::keyPressEvent(e);
    }

  private:
    Dialog* D;
};

struct DialogPeer {
    DialogWidget* Widget = nullptr;
    std::map<int, QWidget*> Controls;
    std::map<int, ControlSpec::Kind> Kinds;
    int Modal = 0;   // the dialog's own loop runs
    int Carried = 0; // run by carryout, which tears it down
    int Closed = 0;
    QLabel* Refusal = nullptr; // the line under the fields saying what a field takes
};
