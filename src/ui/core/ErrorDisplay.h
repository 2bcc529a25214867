// The general error display: the message, its details and a copy button.
#pragma once

#include <QDialog>
#include <functional>

class QPlainTextEdit;

namespace gibomer {

class ErrorDisplay : public QDialog
{
    Q_OBJECT
public:
    ErrorDisplay(const QString& message, const QString& details, QWidget* parent = nullptr);

    // Shows the dialog modally, or hands the error to the sink that tests set.
    static void show(const QString& message, const QString& details);
    using Sink = std::function<void(const QString& message, const QString& details)>;
    static void setSink(Sink sink);

private:
    QString m_report;
};

} // namespace gibomer
