#pragma once
// The application object: initialisation, the message loop and idle work.

// Creates the GUI application. Call once, before any window exists.
void Application_Initialize(int& argc, char** argv);
// Processes pending events (posted events, timers, painting) and returns.
void Application_ProcessMessages();
// Runs the message loop until the main window closes; returns the exit code.
int Application_Run();
// Ends the message loop.
void Application_Terminate();
