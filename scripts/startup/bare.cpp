// The yardstick: the smallest Qt Widgets program that shows a window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(296, 330);
    w.setWindowTitle(QStringLiteral("bare"));
    w.show();
    return app.exec();
}
