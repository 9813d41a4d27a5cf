#include "FuzzSupport.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "nt_common/core/log/LogText.h"

#include <spdlog/sinks/null_sink.h>
#include <spdlog/spdlog.h>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

namespace {

void silent(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "qFatal: %s\n", qPrintable(message));
    std::abort();
}

} // namespace

void init()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(silent);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    spdlog::set_default_logger(std::make_shared<spdlog::logger>("default", std::make_shared<spdlog::sinks::null_sink_mt>()));
    spdlog::register_logger(std::make_shared<spdlog::logger>("main", std::make_shared<spdlog::sinks::null_sink_mt>()));
    spdlog::get("main")->set_level(spdlog::level::trace);
}

QString workFolder()
{
    // libFuzzer reads its corpus folders relative to where it runs, so the working folder stays.
    static QTemporaryDir work;
    if (!work.isValid())
        fail("no working folder");
    return work.path();
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(size));
}

QList<QJsonObject> objects(const QByteArray &input)
{
    const QJsonDocument document = QJsonDocument::fromJson(input);
    QList<QJsonObject> list;
    if (document.isObject())
        list << document.object();
    for (const QJsonValue &item : document.array()) {
        if (item.isObject())
            list << item.toObject();
    }
    return list;
}

void fail(const char *reason)
{
    std::fprintf(stderr, "fuzz finding: %s\n", reason);
    std::abort();
}

} // namespace FuzzSupport

namespace FuzzSupport {

void checkLogLine(const QString &line)
{
    // Each kept character becomes at most "\xNN", plus the note on a cut.
    if (line.size() > NtCommon::LogText::kMaxLoggedBytes * 4 + 64)
        fail("a log text is longer than its cut");
    for (const QChar c : line) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            fail("a log text holds a control character");
    }
}

} // namespace FuzzSupport

// Every target starts the same way; libFuzzer calls this once before the first input.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::init();
    return 0;
}
