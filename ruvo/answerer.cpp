#include "answerer.h"
#include "dialog.h"
#include "dialogpeer.h"
#include "messages.h"
#include "printer.h"
#include "qtglue.h"
#include "selectors.h"
#include "windowpeer.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <cstring>
#include <memory>

Answerer::~Answerer() = default;

int Answerer::messagebox(Box kind, const char* text, const char* title, Dialog& owner) {
    return messagebox(kind, text, title, owner.W);
}

int Answerer::progress(const char*, const char*, double, Window*) {
    return 1;
}

namespace {

QWidget* parentof(Window* owner) {
    return owner && owner->handle() ? owner->handle()->Top : nullptr;
}

// Shows the real widgets.
class QtAnswerer : public Answerer {
  public:
    int messagebox(Box kind, const char* text, const char* title, Window* owner) override {
        return show(kind, text, title, parentof(owner));
    }

    int messagebox(Box kind, const char* text, const char* title, Dialog& owner) override {
        // Over the dialog's own widget while it is open.
        QWidget* parent = owner.Handle && owner.Handle->Widget ? owner.Handle->Widget : nullptr;
        return show(kind, text, title, parent ? parent : parentof(owner.W));
    }

    static int show(Box kind, const char* text, const char* title, QWidget* parent) {
        QMessageBox box(parent);
        box.setWindowTitle(qstr(title));
        box.setText(qstr(text));
        box.setIcon(kind == Box::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
        switch (kind) {
        case Box::Warning:
        case Box::Message:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Box::Question:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case Box::QuestionAbort:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
        }
    }

    int printersetup(PrinterPS& printer, Window* owner) override {
        // The built-in PDF printer has no settings of its own: its file is
        // asked for when printing.
        if (!printer.context() || std::strcmp(printer.device().text(), pdfprinter) == 0) return 0;
        QPrintDialog d(printer.context(), parentof(owner));
        d.setWindowTitle(qstr(printer.device().text()));
        // The dialog only sets the printer up; printing is File > Print.
        if (auto* buttons = d.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText("OK");
        d.exec();
        return 1;
    }

    void dialog(Dialog& d) override { d.exec(); }

    String file(const FileRequest& r) override {
        QFileDialog d(parentof(r.owner), qstr(r.title), QFile::decodeName(r.directory));
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(r.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        d.setFileMode(r.saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        d.setDefaultSuffix(qstr(r.extension));
        QStringList filters;
        if (r.filters)
            for (int i = 0; i < r.filters->n(); ++i)
                filters << QString("%1 (%2)").arg(qstr(r.filters->description(i)),
                                                  qstr(r.filters->pattern(i)));
        if (filters.isEmpty()) filters << qstr(r.pattern) << "*";
        d.setNameFilters(filters);
        // A name typed without an extension gets the one of the chosen type.
        auto suffix = [&d, &r](const QString& filter) {
            if (!r.filters) return;
            int i = static_cast<int>(d.nameFilters().indexOf(filter));
            r.filters->Chosen = i;
            QString pattern = i >= 0 ? qstr(r.filters->pattern(i)) : QString();
            if (pattern.startsWith("*.")) d.setDefaultSuffix(pattern.mid(2));
        };
        QObject::connect(&d, &QFileDialog::filterSelected, &d, suffix);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return String("");
        suffix(d.selectedNameFilter());
        return String(QFile::encodeName(d.selectedFiles().first()).constData());
    }

    int color(Color& c, Color* custom, Window* owner) override {
        for (int i = 0; i < 16 && custom; ++i) QColorDialog::setCustomColor(i, qcolor(custom[i]));
        QColor q = QColorDialog::getColor(qcolor(c), parentof(owner));
        for (int i = 0; i < 16 && custom; ++i) custom[i] = fromqcolor(QColorDialog::customColor(i));
        if (!q.isValid()) return 0;
        c = fromqcolor(q);
        return 1;
    }

    int progress(const char* title, const char* text, double share, Window* owner) override {
        if (!Box) {
            if (share >= 1) return 1;
            QWidget* parent = parentof(owner);
            Box = std::make_unique<QProgressDialog>(qstr(text), "Cancel", 0, 1000, parent);
            Box->setWindowTitle(qstr(title));
            Box->setWindowModality(Qt::WindowModal);
            Box->setMinimumDuration(400);
            Box->setAutoClose(false);
            Box->setAutoReset(false);
            // The drawing shows the figure as it stands, not the work's
            // positions.
            Frozen = parent;
            if (Frozen) Frozen->setUpdatesEnabled(false);
        }
        Box->setValue(static_cast<int>(std::clamp(share, 0.0, 1.0) * 1000));
        const bool cancelled = Box->wasCanceled();
        if (cancelled || share >= 1) {
            Box.reset();
            if (Frozen) Frozen->setUpdatesEnabled(true);
            Frozen = nullptr;
        }
        return !cancelled;
    }

  private:
    std::unique_ptr<QProgressDialog> Box;
    QWidget* Frozen = nullptr;
};

QtAnswerer realwidgets;
Answerer* installed = nullptr;

} // namespace

Answerer* Answerer::install(Answerer* a) {
    Answerer* old = installed;
    installed = a;
    return old;
}

Answerer& Answerer::current() {
    return installed ? *installed : realwidgets;
}
