#pragma once

#include <QStringList>

// The label of every season that has a dated match, in the order of the match dates, each once.
QStringList matchSeasonLabels();
