#pragma once
// A window whose commands run one at a time. While one runs (a print preview,
// an export that lets events through), a second command and closing the
// window (Esc, "Выход", the window's close button) are ignored.

#include <QDialog>
#include <utility>

#include "core/finally.h"
#include "ui/application.h"

namespace ui {

class CommandDialog : public QDialog {
public:
    using QDialog::QDialog;

    // True while a command runs.
    bool busy() const { return busy_; }

    void reject() override
    {
        if (!busy_)
            QDialog::reject();
    }

protected:
    void closeEvent(QCloseEvent* event) override;

    // Runs fn unless a command runs; errors go to the standard error box.
    template <typename Fn>
    void command(Fn&& fn)
    {
        if (busy_)
            return;
        busy_ = true;
        const core::Finally done([this] { busy_ = false; });
        guarded(std::forward<Fn>(fn));
    }

private:
    bool busy_ = false;
};

}  // namespace ui
