// Stream keys and row ids become SDP file names: whatever the name, a file is
// written only inside its folder, under exactly that name, and a returned path
// is a file that holds the text.
#include "FuzzSupport.h"
#include "controllers/common/SdpFile.h"
#include "nt_common/core/file/FileNameGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fuzzer/FuzzedDataProvider.h>

using LynClientController::SdpFile;

namespace {

const QString kFolder = QStringLiteral("sdp");

QDir workDir()
{
    static const QString path = FuzzSupport::workFolder();
    return QDir(path);
}

void checkGuard(const QString &stem)
{
    if (!NtCommon::FileNameGuard::isSafeStem(stem))
        return;
    if (stem.contains(QLatin1Char('/')) || stem.contains(QLatin1Char('\\')) || stem.contains(QChar(0)) || stem == QLatin1String(".")
        || stem.contains(QLatin1String("..")))
        FuzzSupport::fail("a path passed the guard as a plain name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool asNumber = input.ConsumeBool();
    QJsonValue name;
    if (asNumber && input.ConsumeBool())
        name = input.ConsumeFloatingPoint<double>();
    else
        name = QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(300)));
    const QString sdp = QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRemainingBytesAsString()));
    checkGuard(name.toString());

    const QDir work = workDir();
    const QString path = SdpFile::write(work.filePath(kFolder), name, asNumber ? SdpFile::NameKind::WholeNumber : SdpFile::NameKind::Text,
                                        QJsonObject{{QStringLiteral("sdp"), sdp}}, QStringLiteral("fuzz"));
    // Nothing but the folder may appear beside it, and nothing below it but plain files.
    const QStringList beside = work.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (!beside.isEmpty() && beside != QStringList{kFolder})
        FuzzSupport::fail("something was written outside the folder");
    const QDir folder(work.filePath(kFolder));
    if (!folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty())
        FuzzSupport::fail("a folder was made inside the folder");
    if (path.isEmpty())
        return 0;
    const QFileInfo file(path);
    if (file.absolutePath() != folder.absolutePath()
        || (!asNumber && file.fileName() != name.toString() + QStringLiteral(".sdp")))
        FuzzSupport::fail("the file is not the name inside the folder");
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly) || written.readAll() != sdp.toUtf8())
        FuzzSupport::fail("the returned path does not hold the text");
    written.remove();
    return 0;
}
