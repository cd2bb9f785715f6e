#pragma once

#include <QObject>
#include <QString>

// A window's control by its design name; null when there is none, which the
// calling test then fails on.
template <typename Control> Control* control(const QObject* window, const char* name) {
    return window->findChild<Control*>(QLatin1String(name));
}
