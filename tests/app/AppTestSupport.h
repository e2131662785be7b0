#pragma once

#include <QString>

#include "Shell.h"

namespace velmora::app {

// What the in-process app tests start: the game in an ordinary window over the store at
// defaultsPath, at the plain text size whatever the desktop running the tests says.
inline Options windowOptions(const QString& defaultsPath) {
    Options options;
    options.defaultsPath = defaultsPath;
    options.window = true;
    options.textScale = 1.0;
    return options;
}

}  // namespace velmora::app
