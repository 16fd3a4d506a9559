#include "statistics/stat_codes.h"

#include <array>
#include <utility>

#include "platform/ui/Messages.h"

namespace {

// The codes in the order they are tested, each with its SQL piece. Sums list the periods 1, 2, 3,
// ot, dot, dot1, dot2; the side suffix is spelled as each piece has always spelled it (the
// database compares column names without regard to case).
const std::array<std::pair<const char*, const char*>, 33> kStatCodes{{
    {"TDH", "[tp1home]+[tp2home]+[tp3home]+[tpothome]+[tpdothome]+[tpdot1home]+[tpdot2home]"},
    {"TDO", "[tp1Opp]+[tp2Opp]+[tp3Opp]+[tpotOpp]+[tpdotOpp]+[tpdot1Opp]+[tpdot2Opp]"},
    {"REVH", "[rp1home]+[rp2home]+[rp3home]+[rpothome]+[rpdothome]+[rpdot1home]+[rpdot2home]"},
    {"REVO", "[rp1Opp]+[rp2Opp]+[rp3Opp]+[rpotOpp]+[rpdotOpp]+[rpdot1Opp]+[rpdot2Opp]"},
    {"ESCH", "[ep1home]+[ep2home]+[ep3home]+[epothome]+[epdothome]+[epdot1home]+[epdot2home]"},
    {"ESCO", "[ep1Opp]+[ep2Opp]+[ep3Opp]+[epotOpp]+[epdotOpp]+[epdot1Opp]+[epdot2Opp]"},
    {"NF2H",
     "[nf2p1home]+[nf2p2home]+[nf2p3home]+[nf2pothome]+[nf2pdothome]+[nf2pdot1home]+[nf2pdot2home]"},
    {"NF2O", "[nf2p1opp]+[nf2p2opp]+[nf2p3opp]+[nf2potopp]+[nf2pdotopp]+[nf2pdot1opp]+[nf2pdot2opp]"},
    {"NF3H",
     "[nf3p1home]+[nf3p2home]+[nf3p3home]+[nf3pothome]+[nf3pdothome]+[nf3pdot1home]+[nf3pdot2home]"},
    {"NF3O", "[nf3p1opp]+[nf3p2opp]+[nf3p3opp]+[nf3potopp]+[nf3pdotopp]+[nf3pdot1opp]+[nf3pdot2opp]"},
    {"NFH",
     "[nf2p1home]+[nf2p2home]+[nf2p3home]+[nf2pothome]+[nf2pdothome]+[nf2pdot1home]+[nf2pdot2home]+"
     "[nf3p1home]+[nf3p2home]+[nf3p3home]+[nf3pothome]+[nf3pdothome]+[nf3pdot1home]+[nf3pdot2home]"},
    {"NFO",
     "[nf2p1opp]+[nf2p2opp]+[nf2p3opp]+[nf2potopp]+[nf2pdotopp]+[nf2pdot1opp]+[nf2pdot2opp]+"
     "[nf3p1opp]+[nf3p2opp]+[nf3p3opp]+[nf3potopp]+[nf3pdotopp]+[nf3pdot1opp]+[nf3pdot2opp]"},
    {"PH", "[pp1home]+[pp2home]+[pp3home]+[ppothome]+[ppdothome]+[ppdot1home]+[ppdot2home]"},
    {"PO", "[pp1opp]+[pp2opp]+[pp3opp]+[ppotopp]+[ppdotopp]+[ppdot1opp]+[ppdot2opp]"},
    {"WH", "[wp1home]+[wp2home]+[wp3home]+[wpothome]+[wpdothome]+[wpdot1home]+[wpdot2home]"},
    {"WO", "[wp1opp]+[wp2opp]+[wp3opp]+[wpotopp]+[wpdotopp]+[wpdot1opp]+[wpdot2opp]"},
    {"FIRSTPTH", " AND FirstPoint = 'H' "},
    {"FIRSTPTO", " AND FirstPoint = 'O' "},
    {"TEAMPTS", " [TeamPoints]"},
    {"WINSH", " AND WL = 'W' "},
    {"WINSO", " AND WL = 'L' "},
    {"PINSH", " AND WinType = 'Fall' AND WL = 'W' "},
    {"PINSO", " AND WinType = 'Fall' AND WL = 'L' "},
    {"TFH", " AND WinType = 'TF' AND WL = 'W' "},
    {"TFO", " AND WinType = 'TF' AND WL = 'L' "},
    {"MAJDECH", " AND WinType = 'MD' AND WL = 'W' "},
    {"MAJDECO", " AND WinType = 'MD' AND WL = 'L' "},
    {"DECH", " AND WinType = 'DEC' AND WL = 'W' "},
    {"DECO", " AND WinType = 'DEC' AND WL = 'L' "},
    {"FORFEITH", " AND WinType = 'FORFEIT' AND WL = 'W' "},
    {"FORFEITO", " AND WinType = 'FORFEIT' AND WL = 'L' "},
    {"OTHERH", " AND WinType = 'OTHER' AND WL = 'W' "},
    {"OTHERO", " AND WinType = 'OTHER' AND WL = 'L' "},
}};

}  // namespace

QString getStatExpr(const QString& code) {
    // No trimming: a blank before or after the code makes it unknown.
    const QString upper = code.toUpper();
    for (const auto& [name, sql] : kStatCodes)
        if (upper == QLatin1String(name)) return QString::fromLatin1(sql);
    ui::msgBox(QStringLiteral("ERROR ") + code + QStringLiteral("Not valid"), ui::Buttons::OK);
    return QString();
}
