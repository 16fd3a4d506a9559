#pragma once

#include <QString>
#include <functional>

namespace ui {

// A task the user set off that the program carries out without going back to its event loop (a
// printout: drawn page by page, then sent). While one lives, input given to the program's windows
// is dropped, from its first moment to its end, and what was given meanwhile does not run
// afterwards; only a message box it shows takes input (what came before the box is dropped too).
// Once it has taken more than a moment, a modal window titled `title` says what it does and how
// far it has come, until it ends; nobody can close it. A task begun within another is part of the
// outer one. Lives on the main thread.
class BusyTask {
public:
    BusyTask(const QString& title, const QString& text);
    ~BusyTask();
    BusyTask(const BusyTask&) = delete;
    BusyTask& operator=(const BusyTask&) = delete;

    // What the task under way does now, and how far it has come ("12 pages drawn").
    static void say(const QString& text, const QString& progress = QString());
    // Cheap enough to call for every step of long work: shows the window once the moment has
    // passed, and lets it be drawn anew now and then.
    static void tick();
};

// While it lives, a message box shown within a task takes input (see BusyTask).
class InputForMessage {
public:
    InputForMessage();
    ~InputForMessage();
    InputForMessage(const InputForMessage&) = delete;
    InputForMessage& operator=(const InputForMessage&) = delete;

private:
    bool paused_ = false;
};

// Runs `work` on a thread of its own and returns once it has ended, as a part of the task under
// way (or a task of its own, saying `text`), while the program goes on answering: the wait window
// says `text`. `work` must end by itself, in bounded time, and touch no window; what it throws is
// thrown again here, once it has ended.
void waitWhile(const QString& title, const QString& text, const std::function<void()>& work);

}  // namespace ui
