#include "platform/fonts/StandInFonts.h"

#include <QApplication>
#include <QFont>
#include <utility>

namespace {

const std::pair<const char*, const char*> kStandIns[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

// The font every control has unless its form gives it another: 8-point "MS Sans Serif", the
// size the forms were laid out for.
constexpr double kFormPoints = 8;

QFont formsSansSerif(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

QString standInFamily(const QString& name) {
    const QString key = name.trimmed();
    for (const auto& [named, standIn] : kStandIns)
        if (key.compare(QLatin1String(named), Qt::CaseInsensitive) == 0) return QLatin1String(standIn);
    return name;
}

void installStandInFonts() {
    static const bool done = [] {
        for (const auto& [named, standIn] : kStandIns)
            QFont::insertSubstitution(QLatin1String(named), QLatin1String(standIn));
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setFont(formsSansSerif(kFormPoints));
        return true;
    }();
    (void)done;
}

QFont sansSerifFont(double points) {
    installStandInFonts();
    return formsSansSerif(points);
}
