#include "platform/ui/FormRegistry.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/ui/Events.h"

namespace ui {

namespace {

// A form the coach can work in: shown, staying, and not a window that never takes the focus (a
// wait window).
bool workable(const Form* form) {
    return form && form->isVisible() && !form->isUnloading() &&
           !form->testAttribute(Qt::WA_ShowWithoutActivating);
}

}  // namespace

Form* FormRegistry::find(std::type_index type) const {
    for (const Entry& entry : entries_)
        if (entry.type == type && entry.form) return entry.form;
    return nullptr;
}

void FormRegistry::load(std::type_index type, Form* form) {
    std::erase_if(entries_, [&](const Entry& e) { return e.type == type || !e.form; });
    entries_.push_back({type, form});
    try {
        form->Form_Load();
    } catch (...) {
        // A form whose load failed is not kept: the next reference loads it afresh.
        std::erase_if(entries_, [&](const Entry& e) { return e.form == form; });
        form->unloading_ = true;
        form->hide();
        form->deleteLater();
        keepAFormShown();
        throw;
    }
}

void FormRegistry::noteActive(Form* form) { cameFrom_ = typeid(*form); }

void FormRegistry::keepAFormShown() {
    // Before the coach has worked in any form (the program's start) there is none to go back to.
    if (restoring_ || cameFrom_ == typeid(void)) return;
    for (const Entry& entry : entries_)
        if (workable(entry.form)) return;
    restoring_ = true;
    if (!showAgain(cameFrom_) && mainForm_ != cameFrom_) showAgain(mainForm_);
    restoring_ = false;
}

// Shows the form of that class, loading it when it is not loaded. An error on the way is not
// reported: the failed load's own error is.
bool FormRegistry::showAgain(std::type_index type) {
    try {
        Form* form = find(type);
        if (!form) {
            const auto maker = makers_.find(type);
            if (maker == makers_.end()) return false;
            form = maker->second();
        }
        form->show();
        return workable(form);
    } catch (...) {
        return false;
    }
}

void FormRegistry::unload(Form* form) {
    if (!form || form->unloading_) return;
    form->unloading_ = true;
    // The form stays registered while its unload handler runs, so the handler still finds it.
    auto finish = [&] {
        std::erase_if(entries_, [&](const Entry& e) { return e.form == form || !e.form; });
        form->hide();
        form->deleteLater();
    };
    try {
        form->Form_Unload();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void FormRegistry::unloadAll() {
    std::vector<Entry> all = entries_;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (it->form) guarded([&] { unload(it->form); });
    entries_.clear();
    cameFrom_ = mainForm_ = typeid(void);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FormRegistry& forms() {
    static FormRegistry registry;
    return registry;
}

}  // namespace ui
