#include "nt_common/core/pointer/ScopedPointerEx.h"
#include "nt_common/core/pointer/SharedPointerEx.h"
#include "nt_common/core/pointer/WeakPointerEx.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QtTest>

#include <functional>
#include <stdexcept>

namespace {

QString raisedText(const std::function<void()> &call)
{
    try {
        call();
    } catch (const std::runtime_error &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

struct Counted
{
    Counted() { ++constructed; }
    explicit Counted(int v) : value(v) { ++constructed; }
    int value = 0;
    static int constructed;
};
int Counted::constructed = 0;

} // namespace

class TstShellErrors : public QObject
{
    Q_OBJECT
private slots:
    void nullAccessorsRaiseTheirOwnTexts_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shared data") << 0 << "'SharedPointerEx: inline T * data() const', line: '30' descriptions: 'Pointer is null!'.";
        QTest::newRow("shared arrow") << 1 << "'SharedPointerEx: inline T *QSharedPointer::operator->() const', line: '54' descriptions: 'Pointer is null!'.";
        QTest::newRow("scoped data") << 2 << "'ScopedPointerEx: inline T * data() const', line: '17' descriptions: 'Pointer is null!'.";
        QTest::newRow("scoped arrow") << 3 << "'ScopedPointerEx: inline T *QScopedPointer::operator->() const', line: '41' descriptions: 'Pointer is null!'.";
        QTest::newRow("weak data") << 4 << "'WeakPointerEx: inline T * data() const', line: '24' descriptions: 'Pointer is null!'.";
    }

    void nullAccessorsRaiseTheirOwnTexts()
    {
        QFETCH(int, which);
        QFETCH(QString, expected);
        NtCommon::SharedPointerEx<Counted> shared;
        NtCommon::ScopedPointerEx<Counted> scoped;
        NtCommon::WeakPointerEx<Counted> weak;
        const std::function<void()> calls[] = {
            [&] { shared.data(); },
            [&] { (void)shared->value; },
            [&] { scoped.data(); },
            [&] { (void)scoped->value; },
            [&] { weak.data(); },
        };
        QCOMPARE(raisedText(calls[which]), expected);
    }

    void singletonIsCreatedOnceWithTheFirstArguments()
    {
        Counted::constructed = 0;
        Counted *first = SpSingleton<Counted>::instance(42);
        Counted *again = SpSingleton<Counted>::instance();
        QCOMPARE(first, again);
        QCOMPARE(first->value, 42);
        QCOMPARE(Counted::constructed, 1);
        QCOMPARE(SpSingleton<Counted>::sharedInstance().data(), first);
    }
};

QTEST_GUILESS_MAIN(TstShellErrors)
#include "tst_shell_errors.moc"
