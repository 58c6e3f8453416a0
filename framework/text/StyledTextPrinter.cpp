#include "framework/text/StyledTextPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>

StyledTextPrinter::StyledTextPrinter(const QTextDocument& document, int32_t width)
    : document_(document.clone()), width_(std::max<int32_t>(width, 0)) {
    document_->setDocumentMargin(0);
    QTextOption option = document_->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);  // a long word wraps rather than leaving the block
    document_->setDefaultTextOption(option);
    document_->setTextWidth(width_);
    (void)document_->size();  // lays the text out
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (!layout || !block.isVisible())
            continue;
        const qreal top = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines_.push_back({top + line.y(), top + line.y() + line.height()});
        }
    }
    std::stable_sort(lines_.begin(), lines_.end(),
                     [](const LineSpan& a, const LineSpan& b) { return a.top < b.top; });
}

StyledTextPrinter::StyledTextPrinter(const QTextDocument& document, QPainter* painter, int32_t width)
    : StyledTextPrinter(document, width) {
    painter_ = painter;
}

StyledTextPrinter::StyledTextPrinter(const QTextDocument& document, QImage* image, int32_t width)
    : StyledTextPrinter(document, width) {
    image_ = image;
}

StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::AtEnd() const {
    return next_ >= lines_.size();
}

void StyledTextPrinter::DrawBlock(int32_t x, int32_t y, int32_t height) {
    if (AtEnd() || height <= 0 || width_ <= 0)
        return;
    // Half a pixel of slack: line heights are fractional.
    const qreal top = lines_[next_].top;
    size_t end = next_;
    while (end < lines_.size() && lines_[end].bottom <= top + height + 0.5)
        ++end;
    if (end == next_)
        end = next_ + 1;  // a line higher than the block is still shown, cut
    qreal bottom = top;
    for (size_t i = next_; i < end; ++i)
        bottom = std::max(bottom, lines_[i].bottom);
    const qreal visible = std::min<qreal>(bottom - top, height);
    next_ = end;

    if (painter_) {
        if (painter_->isActive())
            Draw(*painter_, x, y, top, visible);
    } else if (image_ && !image_->isNull()) {
        QPainter painter;
        if (painter.begin(image_))
            Draw(painter, x, y, top, visible);
    }
}

void StyledTextPrinter::Draw(QPainter& painter, int32_t x, int32_t y, qreal top, qreal height) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The clip is in device pixels: the block's own rectangle, cut at the height asked for.
    painter.setClipRect(QRectF(x, y, width_, height), Qt::IntersectClip);
    painter.translate(x, y - top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, width_, height);
    context.palette.setColor(QPalette::Text, defaultColor_);
    document_->documentLayout()->draw(&painter, context);
    painter.restore();
}
