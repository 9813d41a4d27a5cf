#pragma once

#include <QString>
#include <QVariant>

namespace LYNCommon {

// How one field of a table is shown and compared. Built in three steps:
// properties (takes the next sequence number), then type/flag/default, then title.
class FieldDescr
{
public:
    explicit FieldDescr(qint64 properties = 1);

    void setTypeFlagDefault(int type, bool flag, const QVariant &defaultValue);
    void setTitle(const QString &title);

    QString title;
    QVariant value;
    QVariant defaultValue;
    qint64 properties = 1;
    int type = 0;
    bool flag = false;
    qint64 seqNum = 0;
};

} // namespace LYNCommon
