#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace velmora::ui {

// What the desktop says about text size, motion and contrast; the app fills it in at start-up
// and again whenever the desktop changes one of them.
class SystemSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("SystemSettings is created by the application")
    Q_PROPERTY(double textScale READ textScale WRITE setTextScale NOTIFY textScaleChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(bool increasedContrast READ increasedContrast WRITE setIncreasedContrast NOTIFY
                   increasedContrastChanged)
public:
    using QObject::QObject;

    double textScale() const { return textScale_; }
    void setTextScale(double value) {
        // A scale that is not a positive finite number would make every length meaningless.
        if (!(value > 0.0) || value > 100.0) value = 1.0;
        if (value == textScale_) return;
        textScale_ = value;
        emit textScaleChanged();
    }
    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool value) {
        if (value == reduceMotion_) return;
        reduceMotion_ = value;
        emit reduceMotionChanged();
    }

    bool increasedContrast() const { return increasedContrast_; }
    void setIncreasedContrast(bool value) {
        if (value == increasedContrast_) return;
        increasedContrast_ = value;
        emit increasedContrastChanged();
    }

signals:
    void textScaleChanged();
    void reduceMotionChanged();
    void increasedContrastChanged();

private:
    double textScale_ = 1.0;
    bool reduceMotion_ = false;
    bool increasedContrast_ = false;
};

}  // namespace velmora::ui
