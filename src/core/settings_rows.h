#pragma once

#include <QString>

// The school name a database made from the templates carries until the coach gives his own.
inline const QString kTemplateSchoolName = QStringLiteral("Sample School");
// The longest home school name taken, in characters as a person counts them: as many as a
// database description, which the same column holds.
constexpr int kMaxSchoolNameLength = 50;

void loadSettingsRow();
void createSettingsRow();
void saveSchoolName(const QString& school);
void saveDbDescription(const QString& description);
