// The P2P frame reader against a plain reading of the same stream: whatever
// the read sizes, the same bodies come out, oversized frames are reported with
// their true size, and the buffer never grows past the cap.
#include "FuzzSupport.h"
#include "client_base/base/FrameSplitter.h"

#include <fuzzer/FuzzedDataProvider.h>

using P2pClientBase::FrameSplitter;

namespace {

struct Expected
{
    QList<QByteArray> bodies;
    QList<qint64> droppedSizes;
};

Expected readWhole(const QByteArray &stream, int cap)
{
    Expected expected;
    int start = 0;
    for (int end; (end = stream.indexOf(FrameSplitter::kTerminator, start)) >= 0; start = end + FrameSplitter::kTerminator.size()) {
        const int size = end - start;
        if (size > cap)
            expected.droppedSizes << size;
        else if (size > 0)
            expected.bodies << stream.mid(start, size);
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int cap = input.ConsumeIntegralInRange(1, 64);
    QList<int> reads;
    for (int i = 0; i < 8; ++i)
        reads << input.ConsumeIntegralInRange(1, 48);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray stream = QByteArray::fromStdString(rest);

    FrameSplitter splitter(cap);
    Expected got;
    for (int offset = 0, i = 0; offset < stream.size(); ++i) {
        const QByteArray piece = stream.mid(offset, reads.at(i % reads.size()));
        offset += piece.size();
        const FrameSplitter::Cut cut = splitter.append(piece);
        got.bodies << cut.bodies;
        got.droppedSizes << cut.droppedSizes;
        if (splitter.bufferedBytes() > cap + FrameSplitter::kTerminator.size())
            FuzzSupport::fail("the buffer grew past the cap");
    }
    const Expected expected = readWhole(stream, cap);
    if (got.bodies != expected.bodies)
        FuzzSupport::fail("bodies differ from a whole reading");
    if (got.droppedSizes != expected.droppedSizes)
        FuzzSupport::fail("dropped frames differ from a whole reading");
    return 0;
}
