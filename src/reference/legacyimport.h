#pragma once
// The one-off import of the previous database: the reference books, the time
// sheet and the shift records are copied into the program's tables with
// their ids, table by table (legacysteps.h). Each table is copied in one
// transaction: a table whose copy fails is left as it was, the error names
// the table and the row, and the tables after it are not touched. After a
// table is copied, the sequence of its ids stands past the largest copied id.

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>

namespace data {
class Connection;
}

namespace reference {

struct CopyStep;

// The two ODBC data sources of the import, declared on the workstation.
struct ImportSources {
    QString legacyDsn;       // the previous database (MSA)
    QString legacyPassword;
    QString targetDsn;       // the program's database (PGSQL); the data source gives the rest
    QString targetLogin;
};

// The data sources the program was built with (see README).
ImportSources configuredImportSources();

class LegacyImport {
public:
    // Told the progress line after each batch of rows: "OPER: 15 из 340 записей".
    // Pending events other than the user's input are processed after each
    // batch read or written, so the windows repaint while the import runs.
    using Progress = std::function<void(const QString& line)>;

    explicit LegacyImport(ImportSources sources = configuredImportSources());
    ~LegacyImport();
    LegacyImport(const LegacyImport&) = delete;
    LegacyImport& operator=(const LegacyImport&) = delete;

    const ImportSources& sources() const { return sources_; }
    // Takes effect at the next connection.
    void setSources(const ImportSources& sources);

    // Connects both data sources anew (they stay connected) and copies the seven
    // tables in order; the shift records are read through the program's own
    // connection. Throws at the first failure. A call while an import runs
    // does nothing.
    void run(data::Connection& mainConnection, const Progress& progress);
    bool running() const { return running_; }

    // Rows written by one insert (1000).
    int batchRows() const { return batchRows_; }
    void setBatchRows(int rows) { batchRows_ = std::max(1, rows); }

private:
    void copy(int stepNumber, const CopyStep& step, data::Connection& source, const Progress& progress);

    ImportSources sources_;
    std::unique_ptr<data::Connection> legacy_;  // MSA
    std::unique_ptr<data::Connection> target_;  // PGSQL
    int batchRows_ = 1000;
    bool running_ = false;
};

}  // namespace reference
