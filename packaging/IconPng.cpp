// Build step: the program's icon file as PNG pictures for the desktop's icon
// theme, at 1:1 and enlarged without smoothing.
// Usage: pikselar_icon_png ICON.ico OUT.png SIZE
#include <cstdio>

#include <QGuiApplication>
#include <QImage>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ICON.ico OUT.png SIZE\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[3]).toInt();
    if (icon.isNull() || size < icon.width()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QImage out = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
    return out.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
