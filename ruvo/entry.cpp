// The program entry: starts the toolkit and the queued window objects, and
// hands the command line (at most 15 arguments, argument 0 "Ruvo") to the
// application. The desktop has split the line already, so a file name with
// blanks stays one argument.
#include "program.h"

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    // An option ("--…") asks for work without a window: the toolkit then
    // needs no display, and its notes (a missing runtime folder, fonts) stay
    // out of the program's own messages.
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--", 2) == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
            });
            break;
        }
    QApplication app(argc, argv);
    // The toolkit takes the desktop's locale; numbers in files, dialogs and
    // labels are written and read with "." in every language.
    std::setlocale(LC_NUMERIC, "C");
    program.set(1, 0, 1);
    program.Wos->create();
    static char ruvo[] = "Ruvo";
    std::vector<char*> args{ruvo};
    for (int i = 1; i < argc && args.size() < 15; ++i) args.push_back(argv[i]);
    int n = static_cast<int>(args.size());
    args.push_back(nullptr);
    winmain(n, args.data());
    program.end();
    return program.Param;
}
