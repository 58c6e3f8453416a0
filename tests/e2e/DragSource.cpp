// A stand-in for a file manager in the drop test: a window titled "Drag
// Source" that, when pressed, drags the file named on its command line (its
// address and its picture) and prints how the drag ended.
#include <QApplication>
#include <QDrag>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <cstdio>

namespace {

class Source : public QLabel {
public:
    explicit Source(const QString& path) : QLabel(path), path_(path) {
        setWindowTitle(QStringLiteral("Drag Source"));
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path_)});
        const QImage picture(path_);
        if (!picture.isNull()) data->setImageData(picture);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("drag ended: %s\n", done == Qt::IgnoreAction ? "ignored" : "dropped");
        std::fflush(stdout);
    }

private:
    QString path_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zen_drag_source FILE\n");
        return 2;
    }
    Source source(QString::fromLocal8Bit(argv[1]));
    source.resize(200, 120);
    source.show();
    return app.exec();
}
