#pragma once
// Plays the user in the program's modal windows: each time a window is
// "shown" through ui::execModal, the next action queued for its objectName
// runs on it (a window with no action queued is left with "cancel").

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

#include "ui/dialogs.h"

namespace testing {

class DialogScript {
public:
    using Action = std::function<void(QDialog&)>;

    DialogScript()
    {
        ui::setDialogHandler([this](QDialog& dialog) { return run(dialog); });
    }
    ~DialogScript() { ui::resetDialogHandler(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // The next showing of the window `name` runs `action` (typed as the window's class).
    template <typename Window>
    void on(const QString& name, std::function<void(Window&)> action)
    {
        actions_.append({name, [action](QDialog& d) { action(static_cast<Window&>(d)); }});
    }

    // objectNames of the windows shown, in order.
    const QStringList& shown() const { return shown_; }
    int pending() const { return int(actions_.size()); }

private:
    int run(QDialog& dialog)
    {
        shown_ << dialog.objectName();
        dialog.setResult(QDialog::Rejected);
        for (qsizetype i = 0; i < actions_.size(); ++i) {
            if (actions_[i].first != dialog.objectName())
                continue;
            const Action action = actions_.takeAt(i).second;
            action(dialog);
            return dialog.result();
        }
        dialog.reject();
        return dialog.result();
    }

    QList<QPair<QString, Action>> actions_;
    QStringList shown_;
};

}  // namespace testing
