// Data compiled into the programs: factory images, packs, PNG images, the
// default macro library. A resource is found by its file name without
// extension ("ZELKO77Data_Cfg1", "lang1", "org1"), ignoring case.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

using ResourceBytes = std::span<const std::uint8_t>;

// The bytes of the named resource, or nothing when no resource has that name.
std::optional<ResourceBytes> LookupResource(std::string_view name);

// Every resource name, in the case the file has.
std::vector<std::string> ResourceNames();

}  // namespace zelko
