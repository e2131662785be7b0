#pragma once

#include <QQuickItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace velmora::ui {

// Says a short text through the screen reader at once, wherever keyboard focus is: what a
// key did to the focused tile, how a game ended. Qt 6.8 and later carry it as an
// announcement; on older Qt the item is a notification (its QML gives it that role, inside a
// status bar so the reader does not say "notification" first) that shows itself anew with
// the text as its name, which Orca reads out as it arrives. Without assistive technology
// listening it does nothing at all.
class Announcer : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    // The last text announced: the notification's name on Qt before 6.8.
    Q_PROPERTY(QString text READ text NOTIFY textChanged)

public:
    explicit Announcer(QQuickItem* parent = nullptr);

    QString text() const { return text_; }
    Q_INVOKABLE void announce(const QString& text);

    // Whether anything listens: announcements are composed only then.
    static bool listening();

signals:
    void textChanged();

private:
    QString text_;
};

}  // namespace velmora::ui
