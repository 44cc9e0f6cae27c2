#include "resources/general_pack.h"

#include <algorithm>

namespace zelko {
namespace {

void ReadInt(const LayoutPack& pack, std::string_view key, int& value) {
  value = pack.IntOr(key, value);
}

void ReadText(const LayoutPack& pack, std::string_view key, std::string& value) {
  if (auto text = pack.Text(key)) value = std::move(*text);
}

}  // namespace

GeneralPack ReadGeneralPack(const LayoutPack& pack) {
  GeneralPack general;
  ReadInt(pack, "Web_Enable", general.Web_Enable);
  ReadText(pack, "Web", general.Web);
  ReadInt(pack, "Web_X", general.Web_X);
  ReadInt(pack, "Web_Y", general.Web_Y);
  ReadInt(pack, "Rev_Manu_ID", general.Rev_Manu_ID);
  ReadInt(pack, "Rev_Pro_ID", general.Rev_Pro_ID);
  ReadText(pack, "Path", general.Path);
  ReadInt(pack, "TR_Enable", general.TR_Enable);
  ReadInt(pack, "DPILED_Status", general.DPILED_Status);
  ReadInt(pack, "Num_Order", general.Num_Order);
  general.Num_Order = std::clamp(general.Num_Order, 0, 1);
  return general;
}

GeneralPack LoadGeneralPack() {
  const auto pack = LoadLayoutPack(kGeneralPackName);
  return pack ? ReadGeneralPack(*pack) : GeneralPack{};
}

std::pair<int, int> ReserveIdentityFromGeneralPack() {
  const GeneralPack general = LoadGeneralPack();
  return {general.Rev_Manu_ID, general.Rev_Pro_ID};
}

}  // namespace zelko
