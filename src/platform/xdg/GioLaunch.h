#pragma once

#include "platform/xdg/LaunchRequest.h"

// Launching with GIO, done by the launch helper (trovia-launch): each entry or action as the
// desktop would launch it, with a startup notification, the activation token, a session and a
// systemd scope of its own. GIO and the libraries it brings then live only as long as a launch,
// not in the resident launcher.
namespace GioLaunch
{

// Launches what request names, as it is on disk now; false when it is gone, hidden, lacks the
// action or the launch failed, with a log line that says why.
bool launch(const LaunchRequest &request);

// Once Trovia has its answer: moves the spawned processes into systemd scopes of their own, sends
// what GIO left unsent, and waits for the answers still due (the scopes, a D-Bus activation), at
// most 30 seconds. launchFailed is called when one says the launch failed after all.
void waitForReplies(void (*launchFailed)());

} // namespace GioLaunch
