#pragma once

#include <cstdio>

#include <QObject>

class QQuickWindow;

namespace velmora::app {

// Timing trace for the UI figures (scripts/ui-figures.sh): with VELMORA_FRAME_LOG=FILE the
// app appends one line per event, "<event> <microseconds on the monotonic clock>": "trigger"
// (tray click), "press" (mouse press in the window), "tiles" (the board changed) and "frame"
// (a frame reached the screen). Off, it costs nothing.
class FrameLog final : public QObject {
public:
    static FrameLog* fromEnvironment(QObject* parent);
    ~FrameLog() override;

    void watch(QQuickWindow* window);
    void mark(const char* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrameLog(std::FILE* file, QObject* parent);
    std::FILE* file_;
};

}  // namespace velmora::app
