#pragma once
// Lays a report out into pages: report header, spacer, column header, group
// headers, detail rows, group footers, report footer and page footers, with
// running sums and page breaks.

#include <exception>
#include <memory>

#include "report/document.h"
#include "report/layout.h"
#include "report/rowsource.h"

namespace report {

// Throws fmt::AppError when the rows lack a field the layout prints, when a
// value that must be a number is none, or when a number format is unknown.
// Always gives at least one page; a band taller than a page is cut off.
Document layOut(const Layout& layout, const RowSource& rows);

// The same a page at a time, so that a preview can show the first page while
// the rest is laid out. The layout and the rows must stay as they are while
// it lives. A failure (thrown as by layOut) ends it: every later call that
// lays out throws the same error again.
class Pagination {
public:
    Pagination(const Layout& layout, const RowSource& rows);
    // It keeps references: no temporaries.
    Pagination(Layout&&, const RowSource&) = delete;
    Pagination(const Layout&, RowSource&&) = delete;
    ~Pagination();
    Pagination(const Pagination&) = delete;
    Pagination& operator=(const Pagination&) = delete;

    // Lays out until that many pages are complete, or until about that time
    // has passed; true when the whole report is.
    bool layOutPages(int pages);
    bool layOutFor(int milliseconds);

    bool finished() const;
    // Stopped by a failure: what is laid out is all there will be.
    bool failed() const;
    // Pages laid out to their page footer; all of them once finished.
    int completePages() const;
    // The pages so far: the complete ones, then the one being filled.
    const Document& document() const;
    // Lays out the rest and hands the document over.
    Document finish();

private:
    class Impl;
    template <typename Done>
    bool layOutUntil(Done&& done);

    std::unique_ptr<Impl> impl_;
    std::exception_ptr error_;
};

}  // namespace report
