#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>

namespace ui {

// Base of every form of the program: a top-level window with the form events.
//
// A form builds its controls in its constructor and does everything else in Form_Load, which the
// registry (FormRegistry.h) runs once the object exists, so Form_Load may refer to other forms.
// Nothing creates a form directly: `ui::forms().get<frmX>()` does.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Runs once per instance, right after construction, when the form is first referred to.
    virtual void Form_Load() {}
    // The form became the program's active form: on each show, and when the user comes to it
    // from another of the program's windows. Not when a message box closes or the user comes
    // back from another application.
    virtual void Form_Activate() {}
    // The user closes the window by its close box. The default refuses with
    // "Click 'Return' to close window" (title "Exit"); set `cancel` false to let it close, which
    // unloads the form as `forms().unload` would.
    virtual void Form_QueryUnload(bool& cancel);
    // The form is being unloaded, by the program or by a close the form allowed.
    virtual void Form_Unload() {}

    // Modeless show that also brings the window to the front and makes it active; a form with
    // Qt::WA_ShowWithoutActivating is only shown and never becomes the active form. (Hides
    // QWidget::show; call it through the form type, as `forms().get<frmX>()->show()` does.)
    void show();

    // True from the moment an unload starts; the form's handlers no longer run.
    bool isUnloading() const { return unloading_; }

    // The form the user works in now (the last of our forms to become active), or null.
    static Form* activeForm();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;
    // Tab and Shift+Tab in any control of the form come here to move the focus.
    bool focusNextPrevChild(bool next) override;

private:
    friend class FormRegistry;
    friend class EventHook;
    void becameActive();
    void placeOnScreen(bool centre);
    void checkFrame();
    bool unloading_ = false;
    // The frame the form was placed with before the window system told it, and whether the form
    // was centred then.
    QMargins frameGuess_;
    bool frameUnknown_ = false;
    bool centred_ = false;
    // True while Tab or Shift+Tab moves the focus.
    bool tabbing_ = false;
    // The control that has the focus in this form as its focus events see it; it keeps it while
    // the user is in another window.
    QPointer<QWidget> focusControl_;
};

// The form a control lies on, or null when it lies on none.
Form* formOf(const QWidget* widget);

}  // namespace ui
