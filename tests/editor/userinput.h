#pragma once
// What a user types and how he leaves a field, delivered through the
// application object (so that its error handler sees what escapes).

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace testing {

// Types the text one character at a time (any alphabet; QTest's own typing knows only Latin-1).
inline void typeText(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

// Leaves the field with Tab.
inline void leave(QWidget* field)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &event);
}

}  // namespace testing
