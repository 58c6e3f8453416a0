#pragma once
// The RTF reader behind DocumentFromRtf: a single pass over the text with a
// bounded stack of group states, collecting paragraphs of styled runs that are
// then put into a QTextDocument in one edit.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringView>
#include <QTextDocument>

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/text/RtfCharsets.h"

namespace rtf {

enum class Align : uint8_t { Unset, Left, Center, Right, Justify };

struct CharProps {
    int32_t font = -1;       // font table number; -1: the document's default font (\deff)
    int32_t halfPoints = 24;  // RTF's default size, 12 points
    int32_t color = 0;        // colour table index; 0 or an unknown index: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    friend bool operator==(const CharProps&, const CharProps&) = default;
};

struct Run {
    CharProps props;
    QString text;
};

struct Paragraph {
    Align align = Align::Unset;
    CharProps markProps;  // the paragraph mark's format, which an empty paragraph shows
    std::vector<Run> runs;
};

struct FontEntry {
    QString name;
    int32_t charset = 0;
    QFont::StyleHint hint = QFont::AnyStyle;
};

class Reader {
public:
    explicit Reader(QStringView input) : in_(input) {}

    // False when the input is not RTF at all.
    bool Parse();
    void BuildInto(QTextDocument& document) const;

    const std::vector<Paragraph>& Paragraphs() const { return paragraphs_; }

private:
    enum class Dest : uint8_t { Body, FontTable, ColorTable, Skip };
    struct GroupState {
        CharProps chars;
        Align align = Align::Unset;
        int32_t ucSkip = 1;
        Dest dest = Dest::Body;
    };

    qsizetype ReadControl(qsizetype pos);
    qsizetype ControlWord(std::string_view word, bool hasParam, int32_t param, qsizetype pos);
    void ControlSymbol(char16_t symbol);
    void OpenGroup();
    void CloseGroup();
    void PlainChar(char16_t ch);
    void LiteralChar(char16_t ch);
    void HexByte(uint8_t byte);
    void FlushBytes();
    void AppendText(char16_t ch);
    void EndParagraph();
    void Finish();
    void CommitFont();
    void CommitColor();
    int CodePageOfFont(int32_t font) const;
    GroupState& Top() { return stack_.back(); }

    QStringView in_;
    std::vector<GroupState> stack_;
    int64_t excessDepth_ = 0;  // groups opened beyond the depth limit
    bool finished_ = false;
    bool ignorable_ = false;    // a \* waits for its control word
    int32_t ucRemaining_ = 0;   // fallback characters still to skip after \uN
    int codePage_ = kDefaultCodePage;
    int32_t defaultFont_ = 0;

    QByteArray pendingBytes_;
    ByteDecoder decoder_;

    std::map<int32_t, FontEntry> fonts_;
    int32_t fontNumber_ = -1;
    FontEntry fontPending_;

    std::vector<std::optional<QColor>> colors_;
    int colorParts_[3] = {0, 0, 0};
    bool colorHasParts_ = false;

    std::vector<Paragraph> paragraphs_;
    Paragraph current_;
};

}  // namespace rtf
