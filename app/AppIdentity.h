#pragma once

// One reverse-DNS application id names the desktop entry, the AppStream metainfo, the
// installed icons and the Wayland app id, so desktops and compositor rules can match them.
// The publisher has no domain of its own yet; a name under the reserved .example domain can
// belong to no one else until it does.
namespace velmora::app {

inline constexpr char kApplicationId[] = "example.velmora.Velmora";
// The icon theme name the desktop entry and the autostart entry point at.
inline constexpr char kIconName[] = "example.velmora.Velmora";

}  // namespace velmora::app
