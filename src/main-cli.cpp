// The commands alone, on Qt Core: a console program where the windowed one has no console
// (Windows), and on Linux the program that the launcher starts for a command.
#include "cli/CommandLine.h"

int main(int argc, char* argv[])
{
    return vantrel::runCommandLine(argc, argv, {});
}
