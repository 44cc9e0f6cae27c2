// Tells the ZELKO77 switcher the app id of the focused window: it calls
// FocusChanged(app id, pid) on the switcher's name on the session bus at
// every change of the focused window, and once more whenever the name
// appears (a switcher that starts later hears the window in front). While
// no switcher runs it sends nothing.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const BUS_NAME = 'org.zelko77.Focus';
const OBJECT_PATH = '/org/zelko77/Focus';
const INTERFACE = 'org.zelko77.Focus1';
const METHOD = 'FocusChanged';
const CALL_TIMEOUT_MS = 1000;

export default class ZelkoFocusExtension extends Extension {
    enable() {
        this._switcherPresent = false;
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME,
            Gio.BusNameWatcherFlags.NONE,
            () => {
                this._switcherPresent = true;
                this._report();
            },
            () => {
                this._switcherPresent = false;
            });
        this._focusChanged = global.display.connect('notify::focus-window', () => this._report());
    }

    disable() {
        if (this._focusChanged) {
            global.display.disconnect(this._focusChanged);
            this._focusChanged = null;
        }
        if (this._watch) {
            Gio.bus_unwatch_name(this._watch);
            this._watch = null;
        }
        this._switcherPresent = false;
    }

    _report() {
        if (!this._switcherPresent)
            return;
        const window = global.display.focus_window;
        // A Wayland client's app id, an X11 client's WM_CLASS class; empty
        // when nothing has the focus.
        const appId = window ? (window.get_wm_class() ?? '') : '';
        const pid = window ? Math.max(window.get_pid(), 0) : 0;
        Gio.DBus.session.call(BUS_NAME, OBJECT_PATH, INTERFACE, METHOD,
            new GLib.Variant('(su)', [appId, pid]), null,
            Gio.DBusCallFlags.NO_AUTO_START, CALL_TIMEOUT_MS, null,
            (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    // The switcher went away meanwhile: the next change finds
                    // it again, or nobody listens.
                }
            });
    }
}
