#pragma once

#include <QPointer>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
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
//
// A load that fails never leaves the coach without a window: when no form he can work in is shown
// any more (the form he came from was hidden or unloaded before the new one was referred to), the
// form he came from is shown again (loaded afresh when it was unloaded), or else the main form
// (see setMainForm). The error goes on to the handler's guard, whose message stands over it.
class FormRegistry {
public:
    template <class T>
    T* get() {
        static_assert(std::is_base_of_v<Form, T>, "forms are ui::Form classes");
        if (Form* form = find(typeid(T))) return static_cast<T*>(form);
        makers_.try_emplace(typeid(T), &remake<T>);
        T* form = new T();
        load(typeid(T), form);
        return form;
    }

    // The form shown when a load failed and the form the coach came from cannot be shown again.
    template <class T>
    void setMainForm() {
        makers_.try_emplace(typeid(T), &remake<T>);
        mainForm_ = typeid(T);
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
    friend class Form;
    struct Entry {
        std::type_index type;
        QPointer<Form> form;
    };
    template <class T>
    static Form* remake();
    Form* find(std::type_index type) const;
    void load(std::type_index type, Form* form);
    // The form became the one the coach works in.
    void noteActive(Form* form);
    // After a failed load: shows the form the coach came from again when no form he can work in
    // is shown.
    void keepAFormShown();
    bool showAgain(std::type_index type);

    std::vector<Entry> entries_;
    // How to load each form class referred to so far.
    std::unordered_map<std::type_index, Form* (*)()> makers_;
    std::type_index cameFrom_ = typeid(void);
    std::type_index mainForm_ = typeid(void);
    bool restoring_ = false;
};

FormRegistry& forms();

template <class T>
Form* FormRegistry::remake() {
    return forms().get<T>();
}

}  // namespace ui
