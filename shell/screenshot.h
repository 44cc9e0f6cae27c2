// Pictures of the window without a display: every page in every language,
// rendered off screen to PNG files.
#pragma once
#include <QString>
#include <QStringList>

namespace zelko {

class MainWindow;

// Renders the pages of `window` in languages 1..3 into `folder` as
// "lang<n>_<page>.png", the button menu open on the main page as
// "lang<n>_menu.png" and the combination-key dialog as "lang<n>_combo.png",
// plus "main.png" (language 1, main page). Returns the files written;
// `error` says what failed.
QStringList RenderAllPages(MainWindow& window, const QString& folder, QString* error);

}  // namespace zelko
