#include "printer.h"
#include "answerer.h"
#include "qtglue.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

const char* const pdfprinter = "PDF file";

std::vector<String> printernames() {
    std::vector<String> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        names.emplace_back(n.toLatin1().constData());
    names.emplace_back(pdfprinter);
    return names;
}

String defaultprintername() {
    QString n = QPrinterInfo::defaultPrinterName();
    return String(n.isEmpty() ? pdfprinter : n.toLatin1().constData());
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
    Driver = info.makeAndModel().isEmpty() ? "system" : info.makeAndModel().toLatin1().constData();
    Output = info.location().isEmpty() ? p.text() : info.location().toLatin1().constData();
    Known = 1;
}

QPrinter* PrinterPS::printer() {
    if (!Context) {
        Context = new QPrinter(QPrinter::HighResolution);
        Context->setResolution(300);
        if (std::strcmp(Device.text(), pdfprinter) == 0) {
            Context->setOutputFormat(QPrinter::PdfFormat);
            Context->setOutputFileName(QString::fromLocal8Bit(Output.text()));
        } else {
            Context->setPrinterName(qstr(Device.text()));
        }
    }
    return Context;
}

void PrinterPS::open() {
    if (!Known || Handle) return;
    QPrinter* p = printer();
    p->setDocName(qstr(Jobname.text()));
    if (p->outputFormat() == QPrinter::PdfFormat && std::strcmp(Device.text(), pdfprinter) == 0)
        p->setOutputFileName(QString::fromLocal8Bit(Output.text()));
    QRect r = p->pageLayout().paintRectPixels(p->resolution());
    begin(p, r.width(), r.height());
    if (Handle && !Handle->isActive()) end();
}

void PrinterPS::start() {
    if (Started || !Known) return;
    open();
    Started = Handle != nullptr;
}

void PrinterPS::formfeed() {
    if (Started) printer()->newPage();
}

void PrinterPS::stop() {
    if (!Started) return;
    end();
    Started = 0;
}

int PrinterPS::devmode(Window& w) {
    if (!Known) return 0;
    printer();
    return Answerer::current().printersetup(*this, &w);
}

int PrinterPS::extdevmode(Window& w) {
    return devmode(w);
}
