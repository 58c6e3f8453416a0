#pragma once
// Draws a styled text in blocks of a fixed width: each DrawBlock draws the
// lines that follow the last block, as many whole lines as fit the height
// asked for (at least one, cut to that height), and clips to the block.
// The text is copied when the printer is made, so later edits do not reach it.
// Runs keep their own colours; runs without one are drawn in the default
// text colour (black unless set).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstdint>
#include <memory>
#include <vector>

class StyledTextPrinter;
using StyledTextPrinterPtr = std::shared_ptr<StyledTextPrinter>;

class StyledTextPrinter {
public:
    // Draws with a painter that the caller keeps active while it draws.
    StyledTextPrinter(const QTextDocument& document, QPainter* painter, int32_t width);
    // Draws onto an image that no other painter is drawing on at the time.
    StyledTextPrinter(const QTextDocument& document, QImage* image, int32_t width);
    ~StyledTextPrinter();

    // Draws the next block of text with its top left at (x, y), at most height high.
    void DrawBlock(int32_t x, int32_t y, int32_t height);
    // True once every line has been drawn.
    bool AtEnd() const;

    int32_t Width() const { return width_; }
    void SetDefaultTextColor(const QColor& color) { defaultColor_ = color; }

private:
    struct LineSpan {
        qreal top;
        qreal bottom;
    };
    StyledTextPrinter(const QTextDocument& document, int32_t width);
    void Draw(QPainter& painter, int32_t x, int32_t y, qreal top, qreal height);

    std::unique_ptr<QTextDocument> document_;
    QPainter* painter_ = nullptr;
    QImage* image_ = nullptr;
    int32_t width_;
    QColor defaultColor_ = Qt::black;
    std::vector<LineSpan> lines_;  // in layout order, top to bottom
    size_t next_ = 0;              // the first line not yet drawn
};
