#pragma once

// Every form of the program, for sweeps over all of them.

#include <QString>
#include <functional>
#include <vector>

namespace ui {
class Form;
}

struct FormEntry {
    QString name;
    std::function<ui::Form*()> load;  // loads the form (or gives the loaded one)
};

// Each form of the program, the main menu first.
const std::vector<FormEntry>& everyForm();
