// The two kinds of failure: a silent abort after a message the user has
// already seen, and an error that the general error display shows.
#pragma once

#include <QString>
#include <stdexcept>

namespace gibomer {

// Ends the current operation without any further message. The general error
// display ignores it.
class SilentAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "silent abort"; }
};

// An error with a message for the user (database refused a statement, a file
// could not be read, ...). Reaches the general error display unless a caller
// handles it.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString& message, const QString& details = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_details(details)
    {
    }
    QString message() const { return m_message; }
    QString details() const { return m_details; }

private:
    QString m_message;
    QString m_details;
};

// A file that could not be opened or read whole.
class IoError : public AppError
{
public:
    using AppError::AppError;
};

// A statement that the database refused.
class DbError : public AppError
{
public:
    using AppError::AppError;
};

// A text that does not convert to a number.
class ConversionError : public AppError
{
public:
    using AppError::AppError;
};

} // namespace gibomer
