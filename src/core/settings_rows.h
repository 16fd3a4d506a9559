#pragma once

#include <QString>

void loadSettingsRow();
void createSettingsRow();
void saveSchoolName(const QString& school);
void saveDbDescription(const QString& description);
