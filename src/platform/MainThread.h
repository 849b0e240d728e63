#pragma once
// Handing work from a worker thread to the GUI thread.

#include <functional>

// Runs fn on the GUI thread once the events queued before it are processed,
// and returns at once. Without an application object (no GUI thread) fn
// runs on the calling thread.
void Queue_Main_Thread(std::function<void()> fn);

// True on the thread that runs the GUI message loop (or, without an
// application object, always).
bool Is_Main_Thread();
