// A printed layout fed from a real dataset: the month summary of the time
// sheet print over the demo month, through the dataset adapter.

#include <QTest>

#include "data/datamodule.h"
#include "report/document.h"
#include "reports/datasetrows.h"
#include "reports/layouts.h"
#include "support/testdatabase.h"
#include "support/testmain.h"

namespace {

QString monthSummaryStatement()
{
    QString s = QStringLiteral("select person.s_caption fio,");
    for (int d = 1; d <= 31; ++d)
        s += QStringLiteral(" sum(d%1) as sd%1%2").arg(d).arg(d < 31 ? QStringLiteral(",") : QString());
    return s + QStringLiteral(" from accounts_dep.h_tabel, cmn_contractor.person person where "
                              "h_tabel.w_id=person.s_code::t_integer and month=:mnth and year=:yea group by fio "
                              "order by fio");
}

}  // namespace

class LayoutFromDatasetTest : public QObject {
    Q_OBJECT
private slots:
    void timeSheetPrintOfTheDemoMonth()
    {
        testing::TestDatabase db("layoutfromdataset");
        data::DataModule dm(db.connectionString());
        data::Dataset summary(dm.ADO_DB, "H_Tabel", monthSummaryStatement());
        summary.setParam("mnth", 11);
        summary.setParam("yea", 2026);
        summary.open();
        QVERIFY(summary.recordCount() > 50);

        reports::PrintedLayout form = reports::timesheetPrint();
        form.setTitle(QStringLiteral("Ноябрь 2026 г."));
        const report::Document doc = form.generate(reports::DatasetRows(summary));
        QVERIFY(doc.pages.size() > 1);
        // every person of the month is printed once, in the dataset's order
        QStringList printed;
        for (const report::Page& page : doc.pages)
            for (const report::PlacedText& t : page.texts)
                if (t.name == QLatin1String("fio"))
                    printed << t.text;
        summary.first();
        QCOMPARE(printed.size(), summary.recordCount());
        QCOMPARE(printed.first(), summary.text("fio"));
        // an open dataset can be printed again after a sort, in the new order
        summary.setSort("fio DESC");
        const report::Document again = form.generate(reports::DatasetRows(summary));
        QVERIFY(!again.pages.isEmpty());
        summary.close();
    }
};

TABEL_TEST_MAIN(LayoutFromDatasetTest)
#include "test_layoutfromdataset.moc"
