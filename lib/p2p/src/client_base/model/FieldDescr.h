#pragma once

#include <QString>
#include <QVariant>

namespace P2pClientController {

// How one field of a P2P table is shown and compared. Takes the next number of
// its own sequence at construction, so declaration order can be recovered.
class FieldDescr
{
public:
    explicit FieldDescr(qint64 properties = 1);

    qint64 seqNum = 0;
    QString title;
    QVariant defaultValue = QString();
    qint64 properties = 1;
    int type = 0;
    int width = 0;
    // Free-form hints for the screens: display format, tool tip, editor group.
    QString format;
    QString hint;
    QString group;
    bool flag = true;
    QVariant value;
};

} // namespace P2pClientController
