// Creates the window's controls under the names the layout packs and the
// pages use, and registers them. Design-time places are a plain arrangement
// that the layout packs then overwrite.
#pragma once
#include <QSize>
#include <QStringList>
#include <QWidget>

#include "resources/engineer_terms.h"

namespace zelko {

class ControlRegistry;

// The skinned buttons every skinned page carries a copy of.
const QStringList& SkinnedButtonNames();

// Skinned page `copy` (1..4), container "gbPage<copy>", sized `skin`.
QWidget* BuildSkinnedPage(int copy, QWidget* window, const QSize& skin, ControlRegistry& registry);

// The engineer page "gbPage6": its page buttons, captioned from the engineer
// terms in `terms` (the page itself is filled elsewhere).
QWidget* BuildEngineerPage(QWidget* window, ControlRegistry& registry, TermLanguage terms);

}  // namespace zelko
