#pragma once

#include <QString>

// Names the program shows that belong to no real organisation. Each is defined here once.
// The short name of the state athletic association, as help texts and printed forms show it.
inline const QString kAssociationShortName = QStringLiteral("State Association");
