// The planner's program: runs the start-up sequence and then the window's event loop.
#include "app/mainwindow/program.h"

int main(int argc, char** argv) { return mainwindow::RunProgram(argc, argv); }
