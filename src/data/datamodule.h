#pragma once
// The data module: the one connection (ADO_DB) and the datasets and commands
// that several windows share.

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "core/finally.h"
#include "data/command.h"
#include "data/connection.h"
#include "data/dataset.h"

namespace data {

class DataModule {
public:
    // Starts with the given connection string (the built-in one by default); nothing is opened yet.
    explicit DataModule(const QString& connectionString = {});
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    Connection ADO_DB;

    // Shift datasets of shifts 1..4 (parameters data, ok).
    Dataset Smena1, Smena2, Smena3, Smena4;
    Dataset& smena(int shift);

    Dataset Workers;
    Dataset Izdel;
    Dataset Oper;
    Dataset Vid_oper;
    // Time sheet of shifts 1..3 of a month (parameters mnth, yea).
    Dataset H_Tabel_1, H_Tabel_2, H_Tabel_3;
    Dataset& timeSheet(int shift);

    Command Oper_ins;
    Command Oper_ed;
    Command Oper_del;

    // Scratch objects: the caller sets the whole statement text before each use.
    Dataset Control;
    Command DelSmena;
    Command H_Tabel_ins;

    // Reads column cnt of the first row of the statement through Control (0
    // when there is no row).
    int count(const QString& statement);

    // Reads column cnt of the first row of the statement through Control.
    // When it is above 0 the message is passed to `warn` and the answer is true.
    bool duplicateCheck(const QString& statement, const QString& message,
                        const std::function<void(const QString&)>& warn);

    // Runs a statement through Control and returns the first row's first
    // column (null when there is no row). Control is closed again.
    QVariant scalar(const QString& statement);

    // Runs a statement through Control and returns what `read` takes from the
    // open dataset; Control is closed again afterwards, also after an error.
    template <typename Read>
    auto readControl(const QString& statement, Read&& read)
    {
        Control.close();
        Control.setStatement(statement);
        const core::Finally closeControl([this] { Control.close(); });
        Control.open();
        return read(std::as_const(Control));
    }
};

}  // namespace data
