#pragma once

namespace velmora {

class Haptics {
public:
    virtual ~Haptics() = default;
    virtual void alignment() {}    // a mark changed
    virtual void levelChange() {}  // a game was won
};

// Desktops have no haptic hardware; this is the production implementation there.
class NoHaptics final : public Haptics {};

}  // namespace velmora
