#pragma once

#include <QPointer>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "platform/ui/Form.h"

namespace ui {

// Owns the one instance of each form class.
//
//     ui::forms().get<frmHelp>()->show();   // created and loaded on first use
//     ui::forms().unload<frmHelp>();        // Form_Unload, then hidden and destroyed
//     ui::forms().isLoaded<frmHelp>();      // asks without loading
//
// An unloaded form is destroyed once control is back in the event loop, so a handler may unload
// its own form and go on to its end. Referring to a form again after its unload makes a new
// instance with a fresh Form_Load.
class FormRegistry {
public:
    template <class T>
    T* get() {
        static_assert(std::is_base_of_v<Form, T>, "forms are ui::Form classes");
        if (Form* form = find(typeid(T))) return static_cast<T*>(form);
        T* form = new T();
        load(typeid(T), form);
        return form;
    }

    template <class T>
    bool isLoaded() const {
        return find(typeid(T)) != nullptr;
    }

    template <class T>
    void unload() {
        if (Form* form = find(typeid(T))) unload(form);
    }

    void unload(Form* form);
    // Unloads every form and destroys them at once (for tests and the program's end).
    void unloadAll();

private:
    struct Entry {
        std::type_index type;
        QPointer<Form> form;
    };
    Form* find(std::type_index type) const;
    void load(std::type_index type, Form* form);
    std::vector<Entry> entries_;
};

FormRegistry& forms();

}  // namespace ui
