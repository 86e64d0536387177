// Pausing and resuming the program: the drawing thread stops between two drawing calls, input
// reaches no callback, and the application's menu items are greyed until the program resumes.
#pragma once

namespace framework {

// Pauses the program. A short-lived thread takes the drawing lock of the active child window, so
// that the pause falls between two drawing calls and never keeps the GUI thread waiting for one,
// starts the hold of every thread that called into the framework (runtime/thread_hold.h) and
// lets the lock go; then it asks for every other window's surface, so that each drawing thread
// stops before its next call whatever window it draws on, and only then sets the run state
// Paused and greys the application's menu items. A finished program is paused at once, without
// that thread. A pause asked for while the program is paused (or being
// paused) only makes the next resume be ignored. GUI thread.
void pause_program();

// Resumes a paused program: the run state it had before (Running, or Finished for a finished
// program), the application's items enabled again (unless finished), the threads released. A
// pause still on its way is called off. Returns true when a pause ended or was called off; false
// when there was none, or when this resume is the one to ignore. GUI thread.
bool resume_program();

// Paused, or being paused. GUI thread.
bool pause_in_effect();

} // namespace framework
