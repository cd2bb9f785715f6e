#pragma once

#include "LocalPageScheme.h"

#include <QApplication>
#include <QTest>

// The HTML view's page scheme has to be known before the application object
// is made, which QTEST_MAIN does first; so the widget tests use this main.
#define TELVANE_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        LocalPageScheme::registerScheme();                                                         \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        const int status = QTest::qExec(&test, argc, argv);                                        \
        qDeleteAll(QApplication::topLevelWidgets());                                               \
        return status;                                                                             \
    }
