// The runtime's event-loop helpers.
#pragma once

namespace vb {

// Runs every pending event and posted message, then returns.
void DoEvents();

// DoEvents when a frame (16 ms) has passed since DoEvents last ran, else nothing: for a loop that
// lets events through at each of many quick steps. A click made meanwhile is still handled within
// a frame, and the steps between cost no pass over an empty queue.
void DoEventsOncePerFrame();

}  // namespace vb
