// Record model and proxy over 100k archive records: merge in three rowID
// orders, re-filter with a two-word search, sort by a text field and by time.
// Prints milliseconds; not a test.
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/models/ArchiveModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <random>

using namespace LynClientController;

namespace {
constexpr int kRows = 100000;
const char *kNames[] = {"Front door", "Garden", "Back yard", "Garage", "Side gate", "Kitchen", "Hall", "Parking"};

QVariantMap record(int id)
{
    return {{"rowID", id}, {"dtUpdate", 1600000000000LL + id}, {"dtInsert", 1600000000000LL + id},
            {"rstIDDevice", id % 8}, {"dtStart", 1600000000000LL + qint64((id * 7919LL) % kRows) * 1000},
            {"deviceName", QString::fromLatin1(kNames[id % 8]) + QStringLiteral(" %1").arg(id % 97)},
            {"detected", id % 3 ? "person" : "car"}, {"filePath", QStringLiteral("archive/%1.mp4").arg(id)}};
}

struct Table
{
    explicit Table(bool withProxy = true)
    {
        model.setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
        if (withProxy)
            proxy.setOriginalModel(&model);
    }
    OriginalModel model;
    ProxyModel proxy;
};

qint64 merge(const QVector<int> &order, bool withProxy)
{
    Table t(withProxy);
    QElapsedTimer timer;
    timer.start();
    for (int id : order)
        t.model.addRow(record(id));
    return timer.elapsed();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QVector<int> ascending(kRows);
    std::iota(ascending.begin(), ascending.end(), 1);
    QVector<int> descending(ascending.rbegin(), ascending.rend());
    QVector<int> shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(42));

    for (bool withProxy : {false, true}) {
        const char *what = withProxy ? "model+proxy" : "model only ";
        out << "merge 100k, " << what << ", ascending rowID:  " << merge(ascending, withProxy) << " ms" << Qt::endl;
        out << "merge 100k, " << what << ", descending rowID: " << merge(descending, withProxy) << " ms" << Qt::endl;
        out << "merge 100k, " << what << ", random rowID:     " << merge(shuffled, withProxy) << " ms" << Qt::endl;
    }

    Table t;
    for (int id : shuffled)
        t.model.addRow(record(id));
    QElapsedTimer timer;
    timer.start();
    t.proxy.setFilterPattern(QStringLiteral("door 1"));
    out << "re-filter 100k, two words:    " << timer.elapsed() << " ms (" << t.proxy.rowCount() << " rows shown)" << Qt::endl;
    t.proxy.setFilterPattern(QString());

    timer.restart();
    t.proxy.sortRows(QStringLiteral("deviceName"), Qt::AscendingOrder);
    out << "sort 100k by deviceName:      " << timer.elapsed() << " ms" << Qt::endl;
    timer.restart();
    t.proxy.sortRows(QStringLiteral("dtStart"), Qt::DescendingOrder);
    out << "sort 100k by dtStart:         " << timer.elapsed() << " ms" << Qt::endl;
    return 0;
}
