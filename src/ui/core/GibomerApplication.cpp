#include "ui/core/GibomerApplication.h"

#include "core/Errors.h"
#include "ui/core/ErrorDisplay.h"

namespace gibomer {

GibomerApplication::GibomerApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GibomerApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showError(std::current_exception());
        return false;
    }
}

void showError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const SilentAbort&) {
        // the user has seen the message already
    } catch (const AppError& e) {
        ErrorDisplay::show(e.message(), e.details());
    } catch (const std::exception& e) {
        ErrorDisplay::show(QString::fromLocal8Bit(e.what()), {});
    } catch (...) {
        ErrorDisplay::show(QStringLiteral("Neznana napaka."), {});
    }
}

} // namespace gibomer
