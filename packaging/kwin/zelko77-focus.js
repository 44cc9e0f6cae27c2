// Loaded by the ZELKO77 switcher over D-Bus (org.kde.KWin /Scripting
// loadScript, then run) and unloaded when it stops: tells it the active
// window's resource class at start and at every change, by calling
// FocusChanged(app id, pid) on org.zelko77.Focus.
// Plasma 6 names the active window workspace.activeWindow and its signal
// windowActivated; Plasma 5 activeClient and clientActivated.
const BUS_NAME = "org.zelko77.Focus";
const OBJECT_PATH = "/org/zelko77/Focus";
const INTERFACE = "org.zelko77.Focus1";
const METHOD = "FocusChanged";

function report(window) {
    const appId = window ? String(window.resourceClass) : "";
    const pid = window && window.pid > 0 ? window.pid : 0;
    callDBus(BUS_NAME, OBJECT_PATH, INTERFACE, METHOD, appId, pid);
}

if (workspace.activeWindow !== undefined) {
    workspace.windowActivated.connect(report);
    report(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(report);
    report(workspace.activeClient);
}
