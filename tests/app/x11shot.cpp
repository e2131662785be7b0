// Saves a rectangle of the X screen as a PNG: x11shot FILE X Y WIDTH HEIGHT.
// The end-to-end script uses it for the README's picture of the open panel.
#include <cstdio>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 6) {
        std::fprintf(stderr, "usage: x11shot FILE X Y WIDTH HEIGHT\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap picture = screen->grabWindow(0, arguments[2].toInt(), arguments[3].toInt(), arguments[4].toInt(),
                                               arguments[5].toInt());
    return !picture.isNull() && picture.save(arguments[1], "PNG") ? 0 : 1;
}
