// The program entry: starts the toolkit and hands the command line, split
// into at most 15 arguments with argument 0 "Ruvo", to the application.
#include "program.h"

#include <QApplication>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<char*> args;
    static char name[] = "Ruvo";
    args.push_back(name);
    for (int i = 1; i < argc && args.size() < 15; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    winmain(static_cast<int>(args.size()) - 1, args.data());
    return program.Param;
}
