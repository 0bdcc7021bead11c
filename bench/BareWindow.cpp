// The baseline for start-up: an empty Qt Widgets window of the given size, nothing else.
// Usage: vantrel_bare_window WIDTH HEIGHT
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QWidget window;
    window.resize(args.value(1).toInt(), args.value(2).toInt());
    window.show();
    return app.exec();
}
