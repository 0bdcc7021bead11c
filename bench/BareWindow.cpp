// The baseline for start-up: an empty Qt Widgets window of the given size, nothing else;
// with a text as third argument, that text in a label, to show what text alone costs.
// Usage: vantrel_bare_window WIDTH HEIGHT [TEXT]
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QWidget window;
    window.resize(args.value(1).toInt(), args.value(2).toInt());
    if (args.size() > 3)
        new QLabel(args[3], &window);
    window.show();
    return app.exec();
}
