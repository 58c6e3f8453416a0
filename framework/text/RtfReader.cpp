#include "framework/text/RtfReader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <algorithm>
#include <limits>
#include <utility>

#include "framework/text/RtfKeywords.h"

namespace rtf {
namespace {

// Deeper nesting than any real document has; groups beyond it are counted, not stacked.
constexpr size_t kMaxDepth = 1000;
constexpr int32_t kMaxHalfPoints = 3276;  // 1638 points, the largest size word processors offer
constexpr int32_t kMaxUcSkip = 64;
constexpr size_t kMaxWordLength = 32;

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xFEFF; }

// Where the document's opening brace is, or -1 when the text is not RTF.
qsizetype RtfStart(QStringView in) {
    qsizetype i = 0;
    while (i < in.size() && IsSpace(in[i].unicode()))
        ++i;
    return in.mid(i).startsWith(u"{\\rtf") ? i : -1;
}

// Characters that would change the document's structure or mean nothing as text.
bool KeepInText(char16_t ch) {
    if (ch < 0x20)
        return ch == u'\t';
    if (ch >= 0xFDD0 && ch <= 0xFDEF)  // QTextDocument marks frames with these
        return false;
    return ch != 0x7F && ch != QChar::ObjectReplacementCharacter && ch != 0xFFFE && ch != 0xFFFF;
}

// A font name is one line of text.
bool KeepInFontName(char16_t ch) {
    return ch >= 0x20 && KeepInText(ch) && ch != QChar::LineSeparator && ch != QChar::ParagraphSeparator;
}

// Unpaired surrogates become U+FFFD so the document holds well-formed text.
QString WellFormed(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(c);
            out.append(text[++i]);
        } else if (c.isSurrogate()) {
            out.append(QChar::ReplacementCharacter);
        } else {
            out.append(c);
        }
    }
    return out;
}

Qt::Alignment QtAlignment(Align align) {
    switch (align) {
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    case Align::Justify: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

}  // namespace

bool Reader::Parse() {
    qsizetype i = RtfStart(in_);
    if (i < 0)
        return false;
    stack_.reserve(64);
    const qsizetype n = in_.size();
    while (i < n && !finished_) {
        const char16_t c = in_[i].unicode();
        switch (c) {
        case u'{':
            FlushBytes();
            OpenGroup();
            ++i;
            break;
        case u'}':
            FlushBytes();
            CloseGroup();
            ++i;
            break;
        case u'\\':
            i = ReadControl(i + 1);
            break;
        case u'\r':
        case u'\n':
            ++i;
            break;
        default:
            FlushBytes();
            PlainChar(c);
            ++i;
            break;
        }
    }
    if (!finished_) {  // truncated: keep what was read
        FlushBytes();
        Finish();
    }
    return true;
}

qsizetype Reader::ReadControl(qsizetype pos) {
    const qsizetype n = in_.size();
    if (pos >= n)
        return pos;
    const char16_t c = in_[pos].unicode();
    if (c == u'\'') {
        ++pos;
        const int high = pos < n ? HexValue(in_[pos].unicode()) : -1;
        if (high < 0)
            return pos;
        ++pos;
        const int low = pos < n ? HexValue(in_[pos].unicode()) : -1;
        if (low < 0)
            return pos;
        HexByte(uint8_t(high * 16 + low));
        return pos + 1;
    }
    FlushBytes();
    if (!IsLetter(c)) {
        ControlSymbol(c);
        return pos + 1;
    }
    char word[kMaxWordLength + 1];
    size_t length = 0;
    while (pos < n && IsLetter(in_[pos].unicode())) {
        if (length < kMaxWordLength)
            word[length] = char(in_[pos].unicode());
        ++length;
        ++pos;
    }
    bool negative = false;
    if (pos + 1 < n && in_[pos] == u'-' && IsDigit(in_[pos + 1].unicode())) {
        negative = true;
        ++pos;
    }
    bool hasParam = false;
    int64_t value = 0;
    while (pos < n && IsDigit(in_[pos].unicode())) {
        hasParam = true;
        if (value <= std::numeric_limits<int32_t>::max())  // saturate, still consume every digit
            value = value * 10 + (in_[pos].unicode() - u'0');
        ++pos;
    }
    if (pos < n && in_[pos] == u' ')
        ++pos;
    value = negative ? -value : value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    const std::string_view name = length <= kMaxWordLength ? std::string_view(word, length) : std::string_view();
    return ControlWord(name, hasParam, int32_t(value), pos);
}

qsizetype Reader::ControlWord(std::string_view word, bool hasParam, int32_t param, qsizetype pos) {
    const bool ignorable = std::exchange(ignorable_, false);
    if (stack_.empty())
        return pos;
    GroupState& s = Top();
    const Kw kw = LookupKeyword(word);
    if (kw == Kw::Bin) {  // binary data is skipped in every destination, braces and all
        const int64_t count = hasParam ? std::max<int32_t>(param, 0) : 0;
        return std::min<int64_t>(in_.size(), pos + count);
    }
    if (s.dest == Dest::Skip)
        return pos;
    // \* marks a destination that may be ignored; the only ones read are never marked.
    if (ignorable && kw != Kw::FontTable && kw != Kw::ColorTable) {
        s.dest = Dest::Skip;
        return pos;
    }
    if (ucRemaining_ > 0 && s.dest != Dest::ColorTable) {  // a control word stands for one fallback character
        --ucRemaining_;
        return pos;
    }
    const bool on = !hasParam || param != 0;
    switch (kw) {
    case Kw::SkipDest:
        s.dest = Dest::Skip;
        return pos;
    case Kw::FontTable:
        s.dest = Dest::FontTable;
        fontNumber_ = -1;
        fontPending_ = {};
        return pos;
    case Kw::ColorTable:
        s.dest = Dest::ColorTable;
        colorHasParts_ = false;
        return pos;
    case Kw::Ansi: codePage_ = kDefaultCodePage; return pos;
    case Kw::Mac: codePage_ = 10000; return pos;
    case Kw::Pc: codePage_ = 437; return pos;
    case Kw::Pca: codePage_ = 850; return pos;
    case Kw::AnsiCpg:
        if (hasParam && param > 0)
            codePage_ = param;
        return pos;
    case Kw::Deff:
        if (hasParam && param >= 0)
            defaultFont_ = param;
        return pos;
    default:
        break;
    }

    if (s.dest == Dest::FontTable) {
        switch (kw) {
        case Kw::FontNumber:
            CommitFont();
            fontNumber_ = hasParam ? param : -1;
            break;
        case Kw::FontCharset: fontPending_.charset = param; break;
        case Kw::FNil: fontPending_.hint = QFont::AnyStyle; break;
        case Kw::FRoman: fontPending_.hint = QFont::Serif; break;
        case Kw::FSwiss: fontPending_.hint = QFont::SansSerif; break;
        case Kw::FModern: fontPending_.hint = QFont::TypeWriter; break;
        case Kw::FScript: fontPending_.hint = QFont::Cursive; break;
        case Kw::FDecor: fontPending_.hint = QFont::Decorative; break;
        case Kw::FTech: fontPending_.hint = QFont::AnyStyle; break;
        case Kw::Unicode:
            if (hasParam) {
                const int32_t code = param < 0 ? param + 65536 : param;
                if (code >= 0 && code <= 0xFFFF && KeepInFontName(char16_t(code)))
                    fontPending_.name.append(QChar(char16_t(code)));
            }
            ucRemaining_ = s.ucSkip;
            break;
        case Kw::UnicodeSkip:
            if (hasParam) s.ucSkip = std::clamp(param, 0, kMaxUcSkip);
            break;
        default: break;
        }
        return pos;
    }
    if (s.dest == Dest::ColorTable) {
        const int component = std::clamp(param, 0, 255);
        switch (kw) {
        case Kw::Red: colorParts_[0] = component; colorHasParts_ = true; break;
        case Kw::Green: colorParts_[1] = component; colorHasParts_ = true; break;
        case Kw::Blue: colorParts_[2] = component; colorHasParts_ = true; break;
        default: break;
        }
        return pos;
    }

    CharProps& chars = s.chars;
    switch (kw) {
    case Kw::Par: EndParagraph(); break;
    case Kw::Line: AppendText(QChar::LineSeparator); break;
    case Kw::Tab:
    case Kw::Cell: AppendText(u'\t'); break;
    case Kw::Plain: chars = CharProps(); break;
    case Kw::Pard: s.align = Align::Unset; break;
    case Kw::Bold: chars.bold = on; break;
    case Kw::Italic: chars.italic = on; break;
    case Kw::Strike: chars.strike = on; break;
    case Kw::Underline: chars.underline = on; break;
    case Kw::UnderlineNone: chars.underline = false; break;
    case Kw::FontNumber:
        if (hasParam && param >= 0) chars.font = param;
        break;
    case Kw::FontSize:
        if (hasParam && param > 0) chars.halfPoints = std::min(param, kMaxHalfPoints);
        break;
    case Kw::ColorFore:
        if (hasParam && param >= 0) chars.color = param;
        break;
    case Kw::AlignLeft: s.align = Align::Left; break;
    case Kw::AlignCenter: s.align = Align::Center; break;
    case Kw::AlignRight: s.align = Align::Right; break;
    case Kw::AlignJustify: s.align = Align::Justify; break;
    case Kw::Unicode:
        if (hasParam) {
            const int32_t code = param < 0 ? param + 65536 : param;
            if (code >= 0 && code <= 0xFFFF)
                AppendText(char16_t(code));
        }
        ucRemaining_ = s.ucSkip;
        break;
    case Kw::UnicodeSkip:
        if (hasParam) s.ucSkip = std::clamp(param, 0, kMaxUcSkip);
        break;
    case Kw::EmDash: AppendText(0x2014); break;
    case Kw::EnDash: AppendText(0x2013); break;
    case Kw::EmSpace: AppendText(0x2003); break;
    case Kw::EnSpace: AppendText(0x2002); break;
    case Kw::Bullet: AppendText(0x2022); break;
    case Kw::LQuote: AppendText(0x2018); break;
    case Kw::RQuote: AppendText(0x2019); break;
    case Kw::LDblQuote: AppendText(0x201C); break;
    case Kw::RDblQuote: AppendText(0x201D); break;
    default: break;
    }
    return pos;
}

void Reader::ControlSymbol(char16_t symbol) {
    switch (symbol) {
    case u'*':
        ignorable_ = true;
        return;
    case u'\\':
    case u'{':
    case u'}':
        LiteralChar(symbol);
        break;
    case u'~': LiteralChar(0x00A0); break;
    case u'_': LiteralChar(0x2011); break;
    case u'\r':
    case u'\n':
        if (!stack_.empty() && Top().dest == Dest::Body && ucRemaining_ == 0)
            EndParagraph();
        break;
    default:  // \- (optional hyphen), \| and \: are not shown
        if (ucRemaining_ > 0)
            --ucRemaining_;
        break;
    }
    ignorable_ = false;
}

void Reader::OpenGroup() {
    ignorable_ = false;
    ucRemaining_ = 0;
    if (stack_.size() >= kMaxDepth) {
        ++excessDepth_;
        return;
    }
    stack_.push_back(stack_.empty() ? GroupState() : Top());
}

void Reader::CloseGroup() {
    ignorable_ = false;
    ucRemaining_ = 0;
    if (excessDepth_ > 0) {
        --excessDepth_;
        return;
    }
    if (stack_.empty())
        return;
    if (Top().dest == Dest::FontTable)
        CommitFont();
    if (stack_.size() == 1) {
        Finish();
        return;
    }
    stack_.pop_back();
}

void Reader::PlainChar(char16_t ch) {
    ignorable_ = false;
    if (stack_.empty())
        return;
    const Dest dest = Top().dest;
    if (dest == Dest::ColorTable) {
        if (ch == u';')
            CommitColor();
        return;
    }
    if (dest == Dest::FontTable && ch == u';') {
        CommitFont();
        return;
    }
    LiteralChar(ch);
}

void Reader::LiteralChar(char16_t ch) {
    if (stack_.empty())
        return;
    if (ucRemaining_ > 0) {
        --ucRemaining_;
        return;
    }
    switch (Top().dest) {
    case Dest::Body: AppendText(ch); break;
    case Dest::FontTable:
        if (KeepInFontName(ch)) fontPending_.name.append(QChar(ch));
        break;
    default: break;
    }
}

void Reader::HexByte(uint8_t byte) {
    if (stack_.empty())
        return;
    if (ucRemaining_ > 0) {
        --ucRemaining_;
        return;
    }
    const Dest dest = Top().dest;
    if (dest == Dest::Body || dest == Dest::FontTable)
        pendingBytes_.append(char(byte));
}

void Reader::FlushBytes() {
    if (pendingBytes_.isEmpty() || stack_.empty())
        return;
    const bool inFontTable = Top().dest == Dest::FontTable;
    int codePage = inFontTable ? CodePageForCharset(fontPending_.charset) : CodePageOfFont(Top().chars.font);
    if (codePage == 0)
        codePage = codePage_;
    const QString text = decoder_.Decode(pendingBytes_, codePage);
    pendingBytes_.clear();
    for (QChar c : text) {
        if (inFontTable) {
            if (KeepInFontName(c.unicode())) fontPending_.name.append(c);
        } else {
            AppendText(c.unicode());
        }
    }
}

void Reader::AppendText(char16_t ch) {
    if (ch == QChar::ParagraphSeparator)
        ch = QChar::LineSeparator;
    if (!KeepInText(ch))
        return;
    const CharProps& props = Top().chars;
    if (current_.runs.empty() || !(current_.runs.back().props == props))
        current_.runs.push_back(Run{props, QString()});
    current_.runs.back().text.append(QChar(ch));
}

void Reader::EndParagraph() {
    current_.align = Top().align;
    current_.markProps = Top().chars;
    paragraphs_.push_back(std::move(current_));
    current_ = Paragraph();
}

// The last paragraph counts when it holds text: a final \par closes the one before it.
void Reader::Finish() {
    finished_ = true;
    if (!current_.runs.empty() && !stack_.empty())
        EndParagraph();
}

void Reader::CommitFont() {
    const QString name = fontPending_.name.trimmed();
    if (fontNumber_ >= 0 && !name.isEmpty()) {
        FontEntry entry = fontPending_;
        entry.name = name;
        fonts_[fontNumber_] = std::move(entry);
    }
    fontPending_ = FontEntry();
    fontNumber_ = -1;
}

void Reader::CommitColor() {
    if (colorHasParts_)
        colors_.emplace_back(QColor(colorParts_[0], colorParts_[1], colorParts_[2]));
    else
        colors_.emplace_back(std::nullopt);
    colorParts_[0] = colorParts_[1] = colorParts_[2] = 0;
    colorHasParts_ = false;
}

int Reader::CodePageOfFont(int32_t font) const {
    const auto it = fonts_.find(font >= 0 ? font : defaultFont_);
    return it == fonts_.end() ? 0 : CodePageForCharset(it->second.charset);
}

void Reader::BuildInto(QTextDocument& document) const {
    auto charFormat = [this](const CharProps& p) {
        QTextCharFormat f;
        const auto font = fonts_.find(p.font >= 0 ? p.font : defaultFont_);
        if (font != fonts_.end()) {
            f.setFontFamilies(QStringList{font->second.name});
            if (font->second.hint != QFont::AnyStyle)
                f.setFontStyleHint(font->second.hint);
        }
        f.setFontPointSize(p.halfPoints / 2.0);
        f.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(p.italic);
        f.setFontUnderline(p.underline);
        f.setFontStrikeOut(p.strike);
        if (p.color >= 0 && size_t(p.color) < colors_.size() && colors_[size_t(p.color)])
            f.setForeground(*colors_[size_t(p.color)]);
        return f;
    };
    auto blockFormat = [](Align align) {
        QTextBlockFormat f;
        if (align != Align::Unset)
            f.setAlignment(QtAlignment(align));
        return f;
    };

    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        const Paragraph& p = paragraphs_[i];
        const CharProps& mark = p.runs.empty() ? p.markProps : p.runs.front().props;
        if (i == 0) {
            cursor.setBlockFormat(blockFormat(p.align));
            cursor.setBlockCharFormat(charFormat(mark));
        } else {
            cursor.insertBlock(blockFormat(p.align), charFormat(mark));
        }
        for (const Run& run : p.runs)
            cursor.insertText(WellFormed(run.text), charFormat(run.props));
    }
    cursor.endEditBlock();
}

}  // namespace rtf
