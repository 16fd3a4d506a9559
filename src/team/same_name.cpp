#include "team/same_name.h"

#include <QList>
#include <QStringView>
#include <algorithm>
#include <iterator>

namespace {

// The characters whose full case folding is more than one character (the entries of status F in
// the Unicode case folding table). Every other character folds to QChar::toCaseFolded.
struct Expansion {
    char16_t from;
    const char16_t* to;
};
// clang-format off
constexpr Expansion kExpansions[] = {
    {0x00DF, u"ss"}, {0x0130, u"i\u0307"}, {0x0149, u"\u02BCn"}, {0x01F0, u"j\u030C"},
    {0x0390, u"\u03B9\u0308\u0301"}, {0x03B0, u"\u03C5\u0308\u0301"}, {0x0587, u"\u0565\u0582"},
    {0x1E96, u"h\u0331"}, {0x1E97, u"t\u0308"}, {0x1E98, u"w\u030A"}, {0x1E99, u"y\u030A"},
    {0x1E9A, u"a\u02BE"}, {0x1E9E, u"ss"}, {0x1F50, u"\u03C5\u0313"},
    {0x1F52, u"\u03C5\u0313\u0300"}, {0x1F54, u"\u03C5\u0313\u0301"},
    {0x1F56, u"\u03C5\u0313\u0342"}, {0x1F80, u"\u1F00\u03B9"}, {0x1F81, u"\u1F01\u03B9"},
    {0x1F82, u"\u1F02\u03B9"}, {0x1F83, u"\u1F03\u03B9"}, {0x1F84, u"\u1F04\u03B9"},
    {0x1F85, u"\u1F05\u03B9"}, {0x1F86, u"\u1F06\u03B9"}, {0x1F87, u"\u1F07\u03B9"},
    {0x1F88, u"\u1F00\u03B9"}, {0x1F89, u"\u1F01\u03B9"}, {0x1F8A, u"\u1F02\u03B9"},
    {0x1F8B, u"\u1F03\u03B9"}, {0x1F8C, u"\u1F04\u03B9"}, {0x1F8D, u"\u1F05\u03B9"},
    {0x1F8E, u"\u1F06\u03B9"}, {0x1F8F, u"\u1F07\u03B9"}, {0x1F90, u"\u1F20\u03B9"},
    {0x1F91, u"\u1F21\u03B9"}, {0x1F92, u"\u1F22\u03B9"}, {0x1F93, u"\u1F23\u03B9"},
    {0x1F94, u"\u1F24\u03B9"}, {0x1F95, u"\u1F25\u03B9"}, {0x1F96, u"\u1F26\u03B9"},
    {0x1F97, u"\u1F27\u03B9"}, {0x1F98, u"\u1F20\u03B9"}, {0x1F99, u"\u1F21\u03B9"},
    {0x1F9A, u"\u1F22\u03B9"}, {0x1F9B, u"\u1F23\u03B9"}, {0x1F9C, u"\u1F24\u03B9"},
    {0x1F9D, u"\u1F25\u03B9"}, {0x1F9E, u"\u1F26\u03B9"}, {0x1F9F, u"\u1F27\u03B9"},
    {0x1FA0, u"\u1F60\u03B9"}, {0x1FA1, u"\u1F61\u03B9"}, {0x1FA2, u"\u1F62\u03B9"},
    {0x1FA3, u"\u1F63\u03B9"}, {0x1FA4, u"\u1F64\u03B9"}, {0x1FA5, u"\u1F65\u03B9"},
    {0x1FA6, u"\u1F66\u03B9"}, {0x1FA7, u"\u1F67\u03B9"}, {0x1FA8, u"\u1F60\u03B9"},
    {0x1FA9, u"\u1F61\u03B9"}, {0x1FAA, u"\u1F62\u03B9"}, {0x1FAB, u"\u1F63\u03B9"},
    {0x1FAC, u"\u1F64\u03B9"}, {0x1FAD, u"\u1F65\u03B9"}, {0x1FAE, u"\u1F66\u03B9"},
    {0x1FAF, u"\u1F67\u03B9"}, {0x1FB2, u"\u1F70\u03B9"}, {0x1FB3, u"\u03B1\u03B9"},
    {0x1FB4, u"\u03AC\u03B9"}, {0x1FB6, u"\u03B1\u0342"}, {0x1FB7, u"\u03B1\u0342\u03B9"},
    {0x1FBC, u"\u03B1\u03B9"}, {0x1FC2, u"\u1F74\u03B9"}, {0x1FC3, u"\u03B7\u03B9"},
    {0x1FC4, u"\u03AE\u03B9"}, {0x1FC6, u"\u03B7\u0342"}, {0x1FC7, u"\u03B7\u0342\u03B9"},
    {0x1FCC, u"\u03B7\u03B9"}, {0x1FD2, u"\u03B9\u0308\u0300"}, {0x1FD3, u"\u03B9\u0308\u0301"},
    {0x1FD6, u"\u03B9\u0342"}, {0x1FD7, u"\u03B9\u0308\u0342"}, {0x1FE2, u"\u03C5\u0308\u0300"},
    {0x1FE3, u"\u03C5\u0308\u0301"}, {0x1FE4, u"\u03C1\u0313"}, {0x1FE6, u"\u03C5\u0342"},
    {0x1FE7, u"\u03C5\u0308\u0342"}, {0x1FF2, u"\u1F7C\u03B9"}, {0x1FF3, u"\u03C9\u03B9"},
    {0x1FF4, u"\u03CE\u03B9"}, {0x1FF6, u"\u03C9\u0342"}, {0x1FF7, u"\u03C9\u0342\u03B9"},
    {0x1FFC, u"\u03C9\u03B9"}, {0xFB00, u"ff"}, {0xFB01, u"fi"}, {0xFB02, u"fl"}, {0xFB03, u"ffi"},
    {0xFB04, u"ffl"}, {0xFB05, u"st"}, {0xFB06, u"st"}, {0xFB13, u"\u0574\u0576"},
    {0xFB14, u"\u0574\u0565"}, {0xFB15, u"\u0574\u056B"}, {0xFB16, u"\u057E\u0576"},
    {0xFB17, u"\u0574\u056D"},
};
// clang-format on

}  // namespace

QString nameKey(const QString& name) {
    // Blanks before or after a name are no part of it: a quoted "Newtown " is Newtown.
    const QString decomposed = name.trimmed().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const uint c : decomposed.toUcs4()) {
        const auto* hit = std::lower_bound(std::begin(kExpansions), std::end(kExpansions), c,
                                           [](const Expansion& e, uint v) { return e.from < v; });
        if (hit != std::end(kExpansions) && hit->from == c)
            folded += QStringView(hit->to);
        else
            folded += QChar::fromUcs4(QChar::toCaseFolded(char32_t(c)));
    }
    // Folding can leave characters that decompose further (the dotted capital I, for one).
    return folded.normalized(QString::NormalizationForm_D);
}

bool holdsSameName(db::Recordset& rs, const QString& nameColumn, const QString& name,
                   long long except) {
    const QString key = nameKey(name);
    for (; !rs.isEOF(); rs.moveNext())
        if (rs.field(QStringLiteral("Seq")).toInt() != except &&
            nameKey(rs.field(nameColumn).toString()) == key)
            return true;
    return false;
}
