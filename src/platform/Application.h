#pragma once
// The application object: initialisation, the message loop and idle work,
// and the application's exception handler.

#include <exception>

// Creates the GUI application. Call once, before any window exists.
void Application_Initialize(int& argc, char** argv);
// Processes pending events (posted events, timers, painting) and returns.
void Application_ProcessMessages();
// Runs the message loop until the main window closes; returns the exit code.
// Meanwhile a request of the system to end the program (SIGTERM, SIGHUP,
// SIGINT) closes the main window as its close box does.
int Application_Run();
// Ends the message loop.
void Application_Terminate();

// The application's exception handler. An exception that an event handler
// lets out (a click, a key, a change, a timer, a posted event, the closing
// of a window) ends that handler only: the event loop catches it and hands
// it here, which shows its message in an error box (through MessageDlg)
// and returns, and the program goes on. EAbort ends an operation silently.
// A paint that fails draws what it got to; its message is shown once, after
// the painting, until that control paints without failing again.
void Application_HandleException(std::exception_ptr e);
