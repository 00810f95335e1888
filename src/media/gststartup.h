#pragma once

// GStreamer builds its plug-in registry on a user's first start, which takes most of a second: the
// program starts it on a thread of its own and shows its window meanwhile. Whatever needs GStreamer
// waits for it here.
namespace GstStartup {

// Starts initialising GStreamer in the background; returns at once. Called once, early in main().
void beginInBackground();
// Initialises GStreamer, or waits for the background start to finish. On the GUI thread the window
// keeps painting while it waits; the user's input and requests of second starts wait with it.
void waitUntilReady();

}  // namespace GstStartup
