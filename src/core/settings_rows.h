#pragma once

#include <QString>

#include "platform/db/Recordset.h"

// The school name a database made from the templates carries until the coach gives his own.
inline const QString kTemplateSchoolName = QStringLiteral("Sample School");
// The longest home school name taken, in characters as a person counts them: as many as a
// database description, which the same column holds.
constexpr int kMaxSchoolNameLength = 50;

void loadSettingsRow();
void createSettingsRow();
// Each writes its row only while it holds what `shown` gives (the row as a form showed it; a
// row of no fields asks nothing); otherwise raises DbError RowChanged.
void saveSchoolName(const QString& school, const db::RowImage& shown = {});
// A description shown as none (`shown` of no fields) is added when there is none.
void saveDbDescription(const QString& description, const db::RowImage& shown = {});
