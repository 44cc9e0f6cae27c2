#include "shell/general_settings.h"

namespace zelko {

GeneralSettings ToGeneralSettings(const GeneralPack& general) {
  GeneralSettings s;
  s.webEnable = general.Web_Enable;
  s.web = QString::fromStdString(general.Web);
  s.webX = general.Web_X;
  s.webY = general.Web_Y;
  s.reserveManufacturerId = general.Rev_Manu_ID;
  s.reserveProductId = general.Rev_Pro_ID;
  s.macroFolder = QString::fromStdString(general.Path);
  s.textRolling = general.TR_Enable;
  s.barStyle = general.DPILED_Status;
  s.numberOrder = general.Num_Order;
  return s;
}

}  // namespace zelko
