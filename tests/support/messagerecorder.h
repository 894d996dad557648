#pragma once
// Answers the program's message boxes during a test and records what they said.

#include <QList>
#include <QMessageBox>

#include "ui/messages.h"

namespace testing {

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The next questions get these answers in turn; when none is queued a
    // question is answered with its first button (Yes before No, OK).
    void answer(QMessageBox::StandardButton button) { answers_.append(button); }
    // Runs while the next message is "on screen", before it is answered.
    void onNext(std::function<void(const ui::Message&)> fn) { onNext_ = std::move(fn); }

    const QList<ui::Message>& messages() const { return messages_; }
    int count() const { return int(messages_.size()); }
    QStringList texts() const;
    QString lastText() const { return messages_.isEmpty() ? QString() : messages_.last().text; }
    void clear() { messages_.clear(); }

private:
    QList<ui::Message> messages_;
    QList<QMessageBox::StandardButton> answers_;
    std::function<void(const ui::Message&)> onNext_;
};

}  // namespace testing
