// Build tool: writes a picture scaled to a square icon size as PNG, for the
// icon theme's size folders. Usage: scaled_icon SOURCE SIZE TARGET
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scaled_icon SOURCE SIZE TARGET\n");
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    bool ok = false;
    const int size = QString::fromLatin1(argv[2]).toInt(&ok);
    if (source.isNull() || !ok || size <= 0) {
        std::fprintf(stderr, "scaled_icon: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    const QImage icon = source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!icon.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "scaled_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
