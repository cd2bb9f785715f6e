#pragma once

#include <QString>
#include <exception>

// A run-time error as the program reports it: a number, a description for the
// user and the name of the component that raised it.
struct RuntimeError : std::exception {
    int number;
    QString description;
    QString source;

    RuntimeError(int errorNumber, QString errorDescription, QString errorSource)
        : number(errorNumber), description(std::move(errorDescription)),
          source(std::move(errorSource)) {}

    const char* what() const noexcept override { return "run-time error"; }
};
