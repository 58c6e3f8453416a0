#pragma once
// What a reader of styled text sees: each character's effective style and each
// paragraph's alignment, for comparing documents.
#include <QColor>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <ostream>
#include <vector>

struct CharStyle {
    QString family;
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor color;  // invalid: automatic
    friend bool operator==(const CharStyle&, const CharStyle&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const CharStyle& s) {
    return os << s.family.toStdString() << ' ' << s.points << "pt" << (s.bold ? " bold" : "")
              << (s.italic ? " italic" : "") << (s.underline ? " underline" : "") << (s.strike ? " strike" : "")
              << ' ' << (s.color.isValid() ? s.color.name().toStdString() : std::string("auto"));
}

inline CharStyle StyleOf(const QTextDocument& doc, const QTextCharFormat& f) {
    CharStyle s;
    const QStringList families = f.fontFamilies().toStringList();
    s.family = families.isEmpty() ? doc.defaultFont().family() : families.first();
    s.points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : doc.defaultFont().pointSizeF();
    s.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold : doc.defaultFont().bold();
    s.italic = f.fontItalic();
    s.underline = f.fontUnderline();
    s.strike = f.fontStrikeOut();
    if (f.foreground().style() != Qt::NoBrush)
        s.color = f.foreground().color();
    return s;
}

// One entry per character of the document, paragraph marks left out.
inline std::vector<CharStyle> StylesOf(const QTextDocument& doc) {
    std::vector<CharStyle> styles;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const CharStyle s = StyleOf(doc, fragment.charFormat());
            styles.insert(styles.end(), size_t(fragment.length()), s);
        }
    }
    return styles;
}

inline std::vector<Qt::Alignment> AlignmentsOf(const QTextDocument& doc) {
    std::vector<Qt::Alignment> result;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        Qt::Alignment a = f.hasProperty(QTextFormat::BlockAlignment) ? f.alignment() : doc.defaultTextOption().alignment();
        a &= Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignLeading) a = Qt::AlignLeft;
        result.push_back(a);
    }
    return result;
}

// The style of the character at a position of the plain text.
inline CharStyle StyleAt(const QTextDocument& doc, int position) {
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(position + 1);
    return StyleOf(doc, c.charFormat());
}
