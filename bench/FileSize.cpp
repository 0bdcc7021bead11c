// The baseline for the command line's start-up: the least a Qt console program does with
// a file, read it whole and print its size.
// Usage: vantrel_file_size FILE
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QFile file(QCoreApplication::arguments().value(1));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    std::printf("%lld\n", static_cast<long long>(file.readAll().size()));
    return 0;
}
