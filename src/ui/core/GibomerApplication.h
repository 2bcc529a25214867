// The application object: catches every exception that escapes an event
// handler and shows it in the general error display; the program goes on.
#pragma once

#include <QApplication>
#include <exception>

namespace gibomer {

class GibomerApplication : public QApplication
{
public:
    GibomerApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows what went wrong; silent aborts are ignored. Safe to call from any
// catch block of the window layer.
void showError(std::exception_ptr error);

// Runs a piece of start-up, reporting what escapes it and going on.
template <typename F>
void runReported(F&& step)
{
    try {
        step();
    } catch (...) {
        showError(std::current_exception());
    }
}

} // namespace gibomer
