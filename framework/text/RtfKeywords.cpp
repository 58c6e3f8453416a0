#include "framework/text/RtfKeywords.h"

#include <unordered_map>
#include <utility>

namespace rtf {

Kw LookupKeyword(std::string_view word) {
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> t;
        // Destinations whose content is not text of the document.
        for (std::string_view d : {"annotation", "atnid", "atnauthor", "author", "bkmkend", "bkmkstart",
                                   "buptim", "colorschememapping", "comment", "company", "creatim",
                                   "datastore", "datafield", "defchp", "defpap", "doccomm", "docvar",
                                   "falt", "fchars", "ffdeftext", "ffentrymcr", "ffexitmcr", "ffformat",
                                   "ffhelptext", "ffl", "ffname", "ffstattext", "filetbl", "fldinst",
                                   "fldtype", "fname", "fontemb", "fontfile", "footer", "footerf",
                                   "footerl", "footerr", "footnote", "formfield", "ftncn", "ftnsep",
                                   "ftnsepc", "generator", "header", "headerf", "headerl", "headerr",
                                   "hl", "hlfr", "hlinkbase", "hlloc", "hlsrc", "info", "keywords",
                                   "latentstyles", "levelnumbers", "leveltext", "listoverridetable",
                                   "listpicture", "listtable", "lsdlockedexcept", "mmathPr", "nextfile",
                                   "nonshppict", "objdata", "object", "objclass", "operator", "panose",
                                   "passwordhash", "pgdsctbl", "pict", "pn", "pnseclvl", "pntxta",
                                   "pntxtb", "printim", "private", "protusertbl", "revtbl", "revtim",
                                   "rsidtbl", "shpinst", "sp", "stylesheet", "subject", "tc", "template",
                                   "themedata", "title", "txe", "userprops", "wgrffmtfilter",
                                   "windowcaption", "writereservation", "writereservhash", "xe",
                                   "xmlnstbl", "expandedcolortbl"})
            t.emplace(d, Kw::SkipDest);
        const std::pair<std::string_view, Kw> words[] = {
            {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable},
            {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc}, {"pca", Kw::Pca},
            {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::Deff},
            {"f", Kw::FontNumber}, {"fcharset", Kw::FontCharset}, {"fnil", Kw::FNil},
            {"froman", Kw::FRoman}, {"fswiss", Kw::FSwiss}, {"fmodern", Kw::FModern},
            {"fscript", Kw::FScript}, {"fdecor", Kw::FDecor}, {"ftech", Kw::FTech}, {"fbidi", Kw::FNil},
            {"red", Kw::Red}, {"green", Kw::Green}, {"blue", Kw::Blue},
            {"par", Kw::Par}, {"sect", Kw::Par}, {"page", Kw::Par}, {"row", Kw::Par},
            {"line", Kw::Line}, {"tab", Kw::Tab}, {"cell", Kw::Cell}, {"nestcell", Kw::Cell},
            {"plain", Kw::Plain}, {"pard", Kw::Pard},
            {"b", Kw::Bold}, {"i", Kw::Italic}, {"strike", Kw::Strike}, {"striked", Kw::Strike},
            {"ul", Kw::Underline}, {"uld", Kw::Underline}, {"uldash", Kw::Underline},
            {"uldashd", Kw::Underline}, {"uldashdd", Kw::Underline}, {"uldb", Kw::Underline},
            {"ulhwave", Kw::Underline}, {"ulldash", Kw::Underline}, {"ulth", Kw::Underline},
            {"ulthd", Kw::Underline}, {"ulthdash", Kw::Underline}, {"ulthdashd", Kw::Underline},
            {"ulthdashdd", Kw::Underline}, {"ulthldash", Kw::Underline}, {"ululdbwave", Kw::Underline},
            {"ulw", Kw::Underline}, {"ulwave", Kw::Underline}, {"ulnone", Kw::UnderlineNone},
            {"fs", Kw::FontSize}, {"cf", Kw::ColorFore},
            {"ql", Kw::AlignLeft}, {"qc", Kw::AlignCenter}, {"qr", Kw::AlignRight},
            {"qj", Kw::AlignJustify}, {"qd", Kw::AlignJustify},
            {"u", Kw::Unicode}, {"uc", Kw::UnicodeSkip}, {"bin", Kw::Bin},
            {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"emspace", Kw::EmSpace},
            {"enspace", Kw::EnSpace}, {"bullet", Kw::Bullet}, {"lquote", Kw::LQuote},
            {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote}, {"rdblquote", Kw::RDblQuote},
        };
        for (const auto& [name, kw] : words)
            t.emplace(name, kw);
        return t;
    }();
    const auto it = table.find(word);
    return it == table.end() ? Kw::Unknown : it->second;
}

}  // namespace rtf
