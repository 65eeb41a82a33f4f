// The program entry: starts the toolkit and the queued window objects, and
// hands the command line (at most 15 arguments, argument 0 "Ruvo") to the
// application. The desktop has split the line already, so a file name with
// blanks stays one argument.
#include "program.h"

#include <QApplication>
#include <clocale>
#include <vector>

int main(int argc, char** argv) {
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
