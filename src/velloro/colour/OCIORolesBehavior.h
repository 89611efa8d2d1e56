#pragma once

namespace Velloro::OpenColorIO {

// How roles appear in colour-space menus.
enum OCIORolesBehavior {
  // Colour spaces only; role names asked of the manager are translated to colour-space names.
  HideRoles = 0,
  // Roles at the top level, then every colour space under "Colorspaces/".
  RolesFirst = 1,
  // Colour spaces at the top level, then every role under "Roles/".
  RolesInSubmenu = 2
};

} // namespace Velloro::OpenColorIO
