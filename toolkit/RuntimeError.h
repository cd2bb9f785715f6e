#pragma once

#include <QString>
#include <exception>

// A run-time error as the program reports it: a description for the user and
// the name of the component that raised it.
struct RuntimeError : std::exception {
    QString description;
    QString source;

    RuntimeError(QString errorDescription, QString errorSource)
        : description(std::move(errorDescription)), source(std::move(errorSource)) {}

    const char* what() const noexcept override { return "run-time error"; }
};
