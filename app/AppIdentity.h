#pragma once

// One reverse-DNS application id names the desktop entry, the AppStream metainfo, the
// installed icons and the Wayland app id, so desktops and compositor rules can match them.
// The publisher has no domain of its own yet; names under the reserved .example domain can
// belong to no one else until it does.
namespace velmora::app {

inline constexpr char kApplicationId[] = "example.velmora.Velmora";
// The icon theme name the desktop entry and the autostart entry point at.
inline constexpr char kIconName[] = "example.velmora.Velmora";
// The publisher's web domain and the address the About screen opens.
inline constexpr char kPublisherDomain[] = "velmora.example";
inline constexpr char kPublisherWebsite[] = "https://velmora.example/";

}  // namespace velmora::app
