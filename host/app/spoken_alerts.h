// The alerts of the plug-in's notification window as a screen reader hears
// them: a WinEvent hook of this process reads each alert's name and
// description from the accessible object it names, when this thread takes
// the event from its queue.
#pragma once
#include <string>

// Starts listening (once) on the calling thread.
void listenForAlerts();
void stopListeningForAlerts();
// The last alert heard: its name and, after a line feed, its description
// (Windows-1250); empty before the first.
std::string lastAlertSpoken();
