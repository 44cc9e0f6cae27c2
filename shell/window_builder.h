// Creates the window's controls under the names the layout packs and the
// pages use, and registers them. Design-time places are a plain arrangement
// that the layout packs then overwrite.
#pragma once
#include <QSize>
#include <QStringList>
#include <QWidget>


namespace zelko {

class ControlRegistry;

// The skinned buttons every skinned page carries a copy of.
const QStringList& SkinnedButtonNames();

// Skinned page `copy` (1..4), container "gbPage<copy>", sized `skin`.
QWidget* BuildSkinnedPage(int copy, QWidget* window, const QSize& skin, ControlRegistry& registry);

}  // namespace zelko
