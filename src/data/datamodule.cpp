#include "data/datamodule.h"

#include "data/connectionstring.h"
#include "data/shiftstatements.h"

namespace data {

DataModule::DataModule(const QString& connectionString)
    : ADO_DB(connectionString.isEmpty() ? defaultConnectionString() : connectionString),
      Smena1(ADO_DB, QStringLiteral("Smena1"), statements::shiftRecords(1)),
      Smena2(ADO_DB, QStringLiteral("Smena2"), statements::shiftRecords(2)),
      Smena3(ADO_DB, QStringLiteral("Smena3"), statements::shiftRecords(3)),
      Smena4(ADO_DB, QStringLiteral("Smena4"), statements::shiftRecords(4)),
      Workers(ADO_DB, QStringLiteral("Workers"), statements::workers()),
      Izdel(ADO_DB, QStringLiteral("Izdel"), statements::products()),
      Oper(ADO_DB, QStringLiteral("Oper"), statements::operations()),
      Vid_oper(ADO_DB, QStringLiteral("Vid_oper"), statements::operationKinds()),
      H_Tabel_1(ADO_DB, QStringLiteral("H_Tabel_1"), statements::timeSheet(1)),
      H_Tabel_2(ADO_DB, QStringLiteral("H_Tabel_2"), statements::timeSheet(2)),
      H_Tabel_3(ADO_DB, QStringLiteral("H_Tabel_3"), statements::timeSheet(3)),
      Oper_ins(ADO_DB, QStringLiteral("Oper_ins"), statements::operationInsert()),
      Oper_ed(ADO_DB, QStringLiteral("Oper_ed"), statements::operationUpdate()),
      Oper_del(ADO_DB, QStringLiteral("Oper_del"), statements::operationDelete()),
      Control(ADO_DB, QStringLiteral("Control")),
      DelSmena(ADO_DB, QStringLiteral("DelSmena")),
      H_Tabel_ins(ADO_DB, QStringLiteral("H_Tabel_ins"))
{
}

DataModule::~DataModule() = default;

Dataset& DataModule::smena(int shift)
{
    switch (shift) {
    case 2: return Smena2;
    case 3: return Smena3;
    case 4: return Smena4;
    default: return Smena1;
    }
}

Dataset& DataModule::timeSheet(int shift)
{
    switch (shift) {
    case 2: return H_Tabel_2;
    case 3: return H_Tabel_3;
    default: return H_Tabel_1;
    }
}

int DataModule::count(const QString& statement)
{
    return readControl(statement, [](const Dataset& control) {
        return control.isEmpty() ? 0 : control.integer(QStringLiteral("cnt"));
    });
}

bool DataModule::duplicateCheck(const QString& statement, const QString& message,
                                const std::function<void(const QString&)>& warn)
{
    if (count(statement) > 0) {
        if (warn)
            warn(message);
        return true;
    }
    return false;
}

QVariant DataModule::scalar(const QString& statement)
{
    return readControl(statement,
                       [](const Dataset& control) { return control.isEmpty() ? QVariant() : control.valueAt(0, 0); });
}

}  // namespace data
