#include "support/messagerecorder.h"

namespace testing {

MessageRecorder::MessageRecorder()
{
    ui::setMessageHandler([this](const ui::Message& m) {
        messages_.append(m);
        if (onNext_) {
            auto fn = std::move(onNext_);
            onNext_ = nullptr;
            fn(m);
        }
        if (!answers_.isEmpty())
            return answers_.takeFirst();
        if (m.buttons & QMessageBox::Yes)
            return QMessageBox::Yes;
        return QMessageBox::Ok;
    });
}

MessageRecorder::~MessageRecorder() { ui::resetMessageHandler(); }

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const auto& m : messages_)
        out << m.text;
    return out;
}

}  // namespace testing
