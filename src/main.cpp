// The program: its windows, and its commands that need none.
#include "app/Application.h"
#include "cli/CommandLine.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    return vantrel::runCommandLine(argc, argv, [&](const std::optional<QString>& file) {
        const std::unique_ptr<QApplication> app = vantrel::openApplication(argc, argv);
        if (!app)
            return 1;
        vantrel::setUpApplication(*app);
        return vantrel::runProgram(*app, file);
    });
}
