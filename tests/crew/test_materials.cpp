// The materials of a shift record, driven through the real editor and the
// material dialog against a fresh database: the proposed consumption, the
// stock check and its question, the refusals, deleting a material.

#include <QLabel>
#include <QSignalSpy>

#include "core/textformat.h"
#include "crewdriver.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

using crewtest::chooseMaterial;
using crewtest::kRecord;
using crewtest::press;
using editor::MaterialDialog;
using editor::ShiftRecordEditor;

namespace {

const QString kZero = QStringLiteral("Расход ТМЦ не может быть 0!");
const QString kBatch =
    QStringLiteral("Расход ТМЦ не может быть больше партии! Расходовать весь остаток по партии?");

}  // namespace

class MaterialsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<crewtest::CrewDriver> d_;

    void addUse(qint64 material, double quantity)
    {
        d_->db->exec(QStringLiteral("insert into accounts_dep.smena_gds_use (id_smena, id_gds_use, f_qty_use) "
                                    "values (%1, %2, %3)")
                         .arg(kRecord)
                         .arg(material)
                         .arg(quantity));
    }
    // Consumptions of the record, "material:quantity" in the order stored.
    QString stored()
    {
        return d_->scalar(QStringLiteral("select coalesce(string_agg(id_gds_use || ':' || f_qty_use::float8, ' ' "
                                         "order by id), '') from accounts_dep.smena_gds_use where id_smena = %1")
                              .arg(kRecord))
            .toString();
    }

private slots:
    void initTestCase()
    {
        d_ = std::make_unique<crewtest::CrewDriver>(QStringLiteral("materials"));
    }
    void init()
    {
        d_->script.reset();  // the old script lets go of the dialogs before the new one takes them
        d_->script = std::make_unique<testing::DialogScript>();
        d_->db->exec(QStringLiteral("delete from accounts_dep.smena_gds_use"));
        d_->db->exec(QStringLiteral("update accounts_dep.smena set kol_vo = 10 where id = %1").arg(kRecord));
        d_->reloadJournal();
    }
    void cleanupTestCase() { d_.reset(); }

    void proposesQuantityTimesNormLessWhatIsUsed_data()
    {
        QTest::addColumn<qint64>("material");
        QTest::addColumn<double>("used");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("unreserved");
        QTest::addColumn<QString>("reserved");
        QTest::newRow("norm 0.25, nothing used") << crewtest::kWire << 0.0 << "2,5" << "4" << "6";
        QTest::newRow("norm 0.5, 1,5 used of another") << crewtest::kTape << 1.5 << "3,5" << "1000" << "0";
        QTest::newRow("no norm, 5 used") << crewtest::kPrimer << 5.0 << "-5" << "0" << "100";
    }
    void proposesQuantityTimesNormLessWhatIsUsed()
    {
        QFETCH(qint64, material);
        QFETCH(double, used);
        QFETCH(QString, proposal);
        QFETCH(QString, unreserved);
        QFETCH(QString, reserved);
        if (used > 0)
            addUse(crewtest::kTape, used);
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QCOMPARE(m.windowTitle(), QStringLiteral("Материал"));
                QCOMPARE(m.stockLine1->text(), QStringLiteral("Остток по резерву на складе: 0"));
                QCOMPARE(m.stockLine2->text(), QStringLiteral("Свободный остаток на складе: 0"));
                chooseMaterial(m, material);
                QCOMPARE(m.consumptionEdit->text(), proposal);
                QCOMPARE(m.stockLine1->text(), QStringLiteral("Остток по резерву на складе: ") + unreserved);
                QCOMPARE(m.stockLine2->text(), QStringLiteral("Свободный остаток на складе: ") + reserved);
                m.reject();
            });
        });
        QCOMPARE(d_->script->pending(), 0);
    }

    void aNewRecordTakesItsMaterialsOnceSaved()
    {
        int record = 0;
        d_->inNewSavedRecord([&](ShiftRecordEditor& e) {
            record = e.values().recordId;
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QCOMPARE(m.LCB_id_gds_use->count(), 3);  // the routing's two and the one reserved for the line
                chooseMaterial(m, crewtest::kWire);
                QCOMPARE(m.consumptionEdit->text(), QStringLiteral("2,5"));
                press(m.saveButton);
            });
            QCOMPARE(e.smena_gds_use.recordCount(), 1);
            QCOMPARE(e.materialsGrid->datasetModel()->cellText(0, 0), QStringLiteral("Проволока Св-08"));
            QCOMPARE(e.materialsTotalEdit->text(), QStringLiteral("2,5"));
            e.exitButton->click();
        });
        QCOMPARE(d_->scalar(QStringLiteral("select string_agg(id_gds_use || ':' || f_qty_use::float8, ' ') "
                                           "from accounts_dep.smena_gds_use where id_smena = %1")
                                .arg(record))
                     .toString(),
                 QStringLiteral("9600001:2.5"));
        d_->db->exec(QStringLiteral("delete from accounts_dep.smena where id = %1").arg(record));
    }

    void theNormIsRoundedToFourDecimalsInSinglePrecision()
    {
        d_->db->exec(QStringLiteral("update mnf_operation.operation set f_qty_from = 0.123456 "
                                    "where id_gds_from = %1").arg(crewtest::kTape));
        d_->db->exec(QStringLiteral("update accounts_dep.smena set kol_vo = 1000 where id = %1").arg(kRecord));
        d_->reloadJournal();
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                chooseMaterial(m, crewtest::kTape);
                QCOMPARE(m.norm(), 0.1235f);
                // 1000 times the single precision 0.1235 is 123,500001907..., rounded to 3 decimals.
                QCOMPARE(m.consumptionEdit->text(), QStringLiteral("123,5"));
                m.reject();
            });
        });
        d_->db->exec(QStringLiteral("update mnf_operation.operation set f_qty_from = 0.5 where id_gds_from = %1")
                         .arg(crewtest::kTape));
    }

    void consumptionAboveTheStockAsksToTakeAllOfIt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("closed");
        QTest::newRow("yes") << int(QMessageBox::Yes) << "9600001:10" << true;
        QTest::newRow("no") << int(QMessageBox::No) << "" << false;
    }
    void consumptionAboveTheStockAsksToTakeAllOfIt()
    {
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(bool, closed);
        testing::MessageRecorder messages;
        messages.answer(QMessageBox::StandardButton(answer));
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QSignalSpy finished(&m, &QDialog::finished);
                chooseMaterial(m, crewtest::kWire);
                m.consumptionEdit->setText(QStringLiteral("12"));
                press(m.saveButton);
                QCOMPARE(messages.count(), 1);
                QCOMPARE(messages.messages().first().caption, QStringLiteral("Запрос"));
                QCOMPARE(messages.messages().first().icon, ui::Icon::Warning);
                QCOMPARE(messages.messages().first().buttons, QMessageBox::Yes | QMessageBox::No);
                QCOMPARE(messages.lastText(), kBatch);
                QCOMPARE(finished.count(), closed ? 1 : 0);
                if (!closed) {
                    QCOMPARE(m.consumptionEdit->text(), QStringLiteral("12"));
                    m.reject();
                }
            });
            // The list and the total show what was stored.
            QCOMPARE(e.smena_gds_use.recordCount(), closed ? 1 : 0);
            QCOMPARE(e.materialsTotalEdit->text(), closed ? QStringLiteral("10") : QStringLiteral("0"));
        });
        QCOMPARE(this->stored(), stored);
    }

    void storesOrRefusesTheConsumption_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0,5") << "0,5" << "" << "9600001:0.5";
        QTest::newRow("exactly the stock") << "10" << "" << "9600001:10";
        QTest::newRow("0") << "0" << kZero << "";
        QTest::newRow("0,000") << "0,000" << kZero << "";
        QTest::newRow("empty") << "" << kZero << "";
        QTest::newRow("not a number") << "," << "?" << "";
    }
    void storesOrRefusesTheConsumption()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        testing::MessageRecorder messages;
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QSignalSpy finished(&m, &QDialog::finished);
                chooseMaterial(m, crewtest::kWire);
                m.consumptionEdit->setText(typed);
                press(m.saveButton);
                if (message.isEmpty()) {
                    QCOMPARE(messages.count(), 0);
                    QCOMPARE(finished.count(), 1);
                    return;
                }
                // Refused: one error box, the dialog stays open as it was.
                QCOMPARE(messages.count(), 1);
                QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
                QCOMPARE(messages.messages().first().icon, ui::Icon::Error);
                if (message != QLatin1String("?"))
                    QCOMPARE(messages.lastText(), message);
                QCOMPARE(finished.count(), 0);
                QCOMPARE(m.consumptionEdit->text(), typed);
                m.reject();
            });
        });
        QCOMPARE(this->stored(), stored);
    }

    void noNormAndSomethingUsedIsRefused()
    {
        addUse(crewtest::kTape, 5);
        testing::MessageRecorder messages;
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                chooseMaterial(m, crewtest::kPrimer);
                QCOMPARE(m.consumptionEdit->text(), QStringLiteral("-5"));
                press(m.saveButton);
                QCOMPARE(messages.texts(), QStringList{kZero});
                m.reject();
            });
        });
        QCOMPARE(stored(), QStringLiteral("9600003:5"));
    }

    void noMaterialChosenIsRefused()
    {
        testing::MessageRecorder messages;
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QSignalSpy finished(&m, &QDialog::finished);
                m.consumptionEdit->setText(QStringLiteral("1"));
                press(m.saveButton);
                QCOMPARE(messages.texts(), QStringList{QStringLiteral("Все поля должны быть заполнены!")});
                QCOMPARE(finished.count(), 0);
                m.reject();
            });
        });
        QCOMPARE(stored(), QString());
    }

    void theDialogStartsAfreshAndTheRemainderIsKept()
    {
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                chooseMaterial(m, crewtest::kWire);
                m.consumptionEdit->setText(QStringLiteral("1,5"));
                press(m.saveButton);
            });
            // 10 pieces of 0.25 less the 1,5 used.
            QCOMPARE(e.remainingEdit->text(), QStringLiteral("1"));
            QVERIFY(e.remainingEdit->isHidden());
            QCOMPARE(e.materialsTotalEdit->text(), QStringLiteral("1,5"));
            d_->inMaterialDialog(e, [&](MaterialDialog& m) {
                QCOMPARE(m.LCB_id_gds_use->currentIndex(), -1);
                QCOMPARE(m.consumptionEdit->text(), QStringLiteral("0"));
                QCOMPARE(m.LCB_id_gds_use->count(), 3);
                chooseMaterial(m, crewtest::kWire);
                QCOMPARE(m.consumptionEdit->text(), QStringLiteral("1"));
                m.reject();
            });
        });
    }

    void deletingTakesTheSelectedRowAtOnce()
    {
        testing::MessageRecorder messages;
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            press(e.materialDeleteButton);  // an empty list: nothing happens
            QCOMPARE(messages.count(), 0);
        });
        addUse(crewtest::kWire, 1);
        addUse(crewtest::kTape, 2);
        addUse(crewtest::kPrimer, 3);
        d_->inEditedRecord(kRecord, [&](ShiftRecordEditor& e) {
            QCOMPARE(e.smena_gds_use.recordCount(), 3);
            e.materialsGrid->selectRow(1);
            QCOMPARE(e.smena_gds_use.recNo(), 2);
            const int selected = e.smena_gds_use.integer(QStringLiteral("id"));
            const double quantity = e.smena_gds_use.number(QStringLiteral("f_qty_use"));
            press(e.materialDeleteButton);
            QCOMPARE(messages.count(), 0);
            QCOMPARE(e.smena_gds_use.recordCount(), 2);
            QCOMPARE(e.smena_gds_use.recNo(), 2);
            QVERIFY(!e.smena_gds_use.locate(QStringLiteral("id"), selected));
            QCOMPARE(e.materialsTotalEdit->text(), fmt::general(6 - quantity));
            QCOMPARE(d_->scalar(QStringLiteral("select count(*) from accounts_dep.smena_gds_use where id = %1")
                                    .arg(selected))
                         .toInt(),
                     0);
        });
        QCOMPARE(d_->scalar(QStringLiteral("select count(*) from accounts_dep.smena_gds_use")).toInt(), 2);
    }
};

TABEL_TEST_MAIN(MaterialsTest)
#include "test_materials.moc"
