#include "shell/general_settings.h"

#include "resources/layout_pack.h"
#include "shell/layout_applier.h"

namespace zelko {

GeneralSettings ReadGeneralSettings(const LayoutPack& pack) {
  GeneralSettings s;
  s.webEnable = pack.IntOr("Web_Enable", s.webEnable);
  s.web = QString::fromStdString(pack.Text("Web").value_or(std::string{}));
  s.webX = pack.IntOr("Web_X", s.webX);
  s.webY = pack.IntOr("Web_Y", s.webY);
  s.reserveManufacturerId = pack.IntOr("Rev_Manu_ID", s.reserveManufacturerId);
  s.reserveProductId = pack.IntOr("Rev_Pro_ID", s.reserveProductId);
  s.macroFolder = QString::fromStdString(pack.Text("Path").value_or(std::string{}));
  s.textRolling = pack.IntOr("TR_Enable", s.textRolling);
  s.barStyle = pack.IntOr("DPILED_Status", s.barStyle);
  s.numberOrder = ClampNumberOrder(pack.IntOr("Num_Order", s.numberOrder));
  return s;
}

}  // namespace zelko
