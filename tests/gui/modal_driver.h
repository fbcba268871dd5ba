// Drives modal dialogs opened with exec(): a timer polls the active modal
// widget and, when it is of the type the next step waits for, runs that
// step on it. Past the deadline every modal widget is rejected so the test
// cannot hang, and timedOut() says so.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace tervan::test {

class ModalDriver : public QObject {
public:
    explicit ModalDriver(int deadlineMs = 20000);

    // The next step: waits for a visible modal T and runs action on it. An
    // action that opens another modal dialog must post that with
    // QTimer::singleShot(0, ...) so that the driver keeps polling.
    template <class T>
    ModalDriver& on(std::function<void(T*)> action) {
        steps_.push_back([action](QWidget* w) {
            auto* t = qobject_cast<T*>(w);
            if (!t) return false;
            action(t);
            return true;
        });
        return *this;
    }

    bool done() const { return steps_.empty(); }
    bool timedOut() const { return timedOut_; }

private:
    void poll();

    std::deque<std::function<bool(QWidget*)>> steps_;
    QTimer timer_;
    QElapsedTimer clock_;
    int deadlineMs_;
    bool timedOut_ = false;
};

// Saves a picture of the widget into the build folder's screenshots.
void screenshot(QWidget* widget, const char* name);

}  // namespace tervan::test
