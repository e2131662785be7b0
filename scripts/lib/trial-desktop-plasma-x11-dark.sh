# KDE Plasma on X11 with the Breeze Dark global theme, for scripts/lib/trial-session.sh.
source "$(dirname "${BASH_SOURCE[0]}")/trial-desktop-plasma-x11.sh"
TRIAL_PLASMA_THEME=org.kde.breezedark.desktop
