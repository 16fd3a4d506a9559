#pragma once

#include <QString>
#include <optional>

#include "platform/db/Recordset.h"

// The school name a database made from the templates carries until the coach gives his own.
inline const QString kTemplateSchoolName = QStringLiteral("Sample School");
// The longest home school name taken, in characters as a person counts them: as many as a
// database description, which the same column holds.
constexpr int kMaxSchoolNameLength = 50;

void loadSettingsRow();
// Adds settings row 1 with the template's school name, unless another copy has added it
// meanwhile.
void createSettingsRow();
// Each writes its row only while it holds what `shown` gives (the row as a form showed it; a
// row of no fields asks nothing); otherwise raises DbError RowChanged. Each returns the row as
// written, read in the write's transaction.
db::RowImage saveSchoolName(const QString& school, const db::RowImage& shown = {});
// A description shown as none (`shown` nothing) is added only while there is none: one another
// copy added meanwhile raises DbError RowChanged.
db::RowImage saveDbDescription(const QString& description,
                               const std::optional<db::RowImage>& shown = db::RowImage());
