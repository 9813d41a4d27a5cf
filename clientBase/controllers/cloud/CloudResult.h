#pragma once

#include <QJsonObject>

#include <functional>

class QNetworkReply;

namespace LynClientController {

// Result objects of the cloud calls: every outcome, good or bad, becomes one of these.
namespace CloudResult {

// The caller's pass-through keys (names beginning with "_").
QJsonObject passThrough(const QJsonObject &mapParams);

// The caller's keys, "status" false, the network error number and its text.
QJsonObject networkFailure(const QJsonObject &mapParams, const QNetworkReply &reply);

// Logs why a request failed, naming it by its path alone: the query may carry a token.
void logFailure(const char *controller, const QNetworkReply &reply, const QString &reason);

// The network error number and nothing of its text, which quotes the whole URL.
QString networkReason(const QNetworkReply &reply);

// Runs the handling of an answer; an exception is logged with qDebug and ends it.
void guarded(const std::function<void()> &handling);

} // namespace CloudResult

} // namespace LynClientController
