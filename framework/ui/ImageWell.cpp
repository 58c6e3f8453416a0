#include "framework/ui/ImageWell.h"

#include <QFrame>
#include <QPainter>

namespace {

class ImageWellWidget : public QFrame {
public:
    explicit ImageWellWidget(const ImageWell* well) : well_(well) { setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        const PicturePtr picture = well_->Image();
        if (!picture || picture->Image().isNull()) return;
        const QRect area = contentsRect();
        QSize size = picture->Image().size();
        if (size.width() > area.width() || size.height() > area.height()) size.scale(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                           size.width(), size.height());
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture->Image());
    }

private:
    const ImageWell* well_;
};

}  // namespace

ImageWell::ImageWell() : RectControl(new ImageWellWidget(this)) {}

void ImageWell::SetImage(PicturePtr image) {
    image_ = std::move(image);
    if (widget()) widget()->update();
}
