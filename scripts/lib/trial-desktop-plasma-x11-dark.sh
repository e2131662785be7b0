# KDE Plasma on X11 with the Breeze Dark global theme, for scripts/lib/trial-session.sh.
TRIAL_PLASMA_THEME=org.kde.breezedark.desktop
source "$here/trial-desktop-plasma-x11.sh"
