#include "office/office.h"

#include <QJsonArray>
#include <stdexcept>

#include "data/dataset.h"

namespace office {

namespace {

const char* const kindNames[kindCount] = {"new record",    "change",  "deletion",     "materials",      "acceptance",
                                          "crew division", "rebuild", "journal read", "time sheet read"};

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

}  // namespace

QString valueColumns()
{
    return QStringLiteral("w_id, smena, data, time, kol_vo, brak, cena");
}

Values valuesOf(const data::Dataset& row)
{
    Values v;
    v.worker = row.integer(QStringLiteral("w_id"));
    v.shift = row.integer(QStringLiteral("smena"));
    v.hours = row.integer(QStringLiteral("time"));
    v.rejects = row.integer(QStringLiteral("brak"));
    v.date = row.date(QStringLiteral("data"));
    v.quantity = row.number(QStringLiteral("kol_vo"));
    v.price = row.number(QStringLiteral("cena"));
    return v;
}

QString kindName(Kind kind)
{
    return QString::fromLatin1(kindNames[int(kind)]);
}

Kind kindNamed(const QString& name)
{
    for (int k = 0; k < kindCount; ++k) {
        if (name == QLatin1String(kindNames[k]))
            return Kind(k);
    }
    throw std::invalid_argument("unknown kind of action: " + name.toStdString());
}

QJsonObject Plan::toJson() const
{
    QJsonArray w, d, o;
    for (const Worker& worker : workers)
        w.append(QJsonArray{worker.code, double(worker.person)});
    for (const QDate& day : days)
        d.append(isoDate(day));
    for (const Work& work : works)
        o.append(QJsonArray{work.product, work.operation, work.price});
    return {{"connection", connection},
            {"workers", w},
            {"days", d},
            {"works", o},
            {"material", double(material)},
            {"actions", actions},
            {"pauseMs", pauseMs},
            {"rebuildsPerThousand", rebuildsPerThousand},
            {"rendezvousPerThousand", rendezvousPerThousand},
            {"seed", double(seed)},
            {"round", round}};
}

Plan Plan::fromJson(const QJsonObject& json)
{
    Plan p;
    p.connection = json["connection"].toString();
    for (const QJsonValue& w : json["workers"].toArray())
        p.workers.append({w[0].toInt(), qint64(w[1].toDouble())});
    for (const QJsonValue& d : json["days"].toArray())
        p.days.append(QDate::fromString(d.toString(), Qt::ISODate));
    for (const QJsonValue& o : json["works"].toArray())
        p.works.append({o[0].toInt(), o[1].toInt(), o[2].toDouble()});
    p.material = qint64(json["material"].toDouble());
    p.actions = json["actions"].toInt();
    p.pauseMs = json["pauseMs"].toInt();
    p.rebuildsPerThousand = json["rebuildsPerThousand"].toInt();
    p.rendezvousPerThousand = json["rendezvousPerThousand"].toInt();
    p.seed = quint32(json["seed"].toDouble());
    p.round = json["round"].toInt();
    return p;
}

QJsonObject Entry::toJson() const
{
    return {{"ws", workstation},
            {"n", number},
            {"kind", kindName(kind)},
            {"t0", double(started)},
            {"t1", double(ended)},
            {"outcome", outcome},
            {"error", error},
            {"id", record},
            {"w", worker},
            {"s", shift},
            {"h", hours},
            {"b", rejects},
            {"d", isoDate(date)},
            {"q", quantity},
            {"p", price},
            {"crew", participants},
            {"rows", rows}};
}

Entry Entry::fromJson(const QJsonObject& json)
{
    Entry e;
    e.workstation = json["ws"].toInt();
    e.number = json["n"].toInt();
    e.kind = kindNamed(json["kind"].toString());
    e.started = qint64(json["t0"].toDouble());
    e.ended = qint64(json["t1"].toDouble());
    e.outcome = json["outcome"].toString();
    e.error = json["error"].toString();
    e.record = json["id"].toInt();
    e.worker = json["w"].toInt();
    e.shift = json["s"].toInt();
    e.hours = json["h"].toInt();
    e.rejects = json["b"].toInt();
    e.date = QDate::fromString(json["d"].toString(), Qt::ISODate);
    e.quantity = json["q"].toDouble();
    e.price = json["p"].toDouble();
    e.participants = json["crew"].toInt();
    e.rows = json["rows"].toInt();
    return e;
}

}  // namespace office
