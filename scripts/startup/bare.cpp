// The yardstick: the smallest Qt Widgets program that shows what a user
// sees of an editor's window at once: a menu bar above a label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    // As Pikselar does: no session-bus query for a global menu bar.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("bare"));
    for (const char* title : {"&Plik", "&Edycja", "&Opcje", "Pomo&c"})
        w.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("&Nowy"));
    auto* label = new QLabel(QStringLiteral("Pasek pomocy"));
    label->setFixedSize(296, 311);
    w.setCentralWidget(label);
    w.show();
    return app.exec();
}
