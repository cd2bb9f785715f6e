#pragma once

#include "app/Program.h"
#include "app/Reader.h"

// The program's windows as the executable sees them through the reader module.
class ProgramReader final : public Program, public Reader {
public:
    using Program::Program;
    void showMainWindow() override { Program::showMainWindow(); }
};
