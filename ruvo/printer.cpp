#include "printer.h"
#include "answerer.h"
#include "qtglue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cstdio>

const char* const pdfprinter = "PDF file";

std::vector<String> printernames() {
    std::vector<String> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        names.emplace_back(n.toUtf8().constData());
    names.emplace_back(pdfprinter);
    return names;
}

String defaultprintername() {
    QString n = QPrinterInfo::defaultPrinterName();
    return String(n.isEmpty() ? pdfprinter : n.toUtf8().constData());
}

char* String::getprinter() {
    copy("", 256);
    String d = defaultprintername();
    copy(d.text(), 256);
    return empty() ? nullptr : text();
}

PrinterPS::PrinterPS(const char* jobname, const char* printer) : Jobname(jobname) {
    start(printer);
}

PrinterPS::PrinterPS(const char* jobname) : PrinterPS(jobname, "") {}

PrinterPS::~PrinterPS() {
    stop();
    end();
    discard();
    delete Context;
}

void PrinterPS::start(const char* name) {
    String p(name && *name ? name : defaultprintername().text());
    Known = 0;
    if (std::strcmp(p.text(), pdfprinter) == 0) {
        Device = pdfprinter;
        Driver = "pdf";
        QString file =
            QDir::home().filePath(qstr(Jobname.empty() ? "print" : Jobname.text()) + ".pdf");
        Output = file.toLocal8Bit().constData();
        Known = 1;
        return;
    }
    QPrinterInfo info = QPrinterInfo::printerInfo(qstr(p.text()));
    if (info.isNull()) return;
    Device = p;
    Driver = info.makeAndModel().isEmpty() ? "system" : info.makeAndModel().toUtf8().constData();
    Output = info.location().isEmpty() ? p.text() : info.location().toUtf8().constData();
    Known = 1;
}

QPrinter* PrinterPS::printer() {
    if (!Context) {
        Context = new QPrinter(QPrinter::HighResolution);
        Context->setResolution(300);
        if (pdf()) {
            Context->setOutputFormat(QPrinter::PdfFormat);
            Context->setOutputFileName(QString::fromLocal8Bit(Output.text()));
        } else {
            Context->setPrinterName(qstr(Device.text()));
        }
    }
    return Context;
}

int PrinterPS::pdf() const {
    return std::strcmp(Device.text(), pdfprinter) == 0;
}

void PrinterPS::open() {
    if (!Known || Handle) return;
    QPrinter* p = printer();
    p->setDocName(qstr(Jobname.text()));
    if (pdf()) {
        // The pages go to a new file beside the one asked for, which takes
        // its place only once the document is complete.
        QTemporaryFile t(QString::fromLocal8Bit(Output.text()) + ".XXXXXX");
        t.setAutoRemove(false);
        if (!t.open()) return;
        Partial = t.fileName().toLocal8Bit().constData();
        t.close();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(t.fileName());
    }
    QRect r = p->pageLayout().paintRectPixels(p->resolution());
    begin(p, r.width(), r.height());
    if (Handle && !Handle->isActive()) end();
    if (!Handle) discard();
}

void PrinterPS::discard() {
    if (!Partial.empty()) QFile::remove(QString::fromLocal8Bit(Partial.text()));
    Partial = "";
}

void PrinterPS::start() {
    if (Started || !Known) return;
    open();
    Started = Handle != nullptr;
}

void PrinterPS::formfeed() {
    if (Started) printer()->newPage();
}

int PrinterPS::stop() {
    if (!Started) return 0;
    int ok = end();
    Started = 0;
    if (Partial.empty()) return ok;
    QString partial = QString::fromLocal8Bit(Partial.text());
    QString output = QString::fromLocal8Bit(Output.text());
    // A file replaced keeps its permissions; a new one gets the usual ones.
    QFileInfo old(output);
    QFile::setPermissions(partial, old.exists() ? old.permissions()
                                                : QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ReadGroup | QFile::ReadOther);
    ok = ok && QFileInfo(partial).size() > 0 && std::rename(Partial.text(), Output.text()) == 0;
    if (ok)
        Partial = "";
    else
        discard();
    return ok;
}

int PrinterPS::devmode(Window& w) {
    if (!Known) return 0;
    printer();
    return Answerer::current().printersetup(*this, &w);
}

int PrinterPS::extdevmode(Window& w) {
    return devmode(w);
}
