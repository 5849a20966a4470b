// The yardstick for the start-up benchmark: the least a Qt Widgets program does before
// its first window appears.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(400, 300);
    finestra.show();
    return app.exec();
}
