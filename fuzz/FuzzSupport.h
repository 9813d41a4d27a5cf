#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target needs: one application object, a silent message
// handler (fatal messages still abort, so a model tester's finding is a crash),
// a "main" logger that formats but writes nowhere, and a private folder.
namespace FuzzSupport {

// Called by libFuzzer's initialisation hook, defined once for every target.
void init();

// A folder of this run's own for targets that write files.
QString workFolder();

QByteArray bytes(const uint8_t *data, size_t size);

// The JSON objects of the input: an object alone, or the objects of an array.
QList<QJsonObject> objects(const QByteArray &input);

// Ends the run as a finding, with the reason on standard error.
[[noreturn]] void fail(const char *reason);

} // namespace FuzzSupport

namespace FuzzSupport {

// A log text must stay on one line and within its size, whatever came in.
void checkLogLine(const QString &line);

} // namespace FuzzSupport
