#pragma once

#include "browser/LocalPageScheme.h"

#include <QApplication>
#include <QTest>

// The HTML view's page scheme has to be known before the application object
// is made, which QTEST_MAIN does first; so the widget tests use this main.
// Each test deletes the windows it makes.
#define TELVANE_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        LocalPageScheme::registerScheme();                                                         \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
