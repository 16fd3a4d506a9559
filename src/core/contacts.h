#pragma once

#include <QString>

// Addresses and names the program shows or uses but that belong to no real organisation, host
// or person. Each is defined here once.
inline const QString kSupportEmail = QStringLiteral("support@kestrivane.invalid");
inline const QString kSupportWeb = QStringLiteral("www.kestrivane.invalid");
// The short name of the state athletic association, as help texts and printed forms show it.
inline const QString kAssociationShortName = QStringLiteral("State Association");
