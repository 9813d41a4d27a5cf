// Record model and proxy over 100k archive records, each operation timed
// against plain C++ over the same records in the same run: a stable sort by
// the same key and a linear scan with the same two-word search. Prints
// CPU milliseconds and ratios; not a test.
#include "BenchTiming.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/models/ArchiveModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <random>


using namespace LynClientController;

namespace {
constexpr int kRows = 100000;
constexpr int kIncrement = 1000;
const char *kNames[] = {"Front door", "Garden", "Back yard", "Garage", "Side gate", "Kitchen", "Hall", "Parking"};
const QString kSearch = QStringLiteral("door 1");

QVariantMap record(int id, qint64 update = 0)
{
    return {{"rowID", id}, {"dtUpdate", update ? update : 1600000000000LL + id}, {"dtInsert", 1600000000000LL + id},
            {"rstIDDevice", id % 8}, {"dtStart", 1600000000000LL + qint64((id * 7919LL) % kRows) * 1000},
            {"deviceName", QString::fromLatin1(kNames[id % 8]) + QStringLiteral(" %1").arg(id % 97)},
            {"detected", id % 3 ? "person" : "car"}, {"filePath", QStringLiteral("archive/%1.mp4").arg(id)}};
}

// The same records as plain C++ values: the reference every figure is divided by.
struct Plain
{
    qint64 rowID;
    qint64 dtStart;
    QString deviceName;
    QString detected;
    QString filePath;
};

struct Table
{
    Table()
    {
        model.setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
        proxy.setOriginalModel(&model);
    }
    // What a controller does with its own answer: merge as one batch, then re-sort.
    void answer(const QVector<QVariantMap> &records)
    {
        {
            NtCommon::TableAnswer batch(&model, false);
            for (const QVariantMap &r : records)
                model.addRow(r);
        }
        NtCommon::TableAnswer::finish(&model, &proxy);
    }
    OriginalModel model;
    ProxyModel proxy;
};

using BenchTiming::timed;
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QVector<int> shuffled(kRows);
    std::iota(shuffled.begin(), shuffled.end(), 1);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(42));
    QVector<QVariantMap> answer;
    std::vector<Plain> plain;
    for (int id : shuffled) {
        answer.append(record(id));
        const QVariantMap &r = answer.last();
        plain.push_back({id, r.value("dtStart").toLongLong(), r.value("deviceName").toString(),
                         r.value("detected").toString(), r.value("filePath").toString()});
    }

    // Reference figures.
    auto byRowId = plain;
    const double sortRowId = timed([&] {
        std::stable_sort(byRowId.begin(), byRowId.end(), [](const Plain &a, const Plain &b) { return a.rowID > b.rowID; });
    });
    auto byName = plain;
    const double sortName = timed([&] {
        std::stable_sort(byName.begin(), byName.end(), [](const Plain &a, const Plain &b) {
            const int c = QString::compare(a.deviceName, b.deviceName, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.rowID < b.rowID;
        });
    });
    auto byStart = plain;
    const double sortStart = timed([&] {
        std::stable_sort(byStart.begin(), byStart.end(), [](const Plain &a, const Plain &b) {
            return a.dtStart != b.dtStart ? a.dtStart < b.dtStart : a.rowID < b.rowID;
        });
    });
    int plainMatches = 0;
    const QRegularExpression expression(QStringLiteral("(?=.*door)(?=.*1)"), QRegularExpression::CaseInsensitiveOption);
    const double scan = timed([&] {
        for (const Plain &p : plain) {
            for (const QString *field : {&p.deviceName, &p.detected, &p.filePath}) {
                if (expression.match(*field).hasMatch()) {
                    ++plainMatches;
                    break;
                }
            }
        }
    });

    auto line = [&](const char *what, double ms, double reference, const char *against) {
        out << QString::asprintf("%-52s %9.1f ms  %6.1fx %s", what, ms, ms / reference, against) << Qt::endl;
    };
    out << QString::asprintf("%-52s %9.1f ms", "reference: stable_sort 100k by rowID", sortRowId) << Qt::endl;
    out << QString::asprintf("%-52s %9.1f ms", "reference: stable_sort 100k by deviceName", sortName) << Qt::endl;
    out << QString::asprintf("%-52s %9.1f ms", "reference: stable_sort 100k by dtStart", sortStart) << Qt::endl;
    out << QString::asprintf("%-52s %9.1f ms (%d rows)", "reference: scan 100k, two words", scan, plainMatches) << Qt::endl;

    {
        OriginalModel alone;
        alone.setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
        line("merge 100k answer into empty model, no proxy", timed([&] { alone.mergeRecords(answer); }), sortRowId,
             "of sort by rowID");
    }

    Table t;
    t.proxy.setFilterFields({"deviceName", "detected", "filePath"});
    t.proxy.setFilterPattern(QStringLiteral("o"));
    line("merge 100k answer into empty model (proxy filtering)", timed([&] { t.answer(answer); }), sortRowId,
         "of sort by rowID");

    // New events on top, and some older ones updated.
    QVector<QVariantMap> increment;
    for (int i = 1; i <= kIncrement * 9 / 10; ++i)
        increment.append(record(kRows + i));
    for (int i = 0; i < kIncrement / 10; ++i)
        increment.append(record(shuffled.at(i), 1700000000000LL + i));
    line("merge 1k answer (900 new, 100 updated) into 100k", timed([&] { t.answer(increment); }), sortRowId,
         "of sort by rowID");

    // The same with the view ordered by time.
    Table byTime;
    byTime.proxy.setFilterFields({"deviceName", "detected", "filePath"});
    byTime.proxy.setFilterPattern(QStringLiteral("o"));
    byTime.proxy.sortRows(QStringLiteral("dtStart"), Qt::DescendingOrder);
    line("merge 100k answer, proxy sorted by dtStart", timed([&] { byTime.answer(answer); }), sortStart,
         "of sort by dtStart");
    line("merge 1k answer into 100k, proxy sorted by dtStart", timed([&] { byTime.answer(increment); }), sortStart,
         "of sort by dtStart");

    t.proxy.setFilterPattern(QString());
    double refilter = timed([&] { t.proxy.setFilterPattern(kSearch); });
    line("re-filter 100k, two words", refilter, scan, "of scan");
    out << "  rows shown: " << t.proxy.rowCount() << Qt::endl;
    t.proxy.setFilterPattern(QString());

    line("sort 100k by deviceName", timed([&] { t.proxy.sortRows(QStringLiteral("deviceName"), Qt::AscendingOrder); }),
         sortName, "of sort by deviceName");
    line("sort 100k by dtStart", timed([&] { t.proxy.sortRows(QStringLiteral("dtStart"), Qt::DescendingOrder); }),
         sortStart, "of sort by dtStart");
    return 0;
}
