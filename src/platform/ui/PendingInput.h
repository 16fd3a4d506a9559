#pragma once

#include <QObject>
#include <QSet>
#include <functional>

class QWidget;

namespace ui {

// What the window system can tell about input still on its way to the program, on X; where it
// tells nothing (no X display) every answer is "nothing arriving".
class PendingInput : public QObject {
public:
    explicit PendingInput(QObject* parent);
    ~PendingInput() override;

    // Whether there is an X display to ask.
    bool canAsk() const;

    // Calls `answered` (later, from the event loop) once every event the X server sent before
    // now has reached the program: a mark sent through the server to `window` comes back
    // behind them. Calls it at once where there is no display to ask.
    void roundTrip(QWidget* window, std::function<void()> answered);

    // A key the server sent has not yet been handled as a key event of the program.
    bool keysInFlight() const;

    // One of the keys (their native scan codes, the X key codes) is held down now.
    bool anyHeld(const QSet<quint32>& keys) const;

    // A key event the program handles now (its time stamp, the server's for a real key).
    void handled(unsigned long timestamp);

private:
    class Watch;
    Watch* watch_;
};

}  // namespace ui
