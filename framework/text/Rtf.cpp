#include "framework/text/Rtf.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextFragment>

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/text/RtfCharsets.h"
#include "framework/text/RtfReader.h"

namespace {

// A run's format in RTF terms, with every property the document leaves open
// taken from its default font, so that the RTF says what is shown.
struct RunProps {
    int font = 0;
    int halfPoints = 24;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

struct FontName {
    QString family;
    QFont::StyleHint hint;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : doc_(document), defaultFont_(document.defaultFont()) {
        FontIndex(defaultFont_.family(), defaultFont_.styleHint());  // \deff0
    }

    QString Write();

private:
    RunProps PropsOf(const QTextCharFormat& format);
    int FontIndex(const QString& family, QFont::StyleHint hint);
    int ColorIndex(const QColor& color);
    void WriteChanges(const RunProps& to);
    void WriteText(const QString& text);
    QString Header() const;

    const QTextDocument& doc_;
    const QFont defaultFont_;
    std::vector<FontName> fonts_;
    std::vector<QColor> colors_;  // after the automatic colour, index 0
    RunProps current_;
    bool haveCurrent_ = false;
    QString body_;
};

const char* HintWord(QFont::StyleHint hint) {
    switch (hint) {
    case QFont::Serif: return "\\froman";
    case QFont::SansSerif: return "\\fswiss";
    case QFont::TypeWriter: return "\\fmodern";
    case QFont::Cursive: return "\\fscript";
    case QFont::Decorative: return "\\fdecor";
    default: return "\\fnil";
    }
}

const char* AlignWord(Qt::Alignment alignment) {
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignHCenter) return "\\qc";
    if (h & Qt::AlignJustify) return "\\qj";
    if (h & (Qt::AlignRight | Qt::AlignTrailing)) return "\\qr";
    return "\\ql";
}

double DefaultPointSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize() * 0.75;  // at the 96 dpi that RTF readers assume
    return 12.0;
}

// Escapes one character for RTF: \uN with its Windows-1252 byte (or ?) for
// readers that do not know Unicode.
void AppendEscaped(QString& out, char16_t ch) {
    switch (ch) {
    case u'\\': out += u"\\\\"; return;
    case u'{': out += u"\\{"; return;
    case u'}': out += u"\\}"; return;
    case u'\t': out += u"\\tab "; return;
    case QChar::LineSeparator: out += u"\\line "; return;
    case QChar::Nbsp: out += u"\\~"; return;
    default: break;
    }
    if (ch < 0x20 || ch == 0x7F || ch == QChar::ObjectReplacementCharacter || ch == QChar::ParagraphSeparator)
        return;
    if (ch < 0x80) {
        out += QChar(ch);
        return;
    }
    out += u"\\u";
    out += QString::number(int16_t(ch));
    const int byte = rtf::Cp1252Byte(ch);
    if (byte >= 0)
        out += QStringLiteral("\\'%1").arg(byte, 2, 16, QChar(u'0'));
    else
        out += u'?';
}

QString Writer::Write() {
    for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment alignment = block.blockFormat().hasProperty(QTextFormat::BlockAlignment)
                                            ? block.blockFormat().alignment()
                                            : doc_.defaultTextOption().alignment();
        body_ += u"\\pard";
        body_ += QLatin1String(AlignWord(alignment));
        body_ += u' ';
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.text().isEmpty())
                continue;
            WriteChanges(PropsOf(fragment.charFormat()));
            WriteText(fragment.text());
            empty = false;
        }
        if (empty)
            WriteChanges(PropsOf(block.charFormat()));
        body_ += u"\\par\n";
    }
    return Header() + body_ + QStringLiteral("}\n");
}

RunProps Writer::PropsOf(const QTextCharFormat& f) {
    RunProps p;
    QString family;
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty())
            family = families.first();
    }
    if (family.isEmpty())
        p.font = 0;
    else
        p.font = FontIndex(family, f.hasProperty(QTextFormat::FontStyleHint) ? f.fontStyleHint() : QFont::AnyStyle);

    double points = DefaultPointSize(defaultFont_);
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        points = f.fontPointSize();
    else if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0)
        points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    p.halfPoints = std::clamp(int(std::lround(points * 2)), 1, 3276);

    p.bold = (f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() : int(defaultFont_.weight())) >= QFont::DemiBold;
    p.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaultFont_.italic();
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        p.underline = f.underlineStyle() != QTextCharFormat::NoUnderline;
    else
        p.underline = f.hasProperty(QTextFormat::FontUnderline) ? f.fontUnderline() : defaultFont_.underline();
    p.strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaultFont_.strikeOut();

    const QBrush foreground = f.foreground();
    p.color = foreground.style() == Qt::NoBrush ? 0 : ColorIndex(foreground.color());
    return p;
}

int Writer::FontIndex(const QString& family, QFont::StyleHint hint) {
    for (size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].family == family)
            return int(i);
    }
    fonts_.push_back(FontName{family, hint});
    return int(fonts_.size() - 1);
}

int Writer::ColorIndex(const QColor& color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    for (size_t i = 0; i < colors_.size(); ++i) {
        if ((colors_[i].rgb() & 0xFFFFFF) == rgb)
            return int(i + 1);
    }
    colors_.push_back(QColor::fromRgb(rgb));
    return int(colors_.size());
}

// Writes the control words that take the running format to `to`, then the
// space that ends them.
void Writer::WriteChanges(const RunProps& to) {
    const RunProps& from = current_;
    const bool all = !haveCurrent_;
    const qsizetype before = body_.size();
    auto flag = [this](const char* word, bool on) {
        body_ += QLatin1String(word);
        if (!on)
            body_ += u'0';
    };
    if (all || to.font != from.font) body_ += QStringLiteral("\\f%1").arg(to.font);
    if (all || to.halfPoints != from.halfPoints) body_ += QStringLiteral("\\fs%1").arg(to.halfPoints);
    if (all || to.bold != from.bold) flag("\\b", to.bold);
    if (all || to.italic != from.italic) flag("\\i", to.italic);
    if (all || to.underline != from.underline) body_ += to.underline ? u"\\ul" : u"\\ulnone";
    if (all || to.strike != from.strike) flag("\\strike", to.strike);
    if (all || to.color != from.color) body_ += QStringLiteral("\\cf%1").arg(to.color);
    if (body_.size() != before)
        body_ += u' ';
    current_ = to;
    haveCurrent_ = true;
}

void Writer::WriteText(const QString& text) {
    for (QChar c : text)
        AppendEscaped(body_, c.unicode());
}

QString Writer::Header() const {
    QString h = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (size_t i = 0; i < fonts_.size(); ++i) {
        h += QStringLiteral("{\\f%1").arg(i);
        h += QLatin1String(HintWord(fonts_[i].hint));
        h += u"\\fcharset0 ";
        for (QChar c : fonts_[i].family) {
            if (c != u';' && c >= u' ' && c != QChar::LineSeparator && c != QChar::ParagraphSeparator)
                AppendEscaped(h, c.unicode());
        }
        h += u";}";
    }
    h += u"}\n{\\colortbl;";
    for (const QColor& c : colors_)
        h += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
    h += u"}\n";
    return h;
}

}  // namespace

QString RtfFromDocument(const QTextDocument& document) {
    return Writer(document).Write();
}

bool DocumentFromRtf(const QString& rtf, QTextDocument& document) {
    rtf::Reader reader(rtf);
    if (!reader.Parse())
        return false;
    reader.BuildInto(document);
    return true;
}
