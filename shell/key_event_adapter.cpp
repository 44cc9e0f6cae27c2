#include "shell/key_event_adapter.h"

#include <QGuiApplication>

namespace zelko {

namespace {

KeyEventSource SourceOfPlatform() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("windows")) return KeyEventSource::kWindows;
  if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))) {
    return KeyEventSource::kXkb;
  }
  return KeyEventSource::kOther;
}

}  // namespace

ToolkitKeyEvent ToolkitKeyOf(const QKeyEvent& event) {
  ToolkitKeyEvent key;
  key.qt_key = event.key();
  key.keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  key.scan_code = event.nativeScanCode();
  key.native_virtual_key = event.nativeVirtualKey();
  key.source = SourceOfPlatform();
  return key;
}

int VirtualKeyOf(const QKeyEvent& event) { return VirtualKeyOfKeyEvent(ToolkitKeyOf(event)); }

}  // namespace zelko
