// Runs the tests inside a QApplication (offscreen), so widget tests work too.
#include "core/Formats.h"
#include "ui/core/ErrorDisplay.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    gibomer::applyProgramFormats();
    // An error that reaches the general display in a test is a failure.
    gibomer::ErrorDisplay::setSink([](const QString& message, const QString& details) {
        ADD_FAILURE() << "error display: " << message.toStdString() << " " << details.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
