#include "platform/ui/FormRegistry.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/ui/Events.h"

namespace ui {

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
        throw;
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FormRegistry& forms() {
    static FormRegistry registry;
    return registry;
}

}  // namespace ui
