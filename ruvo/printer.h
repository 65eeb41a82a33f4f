// Printer pages as drawing surfaces, and the printers the system knows. Besides
// the installed printers there is always the printer "PDF file", which writes
// the pages to a PDF file.
#pragma once

#include "window.h"

#include <vector>

class QPrinter;

extern const char* const pdfprinter; // "PDF file"

// The installed printers' names followed by "PDF file".
std::vector<String> printernames();
// The default printer: the system's, else "PDF file".
String defaultprintername();

class PrinterPS : public PS {
  public:
    PrinterPS(const char* jobname, const char* printer);
    explicit PrinterPS(const char* jobname);
    ~PrinterPS() override;
    void erase() override {}

    void start(const char* printer);
    int known() const { return Known; }
    void open();
    void start();
    void formfeed();
    // Ends the document: 1 when it was complete. The "PDF file" printer's
    // file is in place only then; before, an old file of that name stays.
    int stop();
    int devmode(Window& w);
    int extdevmode(Window& w);

    const String& device() const { return Device; }
    const String& driver() const { return Driver; }
    const String& output() const { return Output; }
    // The file the "PDF file" printer writes; by default the job name with
    // the extension .pdf in the home directory.
    void setoutput(const char* file) { Output = file; }
    int started() const { return Started; }
    QPrinter* context() const { return Context; }

  private:
    QPrinter* printer();
    int pdf() const;
    void discard(); // the unfinished PDF file goes

    String Device, Driver, Output, Jobname;
    String Partial; // the PDF file being written
    int Started = 0;
    int Known = 0; // the printer was resolved
    QPrinter* Context = nullptr;
};
