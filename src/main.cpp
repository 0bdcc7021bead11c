#include "Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantrel::setUpApplication(app);
    return vantrel::runProgram(app);
}
