// Writes every icon, lamp and logo of the program as PNG into the directory
// given on the command line.
#include "iconkit.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    IconKit::IconSet set;
    IconKit::addActionIcons(set);
    IconKit::addMarkIcons(set);
    for (auto it = set.cbegin(); it != set.cend(); ++it) {
        QImage img(it->size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            it->paint(p);
        }
        const QString file = out.filePath(it.key() + QStringLiteral(".png"));
        if (!img.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("%d images written to %s\n", int(set.size()), argv[1]);
    return 0;
}
