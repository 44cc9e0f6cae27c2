// The skin's pictures, loaded from the compiled-in resources by name each
// time they are shown ("BtnS_01", "L2_Back3").
#pragma once
#include <QPixmap>
#include <QString>

namespace zelko {

// The named image, or a null pixmap when there is no such image or it does
// not decode. Decoded once per name (GUI thread only).
QPixmap LoadSkinPixmap(const QString& name);

// The same as an image, for masks and sizes.
QImage LoadSkinImage(const QString& name);

// The image name of a language-bound picture: "L" + language + "_" + stem
// ("L2_BackGround", "L1_Back3").
QString LanguageImageName(int languageIndex, const QString& stem);

}  // namespace zelko
