#pragma once
// The RTF control words that the reader acts on.
#include <string_view>

namespace rtf {

// SkipDest: a destination whose content is not text of the document.
enum class Kw {
    Unknown,
    SkipDest, FontTable, ColorTable,
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    FontNumber, FontCharset, FNil, FRoman, FSwiss, FModern, FScript, FDecor, FTech,
    Red, Green, Blue,
    Par, Line, Tab, Cell, Plain, Pard,
    Bold, Italic, Underline, UnderlineNone, Strike, FontSize, ColorFore,
    AlignLeft, AlignCenter, AlignRight, AlignJustify,
    Unicode, UnicodeSkip, Bin,
    EmDash, EnDash, EmSpace, EnSpace, Bullet, LQuote, RQuote, LDblQuote, RDblQuote,
};

// Unknown for every word the reader ignores.
Kw LookupKeyword(std::string_view word);

}  // namespace rtf
